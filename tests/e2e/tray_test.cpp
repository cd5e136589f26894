// The tray controller: a left click on the icon brings the camera back with a
// fresh view, a right click while the desktop is frozen only thaws it, and
// with Hold on the camera stays above other programs while they are active.
#include "camera/camera_layout.h"
#include "camera_scene.h"
#include "shell/names.h"

namespace flk::e2e {
namespace {

class TrayTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 1280, 1024};
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 300};

TEST_F(TrayTest, LeftClickShowsTheCameraWithAFreshView) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  ColourWindow red(RECT{100, 100, 700, 600}, RedColour);
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::CloseToTray)));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(cam.camera); }));
  red.Close();
  Pump();
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(ViewOnScreen(kCameraRect)) == 0; }));
  ASSERT_TRUE(Post(tray, kWmTrayNotify, 0, WM_LBUTTONUP));
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(cam.camera); }));
  RECT view = ViewOnScreen(WindowRect(cam.camera));
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
}

TEST_F(TrayTest, RightClickWhileFrozenThawsAndShowsNoMenu) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  ASSERT_TRUE(Post(tray, WM_HOTKEY, 0, MAKELPARAM(0, VK_SNAPSHOT)));
  HWND freeze = WaitWindow("TfrmFreeze", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(freeze);
  ASSERT_TRUE(Post(tray, kWmTrayNotify, 0, WM_RBUTTONUP));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(freeze); }));
  Send(tray, WM_NULL);
  EXPECT_FALSE(VisibleMenu(cam.process.pid()));
  // The next right click opens the menu.
  ASSERT_TRUE(Post(tray, kWmTrayNotify, 0, WM_RBUTTONUP));
  EXPECT_TRUE(WaitUntil([&] { return VisibleMenu(cam.process.pid()) != nullptr; }));
}

TEST_F(TrayTest, HoldKeepsTheCameraTopmostWhileAnotherProgramIsActive) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  const LONG widthBefore = WindowRect(cam.camera).right - WindowRect(cam.camera).left;
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Hold)));
  // Hold has taken effect once the camera has grown (by its 96-DPI growth at the camera's
  // scale); activating another window before that would test the camera without Hold.
  ASSERT_TRUE(WaitUntil([&] {
    RECT r = WindowRect(cam.camera);
    return IsVisible(cam.camera) && r.right - r.left == widthBefore + E2eScale()(kHoldGrowth);
  })) << "width " << WindowRect(cam.camera).right - WindowRect(cam.camera).left << ", before " << widthBefore;
  auto topmost = [&] { return (::GetWindowLongW(cam.camera, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  // Another program (the driver) becomes active.
  HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  ::SetForegroundWindow(other);
  Pump();
  EXPECT_TRUE(WaitUntil([&] {
    Pump();
    return topmost();
  })) << "the held camera is not topmost while another program is active";
  // Back to the camera: the topmost state goes.
  ::SetForegroundWindow(cam.camera);
  EXPECT_TRUE(WaitUntil([&] {
    Pump();
    return !topmost();
  }));
  ::DestroyWindow(other);
}

}  // namespace
}  // namespace flk::e2e
