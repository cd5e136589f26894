#include "camera/commands.h"
#include "output/folder_menu.h"
#include "output/picture_store.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace flk {
namespace {

TEST(CommandTags, TagsRoundTripAndFolderTags) {
  for (int tag : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 19}) {
    SCOPED_TRACE(tag);
    CommandId c = CommandOfTag(tag);
    EXPECT_NE(c, CommandId::None);
    EXPECT_EQ(TagOf(c), tag);
  }
  EXPECT_EQ(CommandOfTag(0), CommandId::None);
  EXPECT_EQ(CommandOfTag(9), CommandId::None);
  EXPECT_EQ(TagOf(CommandId::SaveAs), 8);
  EXPECT_EQ(TagOf(CommandId::FullScreen), 0);
  EXPECT_EQ(FolderTag(0), -1);
  EXPECT_EQ(FolderTag(4), -5);
  EXPECT_EQ(FolderIndexOfTag(FolderTag(7)), 7);
}

TEST(CommandKinds, PictureCommandsAndExitWaitForASaveTheRestRuns) {
  using C = CommandId;
  for (C id : {C::Print, C::PrintFit, C::Email, C::Sticky, C::Copy, C::Edit, C::Hold, C::SaveAs,
               C::MakeEmailAttachment, C::IncSave, C::StoreRing, C::Exit})
    EXPECT_EQ(CommandKindOf(id), CommandKind::kPicture) << int(id);
  for (C id : {C::WinCap, C::ScrollCap, C::Robo, C::FullScreen, C::Refresh, C::OpenViewer, C::More, C::Help,
               C::About, C::GeneralSettings, C::CloseToTray, C::None})
    EXPECT_EQ(CommandKindOf(id), CommandKind::kShowOnly) << int(id);
  EXPECT_EQ(CommandKindOfTag(TagOf(C::SaveAs)), CommandKind::kPicture);
  EXPECT_EQ(CommandKindOfTag(FolderTag(0)), CommandKind::kPicture);
  EXPECT_EQ(CommandKindOfTag(FolderTag(7)), CommandKind::kPicture);
  EXPECT_EQ(CommandKindOfTag(0), CommandKind::kShowOnly);
  EXPECT_EQ(CommandKindOfTag(9), CommandKind::kShowOnly);  // no command has tag 9
}

TEST(CommandEnabled, EveryOutputIsEnabled) {
  for (CommandId c : {CommandId::SaveAs, CommandId::IncSave, CommandId::Copy, CommandId::Hold,
                      CommandId::StoreRing, CommandId::FullScreen, CommandId::WinCap, CommandId::WorkArea,
                      CommandId::Refresh, CommandId::OpenViewer, CommandId::Exit, CommandId::Print,
                      CommandId::PrintFit, CommandId::PrinterSetup, CommandId::Edit, CommandId::Feedback,
                      CommandId::BugReport, CommandId::Diagnostics, CommandId::LaunchSettings, CommandId::ScrollCap,
                      CommandId::Robo, CommandId::ScrollCaptureSettings, CommandId::Help, CommandId::DailyTips,
                      CommandId::GeneralSettings, CommandId::EditorSetup, CommandId::Email,
                      CommandId::Sticky})
    EXPECT_TRUE(CommandEnabled(c, {})) << static_cast<int>(c);
}

TEST(CommandEnabled, WindowPicksOffWhileHoldOrFrozen) {
  for (CameraModes m : {CameraModes{true, false}, CameraModes{false, true}, CameraModes{true, true}}) {
    EXPECT_FALSE(CommandEnabled(CommandId::WinCap, m));
    EXPECT_FALSE(CommandEnabled(CommandId::WorkArea, m));
    EXPECT_TRUE(CommandEnabled(CommandId::FullScreen, m));
    EXPECT_TRUE(CommandEnabled(CommandId::Copy, m));
  }
}

