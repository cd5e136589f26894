// Where the control panel's clickable parts lie: menu row buttons, corner
// buttons, the menu row's close button, toolbar items and "More".
#include "camera/camera_toolbar.h"

#include "camera/camera_layout.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

CamLayout Panel(int width) {
  CamLayout l;
  l.controlVisible = true;
  l.control = Rect{5, 5, 5 + width, 5 + 103};
  l.titleBar = Rect{0, 0, width, 22};
  l.menuRow = Rect{0, 22, width, 41};
  l.toolBar = Rect{0, 41, width, 85};
  return l;
}

TEST(PlaceMenuRow, ButtonsFollowTheCaptionsWithTheirPaddingAtEachScale) {
  struct Case { int dpi; int pad; } cases[] = {{96, 14}, {144, 21}, {192, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    MenuRowPlacement p = PlaceMenuRow(Panel(335), {20, 31, 0}, DpiScale{c.dpi});
    ASSERT_EQ(p.buttons.size(), 3u);
    int x = 5;
    for (int i = 0; i < 3; ++i) {
      int w = (i == 0 ? 20 : i == 1 ? 31 : 0) + c.pad;
      EXPECT_EQ(p.buttons[size_t(i)], (Rect{x, 27, x + w, 46}));
      x += w;
    }
  }
}

TEST(PlaceMenuRow, CornerButtonsOnlyWithTheTitleBar) {
  MenuRowPlacement p = PlaceMenuRow(Panel(335), {}, DpiScale{});
  ASSERT_TRUE(p.titleGlyphs.has_value());
  // pnlTopRtCorner: 73 wide, 4 from the right and the top of the title bar.
  const int cx = 340 - 77, cy = 9;
  EXPECT_EQ((*p.titleGlyphs)[0], (Rect{cx + 21, cy, cx + 37, cy + 14}));
  EXPECT_EQ((*p.titleGlyphs)[1], (Rect{cx + 37, cy, cx + 53, cy + 14}));
  EXPECT_EQ((*p.titleGlyphs)[2], (Rect{cx + 57, cy, cx + 73, cy + 14}));
  EXPECT_TRUE(p.close.empty());

  CamLayout noTitle = Panel(335);
  noTitle.titleBar = Rect{};
  noTitle.closeOnMenuRow = true;
  p = PlaceMenuRow(noTitle, {}, DpiScale{});
  EXPECT_FALSE(p.titleGlyphs.has_value());
  EXPECT_EQ(p.close, (Rect{340 - 19, 29, 340 - 3, 43}));

  CamLayout hidden = Panel(335);
  hidden.controlVisible = false;
  EXPECT_FALSE(PlaceMenuRow(hidden, {}, DpiScale{}).titleGlyphs.has_value());
}

void AllVisible(bool (&v)[kToolButtonCount], bool on) {
  for (bool& b : v) b = on;
}

TEST(PlaceToolbar, ItemsRunLeftToRightAndMoreTakesTheRightEndWhenTheyDoNotFit) {
  bool visible[kToolButtonCount];
  AllVisible(visible, true);
  for (int width : {120, 335, 2000}) {
    for (bool text : {false, true}) {
      SCOPED_TRACE(testing::Message() << width << " text " << text);
      ToolbarPlacement p = PlaceToolbar(Panel(width), text, visible, DpiScale{});
      std::vector<ToolbarItem> all = VisibleToolbarItems(visible, text ? 45 : 30, 8, kToolDropArrow);
      std::vector<int> widths = WidthsOf(all);
      EXPECT_EQ(p.moreVisible, MoreAreaVisible(width, widths));
      int x = 5 + 2;
      for (size_t i = 0; i < p.items.size(); ++i) {
        EXPECT_EQ(p.items[i].button, all[i].button);
        EXPECT_EQ(p.items[i].rect, (Rect{x, 48, x + all[i].width, 48 + 40}));
        x += all[i].width;
      }
      int right = 5 + width - 2;
      if (p.moreVisible) {
        EXPECT_EQ(p.more, (Rect{right - (text ? 45 : 30), 48, right, 88}));
        right = p.more.left - 6;
        EXPECT_LT(p.items.size(), all.size());
      } else {
        EXPECT_TRUE(p.more.empty());
        EXPECT_EQ(p.items.size(), all.size());
      }
      EXPECT_LE(x, right);
      if (p.items.size() < all.size()) {
        EXPECT_GT(x + all[p.items.size()].width, right);
      }
    }
  }
}

TEST(PlaceToolbar, NothingWithoutAToolbarRow) {
  bool visible[kToolButtonCount];
  AllVisible(visible, true);
  CamLayout noBar = Panel(335);
  noBar.toolBar = Rect{};
  EXPECT_TRUE(PlaceToolbar(noBar, false, visible, DpiScale{}).items.empty());
  CamLayout hidden = Panel(335);
  hidden.controlVisible = false;
  ToolbarPlacement p = PlaceToolbar(hidden, false, visible, DpiScale{});
  EXPECT_TRUE(p.items.empty());
  EXPECT_FALSE(p.moreVisible);
  AllVisible(visible, false);
  EXPECT_TRUE(PlaceToolbar(Panel(335), false, visible, DpiScale{}).items.empty());
}

TEST(PlaceToolbar, ScalesButtonsAndPadding) {
  bool visible[kToolButtonCount];
  AllVisible(visible, false);
  visible[0] = true;
  ToolbarPlacement p = PlaceToolbar(Panel(600), false, visible, DpiScale{192});
  ASSERT_EQ(p.items.size(), 1u);
  EXPECT_EQ(p.items[0].rect.left, 5 + 4);
  EXPECT_EQ(p.items[0].rect.top, 46 + 4);
  EXPECT_EQ(p.items[0].rect.height(), 44 - 8);
  EXPECT_EQ(p.items[0].rect.width(), VisibleToolbarItems(visible, 60, 16, 24)[0].width);
}

}  // namespace
}  // namespace flk

