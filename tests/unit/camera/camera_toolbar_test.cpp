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

// Store, Hold and Window with a separator between Store and Hold, and More.
PanelPlaces ThreeButtons() {
  MenuRowPlacement row;
  row.buttons = {Rect{5, 27, 40, 46}};
  row.titleGlyphs = std::array<Rect, 3>{Rect{1, 1, 2, 2}, Rect{2, 2, 3, 3}, Rect{3, 3, 4, 4}};
  ToolbarPlacement bar;
  bar.items = {{1, Rect{7, 48, 64, 88}}, {-1, Rect{64, 48, 72, 88}}, {10, Rect{72, 48, 117, 88}},
               {15, Rect{117, 48, 162, 88}}};
  bar.moreVisible = true;
  bar.more = Rect{290, 48, 335, 88};
  PanelPlaces p;
  p.Place(row, bar);
  return p;
}

TEST(PanelPlaces, TheHitMapGetsWhatWasPlaced) {
  PanelPlaces p = ThreeButtons();
  CamLayout l = Panel(335);
  l.status = Rect{0, 85, 335, 103};
  CameraHitMap m;
  p.AddTo(m, l);
  EXPECT_EQ(m.titleBar, (Rect{5, 5, 340, 27}));
  EXPECT_EQ(m.titleGlyphs[2], (Rect{3, 3, 4, 4}));
  ASSERT_EQ(m.menuButtons.size(), size_t(kMenuRowButtons));
  EXPECT_EQ(m.menuButtons[0], (Rect{5, 27, 40, 46}));
  EXPECT_EQ(m.toolItems.size(), 4u);
  EXPECT_TRUE(m.toolItems[1].empty());  // a separator takes no press
  EXPECT_EQ(m.toolButtons, (std::vector<int>{1, -1, 10, 15}));
  EXPECT_EQ(m.more, (Rect{290, 48, 335, 88}));
  EXPECT_EQ(m.status, (Rect{5, 90, 340, 108}));
  EXPECT_TRUE(m.menuRowClose.empty());  // the title bar shows
}

TEST(ToolbarPaint, StatesAndPartsOfEachButton) {
  PanelPlaces p = ThreeButtons();
  p.SetHot(3);
  p.SetPressed(kMoreItem);
  const Rect row{5, 46, 340, 90};
  ToolbarLook look{CameraModes{true, false}, true, true, true};
  std::vector<ToolPaint> paint = PlanToolbarPaint(p, row, look, DpiScale{});
  ASSERT_EQ(paint.size(), 6u);  // 3 buttons, the separator, More's bevel and More
  EXPECT_EQ(paint[0].button, ToolButton::Store);
  EXPECT_EQ(paint[0].edge, ToolPaint::Flat);
  ASSERT_TRUE(paint[0].arrowAt);  // Store's drop-down arrow, its face narrower by the arrow
  EXPECT_EQ(*paint[0].arrowAt, (Point{64 - 9, 67}));
  ASSERT_TRUE(paint[0].imageAt && paint[0].captionRect);
  EXPECT_EQ(paint[0].imageAt->x, 7 + (57 - 12 - 20) / 2);
  EXPECT_EQ(paint[0].captionRect->right, 7 + 45);
  EXPECT_TRUE(paint[0].captionTop);
  EXPECT_EQ(paint[1].kind, ToolPaint::Etched);
  EXPECT_EQ(paint[1].rect, (Rect{67, 50, 69, 86}));
  EXPECT_EQ(paint[2].edge, ToolPaint::Sunken);  // Hold is down while it is on
  EXPECT_FALSE(paint[2].arrowAt);
  EXPECT_TRUE(paint[3].greyed);                 // Window is off with Hold
  EXPECT_EQ(paint[3].edge, ToolPaint::Flat);    // so it does not rise under the mouse
  EXPECT_FALSE(paint[3].hotImage);
  EXPECT_EQ(paint[4].kind, ToolPaint::Etched);
  EXPECT_EQ(paint[4].rect, (Rect{286, 48, 288, 88}));
  EXPECT_EQ(paint[5].button, ToolButton::More);
  EXPECT_EQ(paint[5].edge, ToolPaint::Sunken);

  // Images only: the image is centred, no caption; a stale view greys everything.
  p.SetHot(0);
  look = ToolbarLook{CameraModes{}, false, true, false};
  paint = PlanToolbarPaint(p, row, look, DpiScale{});
  EXPECT_EQ(paint[0].imageAt->y, 48 + (40 - 20) / 2);
  EXPECT_FALSE(paint[0].captionRect);
  EXPECT_EQ(paint[0].edge, ToolPaint::Flat);
  EXPECT_TRUE(paint[0].hotImage);
  EXPECT_TRUE(paint[0].greyed && paint[2].greyed && paint[5].greyed);
  // Captions only, at 144 DPI: the caption fills the face and is centred.
  look = ToolbarLook{CameraModes{}, true, false, true};
  paint = PlanToolbarPaint(p, row, look, DpiScale{144});
  EXPECT_FALSE(paint[2].imageAt);
  EXPECT_EQ(*paint[2].captionRect, (Rect{72, 48, 117, 87}));
  EXPECT_FALSE(paint[2].captionTop);
  EXPECT_EQ(paint[0].captionRect->right, 64 - 18);
  EXPECT_EQ(paint[0].edge, ToolPaint::Raised);
}

}  // namespace
}  // namespace flk
