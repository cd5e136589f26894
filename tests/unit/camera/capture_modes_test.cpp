#include "camera/capture_modes.h"
#include "camera/move_resize.h"

#include <gtest/gtest.h>

#include <set>

#include "camera/commands.h"
#include "shell/settings_table.h"

namespace flk {
namespace {

TEST(Viewfinder, CentreAndSource) {
  const Rect window = Rect::FromXYWH(100, 200, 345, 222);
  const Rect view = Rect::FromXYWH(7, 110, 331, 105);
  // View panel is the view plus its 2-pixel bevels: 109 high.
  EXPECT_EQ(CameraCentre(window, view, 109), (Point{100 + 172, 200 + 110 + 54}));

  ViewfinderSource docked = ViewfinderSourceFor(false, {}, view);
  EXPECT_FALSE(docked.fromHeld);
  EXPECT_EQ(docked.rect, view);
  EXPECT_EQ(docked.size, (Size{331, 105}));

  ViewfinderSource held = ViewfinderSourceFor(true, Size{400, 300}, view);
  EXPECT_TRUE(held.fromHeld);
  EXPECT_EQ(held.size, (Size{400, 300}));
}

TEST(Viewfinder, EdgeToEdgeCaptureHasTheWindowSize) {
  LayoutInput in;
  in.align = PanelAlign::Floating;
  in.width = 500;
  in.height = 400;
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(ViewfinderSourceFor(false, {}, l.capture).size, (Size{500, 400}));
}

TEST(WholeCaptures, SourcesAndUsageCodes) {
  struct Case { int mode; WholeSource src; bool client; int usage; };
  for (Case c : {Case{1, WholeSource::Desktop, false, 12}, Case{3, WholeSource::ForegroundWindow, false, 13},
                 Case{4, WholeSource::ForegroundWindow, true, 14}, Case{5, WholeSource::WindowAtCentre, false, 17},
                 Case{6, WholeSource::WindowAtCentre, true, 18}}) {
    SCOPED_TRACE(c.mode);
    auto w = WholeCaptureOf(c.mode);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->source, c.src);
    EXPECT_EQ(w->clientArea, c.client);
    EXPECT_EQ(w->usageCode, c.usage);
  }
  EXPECT_FALSE(WholeCaptureOf(0));
  EXPECT_FALSE(WholeCaptureOf(2));
  EXPECT_TRUE(ForegroundUsable(true, false, false));
  EXPECT_FALSE(ForegroundUsable(false, false, false));
  EXPECT_FALSE(ForegroundUsable(true, true, false));
  EXPECT_FALSE(ForegroundUsable(true, false, true));
}

TEST(Hold, OnGrowsByEightAndDocksOffGivesItBack) {
  CaptureModes m;
  HoldPlan on = m.ToggleHold(PanelAlign::Floating);
  EXPECT_TRUE(m.hold());
  EXPECT_TRUE(on.holdOn);
  EXPECT_TRUE(on.copyHeld);
  EXPECT_TRUE(on.dockTop);
  EXPECT_EQ(on.growBy, 8);
  EXPECT_FALSE(on.refreshView);
  EXPECT_FALSE(CommandEnabled(CommandId::WinCap, {m.hold(), m.frozen()}));

  HoldPlan off = m.ToggleHold(PanelAlign::Top);
  EXPECT_FALSE(m.hold());
  EXPECT_EQ(off.growBy, -8);
  EXPECT_TRUE(off.refreshView);
  EXPECT_FALSE(off.dockTop);
  EXPECT_TRUE(CommandEnabled(CommandId::WinCap, {m.hold(), m.frozen()}));

  // Docked: no move of the panel.
  EXPECT_FALSE(m.ToggleHold(PanelAlign::Bottom).dockTop);
}

TEST(Hold, GrowthRoundTripsTheWindow) {
  const Rect w = Rect::FromXYWH(50, 60, 300, 200);
  CaptureModes m;
  HoldPlan on = m.ToggleHold(PanelAlign::Top);
  Rect grown = GrowBy(w, on.growBy, on.growBy, {1920, 1080}, 100, 100).window;
  EXPECT_EQ(grown, Rect::FromXYWH(50, 60, 308, 208));
  HoldPlan off = m.ToggleHold(PanelAlign::Top);
  EXPECT_EQ(GrowBy(grown, off.growBy, off.growBy, {1920, 1080}, 100, 100).window, w);
}

TEST(Hold, RefreshTurnsHoldOffOrRefreshes) {
  CaptureModes m;
  HoldPlan r = m.Refresh(PanelAlign::Top);
  EXPECT_TRUE(r.refreshView);
  EXPECT_EQ(r.growBy, 0);
  m.ToggleHold(PanelAlign::Top);
  r = m.Refresh(PanelAlign::Top);
  EXPECT_FALSE(m.hold());
  EXPECT_EQ(r.growBy, -8);
}

TEST(FrozenDesktop, HotKeyFreezesOnceAndDisablesWindowPicks) {
  CaptureModes m;
  FreezePlan p = m.FreezeHotKey(true, true, PanelAlign::Top);
  EXPECT_TRUE(p.freeze);
  EXPECT_TRUE(m.frozen());
  EXPECT_FALSE(p.openCamera);
  EXPECT_TRUE(p.showCamera);
  EXPECT_EQ(p.status, "Desktop FROZEN. (Click desktop to thaw.)");
  for (CommandId c : {CommandId::WinCap, CommandId::WorkArea, CommandId::ScrollCap, CommandId::Robo})
    EXPECT_FALSE(CommandEnabled(c, {m.hold(), m.frozen()}));

  FreezePlan again = m.FreezeHotKey(true, true, PanelAlign::Top);
  EXPECT_TRUE(again.beep);
  EXPECT_FALSE(again.freeze);

  CaptureModes busy;
  FreezePlan b = busy.FreezeHotKey(false, true, PanelAlign::Top);
  EXPECT_TRUE(b.beep);
  EXPECT_TRUE(b.bringToFront);
  EXPECT_FALSE(busy.frozen());
}

TEST(FrozenDesktop, BeforeTheCameraOpenedGrabsAtTheStoredRectangle) {
  CaptureModes m;
  FreezePlan p = m.FreezeHotKey(true, false, PanelAlign::Top);
  EXPECT_TRUE(p.grabAtStored);
  EXPECT_TRUE(p.openCamera);
}

TEST(FrozenDesktop, FreezingWithHoldOnTurnsHoldOffButKeepsPicksDisabled) {
  CaptureModes m;
  m.ToggleHold(PanelAlign::Top);
  FreezePlan p = m.FreezeHotKey(true, true, PanelAlign::Top);
  EXPECT_FALSE(m.hold());
  EXPECT_EQ(p.holdOff.growBy, -8);
  EXPECT_FALSE(p.holdOff.refreshView);
  EXPECT_FALSE(CommandEnabled(CommandId::WinCap, {m.hold(), m.frozen()}));
}

TEST(FrozenDesktop, HoldOnThawsIt) {
  CaptureModes m;
  m.FreezeHotKey(true, true, PanelAlign::Top);
  HoldPlan on = m.ToggleHold(PanelAlign::Top);
  EXPECT_TRUE(on.thawWithRefresh);
  ThawResult t = m.ThawDesktop(true);
  EXPECT_TRUE(t.thawed);
  EXPECT_TRUE(t.requestRefresh);
  EXPECT_FALSE(m.frozen());
}

TEST(FrozenDesktop, ThawReportsWhetherAnythingWasFrozen) {
  CaptureModes m;
  EXPECT_FALSE(m.ThawDesktop(true).thawed);
  m.FreezeHotKey(true, true, PanelAlign::Top);
  ThawResult t = m.ThawDesktop(false);
  EXPECT_TRUE(t.thawed);
  EXPECT_FALSE(t.requestRefresh);
  EXPECT_TRUE(t.clearStatus);
  EXPECT_FALSE(m.ThawDesktop(false).thawed);
}

TEST(FrozenDesktop, OfferThawAsksUntilYes) {
  CaptureModes m;
  EXPECT_FALSE(m.OfferThaw(false).ask);
  m.FreezeHotKey(true, true, PanelAlign::Top);
  EXPECT_FALSE(m.OfferThaw(false).ask);  // frozen during the command, not before
  EXPECT_TRUE(m.OfferThaw(true).ask);
  ThawAnswerResult no = m.ThawAnswer(false);
  EXPECT_TRUE(no.setStatus);
  EXPECT_EQ(no.status, "Desktop FROZEN. (Click it to un-freeze.)");
  EXPECT_FALSE(no.thaw.thawed);
  EXPECT_TRUE(m.frozen());
  EXPECT_TRUE(m.OfferThaw(true).ask);  // the next command asks again
  ThawAnswerResult yes = m.ThawAnswer(true);
  EXPECT_TRUE(yes.thaw.thawed);
  EXPECT_TRUE(yes.thaw.requestRefresh);
  EXPECT_FALSE(m.frozen());
  EXPECT_FALSE(m.OfferThaw(true).ask);  // thawed meanwhile: no question
  EXPECT_STREQ(kThawQuestion, "Thaw desktop?\r\n(Restores normal desktop)");
}

TEST(ColorDepth, EntriesInMenuOrder) {
  auto e = ColorDepthEntries();
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[0].value, 0);
  // The entry captioned "(default)" is the value a missing setting reads as.
  EXPECT_EQ(e[2].value, FindSetting("PixelFormatPro")->readDefault);
  EXPECT_STREQ(ColorDepthEntryOf(6)->caption, "24-bit  True Color (default)");
  EXPECT_EQ(ColorDepthEntryOf(4)->bitsPerPixel, 15);
  EXPECT_EQ(ColorDepthEntryOf(1)->bitsPerPixel, 1);
  EXPECT_EQ(ColorDepthEntryOf(8), nullptr);
  std::set<int> values;
  for (const ColorDepthEntry& d : e) values.insert(d.value);
  EXPECT_EQ(values.size(), 8u);
}

