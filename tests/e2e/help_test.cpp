// Help from outside: F1 and the Help entries open the built-in page of their
// window's help context. A stand-in for the browser, registered for .html in
// the test prefix, records what the program opened.
#include <cstdio>
#include <fstream>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

constexpr char kLog[] = "C:\\FlkHelpOpened.log";
constexpr char kHtmlClass[] = "FlkTest.htmlfile";
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 280};

class HelpTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ::DeleteFileA(kLog);
    oldHtml_ = RegString(HKEY_CLASSES_ROOT, ".html", "");
    ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, ".html", "", kHtmlClass));
    // The "browser": appends the page it was given to the log.
    ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, std::string(kHtmlClass) + "\\shell\\open\\command", "",
                               std::string("C:\\windows\\system32\\cmd.exe /c echo %1>>") + kLog));
  }
  void TearDown() override {
    RegRemoveTree(HKEY_CLASSES_ROOT, kHtmlClass);
    if (oldHtml_)
      RegWriteString(HKEY_CLASSES_ROOT, ".html", "", *oldHtml_);
    else
      RegRemoveValue(HKEY_CLASSES_ROOT, ".html", "");
    ProgramTest::TearDown();
    RemoveStoredNotes();
  }
  // The pages opened so far, by file name.
  static std::vector<std::string> Opened() {
    std::vector<std::string> pages;
    std::ifstream in(kLog);
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '"')) line.pop_back();
      size_t slash = line.find_last_of('\\');
      pages.push_back(slash == std::string::npos ? line : line.substr(slash + 1));
    }
    return pages;
  }
  static bool WaitOpened(size_t n) {
    return WaitUntil([n] { return Opened().size() >= n; }, kWaitMs, 50);
  }
  std::optional<std::string> HelpFolderOf(const std::string& page) {
    std::ifstream in(kLog);
    std::string line;
    while (std::getline(in, line))
      if (line.find(page) != std::string::npos) {
        size_t a = line.find_first_not_of(" \""), b = line.find_last_of('\\');
        return line.substr(a, b + 1 - a);
      }
    return std::nullopt;
  }
  std::optional<std::string> oldHtml_;
};

TEST_F(HelpTest, F1InTheCameraTheTipsAndTheCustomisationOpensTheirPages) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  ASSERT_TRUE(Post(s.cam.camera, WM_KEYDOWN, VK_F1, 0x003B0001));
  ASSERT_TRUE(WaitOpened(1)) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(Opened()[0], "general.html");
  // The pages were written where the browser was sent, all of them.
  auto folder = HelpFolderOf("general.html");
  ASSERT_TRUE(folder);
  for (const char* page : {"index.html", "help.css", "general.html", "scroll-settings.html", "scroll-capture.html",
                           "sticky-notes.html", "viewer.html", "customize.html", "email-setup.html",
                           "paste-attach.html"})
    EXPECT_TRUE(FileExists(*folder + page)) << *folder << page;
  auto size = FileSize(*folder + "general.html");
  ASSERT_TRUE(size);
  EXPECT_GT(*size, 1000u);

  // The customisation dialog: context 6.
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(flk::CommandId::GeneralSettings)));
  HWND dlg = WaitWindow("TfrmCamCustom", "Customize Framelark", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(dlg);
  ASSERT_TRUE(Post(dlg, WM_KEYDOWN, VK_F1, 0x003B0001));
  ASSERT_TRUE(WaitOpened(2));
  EXPECT_EQ(Opened()[1], "customize.html");
  ASSERT_TRUE(Post(dlg, WM_CLOSE));
  ASSERT_TRUE(WaitGone(dlg));

  // The Help menu entry and the daily tips: the general page.
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Help)));
  ASSERT_TRUE(WaitOpened(3));
  EXPECT_EQ(Opened()[2], "general.html");
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(flk::CommandId::DailyTips)));
  HWND tips = WaitWindow(kTipsClass, kTipsCaption, true);
  ASSERT_TRUE(tips) << DescribeBoxes(0);
  ASSERT_TRUE(Post(tips, WM_KEYDOWN, VK_F1, 0x003B0001));
  ASSERT_TRUE(WaitOpened(4));
  EXPECT_EQ(Opened()[3], "general.html");
  ASSERT_TRUE(Post(tips, WM_CLOSE));
  EXPECT_TRUE(WaitGone(tips));
}

