// Camera customisation seen from outside: "Customize Framelark" changes the
// camera while it is open and applies the rest on OK; "Editor Setup" writes
// the editor's path.
#include <cstdio>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

constexpr char kCustomClass[] = "TfrmCamCustom", kCustomCaption[] = "Customize Framelark";
constexpr int kPanelIcons = 201, kPanelText = 202, kButtonRecall = 210, kButtonSave = 212, kRing5 = 231,
              kWait = 260;
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 300};

class CustomiseTest : public ProgramTest {
 protected:
  HWND OpenDialog(const Scene& s, flk::CommandId id, const char* cls, const char* caption) {
    // The dialog opens at the cursor: keep it clear of the camera.
    ::SetCursorPos(1200, 1000);
    if (!Post(s.cam.camera, WM_COMMAND, CommandParam(id))) return nullptr;
    return WaitWindow(cls, caption, true, kWaitMs, s.cam.process.pid());
  }
  static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
  std::string Ring() { return DataFolder() + "Folders\\LastCaptures\\"; }
  // Ends the camera role the orderly way, so that its settings are saved.
  void ExitCamera(const Scene& s) {
    ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Exit)));
    ASSERT_TRUE(s.cam.process.WaitExit());
  }
};

TEST_F(CustomiseTest, ToolbarItemsAndButtonsChangeTheCameraAtOnce) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  RECT win = WindowRect(s.cam.camera);
  // A point in the toolbar row (frame 5, title 22, menu 19, then the toolbar of 44),
  // 96-DPI rows at the camera's scale.
  const flk::DpiScale& px = E2eScale();
  const int toolbarTop = win.top + px(5) + px(22) + px(19);
  const POINT inToolbar{win.left + px(100), toolbarTop + px(30)};
  auto toolbarPixels = [&] {
    return GrabScreen(RECT{win.left + FrameAndBevel(), toolbarTop + px(2), win.left + FrameAndBevel() + px(180),
                           toolbarTop + px(42)});
  };
  auto before = toolbarPixels();
  ASSERT_TRUE(before);
  EXPECT_NE(before->at(inToolbar.x, inToolbar.y), PatternColour(inToolbar.x, inToolbar.y));

  HWND dlg = OpenDialog(s, flk::CommandId::GeneralSettings, kCustomClass, kCustomCaption);
  ASSERT_TRUE(dlg) << DescribeBoxes(s.cam.process.pid());
  EXPECT_TRUE(Enabled(dlg, kButtonRecall));
  // Recall unticked: the buttons move left at once.
  ASSERT_TRUE(Post(::GetDlgItem(dlg, kButtonRecall), BM_CLICK));
  EXPECT_TRUE(WaitUntil([&] {
    auto now = toolbarPixels();
    return now && now->bgra != before->bgra;
  }));
  // Neither icons nor text: the toolbar goes, the view takes its place, the list greys.
  ASSERT_TRUE(Post(::GetDlgItem(dlg, kPanelIcons), BM_CLICK));
  ASSERT_TRUE(Post(::GetDlgItem(dlg, kPanelText), BM_CLICK));
  EXPECT_TRUE(WaitUntil([&] { return !Enabled(dlg, kButtonRecall) && !Enabled(dlg, kButtonSave); }));
  EXPECT_TRUE(WaitUntil([&] {
    auto p = GrabScreen(RECT{inToolbar.x, inToolbar.y, inToolbar.x + 1, inToolbar.y + 1});
    return p && p->at(inToolbar.x, inToolbar.y) == PatternColour(inToolbar.x, inToolbar.y);
  })) << "the toolbar row does not show the view: " << std::hex
       << GrabScreen(RECT{inToolbar.x, inToolbar.y, inToolbar.x + 1, inToolbar.y + 1})->at(inToolbar.x, inToolbar.y)
       << " for " << PatternColour(inToolbar.x, inToolbar.y) << "; status \"" << StatusText(s.cam.camera) << "\"";
  // Text back on: the list is usable again.
  ASSERT_TRUE(Post(::GetDlgItem(dlg, kPanelText), BM_CLICK));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(dlg, kButtonRecall); }));
  ASSERT_TRUE(Post(::GetDlgItem(dlg, IDOK), BM_CLICK));
  ASSERT_TRUE(WaitGone(dlg));
  ExitCamera(s);
  // Each switch is stored under its own button's name.
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "CambtnRecall"), std::optional<DWORD>(0));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "CambtnPrint"), std::optional<DWORD>(1));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "CambtnSave"), std::optional<DWORD>(1));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "CamToolImages"), std::optional<DWORD>(0));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "CamToolText"), std::optional<DWORD>(1));
}

