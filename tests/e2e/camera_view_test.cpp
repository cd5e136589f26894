// The camera as a hole in the screen: its view shows exactly the pixels
// beneath it, also when it crosses the screen's edge, and keeps showing the
// same area when the control panel changes sides.
#include "camera_scene.h"

namespace flk::e2e {
namespace {

class CameraViewTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{150, 120, 150 + 345, 120 + 300};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(CameraViewTest, ViewShowsExactlyThePixelsBeneath) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT w = WindowRect(cam.camera);
  EXPECT_TRUE(SameRect(w, kCameraRect)) << w.left << "," << w.top << "," << w.right << "," << w.bottom;
  RECT view = ViewOnScreen(w);
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
  EXPECT_EQ(StatusText(cam.camera), "  Press F1 for help.");
}

TEST_F(CameraViewTest, GrabAcrossTheScreenEdgeCopiesTheVisiblePart) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  // Push the camera half off the left edge, then refresh: the view's visible
  // part must show the pattern, not black.
  ASSERT_TRUE(::SetWindowPos(cam.camera, nullptr, -150, 200, 345, 300, SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Refresh)));
  RECT w{-150, 200, 195, 500};
  RECT view = ViewOnScreen(w);
  RECT visible{0, view.top, view.right, view.bottom};
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(visible) == 0; }))
      << ScreenMismatches(visible) << " pixels differ";
  RECT now = WindowRect(cam.camera);
  EXPECT_TRUE(SameRect(now, w)) << now.left << "," << now.top;
}

TEST_F(CameraViewTest, PanelTopBottomTopKeepsTheViewOverTheSameArea) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT view = ViewOnScreen(kCameraRect);
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; }));

  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::ControlsBottom)));
  // Docked at the bottom the window moves down by the panel's height and the
  // view starts right under the top frame.
  RECT bottom{kCameraRect.left, kCameraRect.top + kPanelHeight, kCameraRect.right, kCameraRect.bottom + kPanelHeight};
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), bottom); }));
  RECT w = WindowRect(cam.camera);
  RECT viewBottom{w.left + kFrameAndBevel, w.top + kFrameAndBevel, w.right - kFrameAndBevel,
                  w.bottom - kFrameAndBevel - kPanelHeight};
  EXPECT_TRUE(SameRect(viewBottom, view));
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";

  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::ControlsTop)));
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), kCameraRect); }));
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
}

}  // namespace
}  // namespace flk::e2e