TEST_F(HelpTest, F1InTheViewerANoteAndEachDialogOpensItsPage) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  const struct {
    flk::CommandId command;
    const char* cls;
    const char* page;
  } kWindows[] = {
      {flk::CommandId::Sticky, "TfrmStickyItem", "general.html"},  // a note's own context
      {flk::CommandId::ScrollCaptureSettings, "TfrmScrollSettings", "scroll-settings.html"},
      {flk::CommandId::Email, "TfrmEmail", "email-setup.html"},
      {flk::CommandId::EditorSetup, "TfrmEditSetup", "customize.html"},
      {flk::CommandId::OpenViewer, "TfrmViewer", "viewer.html"},
  };
  HWND tray = FindTop(kTrayClass, kTrayCaption, s.cam.process.pid());
  ASSERT_TRUE(tray);
  size_t opened = 0;
  for (const auto& w : kWindows) {
    SCOPED_TRACE(w.cls);
    ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(w.command)));
    HWND window = WaitWindow(w.cls, nullptr, true);
    ASSERT_TRUE(window) << DescribeBoxes(0);
    WindowPid(window) == s.cam.process.pid() ? s.cam.process.WaitIdle() : Process::Open(WindowPid(window)).WaitIdle();
    ASSERT_TRUE(Post(window, WM_KEYDOWN, VK_F1, 0x003B0001));
    ASSERT_TRUE(WaitOpened(++opened)) << DescribeBoxes(0);
    EXPECT_EQ(Opened()[opened - 1], w.page);
    Post(window, WM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(window); }));
    // Back to the camera for the next window (the viewer and a note leave it in the tray).
    Post(tray, kWmCameraRequest, 1, 0);
    WaitUntil([&] { return IsVisible(s.cam.camera); });
  }
}

// The move, then until the cursor is there.
void MouseTo(int x, int y, DWORD flags = 0) {
  MouseAt(x, y, flags);
  WaitUntil([&] {
    POINT p;
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
  });
}

TEST_F(HelpTest, F1InATipBoxOpensItsContextsPage) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  // A move that leaves the control panel above the screen brings the
  // "control panel was moved off screen" tip (help context 1).
  RECT win = WindowRect(s.cam.camera);
  POINT grip{win.left + 150, win.bottom - 40};
  MouseTo(grip.x, grip.y);
  MouseTo(grip.x, grip.y, MOUSEEVENTF_LEFTDOWN);
  for (int i = 1; i <= 4; ++i) {
    MouseTo(grip.x, grip.y - (grip.y - 2) * i / 4);
    Send(s.cam.camera, WM_NULL);
  }
  MouseTo(grip.x, 2, MOUSEEVENTF_LEFTUP);
  HWND tip = WaitWindow("TfrmNSA", "How-to Tip", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(tip) << "camera at top " << WindowRect(s.cam.camera).top << "; " << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(Post(tip, WM_KEYDOWN, VK_F1, 0x003B0001));
  ASSERT_TRUE(WaitOpened(1));
  EXPECT_EQ(Opened()[0], "general.html");
  ASSERT_TRUE(Post(tip, WM_KEYDOWN, VK_ESCAPE, 0x00010001));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(tip); }));
}

TEST_F(HelpTest, APageThatCannotBeOpenedSaysWhichAndShowsItsFolder) {
  // No program for .html at all; folders open through the recorder.
  RegRemoveTree(HKEY_CLASSES_ROOT, kHtmlClass);
  ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, ".html", "", "FlkTest.nothing"));
  std::optional<std::string> oldFolder = RegString(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "");
  ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "",
                             std::string("C:\\windows\\system32\\cmd.exe /c echo %1>>") + kLog));
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Help)));
  HWND box = WaitBoxOf(s.cam.process, "Framelark Help");
  ASSERT_TRUE(box) << DescribeBoxes(s.cam.process.pid());
  std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind("The help page could not be opened:\ngeneral.html\n\nIn the folder:\n", 0), 0u) << text;
  EXPECT_EQ(text.find('%'), std::string::npos) << text;  // the system's inserts are filled
  EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"Yes", "No"}));
  EXPECT_TRUE(Answer(box, IDYES));
  EXPECT_TRUE(WaitOpened(1));
  if (oldFolder) RegWriteString(HKEY_CLASSES_ROOT, "Folder\\shell\\open\\command", "", *oldFolder);
  std::ifstream in(kLog);
  std::string line;
  std::getline(in, line);
  EXPECT_NE(line.find("\\Framelark\\Help"), std::string::npos) << line;  // the help folder itself
  EXPECT_EQ(line.find(".html"), std::string::npos) << line;
}

}  // namespace
}  // namespace flk::e2e
