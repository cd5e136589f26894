#include "viewer/folder_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/form_check.h"
#include "output/folder_menu.h"
#include "viewer/viewer_art.h"

namespace flk {
namespace {

const std::string kBase = "C:\\Users\\Ann\\Framelark\\";
const std::string kFolders = kBase + "Folders\\";
using Names = std::vector<std::string>;

TEST(FolderManager, ListIsTheCamerasListAndFirstFolderIsMadeWhenNone) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders);
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  EXPECT_EQ(m.Folders(), Names{"First Folder"});
  EXPECT_TRUE(fs.IsDirectory(kFolders + "First Folder"));
  EXPECT_FALSE(m.DeleteEnabled());

  for (const char* n : {"zoo", "LastCaptures", "art", "Birds", "_x", "10", "9"}) fs.AddDirectory(kFolders + n);
  fs.AddFile(kFolders + "loose.bmp");
  m.BuildFolderList();
  EXPECT_EQ(m.Folders(), ListPictureFolders(fs, kBase).names);
  EXPECT_EQ(m.Folders(), (Names{"10", "9", "_x", "art", "Birds", "First Folder", "LastCaptures", "zoo"}));
  EXPECT_EQ(m.IndexOf("Birds"), 4);
  EXPECT_EQ(m.IndexOf("birds"), -1);
  EXPECT_TRUE(m.DeleteEnabled());
  EXPECT_EQ(m.StatusText(), "Picture folders located at: c:\\users\\ann\\framelark\\Folders\\");
}

TEST(FolderManager, AddKeepsTheDialogOpenForTheNextNameAndEmptyCloses) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "Only");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(0);
  EXPECT_FALSE(m.FoldersChanged());
  EXPECT_FALSE(m.DeleteEnabled());
  EXPECT_EQ(m.DoItCaption(-1), "&Add");
  EXPECT_EQ(m.InitialName(-1), "");

  NameOutcome a = m.DoName(-1, "Web clips");
  EXPECT_TRUE(a.clearName);
  EXPECT_FALSE(a.closeDialog);
  EXPECT_TRUE(a.warning.empty());
  EXPECT_TRUE(fs.IsDirectory(kFolders + "Web clips"));
  EXPECT_EQ(m.Folders(), (Names{"Only", "Web clips"}));
  EXPECT_EQ(m.Selected(), 1);
  EXPECT_TRUE(m.FoldersChanged());
  EXPECT_TRUE(m.DeleteEnabled());

  m.DoName(-1, "art");
  EXPECT_EQ(m.Folders(), (Names{"art", "Only", "Web clips"}));
  EXPECT_EQ(m.Selected(), 0);

  NameOutcome dup = m.DoName(-1, "ONLY");
  EXPECT_EQ(dup.warning, "Couldn't create directory ONLY");
  EXPECT_FALSE(dup.refusedName);
  EXPECT_FALSE(dup.closeDialog);
  EXPECT_FALSE(dup.clearName);
  EXPECT_EQ(m.Folders().size(), 3u);

  NameOutcome empty = m.DoName(-1, "");
  EXPECT_TRUE(empty.closeDialog);
  EXPECT_TRUE(empty.warning.empty());
  EXPECT_EQ(m.Folders().size(), 3u);

  // A new session starts unchanged.
  m.Begin(7);
  EXPECT_FALSE(m.FoldersChanged());
  EXPECT_EQ(m.Selected(), 2);
}

TEST(FolderManager, NamesThatWouldLeaveFoldersFailLikeRefusedNames) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "Trips");
  fs.AddDirectory(kFolders + "Work");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(0);
  for (const char* bad : {"..", ".", "a\\b", "..\\Escape", "c:x", "x/y", "what?", "dots.", "space "}) {
    NameOutcome add = m.DoName(-1, bad);
    EXPECT_EQ(add.warning, std::string("Couldn't create directory ") + bad) << bad;
    EXPECT_TRUE(add.refusedName) << bad;
    NameOutcome ren = m.DoName(0, bad);
    EXPECT_EQ(ren.warning, std::string("Couldn't rename directory to ") + bad) << bad;
    EXPECT_TRUE(ren.refusedName) << bad;
    EXPECT_FALSE(ren.closeDialog);
  }
  EXPECT_EQ(m.Folders(), (Names{"Trips", "Work"}));
  EXPECT_EQ(fs.ListDirectories(kFolders).size(), 2u);
  EXPECT_FALSE(fs.IsDirectory(kBase + "Escape"));
  EXPECT_TRUE(fs.IsDirectory(kFolders + "Trips"));
  EXPECT_FALSE(m.FoldersChanged());
}

