#include "support/contact.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/memory_store.h"
#include "shell/names.h"

namespace flk {
namespace {

struct QuietUi : SettingsUi {
  void Message(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string&) override { return true; }
};

MailRequest Request(bool byClipboard, bool append, std::string address = "s@h.example") {
  return {address, "Subj", "Body & more", byClipboard, append};
}

TEST(ContactSession, TryFirstAppendsTheConfigurationFetchedAtEachPress) {
  int fetched = 0;
  ContactSession s(Request(false, true), [&] { return "CFG" + std::to_string(++fetched); });
  EXPECT_EQ(s.TryFirst().body, WithConfiguration("Body & more", "CFG1"));
  EXPECT_EQ(s.TryFirst().body, WithConfiguration(WithConfiguration("Body & more", "CFG1"), "CFG2"));
  ContactSession plain(Request(false, false), [&] { return std::string("never"); });
  EXPECT_EQ(plain.TryFirst().body, "Body & more");
  ContactSession none(Request(false, true), nullptr);  // a role without a report
  EXPECT_EQ(none.TryFirst().body, "Body & more");
}

TEST(ContactSession, TryNextEscapesTheBodyIntoTheLinkOrPastesItByTheClipboard) {
  ContactSession link(Request(false, true), [] { return std::string("CFG"); });
  ContactSession::Next n = link.TryNext(true);
  EXPECT_FALSE(n.clipboard);
  EXPECT_FALSE(n.steps);  // nothing to paste: no steps
  EXPECT_EQ(n.link, "mailto:<s@h.example>?subject=Subj&body=Body {and} more");
  EXPECT_EQ(link.request().body, "Body & more");  // the link carries no configuration

  ContactSession paste(Request(true, true), [] { return std::string("CFG"); });
  n = paste.TryNext(true);
  ASSERT_TRUE(n.clipboard);
  EXPECT_EQ(*n.clipboard, WithConfiguration("Body & more", "CFG"));
  EXPECT_EQ(n.link, MailtoLink("s@h.example", "Subj", kPasteBodyText));
  ASSERT_TRUE(n.steps);
  EXPECT_EQ(n.steps->text, kTryNextInstructions);
  EXPECT_EQ(n.steps->height, 140);
  EXPECT_FALSE(paste.TryNext(false).steps);
}

TEST(ContactSession, TryLastPutsTheBodyOrTheAddressOnTheClipboard) {
  ContactSession address(Request(false, true), [] { return std::string("CFG"); });
  ContactSession::Last l = address.TryLast(true);
  EXPECT_EQ(l.clipboard, "s@h.example");
  ASSERT_TRUE(l.steps);
  EXPECT_EQ(l.steps->text, TryLastInstructions(false, "s@h.example"));
  EXPECT_EQ(l.steps->height, 180);

  ContactSession noAddress(Request(false, true, ""), [] { return std::string("CFG"); });
  l = noAddress.TryLast(false);
  EXPECT_EQ(l.clipboard, WithConfiguration("Body & more", "CFG"));
  EXPECT_FALSE(l.steps);

  ContactSession bug(Request(true, false), nullptr);
  EXPECT_EQ(bug.TryLast(true).steps->text, TryLastInstructions(true, "s@h.example"));
}

TEST(ContactDialog, CaptionLayoutAndMapiAnswers) {
  EXPECT_EQ(ContactCaption(""), "Send Email");
  EXPECT_EQ(ContactCaption("a@b"), "Send Email to a@b");
  ASSERT_EQ(ContactWays().size(), 3u);
  EXPECT_STREQ(ContactWays()[2].button, "Try Last");
  ContactLayout l = LayOutContact();
  EXPECT_EQ(l.buttons[1], Rect::FromXYWH(10, 96, 90, 25));
  EXPECT_EQ(l.texts[2], Rect::FromXYWH(112, 166, 298, 72));
  EXPECT_EQ(l.showSteps.top, 246);
  EXPECT_EQ(l.close, Rect::FromXYWH(330, 294, 80, 25));
  EXPECT_LE(l.close.bottom, kContactHeight);
  EXPECT_FALSE(IsMapiFailure(0));
  EXPECT_FALSE(IsMapiFailure(1));  // the user cancelled
  EXPECT_TRUE(IsMapiFailure(2));
  EXPECT_TRUE(IsMapiFailure(-2));  // no mapi32.dll
}

TEST(DiagnosticsWindow, LayoutAndLineEnds) {
  MemoLayout at96 = LayOutMemo({444, 300}, DpiScale{});
  EXPECT_EQ(at96.memo, Rect::FromXYWH(0, 0, 444, 260));
  EXPECT_EQ(at96.buttons[0], Rect::FromXYWH(10, 268, 80, 25));
  EXPECT_EQ(at96.buttons[3], Rect::FromXYWH(280, 268, 80, 25));
  MemoLayout at144 = LayOutMemo({666, 30}, DpiScale{144});
  EXPECT_EQ(at144.memo.height(), 0);  // never negative
  EXPECT_EQ(at144.buttons[1], Rect::FromXYWH(15 + 135, 30 - 60 + 12, 120, 38));
}

TEST(Diagnostics, StoredSettingsFillTheReportAndMissingOnesKeepTheirDefaults) {
  InMemorySettingsStore store;
  QuietUi ui;
  Settings settings{store, ui};
  DiagnosticsInput in;
  in.system.screenWidth = 1234;
  ReadStoredDiagnostics(settings, in);  // no key at all
  EXPECT_EQ(in.refreshDelay, 255);
  EXPECT_EQ(in.system.screenWidth, 1234);

  store.CreateKey(RootKey::CurrentUser, kSettingsPath);
  settings.WriteSingleSetting("RefreshDelay", 300);
  settings.WriteSingleSetting("MapiClient", 4);
  settings.WriteSingleSetting("CamStatus", false);
  settings.WriteSingleSetting("ViewerMemo", false);
  settings.WriteSingleSetting("ToolUse", std::string("0,3"));
  ScrollParams robo = ResetScrollDefaults(false);
  robo.interval = 777;
  ASSERT_TRUE(settings.OpenSettingsKey(kAccessWrite));
  WriteScrollParams(settings, "AS_", robo);
  settings.EndWriteSeries();
  ReadStoredDiagnostics(settings, in);
  EXPECT_EQ(in.refreshDelay, 300);
  EXPECT_EQ(in.mapiClient, 4);
  EXPECT_FALSE(in.camStatus);
  EXPECT_TRUE(in.camTitle);
  EXPECT_FALSE(in.viewerMemo);
  EXPECT_EQ(in.toolUse, "0,3");
  EXPECT_EQ(in.robo.interval, 777);
  EXPECT_EQ(in.scroll.interval, ResetScrollDefaults(true).interval);
  EXPECT_EQ(in.system.screenWidth, 1234);
}

}  // namespace
}  // namespace flk