TEST(Toolbar, SeventeenButtonsWithTheirSettings) {
  auto buttons = ToolButtons();
  ASSERT_EQ(buttons.size(), 17u);
  EXPECT_STREQ(buttons.front().name, "btnRecall");
  EXPECT_STREQ(buttons.back().name, "btnWorkArea");
  EXPECT_STREQ(buttons.back().setting, "CambtnInside");
  EXPECT_STREQ(ToolButtonOf(ToolButton::FullScreen).setting, "CambtnScreen");
  EXPECT_STREQ(ToolButtonOf(ToolButton::Window).caption, "Windw");
  EXPECT_STREQ(ToolButtonOf(ToolButton::More).caption, "More");
  std::set<std::string> settings;
  for (const ToolButtonInfo& b : buttons) {
    EXPECT_EQ(std::string(b.setting).rfind("Cambtn", 0), 0u) << b.name;
    settings.insert(b.setting);
    EXPECT_EQ(&ToolButtonOf(b.button), &b);
  }
  EXPECT_EQ(settings.size(), 17u);
}

TEST(Toolbar, SeparatorsOnlyBetweenShownGroups) {
  bool all[kToolButtonCount];
  std::fill(std::begin(all), std::end(all), true);
  std::vector<int> w = WidthsOf(VisibleToolbarItems(all, 45, 8));
  int separators = 0;
  for (int x : w) separators += x == 8;
  EXPECT_EQ(separators, 4);
  EXPECT_EQ(w.size(), 17u + 4u);
  EXPECT_EQ(w.front(), 45);

  bool some[kToolButtonCount] = {};
  some[0] = true;   // Recall
  some[6] = true;   // Copy (skips the Save group)
  w = WidthsOf(VisibleToolbarItems(some, 45, 8));
  EXPECT_EQ(w, (std::vector<int>{45, 8, 45}));
  some[1] = true;  // Store, with its drop-down arrow
  std::vector<ToolbarItem> items = VisibleToolbarItems(some, 45, 8, 12);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[1].button, 1);
  EXPECT_EQ(items[1].width, 57);
  EXPECT_EQ(items[2].button, -1);
  bool onlyLast[kToolButtonCount] = {};
  onlyLast[16] = true;
  EXPECT_EQ(WidthsOf(VisibleToolbarItems(onlyLast, 45, 8)), (std::vector<int>{45}));
}

TEST(Menus, MainMenuEntriesSeparatorsAndShortcuts) {
  auto file = MenuEntries(MenuId::File);
  ASSERT_EQ(file.size(), 12u);
  EXPECT_STREQ(file[0].name, "mnuSaveAs");
  EXPECT_EQ(ShortcutText(file[0]), "Ctrl+S");
  const MenuEntry* store = FindMenuEntry("mnuStore");
  ASSERT_NE(store, nullptr);
  EXPECT_TRUE(store->separatorBefore);
  EXPECT_EQ(store->kind, EntryKind::Submenu);
  EXPECT_TRUE(FindMenuEntry("mnuPrint")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuClose")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuScroll")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuCamCustom")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuColorDepth")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuContact")->separatorBefore);
  EXPECT_TRUE(FindMenuEntry("mnuDiag")->separatorBefore);
  EXPECT_FALSE(FindMenuEntry("mnuSaveAs")->separatorBefore);
  EXPECT_EQ(ShortcutText(*FindMenuEntry("mnuHelp")), "F1");
  EXPECT_EQ(ShortcutText(*FindMenuEntry("mnuPrinterSetup")), "");
  EXPECT_STREQ(FindMenuEntry("mnuExit")->caption, "E&xit");
  EXPECT_STREQ(FindMenuEntry("mnuCaptureFullScreen")->caption, "Full Screen ");
  EXPECT_EQ(FindMenuEntry("mnuForAll")->kind, EntryKind::Hidden);
  auto menus = MainMenus();
  ASSERT_EQ(menus.size(), 5u);
  EXPECT_STREQ(menus[1].caption, "&Grab");
  EXPECT_STREQ(menus[4].name, "mnuHelpTop");

  // Every Ctrl letter is used once across the main menu.
  std::set<int> keys;
  int withKey = 0;
  for (const MenuInfo& m : menus)
    for (const MenuEntry& e : MenuEntries(m.id))
      if (e.key != 0) {
        keys.insert(e.key);
        ++withKey;
      }
  EXPECT_EQ(static_cast<int>(keys.size()), withKey);
}

