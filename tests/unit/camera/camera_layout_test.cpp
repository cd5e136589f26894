#include "camera/camera_layout.h"
#include "camera/move_resize.h"

#include <gtest/gtest.h>

#include <vector>

namespace flk {
namespace {

// Default camera: 345 x 222, frame 5, all rows shown, panel at the top.
LayoutInput Defaults() { return LayoutInput{}; }

// Rows: title 22 + menu 19 + toolbar 44 + status 18.
constexpr int kFullPanel = 22 + 19 + 44 + 18;

TEST(ArrangeControlsDocked, TopPanelStacksRowsAndViewFollows) {
  CamLayout l = ArrangeControls(Defaults());
  EXPECT_EQ(l.a, 7);
  EXPECT_EQ(l.b, 14);
  EXPECT_TRUE(l.controlVisible);
  EXPECT_EQ(l.controlHeight, kFullPanel);
  EXPECT_EQ(l.titleBar, (Rect{0, 0, 335, 22}));
  EXPECT_EQ(l.menuRow, (Rect{0, 22, 335, 41}));
  EXPECT_EQ(l.toolBar, (Rect{0, 41, 335, 85}));
  EXPECT_EQ(l.status, (Rect{0, 85, 335, 103}));
  EXPECT_EQ(l.control, (Rect{5, 5, 340, 5 + kFullPanel}));
  EXPECT_EQ(l.view, Rect::FromXYWH(7, 7 + kFullPanel, 345 - 14, 222 - 14 - kFullPanel));
  EXPECT_EQ(l.capture, l.view);
  // The view panel is the view plus its 2-pixel bevel all round.
  EXPECT_EQ(l.viewPanel, (Rect{l.view.left - 2, l.view.top - 2, l.view.right + 2, l.view.bottom + 2}));
}

TEST(ArrangeControlsDocked, At150PercentEveryFixedSizeGrowsAndTheViewTakesTheRest) {
  LayoutInput in = Defaults();
  in.width = 600;
  in.height = 400;
  in.scale = DpiScale{144};
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(l.bevel, 8);  // 5 * 1.5, rounded
  EXPECT_EQ(l.a, 11);     // + the view's bevel of 3
  EXPECT_EQ(l.titleBar.height(), 33);
  EXPECT_EQ(l.menuRow.height(), 29);
  EXPECT_EQ(l.toolBar.height(), 66);
  EXPECT_EQ(l.status.height(), 27);
  EXPECT_EQ(l.controlHeight, 33 + 29 + 66 + 27);
  // The view is in physical pixels: the whole window less the scaled frame and panel.
  EXPECT_EQ(l.view, Rect::FromXYWH(11, 11 + l.controlHeight, 600 - 22, 400 - 22 - l.controlHeight));
  EXPECT_EQ(l.latchTop.height(), 8);
  EXPECT_EQ(l.latchBottom.bottom, 400 - 3);
  in.hold = true;
  EXPECT_EQ(ArrangeControls(in).minWidth, 150);
}

TEST(ArrangeControlsDocked, BottomPanelPutsViewAtTheTop) {
  LayoutInput in = Defaults();
  in.align = PanelAlign::Bottom;
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(l.view, Rect::FromXYWH(7, 7, 331, 222 - 14 - kFullPanel));
  EXPECT_EQ(l.control, (Rect{5, 222 - 5 - kFullPanel, 340, 217}));
  EXPECT_EQ(l.control.top, l.viewPanel.bottom);
  EXPECT_EQ(l.capture, l.view);
}

TEST(ArrangeControlsDocked, HiddenRowsShrinkThePanelAndMoveTheCloseGlyph) {
  LayoutInput in = Defaults();
  in.titleBar = false;
  in.status = false;
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(l.controlHeight, 19 + 44);
  EXPECT_TRUE(l.titleBar.empty());
  EXPECT_TRUE(l.status.empty());
  EXPECT_EQ(l.menuRow.top, 0);
  EXPECT_TRUE(l.closeOnMenuRow);

  in.titleBar = true;
  EXPECT_FALSE(ArrangeControls(in).closeOnMenuRow);
}

TEST(ArrangeControlsDocked, ToolbarHeightFollowsImagesAndCaptions) {
  LayoutInput in = Defaults();
  in.toolText = false;
  EXPECT_EQ(ArrangeControls(in).controlHeight, 22 + 19 + 32 + 18);
  EXPECT_TRUE(ArrangeControls(in).toolbar.autoButtonHeight);
  in.toolText = true;
  in.toolImages = false;
  EXPECT_EQ(ArrangeControls(in).controlHeight, 22 + 19 + 27 + 18);
  in.toolText = false;
  CamLayout l = ArrangeControls(in);
  EXPECT_FALSE(l.toolbar.visible);
  EXPECT_TRUE(l.toolBar.empty());
  EXPECT_EQ(l.controlHeight, 22 + 19 + 18);
}

TEST(ArrangeControlsBevel, FrameWidthsTwoFiveTen) {
  for (int bevel : {2, 5, 10}) {
    SCOPED_TRACE(bevel);
    LayoutInput in = Defaults();
    in.camBevel = bevel;
    CamLayout l = ArrangeControls(in);
    const int a = bevel + 2;
    EXPECT_EQ(l.a, a);
    EXPECT_EQ(l.view.left, a);
    EXPECT_EQ(l.view.top, a + kFullPanel);
    EXPECT_EQ(l.view.width(), 345 - 2 * a);
    EXPECT_EQ(l.view.height(), 222 - 2 * a - kFullPanel);
    EXPECT_EQ(l.control.left, bevel);
    EXPECT_EQ(l.control.right, 345 - bevel);
    EXPECT_EQ(l.minWidth, 2 * a + 1);
    EXPECT_EQ(l.minHeight, kFullPanel + 2 * a + 1);
  }
}

TEST(ArrangeControlsFloating, PanelFloatsAndCaptureIsTheWholeWindow) {
  LayoutInput in = Defaults();
  in.align = PanelAlign::Floating;
  in.textHeightA = 16;
  CamLayout l = ArrangeControls(in);
  EXPECT_FALSE(l.controlVisible);
  EXPECT_EQ(l.controlHeight, 2 * 16 + 6);
  EXPECT_EQ(l.control, (Rect{7 + 18, 7 + 18, 345 - 7 - 18, 7 + 32 + 24}));
  EXPECT_EQ(l.view, Rect::FromXYWH(7, 7, 331, 208));
  EXPECT_EQ(l.capture, Rect::FromXYWH(0, 0, 345, 222));
  EXPECT_EQ(l.minWidth, 14 + 90);
  EXPECT_EQ(l.minHeight, 14 + 70);
}

TEST(ArrangeControlsMinimum, HoldAndGrowthRequests) {
  LayoutInput in = Defaults();
  in.hold = true;
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(l.minWidth, 100);
  EXPECT_EQ(l.minHeight, kFullPanel + 100);
  EXPECT_EQ(l.growDx, 0);
  EXPECT_EQ(l.growDy, 0);

  // Hold never floats: the panel docks at the top.
  in.align = PanelAlign::Floating;
  EXPECT_TRUE(ArrangeControls(in).controlVisible);

  LayoutInput small = Defaults();
  small.width = 10;
  small.height = 50;
  CamLayout s = ArrangeControls(small);
  EXPECT_TRUE(s.needsGrowth());
  EXPECT_EQ(s.growDx, 15 - 10);
  EXPECT_EQ(s.growDy, kFullPanel + 15 - 50);

  small.width = 15;
  small.height = kFullPanel + 15;
  EXPECT_FALSE(ArrangeControls(small).needsGrowth());
}

TEST(ArrangeControlsLatches, FifteenPercentCentred) {
  CamLayout l = ArrangeControls(Defaults());
  // 15 % of 345 is 51.75: 51 wide, left (345 - 51) / 2 = 147.
  EXPECT_EQ(l.latchTop.width(), 51);
  EXPECT_EQ(l.latchTop.left, 147);
  EXPECT_EQ(l.latchBottom.left, 147);
  EXPECT_EQ(l.latchBottom.top, 222 - 7);
  EXPECT_EQ(l.latchBottom.height(), 5);
}

TEST(ToolbarPanel, MoreShowsExactlyWhenButtonsDoNotFit) {
  std::vector<int> items(17, 45);
  items.insert(items.begin() + 2, 8);
  const int total = 17 * 45 + 8;
  EXPECT_FALSE(MoreAreaVisible(total + 2, items));
  EXPECT_TRUE(MoreAreaVisible(total + 1, items));
  EXPECT_FALSE(MoreAreaVisible(2, {}));
  EXPECT_EQ(ItemsThatFit(100, {45, 45, 45}), 2);
  EXPECT_EQ(ItemsThatFit(135, {45, 45, 45}), 3);
  EXPECT_EQ(ItemsThatFit(10, {45}), 0);
}

TEST(GrowBy, GrowsCapsAtScreenAndRefusesBelowMinimum) {
  const Size screen{1024, 768};
  Rect w = Rect::FromXYWH(100, 50, 300, 200);
  EXPECT_EQ(GrowBy(w, 10, 20, screen, 50, 50).window, Rect::FromXYWH(100, 50, 310, 220));
  // Past the screen's width: width capped, the far edge still ends where it was pushed.
  Rect wide = Rect::FromXYWH(100, 0, 1000, 200);
  Rect grown = GrowBy(wide, 100, 0, screen, 50, 50).window;
  EXPECT_EQ(grown.width(), 1024);
  EXPECT_EQ(grown.right, wide.right + 100);
  // Shrinking stops at the minimum: the edge stays.
  EXPECT_EQ(GrowBy(w, -260, 0, screen, 50, 50).window, w);
  EXPECT_EQ(GrowBy(w, -250, -150, screen, 50, 50).window, Rect::FromXYWH(100, 50, 50, 50));
}

TEST(OpeningSize, NarrowStoredWidthOpensAt120) {
  EXPECT_EQ(OpeningSize(80, 222), (Size{120, 222}));
  EXPECT_EQ(OpeningSize(345, 222), (Size{345, 222}));
}

// Screen rectangle of the view for a window at pos.
Rect ScreenView(Point pos, PanelAlign align) {
  LayoutInput in;
  in.align = align;
  return ArrangeControls(in).view.offset(pos.x, pos.y);
}

TEST(ControlPanelSwitch, TopBottomTopKeepsTheViewOverTheSameArea) {
  const Point start{200, 300};
  const int hc = ArrangeControls(LayoutInput{}).controlHeight;
  const Rect before = ScreenView(start, PanelAlign::Top);

  PanelSwitch down = SwitchControlPanel(PanelAlign::Top, PanelAlign::Bottom, start, hc);
  EXPECT_TRUE(down.moved);
  EXPECT_EQ(down.align, PanelAlign::Bottom);
  EXPECT_EQ(ScreenView(down.windowPos, PanelAlign::Bottom), before);

  PanelSwitch up = SwitchControlPanel(PanelAlign::Bottom, PanelAlign::Top, down.windowPos, hc);
  EXPECT_EQ(up.windowPos, start);
  EXPECT_EQ(ScreenView(up.windowPos, PanelAlign::Top), before);
  EXPECT_FALSE(up.edgeOffVisible);

  PanelSwitch fl = SwitchControlPanel(PanelAlign::Top, PanelAlign::Floating, start, hc);
  EXPECT_FALSE(fl.moved);
  EXPECT_EQ(fl.windowPos, start);
  EXPECT_TRUE(fl.edgeOffVisible);
  EXPECT_FALSE(SwitchControlPanel(PanelAlign::Top, PanelAlign::Top, start, hc).moved);
}

TEST(ControlPanelSwitch, LatchClicksToggle) {
  EXPECT_EQ(LatchTarget(Latch::Top, PanelAlign::Bottom), PanelAlign::Top);
  EXPECT_EQ(LatchTarget(Latch::Top, PanelAlign::Floating), PanelAlign::Top);
  EXPECT_EQ(LatchTarget(Latch::Top, PanelAlign::Top), PanelAlign::Floating);
  EXPECT_EQ(LatchTarget(Latch::Bottom, PanelAlign::Bottom), PanelAlign::Floating);
  EXPECT_EQ(LatchTarget(Latch::Bottom, PanelAlign::Top), PanelAlign::Bottom);
  EXPECT_TRUE(IsLatchClick({10, 10}, {12, 11}));
  EXPECT_FALSE(IsLatchClick({10, 10}, {12, 12}));
  EXPECT_FALSE(IsLatchClick({10, 10}, {6, 10}));
}

TEST(Maximize, FillsTheScreenAndRestores) {
  const Size screen{1280, 1024};
  const Rect w = Rect::FromXYWH(150, 100, 345, 222);
  MaximizeResult max = ToggleMaximize(w, screen, MaximizeState{});
  EXPECT_EQ(max.window, Rect::FromXYWH(0, 0, 1280, 1024));
  EXPECT_TRUE(max.state.maximized);
  EXPECT_EQ(max.state.restore, w);
  EXPECT_FALSE(max.adaptToScreen);

  MaximizeResult back = ToggleMaximize(max.window, screen, max.state);
  EXPECT_EQ(back.window, w);
  EXPECT_FALSE(back.state.maximized);
  EXPECT_TRUE(back.adaptToScreen);
}

TEST(Maximize, ScreenWideCameraKeepsTheOldRestoreRectangle) {
  const Size screen{1280, 1024};
  MaximizeState s;  // restore starts as 100, 100, 300, 200
  MaximizeResult r = ToggleMaximize(Rect::FromXYWH(0, 40, 1280, 300), screen, s);
  EXPECT_EQ(r.state.restore, Rect::FromXYWH(100, 100, 300, 200));
  EXPECT_EQ(r.window, Rect::FromXYWH(0, 0, 1280, 1024));
}

TEST(AdaptToScreen, CutsTheCameraOnlyWhenTheScreenChanged) {
  const Rect w = Rect::FromXYWH(10, 20, 1500, 900);
  AdaptResult same = AdaptToScreen(w, {1024, 768}, {1024, 768});
  EXPECT_FALSE(same.changed);
  EXPECT_EQ(same.window, w);
  AdaptResult cut = AdaptToScreen(w, {1920, 1080}, {1024, 768});
  EXPECT_TRUE(cut.changed);
  EXPECT_EQ(cut.window, Rect::FromXYWH(10, 20, 1024, 768));
  EXPECT_EQ(AdaptToScreen(Rect::FromXYWH(0, 0, 300, 200), {1024, 768}, {800, 600}).window,
            Rect::FromXYWH(0, 0, 300, 200));
}

// The end-to-end layout: a 1024 x 768 monitor left of the 1280 x 1024 primary.
const MonitorTable kTwo{Monitor{Rect{0, 0, 1280, 1024}, Rect{0, 0, 1280, 1024}, 96},
                        Monitor{Rect{-1024, 0, 0, 768}, Rect{-1024, 0, 0, 768}, 96}};
const MonitorTable kPrimaryAlone{kTwo[0]};
// A vertical 1080 x 1920 monitor above the primary at 150 %.
const MonitorTable kAbove{kTwo[0], Monitor{Rect{0, -1920, 1080, 0}, Rect{0, -1920, 1080, -40}, 144}};

TEST(Maximize, FillsTheMonitorTheCameraIsOnAndRestores) {
  const Rect w = Rect::FromXYWH(-700, 200, 345, 222);
  MaximizeResult max = ToggleMaximize(w, kTwo[1].area, MaximizeState{});
  EXPECT_EQ(max.window, kTwo[1].area);
  EXPECT_TRUE(max.state.maximized);
  EXPECT_EQ(max.state.restore, w);
  MaximizeResult back = ToggleMaximize(max.window, kTwo[1].area, max.state);
  EXPECT_EQ(back.window, w);
  EXPECT_FALSE(back.state.maximized);
  // Filling the primary is not "maximized" on the vertical monitor above it.
  EXPECT_TRUE(ToggleMaximize(kTwo[0].area, kAbove[1].area, max.state).state.maximized);
  EXPECT_EQ(ToggleMaximize(kTwo[0].area, kAbove[1].area, max.state).window, kAbove[1].area);
}

TEST(AdaptToScreen, ALayoutChangeMovesACameraWhoseMonitorWentAndCutsIt) {
  const Rect onLeft = Rect::FromXYWH(-700, 200, 345, 222);
  // The same layout: nothing happens.
  AdaptResult same = AdaptToMonitors(onLeft, kTwo, kTwo);
  EXPECT_FALSE(same.changed);
  EXPECT_EQ(same.window, onLeft);
  // The first look (nothing seen yet) only cuts the size; the place is KeepOnScreen's.
  AdaptResult first = AdaptToMonitors(onLeft, {}, kTwo);
  EXPECT_TRUE(first.changed);
  EXPECT_EQ(first.window, onLeft);
  EXPECT_EQ(AdaptToMonitors(onLeft, {}, kPrimaryAlone).window, onLeft);
  EXPECT_EQ(AdaptToMonitors(Rect::FromXYWH(-700, 200, 1500, 222), {}, kPrimaryAlone).window,
            Rect::FromXYWH(-700, 200, 1280, 222));
  // The left monitor unplugged: wholly onto the primary.
  EXPECT_EQ(AdaptToMonitors(onLeft, kTwo, kPrimaryAlone).window, Rect::FromXYWH(0, 200, 345, 222));
  // A camera as large as the primary moved to the 1024 x 768 monitor's layout is cut to it.
  EXPECT_EQ(AdaptToMonitors(Rect::FromXYWH(-1024, 0, 1280, 1024), kPrimaryAlone, kTwo).window,
            Rect::FromXYWH(-1024, 0, 1024, 768));
  // On the monitor above: kept there, cut to its width.
  EXPECT_EQ(AdaptToMonitors(Rect::FromXYWH(0, -1500, 1200, 300), kTwo, kAbove).window,
            Rect::FromXYWH(0, -1500, 1080, 300));
}

TEST(PageMarks, NotchesWhereThePageEndsOnlyWhenItEndsInsideTheView) {
  CamLayout l = ArrangeControls(Defaults());  // view 331 wide
  const Rect& vp = l.viewPanel;
  // Nothing printed yet, or a page as large as the view: no marks.
  PageMarkRects none = PageMarkRectsFor(0, 0, vp, l.view);
  EXPECT_TRUE(none.widthMark.empty());
  EXPECT_TRUE(none.heightMark.empty());
  PageMarkRects large = PageMarkRectsFor(l.view.width(), l.view.height(), vp, l.view);
  EXPECT_TRUE(large.widthMark.empty());
  EXPECT_TRUE(large.heightMark.empty());
  // A page 100 wide and 50 high: a 5 x 2 notch on the top edge centred 106
  // pixels right of the panel's edge, a 4 x 5 one on the left edge.
  PageMarkRects m = PageMarkRectsFor(100, 50, vp, l.view);
  EXPECT_EQ(m.widthMark, (Rect{vp.left + 104, vp.top, vp.left + 109, vp.top + 2}));
  EXPECT_EQ(m.heightMark, (Rect{vp.left - 2, vp.top + 54, vp.left + 2, vp.top + 59}));
  // Only the dimension that ends inside the view is marked.
  PageMarkRects wide = PageMarkRectsFor(5000, 50, vp, l.view);
  EXPECT_TRUE(wide.widthMark.empty());
  EXPECT_FALSE(wide.heightMark.empty());
}

TEST(CamPaint, FrameStripsFillTheFrameInsideItsEdge) {
  std::array<Rect, 4> s = FrameStrips(Size{345, 222}, 5);
  EXPECT_EQ(s[0], (Rect{2, 2, 5, 220}));
  EXPECT_EQ(s[1], (Rect{340, 2, 343, 220}));
  EXPECT_EQ(s[2], (Rect{5, 2, 340, 5}));
  EXPECT_EQ(s[3], (Rect{5, 217, 340, 220}));
  // The strips never overlap and leave the inside alone.
  for (size_t i = 0; i < s.size(); ++i)
    for (size_t j = i + 1; j < s.size(); ++j) EXPECT_TRUE(Intersect(s[i], s[j]).empty()) << i << j;
}

TEST(CamPaint, OnlyAPaintReachingTheFrameCounts) {
  const Size c{345, 222};
  const struct {
    Rect dirty;
    bool suppressed, counts;
  } cases[] = {
      {Rect{0, 0, 345, 222}, false, true},
      {Rect{10, 10, 300, 200}, false, false},  // inside: the camera's own repaint
      {Rect{4, 10, 300, 200}, false, true},    // reaches the left strip
      {Rect{10, 10, 341, 200}, false, true},
      {Rect{10, 10, 300, 218}, false, true},
      {Rect{0, 0, 345, 222}, true, false},
  };
  for (const auto& k : cases)
    EXPECT_EQ(FramePaintCounts(k.dirty, c, 5, k.suppressed), k.counts) << k.dirty.left << "," << k.dirty.right;
}

TEST(CamPaint, TheViewShowsTheHeldPictureTheTilesOrTheCopy) {
  EXPECT_EQ(ViewFillOf(true, true, false), ViewFill::Held);
  EXPECT_EQ(ViewFillOf(false, true, true), ViewFill::Unknown);
  EXPECT_EQ(ViewFillOf(false, false, false), ViewFill::Unknown);
  EXPECT_EQ(ViewFillOf(false, false, true), ViewFill::Copy);
}

TEST(CamPaint, TheStatusLabelSitsInsideItsRowAtEachScale) {
  LayoutInput in;
  CamLayout l = ArrangeControls(in);
  Rect row = l.status.offset(l.control.left, l.control.top);
  EXPECT_EQ(StatusLabelRect(l, DpiScale{}), (Rect{row.left + 4, row.top + 1, row.right - 4, row.bottom - 1}));
  // 1 and 2 pixels scale to 2 and 3: the label keeps one more pixel above than below.
  EXPECT_EQ(StatusLabelRect(l, DpiScale{144}), (Rect{row.left + 6, row.top + 2, row.right - 6, row.bottom - 1}));
  in.status = false;
  EXPECT_TRUE(StatusLabelRect(ArrangeControls(in), DpiScale{}).empty());
}

TEST(CamSavedLayout, TheSavedSideAndChoicesMakeTheLayoutsInput) {
  EXPECT_EQ(PanelAlignOf(0), PanelAlign::Floating);
  EXPECT_EQ(PanelAlignOf(1), PanelAlign::Top);
  EXPECT_EQ(PanelAlignOf(2), PanelAlign::Bottom);
  EXPECT_EQ(PanelAlignOf(7), PanelAlign::Top);
  for (PanelAlign a : {PanelAlign::Floating, PanelAlign::Top, PanelAlign::Bottom})
    EXPECT_EQ(PanelAlignOf(static_cast<int>(a)), a);  // read back what is saved

  CameraSaveValues v;
  v.camTitle = false;
  v.camToolText = false;
  v.camBevelWidth = 10;
  LayoutInput in = LayoutInputOf(v, PanelAlign::Bottom, true, DpiScale{144});
  EXPECT_FALSE(in.titleBar);
  EXPECT_TRUE(in.toolImages);
  EXPECT_FALSE(in.toolText);
  EXPECT_TRUE(in.status);
  EXPECT_EQ(in.camBevel, 10);
  EXPECT_TRUE(in.hold);
  EXPECT_EQ(in.align, PanelAlign::Bottom);
  EXPECT_EQ(in.scale.dpi, 144);
}

TEST(CamPaint, TheTitleBarInWindowCoordinatesOnlyWhenShown) {
  LayoutInput in;
  CamLayout l = ArrangeControls(in);
  EXPECT_EQ(TitleBarInWindow(l), l.titleBar.offset(l.control.left, l.control.top));
  EXPECT_FALSE(TitleBarInWindow(l).empty());
  in.titleBar = false;
  EXPECT_TRUE(TitleBarInWindow(ArrangeControls(in)).empty());
  l.controlVisible = false;  // a floating panel has no title bar to repaint
  EXPECT_TRUE(TitleBarInWindow(l).empty());
}

}  // namespace
}  // namespace flk
