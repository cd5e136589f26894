// The daily tips (welcome role) seen from outside: where a start opens, the
// single-window rule, links, the switch-off box, and the NextTip each way of
// closing stores.
#include "program_fixture.h"
#include "shell/names.h"

namespace flk::e2e {
namespace {

constexpr int kNext = 101, kSwitchOff = 110, kPosition = 111, kTabs = 112, kPage = 113, kList = 302;

class DailyTipsTest : public ProgramTest {
 protected:
  // Fresh settings with NextTip = nextTip, then the role.
  HWND StartTips(int nextTip) {
    WriteCurrentUserSettings();
    RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip", DWORD(nextTip));
    proc_ = Process::Start("welcome");
    if (!proc_) return nullptr;
    HWND w = WaitWindow(kTipsClass, kTipsCaption, true, kWaitMs, proc_.pid());
    if (w) proc_.WaitIdle();
    return w;
  }
  static std::string Position(HWND tips) { return WindowText(::GetDlgItem(tips, kPosition)); }
  static int ActivePage(HWND tips) {
    return int(Send(::GetDlgItem(tips, kTabs), 0x130B /* TCM_GETCURSEL */).value_or(-1));
  }
  static bool Ticked(HWND tips) {
    return Send(::GetDlgItem(tips, kSwitchOff), BM_GETCHECK).value_or(0) == BST_CHECKED;
  }
  std::optional<DWORD> NextTip() { return RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"); }
  Process proc_;
};

TEST_F(DailyTipsTest, SecondStartBringsTheFirstForwardAndNextSkipsThisVersion) {
  HWND tips = StartTips(46);
  ASSERT_TRUE(tips) << DescribeBoxes(proc_.pid());
  EXPECT_EQ(Position(tips), "47 of 49");
  EXPECT_EQ(ActivePage(tips), 46);
  EXPECT_FALSE(Ticked(tips));

  Process second = Process::Start("welcome");
  ASSERT_TRUE(second);
  EXPECT_EQ(second.WaitExit(), std::optional<DWORD>(0));
  EXPECT_EQ(TopWindows(kTipsClass, kTipsCaption).size(), 1u);
  EXPECT_TRUE(proc_.Running());

  // Next: "Email Hollowbrook", then past "This Version" to the contents.
  ASSERT_TRUE(Post(::GetDlgItem(tips, kNext), BM_CLICK));
  EXPECT_TRUE(WaitUntil([&] { return Position(tips) == "48 of 49"; })) << Position(tips);
  // Closing on "Email Hollowbrook" stores 0, the contents.
  ASSERT_TRUE(Post(tips, WM_CLOSE));
  ASSERT_TRUE(proc_.WaitExit());
  EXPECT_EQ(NextTip(), std::optional<DWORD>(0));
}

TEST_F(DailyTipsTest, ALinkListFindsStoreAndRecallThroughItsLinkNameAndEscStoresTheNextPage) {
  HWND tips = StartTips(4);  // "Tools"
  ASSERT_TRUE(tips) << DescribeBoxes(proc_.pid());
  HWND page = ::GetDlgItem(tips, kPage);
  HWND list = ::GetDlgItem(page, kList);
  ASSERT_TRUE(list);
  EXPECT_EQ(Send(list, LB_GETCOUNT).value_or(0), 15);
  // The first item, "Store & Recall", pressed.
  ASSERT_TRUE(Send(list, LB_SETCURSEL, 0));
  ASSERT_TRUE(Post(page, WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE), LPARAM(list)));
  EXPECT_TRUE(WaitUntil([&] { return Position(tips) == "6 of 49"; })) << Position(tips);
  EXPECT_EQ(ActivePage(tips), 5);
  ASSERT_TRUE(Post(tips, WM_KEYDOWN, VK_ESCAPE));
  ASSERT_TRUE(proc_.WaitExit());
  EXPECT_EQ(NextTip(), std::optional<DWORD>(6));
}

TEST_F(DailyTipsTest, RoleWordInAnyCaseOpensTheTips) {
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip", 1);
  proc_ = Process::Start("WELCOME");
  ASSERT_TRUE(proc_);
  HWND tips = WaitWindow(kTipsClass, kTipsCaption, true, kWaitMs, proc_.pid());
  ASSERT_TRUE(tips) << DescribeBoxes(proc_.pid());
  EXPECT_EQ(Position(tips), "2 of 49");
  EXPECT_EQ(FindTop(kCameraClass, kCameraCaption), nullptr) << "the camera role started";
  ASSERT_TRUE(Post(tips, WM_CLOSE));
  EXPECT_EQ(proc_.WaitExit(), std::optional<DWORD>(0));
}

TEST_F(DailyTipsTest, SubmitSuggestionOnRoomForMoreOpensTheSupportMail) {
  HWND tips = StartTips(46);  // "Room For More"
  ASSERT_TRUE(tips) << DescribeBoxes(proc_.pid());
  EXPECT_EQ(Position(tips), "47 of 49");
  HWND page = ::GetDlgItem(tips, kPage);
  HWND link = ::GetDlgItem(page, 308);
  ASSERT_TRUE(link);
  EXPECT_EQ(WindowText(link), "Submit Suggestion");
  ASSERT_TRUE(Post(page, WM_COMMAND, MAKEWPARAM(308, STN_CLICKED), LPARAM(link)));
  HWND mail = WaitWindow("TfrmContact", nullptr, true, kWaitMs, proc_.pid());
  ASSERT_TRUE(mail) << DescribeBoxes(proc_.pid());
  EXPECT_EQ(WindowText(mail).rfind("Send Email", 0), 0u) << WindowText(mail);
  ASSERT_TRUE(Post(mail, WM_CLOSE));
  EXPECT_TRUE(WaitGone(mail));
  ASSERT_TRUE(Post(tips, WM_CLOSE));
  EXPECT_TRUE(proc_.WaitExit());
}

TEST_F(DailyTipsTest, SwitchedOffOpensOnTheContentsTickedAndTickingAgainSaysHowToComeBack) {
  HWND tips = StartTips(-1);
  ASSERT_TRUE(tips) << DescribeBoxes(proc_.pid());
  EXPECT_EQ(Position(tips), "1 of 49");
  EXPECT_TRUE(Ticked(tips));
  // Unticked and closed on page 2: the next start shows page 3.
  ASSERT_TRUE(Post(::GetDlgItem(tips, kSwitchOff), BM_CLICK));
  ASSERT_TRUE(WaitUntil([&] { return !Ticked(tips); }));
  ASSERT_TRUE(Post(::GetDlgItem(tips, kNext), BM_CLICK));
  ASSERT_TRUE(WaitUntil([&] { return Position(tips) == "2 of 49"; }));
  ASSERT_TRUE(Post(tips, WM_CLOSE));
  ASSERT_TRUE(proc_.WaitExit());
  EXPECT_EQ(NextTip(), std::optional<DWORD>(2));

  // Ticking the box: the message, then the window ends with tips switched off.
  tips = StartTips(2);
  ASSERT_TRUE(tips);
  EXPECT_EQ(Position(tips), "3 of 49");
  ASSERT_TRUE(Post(::GetDlgItem(tips, kSwitchOff), BM_CLICK));
  HWND box = WaitBoxOf(proc_, nullptr);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "To view tips again, click Help/Tips.");
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(proc_.WaitExit());
  EXPECT_EQ(NextTip(), std::optional<DWORD>(DWORD(-1)));
}

}  // namespace
}  // namespace flk::e2e
