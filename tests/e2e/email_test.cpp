// E-mail: the first send passes through the setup dialog, which predicts from
// the system's default mail client; Simple MAPI hands the file to a test mail
// provider of ours (registered under HKLM\Software\Clients\Mail, reached
// through the system's mapi32); its refusal opens the troubleshooter; the
// Paste/Attach way puts the path on the clipboard, opens a new message and
// shows the steps.
#include <fstream>
#include <iterator>

#include "camera_scene.h"
#include "saved_images.h"

namespace flk::e2e {
namespace {

constexpr RECT kCameraRect{120, 100, 120 + 300, 100 + 260};
constexpr char kMailFolder[] = "C:\\FlkTestMail\\";
constexpr char kClientsKey[] = "Software\\Clients\\Mail";
constexpr char kAnswerKey[] = "Software\\FlkTestMail";
// Control ids of the setup dialog TfrmTrouble.
constexpr int kMemoTop = 200, kMemoDiag = 201, kChkMapi = 202, kChkNonMapi = 204, kCbxClients = 207;
constexpr int kBtnSend = 215;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND c : Children(parent))
    if (WindowText(c) == text) return c;
  return nullptr;
}

bool Checked(HWND button) { return Send(button, BM_GETCHECK).value_or(0) == BST_CHECKED; }

class EmailTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ::CreateDirectoryA(kMailFolder, nullptr);
    for (const char* f : {"test_mail_provider.dll", "test_mailto.exe"})
      ASSERT_TRUE(::CopyFileA((DriverFolder() + f).c_str(), (std::string(kMailFolder) + f).c_str(), FALSE)) << f;
    ::DeleteFileA(ProviderLog().c_str());
    ::DeleteFileA(MailtoLog().c_str());
    RegRemoveTree(HKEY_CURRENT_USER, kAnswerKey);
    // The system's default mail client is our provider, under a name the client table knows.
    RegWriteString(HKEY_LOCAL_MACHINE, kClientsKey, "", "Outlook Express");
    RegWriteString(HKEY_LOCAL_MACHINE, std::string(kClientsKey) + "\\Outlook Express", "DLLPath",
                   std::string(kMailFolder) + "test_mail_provider.dll");
    RegWriteString(HKEY_CLASSES_ROOT, "mailto", "", "URL:MailTo Protocol");
    RegWriteString(HKEY_CLASSES_ROOT, "mailto", "URL Protocol", "");
    RegWriteString(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "",
                   "\"" + std::string(kMailFolder) + "test_mailto.exe\" \"%1\"");
  }
  void TearDown() override {
    RegRemoveTree(HKEY_LOCAL_MACHINE, kClientsKey);
    RegRemoveTree(HKEY_CLASSES_ROOT, "mailto");
    RegRemoveTree(HKEY_CURRENT_USER, kAnswerKey);
    ProgramTest::TearDown();
  }
  static std::string ProviderLog() { return std::string(kMailFolder) + "test_mail_provider.log"; }
  static std::string MailtoLog() { return std::string(kMailFolder) + "fake_editor.log"; }

  HWND OpenEmailForm(const Scene& s) {
    Command(s, flk::CommandId::Email);
    return WaitWindow("TfrmEmail", "Email Format Selection", true, kWaitMs, s.cam.process.pid());
  }
  HWND WaitSetup(const Scene& s) {
    return WaitWindow("TfrmTrouble", "MAPI Email Setup & Troubleshooter", true, kWaitMs, s.cam.process.pid());
  }
};

