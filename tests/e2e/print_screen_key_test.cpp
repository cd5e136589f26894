// The Print Screen key taken before the camera role starts: by another
// program, or by Windows' own screen capture. The box says which and what to
// do, Retry takes the key once it is free, Cancel goes on without it, and the
// tray menu tries again later.
#include <fstream>
#include <iterator>

#include "camera_scene.h"
#include "shell/names.h"
#include "shell/print_screen_key.h"

namespace flk::e2e {
namespace {

constexpr char kHandlerFolder[] = "C:\\flk_settings_handler\\";
constexpr char kHolderClass[] = "FlkHotKeyHolder";

class PrintScreenKeyTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Settings pages open through a recording stand-in (it logs its argument beside itself).
    ::CreateDirectoryA(kHandlerFolder, nullptr);
    ASSERT_TRUE(::CopyFileA((DriverFolder() + "test_mailto.exe").c_str(), Handler().c_str(), FALSE));
    ::DeleteFileA(HandlerLog().c_str());
    RegWriteString(HKEY_CLASSES_ROOT, "ms-settings", "", "URL:ms-settings");
    RegWriteString(HKEY_CLASSES_ROOT, "ms-settings", "URL Protocol", "");
    RegWriteString(HKEY_CLASSES_ROOT, "ms-settings\\shell\\open\\command", "", "\"" + Handler() + "\" \"%1\"");
    holder_ = Process::StartCommand(DriverFolder() + "test_hotkey_holder.exe", "test_hotkey_holder.exe");
    ASSERT_TRUE(WaitWindow(kHolderClass, "Print Screen holder", false, kWaitMs, holder_.pid()))
        << "the stand-in could not take the key";
    WriteCurrentUserSettings();
  }
  void TearDown() override {
    EndHolder();
    RegRemoveTree(HKEY_CLASSES_ROOT, "ms-settings");
    RegRemoveValue(HKEY_CURRENT_USER, kSnippingSettingKey, kSnippingSettingName);
    ProgramTest::TearDown();
  }
  static std::string Handler() { return std::string(kHandlerFolder) + "test_mailto.exe"; }
  static std::string HandlerLog() { return std::string(kHandlerFolder) + "fake_editor.log"; }
  static std::string ReadLog() {
    std::ifstream in(HandlerLog(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  void EndHolder() {
    if (!holder_ || !holder_.Running()) return;
    if (HWND w = FindTop(kHolderClass, nullptr, holder_.pid())) Post(w, WM_CLOSE);
    if (!holder_.WaitExit()) holder_.Terminate();
  }
  // Print Screen, pressed as the user does, freezes the desktop.
  static bool PrintScreenFreezes(DWORD pid) {
    Press({VK_SNAPSHOT});
    return WaitWindow("TfrmFreeze", nullptr, true, kWaitMs, pid) != nullptr;
  }
  // The tray menu's fifth entry: "Use the Print Screen Key" while the key is not ours.
  static void UsePrintScreenKeyFromTray(HWND tray, DWORD pid) {
    ASSERT_TRUE(Post(tray, kWmTrayNotify, 0, WM_RBUTTONUP));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenu(pid)) != nullptr; }));
    for (int i = 0; i < 5; ++i) Post(menu, WM_KEYDOWN, VK_DOWN);
    Post(menu, WM_KEYDOWN, VK_RETURN);
  }

  Process holder_;
};

TEST_F(PrintScreenKeyTest, AnotherProgramsKeyIsExplainedAndRetryTakesItOnceThatProgramHasEnded) {
  RegWriteDword(HKEY_CURRENT_USER, kSnippingSettingKey, kSnippingSettingName, 0);
  Process p = Process::Start("");
  HWND box = WaitBoxOf(p, kProgramName);
  ASSERT_TRUE(box) << DescribeBoxes(p.pid());
  std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Another program is already using the Print Screen key."), std::string::npos) << text;
  EXPECT_NE(text.find("Open Settings > Apps > "), std::string::npos) << text;
  EXPECT_EQ(text.find("Control Panel"), std::string::npos) << text;
  EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"Retry", "Cancel"}));
  // Retry while the key is still taken asks again.
  ASSERT_TRUE(Answer(box, IDRETRY));
  box = WaitBoxOf(p, kProgramName);
  ASSERT_TRUE(box) << DescribeBoxes(p.pid());
  EndHolder();
  ASSERT_TRUE(Answer(box, IDRETRY));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_TRUE(PrintScreenFreezes(p.pid()));
}

TEST_F(PrintScreenKeyTest, WindowsOwnCaptureIsNamedItsPageOpensAndTheTrayTakesTheKeyBackLater) {
  RegWriteDword(HKEY_CURRENT_USER, kSnippingSettingKey, kSnippingSettingName, 1);
  Process p = Process::Start("");
  HWND box = WaitBoxOf(p, kProgramName);
  ASSERT_TRUE(box) << DescribeBoxes(p.pid());
  std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Windows is using the Print Screen key for its own screen capture."), std::string::npos)
      << text;
  EXPECT_NE(text.find("Settings > "), std::string::npos) << text;
  EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"Open Keyboard Settings", "Retry", "Cancel"}));
  // The page opens and the box stays for Retry.
  ASSERT_TRUE(PressButton(box, "Open Keyboard Settings"));
  EXPECT_TRUE(WaitUntil([&] { return ReadLog().find(kKeyboardSettingsPage) != std::string::npos; })) << ReadLog();
  EXPECT_TRUE(IsVisible(box));
  // Cancel: the program goes on without the key.
  ASSERT_TRUE(PressButton(box, "Cancel"));
  ASSERT_TRUE(WaitGone(box));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, p.pid());
  ASSERT_TRUE(tray);
  // The key is still taken: the tray's entry asks again.
  ASSERT_NO_FATAL_FAILURE(UsePrintScreenKeyFromTray(tray, p.pid()));
  box = WaitBoxOf(p, kProgramName);
  ASSERT_TRUE(box) << DescribeBoxes(p.pid());
  EXPECT_NE(MessageBoxText(box).find("Windows is using"), std::string::npos) << MessageBoxText(box);
  ASSERT_TRUE(PressButton(box, "Cancel"));
  ASSERT_TRUE(WaitGone(box));
  // Once the key is free the entry takes it and says so.
  EndHolder();
  ASSERT_NO_FATAL_FAILURE(UsePrintScreenKeyFromTray(tray, p.pid()));
  box = WaitBoxOf(p, kProgramName);
  ASSERT_TRUE(box) << DescribeBoxes(p.pid());
  EXPECT_EQ(MessageBoxText(box), kPrintScreenRegainedText);
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(PrintScreenFreezes(p.pid()));
}

}  // namespace
}  // namespace flk::e2e