TEST(AfterCapture, NeverSilentAndTheViewerOnlyWhenTheStoreAsks) {
  const struct {
    bool stored, viewerWanted;
    bool offer, viewer, cameraAgain;
  } cases[] = {
      {false, false, true, false, true},
      {false, true, true, false, true},  // a capture not stored never opens the viewer
      {true, true, false, true, false},
      {true, false, false, false, true},
  };
  for (const auto& c : cases) {
    AfterCapture a = PlanAfterCapture(c.stored, c.viewerWanted);
    EXPECT_EQ(a.offerElsewhere, c.offer) << c.stored << c.viewerWanted;
    EXPECT_EQ(a.openViewer, c.viewer) << c.stored << c.viewerWanted;
    EXPECT_EQ(a.cameraAgain, c.cameraAgain) << c.stored << c.viewerWanted;
  }
}

TEST(FreezeGrab, NeverOpenedAtTheStoredPlaceHiddenBeneathVisibleOnlyWhatLiesAbove) {
  CaptureModes never;
  FreezePlan first = never.FreezeHotKey(true, false, PanelAlign::Top);
  EXPECT_EQ(FreezeGrabOf(first, false), FreezeGrab::AtStored);
  EXPECT_EQ(FreezeGrabOf(first, true), FreezeGrab::AtStored);
  CaptureModes opened;
  FreezePlan p = opened.FreezeHotKey(true, true, PanelAlign::Top);
  EXPECT_EQ(FreezeGrabOf(p, false), FreezeGrab::UnderCamera);
  EXPECT_EQ(FreezeGrabOf(p, true), FreezeGrab::WindowsAbove);
  EXPECT_EQ(StoredCameraRect(10, 20, 300, 200), (Rect{10, 20, 310, 220}));
  EXPECT_EQ(StoredCameraRect(10, 20, 50, 200), (Rect{10, 20, 10 + kMinStoredWidth, 220}));
}

}  // namespace
}  // namespace flk
