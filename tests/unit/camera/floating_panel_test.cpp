#include "camera/floating_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace flk {
namespace {

// A fixed-pitch font: 6 pixels per character.
int Width6(std::string_view s) { return static_cast<int>(s.size()) * 6; }

struct AllVisible {
  bool v[kToolButtonCount];
  AllVisible() { std::fill(std::begin(v), std::end(v), true); }
};

FloatingPanelLayout Wide() {
  AllVisible a;
  return LayoutFloatingPanel(600, 38, a.v, Width6);
}

TEST(FloatingLayout, AllLabelsFitInAWidePanel) {
  FloatingPanelLayout l = Wide();
  ASSERT_EQ(l.labels.size(), 11u);
  EXPECT_EQ(l.labels[0].button, ToolButton::Print);
  EXPECT_EQ(l.labels[0].start, 7);
  EXPECT_EQ(l.labels[0].next, 7 + 30 + 9);
  EXPECT_EQ(l.labels[1].button, ToolButton::PrintFit);
  EXPECT_EQ(l.labels[1].start, 46);
  EXPECT_EQ(l.labels[10].button, ToolButton::Lock);
  EXPECT_EQ(l.labels[10].next, 460);
  for (size_t i = 1; i < l.labels.size(); ++i) EXPECT_EQ(l.labels[i].start, l.labels[i - 1].next);
  EXPECT_EQ(l.captionWidth, 24 * 6);
}

TEST(FloatingLayout, MoreIsAppendedWhenItFits) {
  AllVisible a;
  FloatingPanelLayout l = LayoutFloatingPanel(240, 38, a.v, Width6);
  ASSERT_EQ(l.labels.size(), 6u);  // Print, PrintFit, Save, Save+1, Copy, More
  EXPECT_EQ(l.labels[4].button, ToolButton::Copy);
  EXPECT_EQ(l.labels[5].button, ToolButton::More);
  EXPECT_EQ(l.labels[5].start, 214);
  EXPECT_EQ(l.labels[5].next, 214 + 24 + 9);
  EXPECT_EQ(l.captionWidth, 144);  // 51 + 144 + 8 < 240
}

TEST(FloatingLayout, MoreReplacesTheLastLabelWhenItDoesNotFit) {
  AllVisible a;
  FloatingPanelLayout l = LayoutFloatingPanel(200, 38, a.v, Width6);
  ASSERT_EQ(l.labels.size(), 4u);
  EXPECT_EQ(l.labels[3].button, ToolButton::More);
  EXPECT_EQ(l.labels[3].start, 136);  // Save+1's start kept
  EXPECT_EQ(l.labels[3].next, 136 + 24 + 9);
  EXPECT_EQ(l.captionWidth, 0);  // 51 + 144 + 8 is not below 200
}

TEST(FloatingLayout, HiddenButtonsGetNoLabelAndTinyPanelsStayEmpty) {
  AllVisible a;
  a.v[static_cast<int>(ToolButton::Print)] = false;
  FloatingPanelLayout l = LayoutFloatingPanel(600, 38, a.v, Width6);
  ASSERT_EQ(l.labels.size(), 10u);
  EXPECT_EQ(l.labels[0].button, ToolButton::PrintFit);
  EXPECT_EQ(l.labels[0].start, 7);

  AllVisible b;
  EXPECT_TRUE(LayoutFloatingPanel(20, 38, b.v, Width6).labels.empty());
}

TEST(FloatingPaint, PositionsOfFrameCaptionGlyphAndLabels) {
  FloatingPanelPaint p = PaintFloatingPanel(Wide(), 18, 18, 16, true);
  EXPECT_EQ(p.frame, (Rect{18, 18, 618, 56}));
  ASSERT_TRUE(p.caption.has_value());
  EXPECT_EQ(p.caption->at, (Point{25, 20}));
  EXPECT_EQ(p.glyphAt, (Point{18 + 600 - 51 - 4, 20}));
  EXPECT_TRUE(p.maximizedGlyph);
  ASSERT_EQ(p.labels.size(), 11u);
  EXPECT_EQ(p.labels[1].at, (Point{18 + 46, 36}));
  EXPECT_STREQ(p.labels[1].text, "PrintFit");
}

TEST(FloatingHitTest, UpperHalfGlyphsCaptionAndInertArea) {
  FloatingPanelLayout l = Wide();
  auto hit = [&](int x, int y) { return FloatingHitTest(l, true, Point{18 + x, 18 + y}); };
  EXPECT_EQ(hit(590, 5), kFloatClose);
  EXPECT_EQ(hit(581, 5), kFloatClose);     // r = 19
  EXPECT_EQ(hit(580, 5), kFloatMaximize);  // r = 20
  EXPECT_EQ(hit(561, 5), kFloatMaximize);
  EXPECT_EQ(hit(560, 5), kFloatMinimize);
  EXPECT_EQ(hit(545, 5), kFloatMinimize);
  EXPECT_EQ(hit(544, 5), kFloatInert);
  EXPECT_EQ(hit(155, 5), kFloatInert);
  EXPECT_EQ(hit(154, 5), kFloatCaption);
  EXPECT_EQ(hit(1, 18), kFloatCaption);
}

TEST(FloatingHitTest, LowerHalfLabels) {
  FloatingPanelLayout l = Wide();
  auto hit = [&](int x, int y) { return FloatingHitTest(l, true, Point{18 + x, 18 + y}); };
  EXPECT_EQ(hit(1, 19), 1);
  EXPECT_EQ(hit(41, 30), 1);
  EXPECT_EQ(hit(42, 30), 2);
  EXPECT_EQ(hit(455, 30), 11);
  EXPECT_EQ(hit(456, 30), kFloatBeyondLabels);
}

TEST(FloatingHitTest, OutsideOrDockedIsNothing) {
  FloatingPanelLayout l = Wide();
  EXPECT_EQ(FloatingHitTest(l, true, {18, 30}), kFloatNothing);
  EXPECT_EQ(FloatingHitTest(l, true, {30, 18}), kFloatNothing);
  EXPECT_EQ(FloatingHitTest(l, true, {618, 30}), kFloatNothing);
  EXPECT_EQ(FloatingHitTest(l, true, {30, 56}), kFloatNothing);
  EXPECT_EQ(FloatingHitTest(l, true, {617, 55}), kFloatBeyondLabels);
  EXPECT_EQ(FloatingHitTest(l, false, {40, 40}), kFloatNothing);
}

TEST(FloatingItemRects, RectanglesOfActiveItemsOnly) {
  FloatingPanelLayout l = Wide();
  EXPECT_EQ(FloatingItemRect(l, 1), (Rect{3 + 18, 19 + 18, 42 + 18, 34 + 18}));
  EXPECT_EQ(FloatingItemRect(l, kFloatCaption), (Rect{21, 21, 144 + 11 + 18, 37}));
  EXPECT_EQ(FloatingItemRect(l, kFloatMinimize), (Rect{544 + 18, 21, 562 + 18, 33}));
  EXPECT_EQ(FloatingItemRect(l, kFloatMaximize), (Rect{560 + 18, 21, 580 + 18, 33}));
  EXPECT_EQ(FloatingItemRect(l, kFloatClose), (Rect{578 + 18, 21, 597 + 18, 33}));
  EXPECT_FALSE(FloatingItemRect(l, kFloatNothing));
  EXPECT_FALSE(FloatingItemRect(l, kFloatInert));
  EXPECT_FALSE(FloatingItemRect(l, kFloatBeyondLabels));
  EXPECT_FALSE(FloatingItemRect(l, 12));
  // Every item's own rectangle hit-tests back to it at its centre.
  for (int item : {1, 5, 11, int(kFloatCaption), int(kFloatMinimize), int(kFloatMaximize), int(kFloatClose)}) {
    Rect r = *FloatingItemRect(l, item);
    EXPECT_EQ(FloatingHitTest(l, true, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}), item) << item;
  }
}

