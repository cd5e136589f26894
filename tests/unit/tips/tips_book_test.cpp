#include "tips/tips_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flk {
namespace {

TEST(TipsBook, PagesInTheirOrderWithCaptionsAndLinkNames) {
  ASSERT_EQ(TipPageCount(), 49);
  const std::vector<std::string> first{"Contents",         "My First Capture", "More Tutorial",     "Features",
                                       "Tools",            "Store && Recall",  "Save && Save+1",    "Print && PrintFit",
                                       "Copy && Paste",    "Editor",           "Email",             "Sticky",
                                       "Hold On Top"};
  for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(TipPageAt(int(i)).caption, first[i]) << i;
  EXPECT_STREQ(TipPageAt(1).linkName, "My First Screen Capture  --  Tutorial");
  EXPECT_STREQ(TipPageAt(3).linkName, "My First Screen Capture, Tutorial");
  EXPECT_STREQ(TipPageAt(11).linkName, "Sticky Note");
  EXPECT_STREQ(TipPageAt(20).caption, "Tips");
  EXPECT_STREQ(TipPageAt(21).caption, "Grab Zones");
  EXPECT_STREQ(TipPageAt(47).caption, "Email Hollowbrook");
  EXPECT_STREQ(TipPageAt(48).caption, "This Version");
  EXPECT_EQ(ThisVersionIndex(), 48);
  for (int i = 0; i < TipPageCount(); ++i) {
    // Every page but "Features" (its labels speak) has a title and a text naming what it is about.
    EXPECT_NE(std::string(TipPageAt(i).title), "") << i;
    if (i != 3) {
      EXPECT_GT(std::string(TipPageAt(i).text).size(), 40u) << TipPageAt(i).caption;
    }
  }
}

TEST(TipsBook, NextTipIndexWrapsAndSkipsThisVersion) {
  EXPECT_EQ(NextTipIndex(0, true), 1);
  EXPECT_EQ(NextTipIndex(5, false), 4);
  EXPECT_EQ(NextTipIndex(46, true), 47);
  EXPECT_EQ(NextTipIndex(47, true), 0);   // "Email Hollowbrook" -> past "This Version" to the contents
  EXPECT_EQ(NextTipIndex(0, false), 47);  // backward below 0 lands on the last page, which is skipped
  EXPECT_EQ(NextTipIndex(48, true), 0);   // from "This Version" (reached by a link)
  EXPECT_EQ(NextTipIndex(48, false), 47);
  // A full round forward visits every page but "This Version" once.
  std::vector<int> seen(size_t(TipPageCount()), 0);
  for (int i = 0, p = 0; i < TipPageCount() - 1; ++i, p = NextTipIndex(p, true)) ++seen[size_t(p)];
  for (int i = 0; i < TipPageCount(); ++i) EXPECT_EQ(seen[size_t(i)], i == 48 ? 0 : 1) << i;
}

TEST(TipsBook, GoToTipPageByCaptionOrLinkNameExactly) {
  EXPECT_EQ(GoToTipPage("Store & Recall"), 5);  // the link name of "Store && Recall"
  EXPECT_EQ(GoToTipPage("Store && Recall"), 5);  // its caption
  EXPECT_EQ(GoToTipPage("Sticky Note"), 11);
  EXPECT_EQ(GoToTipPage("Sticky"), 11);
  EXPECT_EQ(GoToTipPage("My First Screen Capture  --  Tutorial"), 1);
  EXPECT_EQ(GoToTipPage("This Version"), 48);
  EXPECT_EQ(GoToTipPage("store & recall"), -1);  // case matters
  EXPECT_EQ(GoToTipPage("See also:"), -1);
  EXPECT_EQ(GoToTipPage(""), -1);
}

TEST(TipsBook, EveryLinkListItemLabelAndFeatureJumpFindsItsPage) {
  EXPECT_EQ(TipLinks(TipLinkList::Contents).size(), 6u);
  EXPECT_EQ(TipLinks(TipLinkList::Tools).size(), 15u);
  ASSERT_EQ(TipLinks(TipLinkList::Tips).size(), 27u);
  EXPECT_STREQ(TipLinks(TipLinkList::Tips).front(), "Grab Zones");
  EXPECT_STREQ(TipLinks(TipLinkList::Tips).back(), "Email Hollowbrook");
  for (TipLinkList list : {TipLinkList::Contents, TipLinkList::Tools, TipLinkList::Tips})
    for (const char* item : TipLinks(list)) EXPECT_GE(GoToTipPage(item), 0) << item;
  // Each list sits on its page.
  EXPECT_EQ(TipPageAt(0).list, TipLinkList::Contents);
  EXPECT_EQ(TipPageAt(4).list, TipLinkList::Tools);
  EXPECT_EQ(TipPageAt(20).list, TipLinkList::Tips);
  // Link labels.
  const std::pair<const char*, const char*> labels[] = {{"Email", "Email Attachment"}, {"Hold On Top", "Sticky"},
                                                        {"Edge To Edge", "Control Panel"},
                                                        {"Robo Capture", "Scroll Capture"},
                                                        {"Scroll Capture", "Robo Capture"}};
  int withLabel = 0;
  for (int i = 0; i < TipPageCount(); ++i) withLabel += *TipPageAt(i).seeAlso != 0;
  EXPECT_EQ(withLabel, 5);
  for (auto [page, label] : labels) {
    EXPECT_STREQ(TipPageAt(GoToTipPage(page)).seeAlso, label);
    EXPECT_GE(GoToTipPage(label), 0) << label;
  }
  ASSERT_EQ(TipFeatures().size(), 7u);
  const char* jumps[] = {"", "", "Robo Capture", "Hold On Top", "Store & Recall", "LastCaptures", "Buttons Off"};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(TipFeatures()[i].tag, int(i) + 1);
    EXPECT_STREQ(TipFeatures()[i].jump, jumps[i]);
    if (*jumps[i]) {
      EXPECT_GE(GoToTipPage(jumps[i]), 0);
    }
  }
  EXPECT_STREQ(TipFeatures()[1].heading, "Point & Shoot");
  EXPECT_STREQ(TipFeatures()[5].heading, "LastCaptures Folder");
}

TEST(TipsBook, PositionStartAndClose) {
  EXPECT_EQ(TipPositionText(4), "5 of 49");
  EXPECT_EQ(TipPositionText(0), "1 of 49");
  TipsStart off = TipsStartOf(-1);
  EXPECT_EQ(off.page, 0);
  EXPECT_TRUE(off.switchedOff);
  EXPECT_EQ(TipsStartOf(1).page, 1);
  EXPECT_FALSE(TipsStartOf(1).switchedOff);
  EXPECT_EQ(TipsStartOf(48).page, 48);
  EXPECT_EQ(TipsStartOf(49).page, 0);
  EXPECT_EQ(TipsStartOf(-5).page, 0);
  EXPECT_FALSE(TipsStartOf(-5).switchedOff);
  EXPECT_EQ(NextTipAtClose(47, false), 0);  // closing on "Email Hollowbrook" stores the contents
  EXPECT_EQ(NextTipAtClose(5, false), 6);
  EXPECT_EQ(NextTipAtClose(5, true), -1);
  EXPECT_EQ(NextTipAtClose(48, false), 0);
}

}  // namespace
}  // namespace flk