TEST_F(CustomiseTest, FiveAfterTwentyTrimsTheRingOnOkAndTheWaitGoesBackAsThreeHundred) {
  // Twelve ring pictures from earlier runs with a ring of 20.
  std::string ring = Ring();
  ::CreateDirectoryA((DataFolder() + "Folders").c_str(), nullptr);
  ::CreateDirectoryA(ring.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE old = ::FindFirstFileA((ring + "*").c_str(), &found);  // captures of other scenarios
  if (old != INVALID_HANDLE_VALUE) {
    do ::DeleteFileA((ring + found.cFileName).c_str());
    while (::FindNextFileA(old, &found));
    ::FindClose(old);
  }
  for (int i = 1; i <= 12; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%010d.bmp", i);
    std::FILE* f = std::fopen((ring + name).c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("BM", f);
    std::fclose(f);
  }
  FakeRoleWindow viewer(kViewerClass, kViewerCaption);
  Scene s;
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum", 20);
  // StartCameraOver writes fresh settings: put 20 back after it by starting by hand.
  ASSERT_TRUE(s.pattern.WaitPainted());
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Left", DWORD(kCameraRect.left));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Top", DWORD(kCameraRect.top));
  s.cam.process = Process::Start("");
  ASSERT_TRUE(s.cam.process);
  s.cam.camera = WaitCameraOrBox(s.cam.process).camera;
  ASSERT_TRUE(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  s.cam.process.WaitIdle();

  HWND dlg = OpenDialog(s, flk::CommandId::GeneralSettings, kCustomClass, kCustomCaption);
  ASSERT_TRUE(dlg) << DescribeBoxes(s.cam.process.pid());
  // The stored 255 shows as the default item.
  HWND wait = ::GetDlgItem(dlg, kWait);
  EXPECT_EQ(Send(wait, CB_GETCURSEL).value_or(-1), 4);
  EXPECT_EQ(Send(::GetDlgItem(dlg, 233), BM_GETCHECK).value_or(0), BST_CHECKED);  // "20"
  ASSERT_TRUE(Post(::GetDlgItem(dlg, kRing5), BM_CLICK));
  ASSERT_TRUE(WaitUntil([&] { return Send(::GetDlgItem(dlg, kRing5), BM_GETCHECK).value_or(0) == BST_CHECKED; }));
  EXPECT_TRUE(FileExists(ring + "0000000001.bmp")) << "trimmed before OK";
  ASSERT_TRUE(Post(::GetDlgItem(dlg, IDOK), BM_CLICK));
  ASSERT_TRUE(WaitGone(dlg));
  for (int i = 1; i <= 12; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%010d.bmp", i);
    EXPECT_EQ(FileExists(ring + name), i > 7) << name;
  }
  auto notice = viewer.WaitFor(kWmViewerNotify);
  ASSERT_TRUE(notice);
  EXPECT_EQ(int(notice->w), -3);
  ExitCamera(s);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum"), std::optional<DWORD>(5));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "RefreshDelay"), std::optional<DWORD>(300));
}

TEST_F(CustomiseTest, EditorSetupTakesAQuotedPathWithoutItsQuotesAndRefusesAMissingOne) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  HWND dlg = OpenDialog(s, flk::CommandId::EditorSetup, "TfrmEditSetup", "Editor Setup");
  ASSERT_TRUE(dlg) << DescribeBoxes(s.cam.process.pid());
  HWND edit = ::GetDlgItem(dlg, 300);
  ASSERT_TRUE(Send(edit, WM_SETTEXT, 0, LPARAM("C:\\nowhere\\paint.exe")));
  ASSERT_TRUE(Post(::GetDlgItem(dlg, IDOK), BM_CLICK));
  HWND box = WaitBoxOf(s.cam.process, nullptr);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "Select a valid application path.");
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(IsVisible(dlg));

  ASSERT_TRUE(Send(edit, WM_SETTEXT, 0, LPARAM("\"%SystemRoot%\\notepad.exe\"")));
  ASSERT_TRUE(Post(::GetDlgItem(dlg, IDOK), BM_CLICK));
  ASSERT_TRUE(WaitGone(dlg));
  auto path = RegString(HKEY_CURRENT_USER, kSettingsPath, "EditorPath");
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, "C:\\windows\\notepad.exe");
}

}  // namespace
}  // namespace flk::e2e
