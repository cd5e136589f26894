#include "viewer/viewer_options.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

TEST(ViewerOptions, EachPanelRowTurnsOverItsOwnPartOnly) {
  const ViewerLook all;
  struct Case {
    int row;
    bool ViewerLook::*field;
  } cases[] = {{0, &ViewerLook::toolImages}, {1, &ViewerLook::toolText}, {2, &ViewerLook::memo},
               {3, &ViewerLook::status}};
  for (const Case& c : cases) {
    EXPECT_TRUE(PanelChecked(all, c.row));
    ViewerLook off = WithPanelToggled(all, c.row);
    EXPECT_FALSE(off.*c.field) << c.row;
    EXPECT_FALSE(PanelChecked(off, c.row));
    ViewerLook expected = all;
    expected.*c.field = false;
    EXPECT_EQ(off, expected) << c.row;
    EXPECT_EQ(WithPanelToggled(off, c.row), all) << c.row;  // a second click restores
  }
  EXPECT_EQ(WithPanelToggled(all, 4), all);
  EXPECT_EQ(WithPanelToggled(all, -1), all);
  EXPECT_FALSE(PanelChecked(all, 4));
}

TEST(ViewerOptions, ButtonRowsAreTheToolBarButtonsInOrder) {
  ViewerLook look;
  const ViewerButton order[] = {ViewerButton::Camera, ViewerButton::Paste,  ViewerButton::Save,
                                ViewerButton::SaveInc, ViewerButton::Print, ViewerButton::PrintFit,
                                ViewerButton::Copy,   ViewerButton::Edit,   ViewerButton::Email,
                                ViewerButton::Sticky, ViewerButton::Delete, ViewerButton::Invert,
                                ViewerButton::Crop,   ViewerButton::Mirror, ViewerButton::Flip,
                                ViewerButton::Prop};
  for (int row = 0; row < 16; ++row) {
    ViewerLook off = WithButtonToggled(look, row);
    EXPECT_FALSE(off.Shows(order[row])) << kButtonRowTexts[row];
    EXPECT_FALSE(ButtonChecked(off, row));
    int shown = 0;
    for (bool b : off.buttons) shown += b;
    EXPECT_EQ(shown, 15);
    EXPECT_TRUE(off.toolImages && off.toolText && off.memo && off.status);
  }
  EXPECT_STREQ(kButtonRowTexts[5], "Print Fit");
  EXPECT_STREQ(kButtonRowTexts[15], "Property");
  EXPECT_EQ(WithButtonToggled(look, 16), look);
  EXPECT_FALSE(ButtonChecked(look, 16));
}

TEST(ViewerOptions, ButtonListEnabledWithIconsOrCaptions) {
  ViewerLook look;
  EXPECT_TRUE(ButtonListEnabled(look));
  look = WithPanelToggled(look, 0);
  EXPECT_TRUE(ButtonListEnabled(look));  // captions only
  look = WithPanelToggled(look, 1);
  EXPECT_FALSE(ButtonListEnabled(look));  // neither: tool bar hidden
  look = WithPanelToggled(look, 2);
  EXPECT_FALSE(ButtonListEnabled(look));
  look = WithPanelToggled(look, 0);
  EXPECT_TRUE(ButtonListEnabled(look));  // icons only
}

TEST(ViewerOptions, MemoHeightAndPlacement) {
  EXPECT_EQ(ShownMemoHeight(0), 15);
  EXPECT_EQ(ShownMemoHeight(14), 15);
  EXPECT_EQ(ShownMemoHeight(15), 15);
  EXPECT_EQ(ShownMemoHeight(90), 90);
  EXPECT_EQ(PlaceAtPointer({400, 300}, 311), (Point{245, 300}));
  EXPECT_EQ(PlaceAtPointer({-5, 10}, 311), (Point{-160, 10}));  // toward zero
}

}  // namespace
}  // namespace flk