// Centre of an item in paint-box coordinates.
Point At(const FloatingPanelLayout& l, int item) {
  Rect r = *FloatingItemRect(l, item);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(FloatingInput, HoverOutlinesFollowTheMouseAndTheTimer) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, true);
  PanelReaction r = in.MouseMove(At(l, 1), false);
  EXPECT_TRUE(r.handled);
  EXPECT_TRUE(r.arrowCursor);
  EXPECT_EQ(r.timer, TimerChange::Start);
  ASSERT_EQ(r.paints.size(), 1u);
  EXPECT_EQ(r.paints[0], (PanelPaintOp{PanelPaintOp::HoverOn, *FloatingItemRect(l, 1)}));

  r = in.MouseMove(At(l, 1), false);  // same item: nothing to paint
  EXPECT_TRUE(r.paints.empty());

  r = in.MouseMove(At(l, 2), false);
  ASSERT_EQ(r.paints.size(), 2u);
  EXPECT_EQ(r.paints[0], (PanelPaintOp{PanelPaintOp::HoverOff, *FloatingItemRect(l, 1)}));
  EXPECT_EQ(r.paints[1], (PanelPaintOp{PanelPaintOp::HoverOn, *FloatingItemRect(l, 2)}));
  EXPECT_EQ(r.timer, TimerChange::Keep);

  // The cursor left the panel: the tick removes the outline and stops.
  r = in.Tick({5, 5});
  ASSERT_EQ(r.paints.size(), 1u);
  EXPECT_EQ(r.paints[0].kind, PanelPaintOp::HoverOff);
  EXPECT_EQ(r.timer, TimerChange::Stop);
  EXPECT_FALSE(in.timerRunning());
  EXPECT_EQ(in.hovered(), kFloatNothing);
}

TEST(FloatingInput, InertAreasAreNotTaken) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, true);
  EXPECT_FALSE(in.MouseMove({18 + 300, 18 + 5}, false).handled);  // inert upper area
  EXPECT_FALSE(in.LeftDown({18 + 300, 18 + 5}).handled);          // starts a move
  EXPECT_FALSE(in.LeftDown({18 + 500, 18 + 30}).handled);         // beyond the labels
  EXPECT_FALSE(in.LeftDown({5, 5}).handled);
}

