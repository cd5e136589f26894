#include "camera/camera_input.h"

#include <gtest/gtest.h>

#include "base/dpi.h"
#include "camera/move_resize.h"

namespace flk {
namespace {

TEST(CameraInput, MenuIdsDecodeToTheirKinds) {
  EXPECT_EQ(DecodeMenuId(CommandControlId(CommandId::SaveAs)).command, CommandId::SaveAs);
  EXPECT_EQ(DecodeMenuId(CommandControlId(CommandId::SaveAs)).kind, MenuChoice::Command);
  MenuChoice folder = DecodeMenuId(kCmdFolderBase + 3);
  EXPECT_EQ(folder.kind, MenuChoice::Folder);
  EXPECT_EQ(folder.value, 3);
  EXPECT_EQ(DecodeMenuId(kCmdNewFolder).kind, MenuChoice::NewFolder);
  MenuChoice depth = DecodeMenuId(kCmdDepthBase + 6);
  EXPECT_EQ(depth.kind, MenuChoice::ColorDepth);
  EXPECT_EQ(depth.value, 6);
  EXPECT_EQ(DecodeMenuId(kCmdBase).kind, MenuChoice::Nothing);  // CommandId::None
  EXPECT_EQ(DecodeMenuId(7).kind, MenuChoice::Nothing);
}

TEST(CameraInput, CheckMarksFollowHoldAndThePanelSide) {
  EXPECT_TRUE(CommandChecked(CommandId::Hold, true, PanelAlign::Top));
  EXPECT_FALSE(CommandChecked(CommandId::Hold, false, PanelAlign::Top));
  EXPECT_TRUE(CommandChecked(CommandId::ControlsBottom, false, PanelAlign::Bottom));
  EXPECT_FALSE(CommandChecked(CommandId::ControlsTop, false, PanelAlign::Bottom));
  EXPECT_TRUE(CommandChecked(CommandId::ToEdge, false, PanelAlign::Floating));
  EXPECT_FALSE(CommandChecked(CommandId::SaveAs, true, PanelAlign::Floating));
}

TEST(CameraInput, Keys) {
  const ShiftState none{}, ctrl{false, true, false}, shift{true, false, false};
  KeyAction save = CameraKeyDown('S', ctrl, CameraModes{}, false);
  EXPECT_TRUE(save.handled && save.swallowChar);
  EXPECT_EQ(save.run, CommandId::SaveAs);
  EXPECT_EQ(CameraKeyDown(kKeyF1, none, CameraModes{}, false).run, CommandId::Help);
  EXPECT_FALSE(CameraKeyDown(kKeyF1, shift, CameraModes{}, false).handled);
  EXPECT_TRUE(CameraKeyDown(kKeyEscape, none, CameraModes{}, false).thaw);
  KeyAction grow = CameraKeyDown(kKeyRight, shift, CameraModes{}, false);
  EXPECT_EQ(grow.growX, 1);
  EXPECT_EQ(grow.moveX, 0);
  KeyAction move = CameraKeyDown(kKeyUp, none, CameraModes{}, false);
  EXPECT_EQ(move.moveY, -1);
  KeyAction stale = CameraKeyDown(kKeyUp, none, CameraModes{}, true);
  EXPECT_TRUE(stale.handled);
  EXPECT_EQ(stale.moveY, 0);  // a stale view does not move
  EXPECT_FALSE(CameraKeyDown('Q', none, CameraModes{}, false).handled);
}

TEST(CameraInput, OnlyTheFrameResizesAndCornersTakeTwoEdges) {
  // 345 x 222 camera, bevel 5.
  EXPECT_EQ(FrameResizeEdges(2, 100, 345, 222, 5), kEdgeLeft);
  EXPECT_EQ(FrameResizeEdges(2, 10, 345, 222, 5), kEdgeLeft | kEdgeTop);
  EXPECT_EQ(FrameResizeEdges(340, 215, 345, 222, 5), kEdgeRight | kEdgeBottom);
  EXPECT_EQ(FrameResizeEdges(100, 220, 345, 222, 5), kEdgeBottom);
  EXPECT_EQ(FrameResizeEdges(10, 100, 345, 222, 5), 0);  // inside the frame: a move
  EXPECT_EQ(FrameResizeEdges(1, 100, 345, 222, 0), kEdgeLeft);  // the frame is never thinner than 2
}

TEST(DpiScale, RoundsAndConvertsBack) {
  DpiScale s{144};
  EXPECT_EQ(s(22), 33);
  EXPECT_EQ(s(19), 29);  // 28.5 rounds up
  EXPECT_EQ(s(-5), -8);
  EXPECT_EQ(s.ToBase(33), 22);
  EXPECT_EQ(s(Rect{2, 4, 10, 20}), (Rect{3, 6, 15, 30}));
  EXPECT_EQ(DpiScale{}(17), 17);
  EXPECT_EQ(DpiScaleOf(0).dpi, 96);
  EXPECT_EQ(DpiScaleOf(120).dpi, 120);
}

}  // namespace
}  // namespace flk

