#include "tips/tips_frame.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/monitors.h"
#include "tips/tips_book.h"

namespace flk {
namespace {

// Every text is one line of 10 pixels, whatever its width.
int OneLine(const std::string&, TipFont, int) { return 10; }

const TipItem* Find(const TipPageLayout& l, int id) {
  for (const TipItem& i : l.items)
    if (i.id == id) return &i;
  return nullptr;
}

TEST(TipsFrame, ToolBarButtonsSpacersAndTheTabsAtTheDesignSize) {
  ASSERT_EQ(TipsToolButtons().size(), 7u);
  EXPECT_EQ(TipsToolButtons()[0].id, kTipsNextId);
  EXPECT_EQ(TipsToolButtons()[1].id, 0);
  EXPECT_STREQ(TipsToolButtons()[6].caption, "C&lose");

  TipsFrameLayout l = LayOutTipsFrame({kTipsWidth, kTipsHeight}, DpiScale{});
  EXPECT_EQ(l.switchOff, Rect::FromXYWH(6, 319, 220, 17));
  EXPECT_EQ(l.position, Rect::FromXYWH(456, 317, 60, 21));
  EXPECT_EQ(l.bottomPanel, (Rect{0, 315, 520, 340}));
  // The bar is 295 high, above seven buttons of 41: the spacers show between the buttons.
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(l.shown[i]) << i;
  EXPECT_EQ(l.buttons[0], Rect::FromXYWH(453, 10, 57, 41));
  EXPECT_EQ(l.buttons[2].top, 92);
  EXPECT_EQ(l.buttons[6].top, 10 + 6 * 41);
  EXPECT_EQ(l.tabs, (Rect{13, 13, 446, 302}));

  // 287 high exactly: the spacers hide and the buttons close up.
  TipsFrameLayout low = LayOutTipsFrame({kTipsWidth, 287 + 45}, DpiScale{});
  for (int i = 0; i < 7; ++i) EXPECT_EQ(low.shown[i], i % 2 == 0) << i;
  EXPECT_EQ(low.buttons[2].top, 51);
  EXPECT_EQ(low.buttons[6].top, 133);
}

TEST(TipsFrame, ScaledFrameAndCentring) {
  TipsFrameLayout l = LayOutTipsFrame({780, 510}, DpiScale{144});
  EXPECT_EQ(l.bottomPanel.top, 510 - 38);
  EXPECT_EQ(l.buttons[0], Rect::FromXYWH(780 - 15 - 86, 15, 86, 62));  // 57 and 41 at 1.5, rounded
  EXPECT_EQ(l.tabs.left, 15 + 4);
  EXPECT_EQ(CentredIn(Rect{0, 0, 1024, 738}, {536, 379}), (Point{244, 179}));
  EXPECT_EQ(CentredIn(Rect{-1280, 100, 0, 1100}, {500, 401}), (Point{-890, 399}));  // a monitor left of the primary
}

TEST(TipPageLayout, ATextPageStacksTitleTextAndSeeAlso) {
  const int email = GoToTipPage("Email");
  TipPageLayout l = LayOutTipPage(email, DpiScale{}, OneLine);
  const TipItem* title = Find(l, kTipTitleId);
  ASSERT_TRUE(title);
  EXPECT_EQ(title->rect, Rect::FromXYWH(8, 8, 400, 10));
  EXPECT_EQ(title->font, TipFont::Title);
  const TipItem* text = Find(l, kTipTextId);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->kind, TipItemKind::ReadOnly);
  EXPECT_EQ(text->rect, Rect::FromXYWH(8, 24, 400, 14));
  const TipItem* label = Find(l, kTipLabelId);
  ASSERT_TRUE(label);
  EXPECT_EQ(label->kind, TipItemKind::Link);
  EXPECT_EQ(label->text, "Email Attachment");
  EXPECT_EQ(label->rect, Rect::FromXYWH(78, 48, 330, 12));
  EXPECT_EQ(l.contentHeight, 60 + 8);
  EXPECT_FALSE(Find(l, kTipListId));
}

TEST(TipPageLayout, ListsLinksAndTheFeaturesPage) {
  TipPageLayout contents = LayOutTipPage(0, DpiScale{}, OneLine);
  const TipItem* list = Find(contents, kTipListId);
  ASSERT_TRUE(list);
  EXPECT_EQ(contents.listItemHeight, 13);
  EXPECT_EQ(list->rect.height(), 13 * 6 + 2);
  EXPECT_EQ(contents.contentHeight, list->rect.bottom + 8);

  TipPageLayout tutorial = LayOutTipPage(GoToTipPage("My First Capture"), DpiScale{}, OneLine);
  ASSERT_TRUE(Find(tutorial, kTipCameraLinkId));
  EXPECT_EQ(Find(tutorial, kTipCameraLinkId)->text, kTutorialCameraLink);
  ASSERT_TRUE(Find(LayOutTipPage(GoToTipPage("Room For More"), DpiScale{}, OneLine), kTipSuggestionId));

  TipPageLayout features = LayOutTipPage(GoToTipPage("Features"), DpiScale{}, OneLine);
  EXPECT_FALSE(Find(features, kTipTextId));
  int labels = 0;
  for (const TipItem& i : features.items) labels += FeatureTagOf(i.id) != 0;
  EXPECT_EQ(labels, 7);
  EXPECT_EQ(Find(features, kTipFeatureBaseId + 7)->rect, Rect::FromXYWH(8, 24 + 6 * 20, 120, 20));
  EXPECT_EQ(Find(features, kTipFeatureHeadingId)->text, kFeaturesHint);
  EXPECT_EQ(Find(features, kTipFeatureTextId)->rect.top, 24 + 22);
  EXPECT_EQ(Find(features, kTipPictureId)->kind, TipItemKind::Picture);
  EXPECT_EQ(features.contentHeight, 24 + 7 * 20 + 8);  // the labels reach lower than the description
  for (const TipItem& i : features.items)
    EXPECT_EQ(i.text.find("&&"), std::string::npos) << i.text;  // captions are shown plain
}

TEST(TipPageLayout, PressesAskForTheirPages) {
  EXPECT_EQ(PlainCaption("Store && Recall"), "Store & Recall");
  EXPECT_EQ(PlainCaption("a&&&&b&"), "a&&b&");
  const int tools = GoToTipPage("Tools");
  TipPress p = TipListPress(tools, 0);
  EXPECT_EQ(p.kind, TipPress::GoTo);
  EXPECT_EQ(GoToTipPage(p.page), GoToTipPage("Store & Recall"));
  EXPECT_EQ(TipListPress(tools, -1).kind, TipPress::None);
  EXPECT_EQ(TipListPress(tools, 15).kind, TipPress::None);
  EXPECT_EQ(TipListPress(GoToTipPage("Email"), 0).kind, TipPress::None);  // no list there

  EXPECT_EQ(TipControlPress(1, kTipCameraLinkId).kind, TipPress::Camera);
  EXPECT_EQ(TipControlPress(1, kTipSuggestionId).kind, TipPress::Suggestion);
  p = TipControlPress(GoToTipPage("Robo Capture"), kTipLabelId);
  EXPECT_EQ(p.page, "Scroll Capture");
  EXPECT_EQ(TipControlPress(3, kTipFeatureBaseId + 1).kind, TipPress::None);  // a feature without a jump
  p = TipControlPress(3, kTipFeatureBaseId + 5);
  EXPECT_EQ(p.page, "Store & Recall");
  EXPECT_EQ(TipControlPress(3, kTipTitleId).kind, TipPress::None);
  EXPECT_EQ(FeatureTagOf(kTipFeatureBaseId), 0);
  EXPECT_EQ(FeatureTagOf(kTipFeatureBaseId + 8), 0);
}

TEST(TipPageLayout, ScrollingStaysInsideTheContent) {
  // A 900-pixel page in a 250-pixel view, lines of 16: the bar runs 0..899, 250 a page.
  const ScrollBarState bar{100, 420, 899, 250};
  const ScrollSteps steps = TipScrollSteps(bar, 16, 900);
  const struct {
    ScrollRequest request;
    int expected;
  } cases[] = {{ScrollRequest::LineBack, 84}, {ScrollRequest::LineOn, 116}, {ScrollRequest::PageBack, 0},
               {ScrollRequest::PageOn, 350},  {ScrollRequest::Track, 420},  {ScrollRequest::Start, 0},
               {ScrollRequest::End, 650},     {ScrollRequest::None, 100}};
  for (const auto& c : cases) EXPECT_EQ(ScrollPosition(c.request, bar, steps), c.expected) << int(c.request);
  EXPECT_EQ(TipScrollSteps({0, 0, 199, 250}, 16, 200).last, 0) << "content shorter than the view";
  EXPECT_EQ(ClampScroll(-150, 900, 250), 0);
  EXPECT_EQ(ClampScroll(900, 900, 250), 650);
  EXPECT_EQ(ClampScroll(40, 200, 250), 0);  // content shorter than the view
}

}  // namespace
}  // namespace flk