TEST(FolderManager, RenameMovesTheFilesAndResortsTheList) {
  InMemoryFileSystem fs;
  fs.AddFile(kFolders + "alpha\\1.bmp", 10);
  fs.AddFile(kFolders + "alpha\\1.rtf", 3);
  fs.AddDirectory(kFolders + "Middle");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(0);
  EXPECT_EQ(m.DoItCaption(0), "&Rename");
  EXPECT_EQ(m.InitialName(0), "alpha");

  NameOutcome r = m.DoName(0, "Zulu");
  EXPECT_TRUE(r.closeDialog);
  EXPECT_TRUE(r.warning.empty());
  EXPECT_EQ(m.Folders(), (Names{"Middle", "Zulu"}));
  EXPECT_EQ(m.Selected(), 1);
  EXPECT_TRUE(m.FoldersChanged());
  EXPECT_FALSE(fs.IsDirectory(kFolders + "alpha"));
  EXPECT_EQ(fs.FilesIn(kFolders + "Zulu"), (Names{"1.bmp", "1.rtf"}));
  EXPECT_EQ(fs.FileSize(kFolders + "Zulu\\1.bmp"), 10u);

  // A change of letter case alone is a new name too.
  EXPECT_TRUE(m.DoName(1, "zulu").closeDialog);
  EXPECT_EQ(m.Folders(), (Names{"Middle", "zulu"}));
  EXPECT_EQ(fs.ListDirectories(kFolders), (Names{"Middle", "zulu"}));

  // Onto another folder: refused by the disk, nothing changes.
  NameOutcome clash = m.DoName(1, "MIDDLE");
  EXPECT_EQ(clash.warning, "Couldn't rename directory to MIDDLE");
  EXPECT_FALSE(clash.refusedName);
  EXPECT_FALSE(clash.closeDialog);
  EXPECT_EQ(m.Folders(), (Names{"Middle", "zulu"}));
}

TEST(FolderManager, UnchangedNameClosesWithoutChange) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "One");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(0);
  NameOutcome r = m.DoName(0, "One");
  EXPECT_TRUE(r.closeDialog);
  EXPECT_FALSE(m.FoldersChanged());
  // Without a selected row the name dialog adds.
  m.Select(-1);
  EXPECT_EQ(m.Selected(), -1);
  EXPECT_EQ(m.DoItCaption(m.Selected()), "&Add");
}

TEST(FolderManager, DeleteAsksWithTheCountOfNormalFilesAndSelectsTheFirstRow) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "Empty");
  fs.AddFile(kFolders + "Full\\1.bmp");
  fs.AddFile(kFolders + "Full\\1.rtf");
  fs.AddFile(kFolders + "Full\\2.bmp");
  fs.AddFile(kFolders + "Full\\desktop.ini");
  fs.hidden.insert(kFolders + "Full\\desktop.ini");
  fs.AddDirectory(kFolders + "Keep");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(2);
  ASSERT_EQ(m.Folders(), (Names{"Empty", "Full", "Keep"}));

  EXPECT_EQ(m.DeleteQuestion(0), "");
  EXPECT_EQ(m.DeleteQuestion(1), "Are you sure you want to delete Full\r\n and all 3 files in it?");

  // The hidden file stays, so the directory cannot go: the warning, and the
  // files that were deletable are gone.
  DeleteOutcome blocked = m.Delete(1);
  EXPECT_FALSE(blocked.deleted);
  EXPECT_EQ(blocked.warning,
            "Full couldn't be deleted, possibly because:\r\nA file inside is in use.\r\n"
            "A file inside is hidden or read-only.\r\nThe directory contains a subdirectory.");
  EXPECT_EQ(fs.FilesIn(kFolders + "Full"), Names{"desktop.ini"});
  EXPECT_EQ(m.Folders().size(), 3u);
  EXPECT_FALSE(m.FoldersChanged());

  fs.hidden.clear();
  EXPECT_EQ(m.DeleteQuestion(1), "Are you sure you want to delete Full\r\n and all 1 files in it?");
  EXPECT_TRUE(m.Delete(1).deleted);
  EXPECT_FALSE(fs.IsDirectory(kFolders + "Full"));
  EXPECT_EQ(m.Folders(), (Names{"Empty", "Keep"}));
  EXPECT_EQ(m.Selected(), 0);
  EXPECT_TRUE(m.FoldersChanged());
  EXPECT_TRUE(m.DeleteEnabled());

  // A folder that vanished behind the manager's back just leaves the list.
  fs.RemoveEmptyDirectory(kFolders + "Keep");
  EXPECT_EQ(m.DeleteQuestion(1), "");
  EXPECT_TRUE(m.Delete(1).deleted);
  EXPECT_EQ(m.Folders(), Names{"Empty"});
  EXPECT_FALSE(m.DeleteEnabled());
}