namespace flk {
namespace {

// A 345 x 222 camera with the top panel as the default layout makes it.
CameraHitMap DefaultMap() {
  LayoutInput in;
  CamLayout l = ArrangeControls(in);
  CameraHitMap m;
  m.client = Size{345, 222};
  m.bevel = l.bevel;
  m.latchTop = l.latchTop;
  m.latchBottom = l.latchBottom;
  m.control = l.control;
  m.titleBar = l.titleBar.offset(l.control.left, l.control.top);
  m.titleGlyphs[0] = Rect{273, 9, 289, 23};
  m.titleGlyphs[1] = Rect{289, 9, 305, 23};
  m.titleGlyphs[2] = Rect{309, 9, 325, 23};
  m.menuRow = l.menuRow.offset(l.control.left, l.control.top);
  m.menuButtons = {Rect{5, 27, 40, 46}, Rect{40, 27, 80, 46}};
  m.toolBar = l.toolBar.offset(l.control.left, l.control.top);
  m.toolItems = {Rect{7, 48, 52, 88}, Rect{}, Rect{60, 48, 105, 88}};
  return m;
}

TEST(CameraPress, FirstPartInTheCamerasOrderTakesThePress) {
  using K = PressTarget::Kind;
  CameraHitMap m = DefaultMap();
  struct Case {
    Point p;
    bool dbl;
    K kind;
    int value;
  } cases[] = {
      {{m.latchTop.left + 1, m.latchTop.top + 1}, false, K::Latch, 1},  // the latch lies on the frame
      {{m.latchBottom.left + 1, 218}, false, K::Latch, 2},
      {{1, 100}, false, K::Resize, kEdgeLeft},
      {{343, 220}, false, K::Resize, kEdgeRight | kEdgeBottom},
      {{280, 12}, false, K::Minimize, 0},
      {{300, 12}, false, K::Maximize, 0},
      {{315, 12}, true, K::Close, 0},     // a glyph wins over the double click
      {{100, 12}, false, K::Move, 0},     // the title bar moves
      {{100, 12}, true, K::Maximize, 0},  // and maximizes on a double click
      {{50, 30}, false, K::MenuButton, 1},
      {{200, 30}, false, K::Move, 0},     // the empty part of the menu row moves
      {{70, 60}, false, K::ToolItem, 2},
      {{55, 60}, false, K::CustomiseToolbar, 0},  // a separator is an empty part
      {{200, 150}, false, K::Move, 0},    // the view
  };
  for (const Case& k : cases) {
    PressTarget t = PressAt(m, k.p, k.dbl);
    EXPECT_EQ(t.kind, k.kind) << k.p.x << "," << k.p.y;
    EXPECT_EQ(t.value, k.value) << k.p.x << "," << k.p.y;
  }
}

TEST(CameraPress, StaleHoldAndFloatingChangeTheAnswer) {
  using K = PressTarget::Kind;
  CameraHitMap m = DefaultMap();
  m.stale = true;
  EXPECT_EQ(PressAt(m, {1, 100}, false).kind, K::RefreshOnly);
  m.stale = false;
  m.hold = true;  // no latches with Hold: the frame resizes
  EXPECT_EQ(PressAt(m, {m.latchTop.left + 1, m.latchTop.top + 1}, false).kind, K::Resize);
  m.hold = false;
  m.controlVisible = false;
  m.align = PanelAlign::Floating;
  EXPECT_EQ(PressAt(m, {200, 150}, false).kind, K::Floating);
  EXPECT_EQ(PressAt(m, {100, 12}, false).kind, K::Floating);  // no docked panel to hit
  m.more = Rect{300, 48, 340, 88};
  EXPECT_EQ(ToolItemAt(m, {310, 60}), kMoreItem);
  EXPECT_EQ(ToolItemAt(m, {55, 60}), -1);
}

}  // namespace
}  // namespace flk