TEST(Menus, MoreMenuAndViewPopup) {
  auto more = MenuEntries(MenuId::More);
  ASSERT_EQ(more.size(), 16u);
  EXPECT_STREQ(more[0].caption, "Recall");
  int separators = 0;
  for (const MenuEntry& e : more) {
    EXPECT_EQ(e.key, 0) << e.name;
    separators += e.separatorBefore;
  }
  EXPECT_EQ(separators, 4);
  EXPECT_STREQ(FindMenuEntry("mnuAllFullScreen")->caption, "Screen Capture");
  EXPECT_STREQ(FindMenuEntry("mnuAllEdit")->caption, "Editor");

  auto popup = MenuEntries(MenuId::ViewPopup);
  ASSERT_EQ(popup.size(), 11u);
  EXPECT_STREQ(popup.back().name, "mnuEdgeOff");
  EXPECT_STREQ(popup.back().caption, "Edge To Edge Off");
  EXPECT_EQ(popup.front().kind, EntryKind::Submenu);
}

TEST(Shortcuts, ShortcutItemsInOrder) {
  auto items = ShortcutItems();
  ASSERT_EQ(items.size(), 18u);
  for (const MenuEntry* e : items) ASSERT_NE(e, nullptr);
  EXPECT_STREQ(items[0]->name, "mnuSaveAs");
  EXPECT_STREQ(items[1]->name, "mnuSaveCopyPath");
  EXPECT_STREQ(items[17]->name, "mnuViewer");
}

TEST(Shortcuts, ExactCtrlRunsAndSwallows) {
  ShortcutMatch m = MatchShortcut('A', ShiftState{false, true, false}, {});
  EXPECT_TRUE(m.swallow);
  EXPECT_EQ(m.run, CommandId::MakeEmailAttachment);
  EXPECT_EQ(MatchShortcut('S', {false, true, false}, {}).run, CommandId::SaveAs);
  EXPECT_EQ(MatchShortcut('J', {false, true, false}, {}).run, CommandId::Refresh);
  EXPECT_EQ(MatchShortcut('T', {false, true, false}, {}).run, CommandId::OpenViewer);
}

TEST(Shortcuts, OtherShiftStatesDoNothing) {
  for (ShiftState s : {ShiftState{true, true, false}, ShiftState{false, true, true}, ShiftState{false, false, false},
                       ShiftState{true, false, false}}) {
    ShortcutMatch m = MatchShortcut('S', s, {});
    EXPECT_FALSE(m.swallow);
    EXPECT_EQ(m.run, CommandId::None);
  }
}

TEST(Shortcuts, DisabledEntryIsSwallowedWithoutRunning) {
  ShortcutMatch m = MatchShortcut('W', {false, true, false}, CameraModes{true, false});
  EXPECT_TRUE(m.swallow);
  EXPECT_EQ(m.run, CommandId::None);
  ASSERT_NE(m.entry, nullptr);
  EXPECT_STREQ(m.entry->name, "mnuWinCap");
  // Enabled entries run: Ctrl+M e-mail, Ctrl+P print.
  m = MatchShortcut('M', {false, true, false}, {});
  EXPECT_TRUE(m.swallow);
  EXPECT_EQ(m.run, CommandId::Email);
  m = MatchShortcut('P', {false, true, false}, {});
  EXPECT_TRUE(m.swallow);
  EXPECT_EQ(m.run, CommandId::Print);
}

TEST(Shortcuts, KeysOutsideTheTableGoOn) {
  // Ctrl+K and Ctrl+X are used by no entry; F1 is not dispatched here.
  EXPECT_FALSE(MatchShortcut('K', {false, true, false}, {}).swallow);
  EXPECT_FALSE(MatchShortcut('X', {false, true, false}, {}).swallow);
  EXPECT_FALSE(MatchShortcut(kKeyF1, {false, true, false}, {}).swallow);
}

TEST(StatusTexts, FormattedTexts) {
  EXPECT_EQ(PictureAddedText("Work", 12), "Picture added to Work folder.    12 KiB");
  EXPECT_EQ(SizeText(640, 480), "Size = 640 x 480 pixels");
  EXPECT_TRUE(RefreshClearsStatus(kStatusRestore));
  EXPECT_FALSE(RefreshClearsStatus(kCopiedToClipboardText));
  EXPECT_FALSE(RefreshClearsStatus("Restore"));
}

}  // namespace
}  // namespace flk