TEST(FolderManager, FileInUseOrSubdirectoryKeepsTheFolder) {
  InMemoryFileSystem fs;
  fs.AddFile(kFolders + "A\\1.bmp");
  fs.AddFile(kFolders + "A\\2.bmp");
  fs.undeletable.insert(kFolders + "A\\2.bmp");
  fs.AddDirectory(kFolders + "B\\Sub");
  FolderManager m(fs, kBase);
  m.BuildFolderList();
  m.Begin(0);
  EXPECT_EQ(m.DeleteQuestion(0), "Are you sure you want to delete A\r\n and all 2 files in it?");
  EXPECT_FALSE(m.Delete(0).deleted);
  EXPECT_EQ(fs.FilesIn(kFolders + "A"), Names{"2.bmp"});
  EXPECT_EQ(m.DeleteQuestion(1), "");  // a subdirectory is not a file
  DeleteOutcome sub = m.Delete(1);
  EXPECT_FALSE(sub.deleted);
  EXPECT_EQ(sub.warning.rfind("B couldn't be deleted", 0), 0u);
  EXPECT_TRUE(fs.IsDirectory(kFolders + "B\\Sub"));
  EXPECT_EQ(m.Folders(), (Names{"A", "B"}));
}

TEST(FolderManager, SuggestionsAreSorted) {
  for (size_t i = 1; i < kFolderSuggestions.size(); ++i)
    EXPECT_TRUE(FolderNameLess(kFolderSuggestions[i - 1], kFolderSuggestions[i])) << kFolderSuggestions[i];
}

TEST(FolderManager, ASuggestionsRowGivesItsNameAndNoRowNothing) {
  EXPECT_STREQ(SuggestionAt(0), "Art");
  EXPECT_STREQ(SuggestionAt(int(kFolderSuggestions.size()) - 1), "Welcomes");
  EXPECT_EQ(SuggestionAt(-1), nullptr) << "LB_ERR: no row selected";
  EXPECT_EQ(SuggestionAt(int(kFolderSuggestions.size())), nullptr);
}

TEST(FolderWizForm, EveryPartInsideTheDialogAndClearOfTheOthers) {
  const FolderWizForm f = FolderWizLayout(Size{kFolderArtW, kFolderArtH});
  std::vector<FormControl> table = {{FormControl::Label, "heading", kFolderWizHeading, f.heading}, f.topRule,
                                    {FormControl::Label, "list", kFolderWizList, f.list}};
  table.insert(table.end(), f.buttons.begin(), f.buttons.end());
  table.push_back(f.bottomRule);
  table.push_back({FormControl::Label, "status", kFolderWizStatus, f.status});
  table.push_back({FormControl::Label, "art", 1, f.art});
  EXPECT_EQ(FormTableFaults(table, Size{kFolderWizWidth, kFolderWizHeight}), std::vector<std::string>{});
  ASSERT_EQ(f.buttons.size(), 4u);
  EXPECT_EQ(f.buttons.back().kind, FormControl::DefaultButton) << "Close is the default";
  EXPECT_EQ(f.buttons.back().id, kFolderWizClose);
  EXPECT_EQ(f.art.left * 2 + f.art.width(), 125) << "the art centred in its panel";
  EXPECT_LT(f.art.right, f.list.left);
}

}  // namespace
}  // namespace flk