TEST(FloatingInput, PressAndReleaseOnTheSameItemRunsIt) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, true);
  struct Case { int item; PanelCommand cmd; };
  for (Case c : {Case{kFloatClose, PanelCommand::Close}, Case{kFloatMaximize, PanelCommand::Maximize},
                 Case{kFloatMinimize, PanelCommand::Minimize}, Case{kFloatCaption, PanelCommand::TopPanel}}) {
    PanelReaction d = in.LeftDown(At(l, c.item));
    EXPECT_TRUE(d.handled);
    ASSERT_EQ(d.paints.size(), 1u);
    EXPECT_EQ(d.paints[0].kind, PanelPaintOp::PressOn);
    PanelReaction u = in.LeftUp(At(l, c.item));
    EXPECT_EQ(u.command, c.cmd) << c.item;
    ASSERT_EQ(u.paints.size(), 1u);
    EXPECT_EQ(u.paints[0].kind, PanelPaintOp::PressOff);
  }
  in.LeftDown(At(l, 5));  // Copy
  PanelReaction u = in.LeftUp(At(l, 5));
  EXPECT_EQ(u.command, PanelCommand::ClickButton);
  EXPECT_EQ(u.button, ToolButton::Copy);
  in.LeftDown(At(l, 9));  // Store opens its drop-down
  EXPECT_EQ(in.LeftUp(At(l, 9)).command, PanelCommand::StoreDropDown);
}

TEST(FloatingInput, MoreLabelPopsUpTheMenu) {
  AllVisible a;
  FloatingPanelLayout l = LayoutFloatingPanel(240, 38, a.v, Width6);
  FloatingPanelInput in;
  in.SetLayout(l, true);
  in.LeftDown(At(l, 6));
  EXPECT_EQ(in.LeftUp(At(l, 6)).command, PanelCommand::PopupMore);
}

TEST(FloatingInput, MovingOffThePressedItemReleasesWithoutAction) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, true);
  in.LeftDown(At(l, 1));
  PanelReaction m = in.MouseMove(At(l, 2), true);
  EXPECT_TRUE(m.handled);
  ASSERT_EQ(m.paints.size(), 1u);
  EXPECT_EQ(m.paints[0], (PanelPaintOp{PanelPaintOp::PressOff, *FloatingItemRect(l, 1)}));
  EXPECT_EQ(in.pressed(), kFloatNothing);
  PanelReaction u = in.LeftUp(At(l, 1));
  EXPECT_FALSE(u.handled);
  EXPECT_EQ(u.command, PanelCommand::None);
  // Releasing elsewhere after a press runs nothing either.
  in.LeftDown(At(l, kFloatClose));
  EXPECT_EQ(in.LeftUp({5, 5}).command, PanelCommand::None);
}

TEST(FloatingInput, RightPressOnLabelsOpensCustomisation) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, true);
  EXPECT_EQ(in.RightDown(At(l, 3)).command, PanelCommand::Customise);
  EXPECT_EQ(in.RightDown({18 + 500, 18 + 30}).command, PanelCommand::Customise);
  EXPECT_FALSE(in.RightDown(At(l, kFloatClose)).handled);
  EXPECT_FALSE(in.RightDown({5, 5}).handled);
}

TEST(FloatingInput, NothingWhenDocked) {
  FloatingPanelLayout l = Wide();
  FloatingPanelInput in;
  in.SetLayout(l, false);
  EXPECT_FALSE(in.MouseMove(At(l, 1), false).handled);
  EXPECT_FALSE(in.LeftDown(At(l, 1)).handled);
}

TEST(PanelAction, EachFloatingCommandRunsTheCamerasOwn) {
  using K = PanelAction::Kind;
  const struct {
    PanelCommand command;
    K kind;
    CommandId id;
  } cases[] = {
      {PanelCommand::None, K::None, CommandId::None},
      {PanelCommand::PopupMore, K::ViewPopup, CommandId::None},
      {PanelCommand::StoreDropDown, K::Run, CommandId::StoreMenu},
      {PanelCommand::TopPanel, K::Run, CommandId::ControlsTop},
      {PanelCommand::Minimize, K::Run, CommandId::CloseToTray},
      {PanelCommand::Maximize, K::Run, CommandId::Maximize},
      {PanelCommand::Close, K::CloseButton, CommandId::None},  // the tray or the end, as the user chose
      {PanelCommand::Customise, K::Run, CommandId::GeneralSettings},
  };
  for (const auto& c : cases) {
    PanelAction a = PanelActionOf(c.command, ToolButton::More, CameraModes{});
    EXPECT_EQ(a.kind, c.kind) << int(c.command);
    EXPECT_EQ(a.command, c.id) << int(c.command);
  }
  PanelAction print = PanelActionOf(PanelCommand::ClickButton, ToolButton::Print, CameraModes{});
  EXPECT_EQ(print.kind, K::Run);
  EXPECT_EQ(print.command, CommandId::Print);
  EXPECT_EQ(PanelActionOf(PanelCommand::ClickButton, ToolButton::Window, CameraModes{true, false}).kind, K::None);
}

}  // namespace
}  // namespace flk
