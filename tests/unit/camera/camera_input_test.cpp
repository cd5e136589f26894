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
