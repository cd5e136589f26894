#include "viewer/viewer_options.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/form_check.h"
#include "viewer/viewer_layout.h"

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

TEST(ViewerOptionsForm, EveryPartLiesInsideTheDialogAndEachListInsideItsBox) {
  const ViewerOptionsForm f = ViewerOptionsLayout();
  // The lists checked as plain controls: inside the dialog, clear of OK.
  const std::vector<FormControl> table = {f.panelsGroup,
                                          {FormControl::Label, "panels", kOptionsPanelList, f.panels},
                                          f.buttonsGroup,
                                          {FormControl::Label, "buttons", kOptionsButtonList, f.buttons},
                                          f.ok};
  EXPECT_EQ(FormTableFaults(table, Size{kOptionsClientWidth, kOptionsClientHeight}), std::vector<std::string>{});
  EXPECT_EQ(Intersect(f.panels, f.panelsGroup.rect), f.panels);
  EXPECT_EQ(Intersect(f.buttons, f.buttonsGroup.rect), f.buttons);
  EXPECT_EQ(f.panels.height(), kPanelRowCount * kOptionsRowHeight) << "exactly its rows";
  EXPECT_EQ(f.buttons.height(), kButtonRowsPerColumn * kOptionsRowHeight);
  EXPECT_EQ(f.ok.id, 1) << "the system's IDOK";
  EXPECT_EQ(CheckListColumns(16, 8), 2);
  EXPECT_EQ(CheckListColumns(17, 8), 3);
  EXPECT_EQ(CheckListColumns(4, 0), 1);
}

TEST(ViewerOptionsForm, ARowsBoxTextAndMarkFollowEachOtherAndStayInTheRow) {
  for (int dpi : {96, 144}) {
    const DpiScale s{dpi};
    const Rect row{0, 30, s(118), 30 + s(kOptionsRowHeight)};
    const CheckRowParts p = LayOutCheckRow(row, s(60), s);
    EXPECT_EQ(p.box.width(), s(13)) << dpi;
    EXPECT_LE(std::abs((p.box.top - row.top) - (row.bottom - p.box.bottom)), 1) << "centred in the row at " << dpi;
    EXPECT_EQ(p.text.left, p.box.right + s(4));
    EXPECT_EQ(p.mark.right, p.text.left + s(60) + s(2));
    EXPECT_EQ(LayOutCheckRow(row, s(500), s).mark.right, row.right) << "a long text's mark ends with the row";
  }
}

TEST(ViewerOptionsForm, SpaceTurnsTheCaretRowEscCancelsAndATypedSpaceFindsNoRow) {
  const struct {
    bool typed;
    unsigned key;
    CheckListKey expected;
  } cases[] = {{false, 0x20, CheckListKey::Toggle}, {false, 0x1B, CheckListKey::Cancel},
               {false, 0x28, CheckListKey::Pass},   {true, ' ', CheckListKey::Swallow},
               {true, 'a', CheckListKey::Pass},     {true, 0x1B, CheckListKey::Pass}};
  for (const auto& c : cases) EXPECT_EQ(CheckListKeyAction(c.typed, c.key), c.expected) << c.typed << " " << c.key;
  EXPECT_EQ(CheckListRowToToggle(3, 4), 3);
  EXPECT_EQ(CheckListRowToToggle(4, 4), -1) << "below the last row";
  EXPECT_EQ(CheckListRowToToggle(-1, 4), -1) << "no caret";
}

// A viewer that takes every look but keeps its status bar.
struct StubbornViewer : ViewerOptionsHost {
  ViewerLook look;
  int applied = 0;
  ViewerLook Look() const override { return look; }
  void ApplyLook(const ViewerLook& l) override {
    ++applied;
    look = l;
    look.status = true;
  }
};

TEST(ViewerOptionsModel, EachClickGoesToTheViewerAndTheDialogShowsWhatTheViewerMadeOfIt) {
  StubbornViewer viewer;
  viewer.look.buttons[size_t(ViewerButton::Crop)] = false;
  ViewerOptionsModel m;
  m.Attach(viewer);
  EXPECT_FALSE(m.ButtonChecked(int(ViewerButton::Crop))) << "ticked from the viewer's look";
  m.ToggleButton(int(ViewerButton::Crop));
  EXPECT_EQ(viewer.applied, 1);
  EXPECT_TRUE(viewer.look.buttons[size_t(ViewerButton::Crop)]);
  EXPECT_TRUE(m.ButtonChecked(int(ViewerButton::Crop)));
  m.TogglePanel(int(PanelRow::StatusBar));
  EXPECT_EQ(viewer.applied, 2);
  EXPECT_TRUE(m.PanelChecked(int(PanelRow::StatusBar))) << "the viewer kept it";
  m.TogglePanel(int(PanelRow::ToolbarIcons));
  m.TogglePanel(int(PanelRow::ToolbarText));
  EXPECT_FALSE(m.ButtonListEnabled()) << "no tool bar left";
  ViewerOptionsModel alone;
  alone.TogglePanel(int(PanelRow::ImageMemo));
  EXPECT_FALSE(alone.look().memo) << "without a viewer the dialog keeps its own look";
}

TEST(PictureBoxPaint, ThePictureShowsFromTheScrollPositionAndTheRestIsDark) {
  PictureBoxPaint p = PlanPictureBox(Size{200, 100}, Size{500, 60}, Point{350, 0});
  EXPECT_EQ(p.shown, (Size{150, 60}));
  EXPECT_EQ(p.right, (Rect{150, 0, 200, 100}));
  EXPECT_EQ(p.below, (Rect{0, 60, 150, 100}));
  p = PlanPictureBox(Size{200, 100}, Size{0, 0}, Point{0, 0});
  EXPECT_EQ(p.right, (Rect{0, 0, 200, 100})) << "nothing shown: all dark";
  EXPECT_TRUE(p.below.empty());
  p = PlanPictureBox(Size{200, 100}, Size{900, 900}, Point{10, 10});
  EXPECT_EQ(p.shown, (Size{200, 100}));
  EXPECT_TRUE(p.right.empty());
  EXPECT_TRUE(p.below.empty());
}

}  // namespace
}  // namespace flk
