// The frozen desktop's thaw question and the exact-Ctrl shortcut rule.
#include "camera_scene.h"

namespace flk::e2e {
namespace {

class CameraModesTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 280};

void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  ::SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

TEST_F(CameraModesTest, FrozenDesktopAsksToThawAndNoKeepsItFrozen) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  // The Print Screen hot key.
  ASSERT_TRUE(Post(tray, WM_HOTKEY, 0, MAKELPARAM(0, VK_SNAPSHOT)));
  ASSERT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click desktop to thaw.)")) << StatusText(cam.camera);
  HWND freeze = WaitWindow("TfrmFreeze", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(freeze);

  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
    HWND box = WaitBoxOf(cam.process, "Print Screen Key");
    ASSERT_TRUE(box) << DescribeBoxes(cam.process.pid());
    EXPECT_EQ(MessageBoxText(box), "Thaw desktop?\n(Restores normal desktop)");
    ASSERT_TRUE(Answer(box, IDNO));
    EXPECT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click it to un-freeze.)")) << StatusText(cam.camera);
    EXPECT_TRUE(IsVisible(freeze));
  }
  // Yes thaws it.
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  HWND box = WaitBoxOf(cam.process, "Print Screen Key");
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(freeze); }));
}

TEST_F(CameraModesTest, CtrlShiftSDoesNothingWhileCtrlLettersRun) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ::SetForegroundWindow(cam.camera);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == cam.camera; }));
  Press({VK_CONTROL, VK_SHIFT, 'S'});
  EXPECT_FALSE(WaitWindow(kDialogClass, "Save As", true, 1500, cam.process.pid()));
  EXPECT_TRUE(MessageBoxes(nullptr, cam.process.pid()).empty());
  EXPECT_EQ(StatusText(cam.camera), "  Press F1 for help.");
  // The same keys reach the camera: Ctrl+C copies.
  Press({VK_CONTROL, 'C'});
  EXPECT_TRUE(WaitStatus(cam.camera, "Copied to clipboard.")) << StatusText(cam.camera);
}

}  // namespace
}  // namespace flk::e2e
