// Support: the diagnostics window describes this machine and the settings,
// copies its text, and the support mail's "Try Last" puts the report with the
// configuration on the clipboard and shows its steps top right.
#include "camera_scene.h"
#include "saved_images.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace flk::e2e {
namespace {

class SupportTest : public ProgramTest {};

constexpr RECT kCameraRect{120, 100, 120 + 300, 100 + 260};

void ClearClipboard() {
  if (::OpenClipboard(nullptr)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
}

bool Contains(const std::optional<std::string>& text, const std::string& part) {
  return text && text->find(part) != std::string::npos;
}

TEST_F(SupportTest, DiagnosticsDescribeTheMachineAndCopyTheirText) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  Command(s, flk::CommandId::Diagnostics);
  HWND memo = WaitWindow("TfrmMemo", "FramelarkPro Diagnostics", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(memo) << DescribeBoxes(s.cam.process.pid());
  std::vector<HWND> edits = Children(memo, "Edit");
  ASSERT_FALSE(edits.empty());
  std::string text = WindowText(edits.front());
  int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NE(text.find("FramelarkPro 1.32"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nScreen=" + std::to_string(w) + " x " + std::to_string(h) + " x 32 bit\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nScrollSettings=F T 600 1 8388608 19 20 20 20 28 18 T\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nRoboSettings=T T 400 1 8388608 19 20 20 20 28 18 T\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nOS=WinNT/2000/XP "), std::string::npos) << text;
  ClearClipboard();
  ASSERT_TRUE(PressButton(memo, "Copy"));
  ASSERT_TRUE(WaitUntil([&] { return ClipboardText() == text; })) << ClipboardText().value_or("(none)");
  // Close hides the window; the next report shows in it again.
  ASSERT_TRUE(PressButton(memo, "Close"));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(memo); }));
}

TEST_F(SupportTest, BugReportTryLastPutsReportAndConfigurationOnTheClipboardWithSteps) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  ClearClipboard();
  Command(s, flk::CommandId::BugReport);
  HWND dialog = WaitWindow("TfrmContact", "Send Email to support@hollowbrook.example", true, kWaitMs,
                           s.cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(PressButton(dialog, "Try Last"));
  HWND steps = WaitWindow("TfrmNSA", "Email Instructions", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(steps) << DescribeBoxes(s.cam.process.pid());
  std::optional<std::string> clip = ClipboardText();
  EXPECT_TRUE(Contains(clip, "This happened . . ."));
  EXPECT_TRUE(Contains(clip, "\r\n\r\nMy configuration (this is optional):\r\nFramelarkPro 1.32"));
  EXPECT_TRUE(Contains(clip, "ScrollSettings=F T 600 1 8388608 19 20 20 20 28 18 T"));
  // The steps name the address and sit in the top right corner; the camera is out of the way.
  std::vector<HWND> memos = Children(steps, "Edit");
  ASSERT_FALSE(memos.empty());
  EXPECT_NE(WindowText(memos.front()).find("5 Address to: support@hollowbrook.example"), std::string::npos);
  RECT r = WindowRect(steps);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_FALSE(IsVisible(s.cam.camera));
  EXPECT_FALSE(IsVisible(dialog));
  ASSERT_TRUE(PressButton(steps, IDOK));
  EXPECT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(s.cam.camera); }));
}

// Try Next with a mail program that records what it was asked to open (the
// fake editor, registered for mailto: in this prefix by scripts/e2e_print.sh's run).
class SupportMailE2E : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    const char* editor = std::getenv("FLK_FAKE_EDITOR");
    if (!editor || !*editor) GTEST_SKIP() << "FLK_FAKE_EDITOR is not set (scripts/e2e_print.sh sets it)";
    ::CreateDirectoryA("C:\\FlkMail", nullptr);
    ASSERT_TRUE(::CopyFileA(editor, "C:\\FlkMail\\fake_editor.exe", FALSE));
    ::DeleteFileA(kLog);
    RegWriteString(HKEY_CLASSES_ROOT, "mailto", "", "URL:MailTo Protocol");
    RegWriteString(HKEY_CLASSES_ROOT, "mailto", "URL Protocol", "");
    RegWriteString(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "",
                   "\"C:\\FlkMail\\fake_editor.exe\" \"%1\"");
  }
  void TearDown() override {
    RegRemoveTree(HKEY_CLASSES_ROOT, "mailto");
    ProgramTest::TearDown();
  }
  static std::string Opened() {
    std::ifstream in(kLog, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text;
  }
  static constexpr const char* kLog = "C:\\FlkMail\\fake_editor.log";
};

TEST_F(SupportMailE2E, TryNextOpensTheEscapedMailtoOrPastesTheBody) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  // Feedback goes in the link, escaped.
  Command(s, flk::CommandId::Feedback);
  HWND dialog = WaitWindow("TfrmContact", "Send Email to support@hollowbrook.example", true, kWaitMs,
                           s.cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(PressButton(dialog, "Try Next"));
  ASSERT_TRUE(WaitUntil([] { return !Opened().empty(); })) << DescribeBoxes(0);
  std::string link = Opened();
  EXPECT_EQ(link.rfind("mailto:<support@hollowbrook.example>?subject=FramelarkPro Feedback&body=Hello Hollowbrook,"
                       "%0D%0A%0D%0A",
                       0),
            0u)
      << link;
  EXPECT_EQ(link.find("My configuration"), std::string::npos);  // nothing appended to a link
  ASSERT_TRUE(PressButton(dialog, "Close"));
  ASSERT_TRUE(WaitGone(dialog));

  // A bug report goes by the clipboard: the link only says to paste.
  ::DeleteFileA(kLog);
  Command(s, flk::CommandId::BugReport);
  dialog = WaitWindow("TfrmContact", "Send Email to support@hollowbrook.example", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(PressButton(dialog, "Try Next"));
  HWND steps = WaitWindow("TfrmNSA", "Email Instructions", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(steps) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(WaitUntil([] { return !Opened().empty(); }));
  EXPECT_EQ(Opened().rfind("mailto:<support@hollowbrook.example>?subject=FramelarkPro Bug Report&body=Click "
                           "Edit/Paste to insert message body",
                           0),
            0u)
      << Opened();
  EXPECT_TRUE(Contains(ClipboardText(), "This happened . . .\r\n"));
  EXPECT_TRUE(Contains(ClipboardText(), "My configuration (this is optional):"));
  ASSERT_TRUE(PressButton(steps, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(dialog); }));  // back for another way
}

}  // namespace
}  // namespace flk::e2e
