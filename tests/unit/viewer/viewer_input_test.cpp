#include "viewer/viewer_input.h"

#include <gtest/gtest.h>

#include "viewer/viewer_settings.h"

namespace flk {
namespace {

constexpr unsigned short kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kHome = 0x24, kEnd = 0x23,
                         kDelete = 0x2E;
using S = ViewerStep;

// Picture 3 of 10 shown, folder 1 of 3 on its tab.
constexpr ViewerState kShown{3, 10, 3, 1, 1};

TEST(ViewerInput, KeysWalkPicturesAndFoldersOrRunTheirCommand) {
  const struct {
    ViewerKeyPress press;
    ViewerState state;
    ViewerStep expected;
  } cases[] = {
      {{kLeft}, kShown, {S::SelectPicture, 2}},
      {{kRight}, kShown, {S::SelectPicture, 4}},
      {{kHome}, kShown, {S::SelectPicture, 0}},
      {{kEnd}, kShown, {S::SelectPicture, 9}},
      {{kUp}, kShown, {S::SelectFolder, 0}},
      {{kDown}, kShown, {S::SelectFolder, 2}},
      {{kDown}, {3, 10, 3, 2, 2}, {S::Taken}},  // no folder below the last: taken all the same
      // The memo shows: the arrows are its own unless a modifier is held.
      {{kLeft, false, false, true}, kShown, {S::Pass}},
      {{kLeft, false, true, true}, kShown, {S::SelectPicture, 2}},
      {{kHome, false, false, true}, kShown, {S::SelectPicture, 0}},
      {{'S', true}, kShown, {S::Run, -1, ViewerCommand::SaveAs}},
      {{kDelete}, kShown, {S::Run, -1, ViewerCommand::Delete}},
      // The focused memo keeps the editing keys, not the others.
      {{kDelete, false, false, true, true}, kShown, {S::Pass}},
      {{'C', true, true, true, true}, kShown, {S::Pass}},
      {{'S', true, true, true, true}, kShown, {S::Run, -1, ViewerCommand::SaveAs}},
      // A picture's command in an empty folder: taken, and nothing runs.
      {{'S', true}, {-1, 0, 3, 1, 1}, {S::Taken}},
      {{'T', true}, {-1, 0, 3, 1, 1}, {S::Run, -1, ViewerCommand::Camera}},
      {{'Q'}, kShown, {S::Pass}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KeyStep(c.press, c.state), c.expected) << "key " << c.press.key << " ctrl " << c.press.ctrl;
}

TEST(ViewerInput, MenuItemsSelectFoldersOrRunWhatIsAvailable) {
  EXPECT_EQ(MenuStep(kFolderItemBase + 2, kShown), (S{S::SelectFolder, 2}));
  EXPECT_EQ(MenuStep(kFolderItemBase + 3, kShown), (S{S::Taken})) << "a folder item beyond the list";
  EXPECT_EQ(MenuStep(CommandMenuId(ViewerCommand::Print), kShown), (S{S::Run, -1, ViewerCommand::Print}));
  EXPECT_EQ(MenuStep(CommandMenuId(ViewerCommand::Print), {-1, 0, 3, 1, 1}), (S{S::Taken}));
  EXPECT_EQ(MenuStep(CommandMenuId(ViewerCommand::FolderWiz), {-1, 0, 3, 1, 1}),
            (S{S::Run, -1, ViewerCommand::FolderWiz}));
  EXPECT_EQ(MenuStep(5, kShown), (S{S::Taken}));
}

TEST(ViewerInput, TabsAndToolBarClicks) {
  EXPECT_EQ(TabStep(false, 2, kShown), (S{S::SelectFolder, 2}));
  EXPECT_EQ(TabStep(false, 3, kShown), (S{S::FolderManager, 1})) << "the manager's tab, on the shown folder";
  EXPECT_EQ(TabStep(true, 0, kShown), (S{S::FolderManager, 0}));
  EXPECT_EQ(TabStep(true, 3, kShown), (S{S::FolderManager, 1}));
  EXPECT_EQ(TabStep(true, -1, kShown), (S{S::Taken}));
  const struct {
    bool right, more, onButton;
    S::Kind expected;
  } bars[] = {{true, false, true, S::ShowOptions}, {true, true, true, S::ShowOptions},
              {false, false, false, S::ShowOptions}, {false, false, true, S::Pass},
              {false, true, true, S::ShowMoreMenu}, {false, true, false, S::Pass}};
  for (const auto& b : bars)
    EXPECT_EQ(ToolBarStep(b.right, b.more, b.onButton).kind, b.expected) << b.right << b.more << b.onButton;
}

TEST(ViewerInput, AFrameDraggedSmallerStopsAtThePictureFloor) {
  const DpiScale s{144};
  const Rect now{100, 100, 700, 600}, lower{100, 150, 700, 600}, higher{100, 50, 700, 600};
  EXPECT_EQ(SizingRect(lower, now, true, s(kMinPictureBoxHeight), s), now) << "top edge kept";
  EXPECT_EQ(SizingRect(Rect{100, 100, 700, 550}, now, false, s(kMinPictureBoxHeight), s), now) << "bottom kept";
  EXPECT_EQ(SizingRect(lower, now, true, s(kMinPictureBoxHeight) + 1, s), lower) << "room left";
  EXPECT_EQ(SizingRect(higher, now, true, s(kMinPictureBoxHeight), s), higher) << "growing is always allowed";
  EXPECT_EQ(OpeningRect(Rect::FromXYWH(-10, 20, 3000, 400), Size{1920, 1080}), Rect::FromXYWH(-10, 20, 1920, 400));
  EXPECT_EQ(OpeningRect(Rect::FromXYWH(5, 6, 550, 400), Size{1920, 1080}), Rect::FromXYWH(5, 6, 550, 400));
}

TEST(ViewerInput, ThePlaceStoredIsTheNormalOneWhileMinimisedOrMaximised) {
  ViewerSettings stored;
  stored.left = 150, stored.top = 150, stored.width = 550, stored.height = 400;
  const Rect storedRect = Rect::FromXYWH(150, 150, 550, 400);
  const Rect moved = Rect::FromXYWH(10, 10, 550, 400);
  // Opened where it was stored: the place it stands in now.
  const ViewerPlacement same(stored, storedRect);
  EXPECT_EQ(same.ToStore(moved, storedRect, false), moved);
  EXPECT_EQ(same.ToStore(Rect{-32000, -32000, -31840, -31970}, moved, true), moved);
  // Brought over from a monitor that went: the stored place until the user moves it.
  const Rect brought = Rect::FromXYWH(0, 0, 550, 400);
  const ViewerPlacement over(stored, brought);
  EXPECT_EQ(over.ToStore(brought, brought, false), storedRect);
  EXPECT_EQ(over.ToStore(moved, moved, false), moved);
  ViewerLook look;
  look.memo = false;
  const ViewerSettings w = SettingsToWrite(moved, look, 60, 45);
  EXPECT_EQ(Rect::FromXYWH(w.left, w.top, w.width, w.height), moved);
  EXPECT_FALSE(w.look.memo);
  EXPECT_EQ(w.thumbHeight, 60);
  EXPECT_EQ(w.memoHeight, 45);
}

}  // namespace
}  // namespace flk