namespace flk {
namespace {

// A docked camera is never narrower than its title and menu row need: at its
// narrowest every menu caption and the title text lie clear of the corner
// buttons and inside the panel, at every scale and with or without a title bar.
TEST(PanelRowsWidth, TheNarrowestDockedCameraShowsEveryMenuTitleAndItsTitle) {
  const struct {
    int dpi;
    std::vector<int> captions;
    int title;
    bool titleBar;
  } kCases[] = {
      {96, {19, 24, 28, 38, 24}, 72, true},   {144, {30, 38, 44, 60, 37}, 112, true},
      {96, {19, 24, 28, 38, 24}, 72, false},  {192, {40, 50, 58, 80, 50}, 150, true},
      {96, {10, 10, 10, 10, 10}, 160, true},  // a long title decides
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.dpi << (c.titleBar ? " with title" : " without"));
    const DpiScale s{c.dpi};
    LayoutInput in;
    in.width = 50;  // far too narrow: the layout asks to grow
    in.titleBar = c.titleBar;
    in.scale = s;
    in.panelRowsWidth = PanelRowsWidth(c.captions, c.title, c.titleBar, s);
    CamLayout grown = ArrangeControls(in);
    ASSERT_TRUE(grown.needsGrowth());
    in.width += grown.growDx;
    in.height += grown.growDy;
    CamLayout l = ArrangeControls(in);
    EXPECT_FALSE(l.needsGrowth());
    MenuRowPlacement row = PlaceMenuRow(l, c.captions, s);
    const int rowRight = row.close.empty() ? l.control.right : row.close.left;
    EXPECT_LE(row.buttons.back().right, rowRight);
    if (c.titleBar) {
      ASSERT_TRUE(row.titleGlyphs);
      const int titleTextRight = l.control.left + s(26) + c.title;
      EXPECT_LT(titleTextRight, (*row.titleGlyphs)[0].left);
    }
    // Floating and held cameras keep their own minimums.
    in.width = 50;
    in.hold = true;
    EXPECT_EQ(ArrangeControls(in).minWidth, s(100));
  }
}

}  // namespace
}  // namespace flk
