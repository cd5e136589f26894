#include "output/folder_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flk {
namespace {

const std::string kBase = "C:\\Data\\";
const std::string kFolders = "C:\\Data\\Folders\\";

using E = FolderMenuEntry;

TEST(FolderList, SortedWithoutRegardToCase) {
  InMemoryFileSystem fs;
  for (const char* n : {"beta", "Alpha", "LastCaptures", "zeta", "Gamma"}) fs.AddDirectory(kFolders + n);
  fs.AddFile(kFolders + "stray.bmp");
  FolderList l = ListPictureFolders(fs, kBase);
  EXPECT_EQ(l.names, (std::vector<std::string>{"Alpha", "beta", "Gamma", "LastCaptures", "zeta"}));
  EXPECT_FALSE(l.createdFirstFolder);
  EXPECT_TRUE(FolderNameLess("abc", "ABD"));
  EXPECT_FALSE(FolderNameLess("ABD", "abc"));
  EXPECT_TRUE(FolderNameLess("ab", "ABC"));
  EXPECT_TRUE(SameFolderName("Work", "wORK"));
  EXPECT_FALSE(SameFolderName("Work", "Works"));
}

TEST(FolderList, EmptyFoldersGetsFirstFolder) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders);
  FolderList l = ListPictureFolders(fs, kBase);
  EXPECT_EQ(l.names, (std::vector<std::string>{"First Folder"}));
  EXPECT_TRUE(l.createdFirstFolder);
  EXPECT_TRUE(fs.IsDirectory(kFolders + "First Folder"));

  InMemoryFileSystem broken;
  broken.AddDirectory(kFolders);
  broken.failMakeDirectory = true;
  EXPECT_TRUE(ListPictureFolders(broken, kBase).names.empty());
}

TEST(BuildFolderMenu, EntriesInOrderWithTags) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "Work");
  fs.AddDirectory(kFolders + "home");
  FolderMenu m = BuildFolderMenu(fs, kBase, "");
  EXPECT_EQ(m.folders, (std::vector<std::string>{"home", "Work"}));
  ASSERT_EQ(m.entries.size(), 6u);
  EXPECT_EQ(m.entries[0], (E{E::SameFolder, "Same Folder", 0, true, false}));
  EXPECT_EQ(m.entries[1].kind, E::Separator);
  EXPECT_EQ(m.entries[2], (E{E::Folder, "home", -1, true, true}));
  EXPECT_EQ(m.entries[3], (E{E::Folder, "Work", -2, true, true}));
  EXPECT_EQ(m.entries[4].kind, E::Separator);
  EXPECT_EQ(m.entries[5], (E{E::CreateFolder, "Create New Folder", 0, true, true}));
}

TEST(BuildFolderMenu, SameFolderTakesTheRememberedNameIgnoringCase) {
  std::vector<FolderMenuEntry> e = FolderMenuEntries({"Alpha", "Beta", "LastCaptures"}, "beta");
  EXPECT_EQ(e[0], (E{E::SameFolder, "Beta", -2, true, true}));
  e = FolderMenuEntries({"Alpha", "Beta", "LastCaptures"}, "LastCaptures");
  EXPECT_EQ(e[0], (E{E::SameFolder, "LastCaptures", -3, true, true}));
  // A remembered folder that is gone leaves "Same Folder" disabled.
  e = FolderMenuEntries({"Alpha", "Beta"}, "Removed");
  EXPECT_EQ(e[0], (E{E::SameFolder, "Same Folder", 0, true, false}));
}

TEST(BuildFolderMenu, SameFolderHiddenWithOneFolder) {
  std::vector<FolderMenuEntry> e = FolderMenuEntries({"Only"}, "Only");
  EXPECT_FALSE(e[0].visible);
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(e[2], (E{E::Folder, "Only", -1, true, true}));
}

TEST(NewFolder, CreatesOneLevelAndTellsTheViewer) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders);
  std::vector<int> notices;
  auto notify = [&](int code) { notices.push_back(code); };
  NewFolderResult r = CreatePictureFolder(fs, kBase, "Trips", notify);
  EXPECT_EQ(r.outcome, NewFolderResult::Created);
  EXPECT_EQ(r.message, "Folder Trips created.");
  EXPECT_TRUE(fs.IsDirectory(kFolders + "Trips"));
  EXPECT_EQ(notices, (std::vector<int>{-2}));
  // The next menu lists it.
  EXPECT_EQ(BuildFolderMenu(fs, kBase, "").folders, (std::vector<std::string>{"Trips"}));
}

TEST(NewFolder, EmptyAnswerDoesNothingAndFailuresWarn) {
  InMemoryFileSystem fs;
  fs.AddDirectory(kFolders + "Trips");
  int notices = 0;
  auto notify = [&](int) { ++notices; };
  EXPECT_EQ(CreatePictureFolder(fs, kBase, "", notify).outcome, NewFolderResult::Nothing);
  NewFolderResult dup = CreatePictureFolder(fs, kBase, "trips", notify);
  EXPECT_EQ(dup.outcome, NewFolderResult::Failed);
  EXPECT_EQ(dup.message, "Couldn't create directory trips");
  // No parents are made, and names that would leave Folders\ are refused.
  EXPECT_EQ(CreatePictureFolder(fs, kBase, "a\\b", notify).outcome, NewFolderResult::Failed);
  EXPECT_EQ(CreatePictureFolder(fs, kBase, "..", notify).outcome, NewFolderResult::Failed);
  EXPECT_EQ(CreatePictureFolder(fs, kBase, "..\\Escape", notify).outcome, NewFolderResult::Failed);
  EXPECT_EQ(CreatePictureFolder(fs, kBase, "what?", notify).outcome, NewFolderResult::Failed);
  EXPECT_FALSE(fs.IsDirectory(kBase + "Escape"));
  EXPECT_EQ(notices, 0);
}

}  // namespace
}  // namespace flk
