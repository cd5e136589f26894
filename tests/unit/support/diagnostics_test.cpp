#include "support/diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace flk {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

TEST(Diagnostics, ThirteenLinesWithTheDefaults) {
  DiagnosticsInput in;
  in.system = SystemFacts{2, 10, 0, 19045, "", 8ull << 30, 3ull << 30, 1280, 1024, 32, false, 0};
  in.mapiClient = 4;
  in.camToolText = false;
  in.viewerMemo = false;
  in.toolUse = "0102";
  std::vector<std::string> l = Lines(DiagnosticsText(in));
  ASSERT_EQ(l.size(), 13u);
  EXPECT_EQ(l[0].rfind("FramelarkPro 1.32", 0), 0u);
  EXPECT_EQ(l[1], "Source=Hollowbrook web site");
  EXPECT_EQ(l[2], "OS=WinNT/2000/XP 10.0.19045.  ");
  EXPECT_EQ(l[3], "RAM=8192 MiB, 3072 MiB available");
  EXPECT_EQ(l[4], "Screen=1280 x 1024 x 32 bit");
  EXPECT_EQ(l[5], "RefreshDelay=255");
  EXPECT_EQ(l[6], "SelectedClient=MS Outlook");
  EXPECT_EQ(l[7], "Mapi=unset");
  EXPECT_EQ(l[8], "NonMapiPop=T");
  EXPECT_EQ(l[9], "Panels=TTFT_TTFT");
  EXPECT_EQ(l[10], "ScrollSettings=F T 600 1 8388608 19 20 20 20 28 18 T");
  EXPECT_EQ(l[11], "RoboSettings=T T 400 1 8388608 19 20 20 20 28 18 T");
  EXPECT_EQ(l[12], "ToolsUsed=0102");
  EXPECT_EQ(DiagnosticsWindowHeight(DiagnosticsText(in), 13), (9 + 12) * 13);
}

TEST(Diagnostics, NamesAndDepths) {
  EXPECT_EQ(PlatformName(1, 0), "Windows 95");
  EXPECT_EQ(PlatformName(1, 10), "Windows 98");
  EXPECT_EQ(PlatformName(0, 0), "Windows 3.1 Win32s");
  EXPECT_EQ(PlatformName(7, 0), "unknown");
  EXPECT_EQ(MapiClientName(10), "Yahoo");
  EXPECT_EQ(MapiClientName(11), "unlisted");
  EXPECT_EQ(MapiClientName(-1), "unlisted");
  EXPECT_EQ(ReportedScreenDepth(16, false, 0), 16);
  EXPECT_EQ(ReportedScreenDepth(8, true, 256), 8);
  EXPECT_EQ(ReportedScreenDepth(8, true, 16), 4);
  EXPECT_EQ(ReportedScreenDepth(8, true, 4), 2);
  EXPECT_EQ(ReportedScreenDepth(8, true, 2), 1);
}

TEST(SupportMail, MailtoEscapingAndItsCut) {
  EXPECT_EQ(EscapeMailtoBody("a=b & c?"), "a:b {and} c{Qmark}");
  EXPECT_EQ(EscapeMailtoBody("x\r\ny"), "x%0D%0Ay");
  // 417 letters, then a line feed: its escape would cross 418 and is left out whole.
  std::string body(417, 'a');
  EXPECT_EQ(EscapeMailtoBody(body + "\nmore"), body);
  EXPECT_EQ(EscapeMailtoBody(std::string(500, 'b')).size(), kMailtoBodyLimit);
  EXPECT_EQ(MailtoLink("s@h.example", "Hi", "x"), "mailto:<s@h.example>?subject=Hi&body=x");
  EXPECT_EQ(MailtoLink("", "", "x"), "mailto:<>?body=x");
}

TEST(SupportMail, CallersConfigurationAndInstructions) {
  MailRequest bug = BugReportMail();
  EXPECT_EQ(bug.subject, "FramelarkPro Bug Report");
  EXPECT_TRUE(bug.byClipboard && bug.appendConfiguration);
  EXPECT_NE(bug.body.find("This happened . . ."), std::string::npos);
  EXPECT_FALSE(FeedbackMail().byClipboard);
  MailRequest problem = ProblemReportMail("LINES");
  EXPECT_FALSE(problem.appendConfiguration);
  EXPECT_EQ(problem.body.substr(problem.body.size() - 19), "Diagnostics:\r\nLINES");
  EXPECT_EQ(SuggestionMail().address, "support@hollowbrook.example");
  // Appended at every press.
  std::string twice = WithConfiguration(WithConfiguration("B", "D"), "D");
  EXPECT_EQ(twice, "B\r\n\r\nMy configuration (this is optional):\r\nD\r\n\r\nMy configuration (this is optional):\r\nD");
  EXPECT_EQ(TryLastInstructions(true, "a@b"),
            "1 Start your email program.\r\n2 Start a new email.\r\n3 Click inside the message body.\r\n"
            "4 Click Edit / Paste on the email program.\r\n5 Address to: a@b\r\n6 Click Send.");
  EXPECT_NE(TryLastInstructions(true, "").find("5 Enter the To address."), std::string::npos);
  EXPECT_NE(TryLastInstructions(false, "a@b").find("3 Click inside the \"To\" field."), std::string::npos);
  EXPECT_EQ(MapiErrorText(-2), "MapiSendMail Err # -2\r\n\r\nTry another email method.");
}

}  // namespace
}  // namespace flk