TEST_F(EmailTest, FirstSendPredictsMapiAndTheProviderGetsTheFileARefusalOpensTheTroubleshooter) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  HWND form = OpenEmailForm(s);
  ASSERT_TRUE(form) << DescribeBoxes(s.cam.process.pid());
  HWND gif = ChildWithText(form, "&GIF"), png = ChildWithText(form, "&PNG");
  ASSERT_TRUE(gif && png);
  EXPECT_TRUE(Checked(gif));  // GIF at first
  EXPECT_TRUE(ChildWithText(form, "&Setup"));
  Send(gif, BM_SETCHECK, BST_UNCHECKED);
  Send(png, BM_SETCHECK, BST_CHECKED);
  ASSERT_TRUE(PressButton(form, IDOK));

  // First send: the setup predicts from the default client and preselects MAPI.
  HWND setup = WaitSetup(s);
  ASSERT_TRUE(setup) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(WindowText(GetDlgItem(setup, kMemoTop)), "First time setup; choose MAPI or Paste/Attach email mode.");
  std::string diag = WindowText(GetDlgItem(setup, kMemoDiag));
  EXPECT_NE(diag.find("System default email client = Outlook Express\r\n  Predicted MAPI compatibility of this "
                      "email client = True"),
            std::string::npos)
      << diag;
  EXPECT_NE(diag.find("recommends MAPI mode."), std::string::npos) << diag;
  EXPECT_TRUE(Checked(GetDlgItem(setup, kChkMapi)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(setup, kCbxClients)));
  EXPECT_EQ(WindowText(GetDlgItem(setup, kCbxClients)), "Outlook Express");
  EXPECT_TRUE(IsVisible(GetDlgItem(setup, kBtnSend)));
  ASSERT_TRUE(PressButton(setup, IDOK));

  ASSERT_TRUE(WaitUntil([] { return !ReadText(ProviderLog()).empty(); })) << DescribeBoxes(0);
  std::string file = DataFolder() + "Pro\\Framelark.png";
  EXPECT_EQ(ReadText(ProviderLog()), "MAPISendDocuments|;|" + file + "|Framelark.png\r\n");
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "MapiEmail"), 1u);
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(form); }));  // the mail program has taken over
  auto picture = ReadPngFile(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(PatternMismatches(*picture, s.view), 0);

  // The user cancels in the mail program: the troubleshooter names it, without Send.
  RegWriteDword(HKEY_CURRENT_USER, kAnswerKey, "Answer", 1);
  form = OpenEmailForm(s);
  ASSERT_TRUE(form);
  EXPECT_TRUE(Checked(ChildWithText(form, "&PNG")));  // the form and its choice are kept
  ASSERT_TRUE(PressButton(form, IDOK));
  setup = WaitSetup(s);
  ASSERT_TRUE(setup) << DescribeBoxes(s.cam.process.pid());
  EXPECT_EQ(WindowText(GetDlgItem(setup, kMemoTop)), "MAPI error or cancellation.");
  diag = WindowText(GetDlgItem(setup, kMemoDiag));
  EXPECT_EQ(diag.rfind("  MAPISendDocuments Err # 1  USER ABORT\r\n\r\n  System default email client = Outlook "
                       "Express",
                       0),
            0u)
      << diag;
  EXPECT_FALSE(IsVisible(GetDlgItem(setup, kBtnSend)));
  ASSERT_TRUE(PressButton(setup, IDCANCEL));
  ASSERT_TRUE(WaitGone(setup));
  EXPECT_TRUE(IsVisible(form));  // still open for another try
  ASSERT_TRUE(PressButton(form, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(form); }));
}

TEST_F(EmailTest, PasteAttachPutsThePathOnTheClipboardOpensANewMessageAndShowsTheSteps) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "MapiEmail", 2);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "MapiClient", 10);  // Yahoo Mail: no steps of its own
  HWND form = OpenEmailForm(s);
  ASSERT_TRUE(form) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(PressButton(form, IDOK));
  HWND tip = WaitWindow("TfrmNSA", "Paste/Attach Email Instruction", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(tip) << DescribeBoxes(s.cam.process.pid());
  std::string file = DataFolder() + "Pro\\Framelark.gif";
  EXPECT_EQ(ClipboardText(), file);
  ASSERT_TRUE(WaitUntil([] { return !ReadText(MailtoLog()).empty(); }));
  EXPECT_EQ(ReadText(MailtoLog()), "mailto:<>\r\n");
  EXPECT_TRUE(ReadText(ProviderLog()).empty());  // no MAPI in this mode
  std::vector<HWND> memos = Children(tip, "Edit");
  ASSERT_FALSE(memos.empty());
  std::string text = WindowText(memos.front());
  std::string lowerFile = file;
  for (char& c : lowerFile) c = char(::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(text.rfind("Press F1 if your email program didn't open.\r\n\r\nNo specific instruction available for "
                       "Yahoo Mail\r\nGeneral Instruction:",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("Picture file path:\r\n" + lowerFile), std::string::npos) << text;
  RECT r = WindowRect(tip);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_FALSE(IsVisible(s.cam.camera));  // put away while the steps show
  EXPECT_FALSE(IsVisible(form));
  ASSERT_TRUE(PressButton(tip, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(tip); }));
  EXPECT_FALSE(IsVisible(s.cam.camera));  // and then in the tray
  EXPECT_TRUE(TrayIconShown());
}

}  // namespace
}  // namespace flk::e2e
