// The viewer's folder flow against folders in memory and a window that
// records what it was told.
#include "viewer/viewer_flow.h"

#include <gtest/gtest.h>

#include "shell/data_folders.h"
#include "viewer/viewer_fakes.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_rules.h"

namespace flk {
namespace {

using namespace flk::testing;

struct Screen : ViewerScreen {
  std::vector<std::string> folders{"A", "B"};
  bool managerChanges = false;
  std::vector<std::string> log, warnings;
  std::string status, memo, gone;
  int marked = -2, arranged = 0;
  std::pair<int, int> pictureSize{-1, -1};
  std::vector<ViewerCommand> enabled;

  void ShowFolderList(const std::vector<std::string>& f) override { log.push_back("list " + std::to_string(f.size())); }
  void MarkFolder(int index) override { marked = index; }
  void EnableCommand(ViewerCommand c, bool on) override {
    if (on) enabled.push_back(c);
  }
  void Arrange() override { ++arranged; }
  void ShowPictureSize(int w, int h) override { pictureSize = {w, h}; }
  void RepaintStrip() override {}
  void SetStatus(const std::string& text) override { status = text; }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  void FolderGone(const std::string& text) override { gone = text; }
  void Busy(bool) override {}
  std::string FileDate(const std::string&) override { return "today"; }
  void ShowMemo(const std::string& path) override { memo = path; }
  void ClearMemo() override { memo = "(cleared)"; }
  void SaveMemo(bool shown) override { log.push_back(shown ? "save memo" : "keep memo"); }
  std::vector<std::string> ReadFolderList() override { return folders; }
  bool RunFolderManager(int row) override {
    log.push_back("manager on " + std::to_string(row));
    return managerChanges;
  }
  void Restore() override { log.push_back("restore"); }
};

struct Viewer {
  FakeDisk disk;
  ViewerFolder folder{disk, kBase};
  ViewerArrangement arrangement;
  Screen screen;
  ViewerFlow flow{folder, arrangement, screen};
  Viewer() {
    for (const char* f : {"A", "B"}) disk.folders.insert(FolderOf(f));
    disk.files[FolderOf("A") + "1.bmp"] = Solid(4, 3);
    disk.files[FolderOf("A") + "2.bmp"] = Solid(5, 7);
  }
};

TEST(ViewerFlow, AStartShowsTheLastPictureOfTheFirstFolderAndSaysSo) {
  Viewer v;
  ASSERT_TRUE(v.flow.Start());
  EXPECT_EQ(v.folder.name(), "A");
  EXPECT_EQ(v.screen.marked, 0);
  EXPECT_EQ(v.screen.pictureSize, std::make_pair(5, 7));
  EXPECT_EQ(v.screen.memo, FolderOf("A") + "2.rtf");
  EXPECT_EQ(v.screen.status, LoadedText(2, "A"));
  EXPECT_EQ(v.screen.enabled.size(), size_t(int(ViewerCommand::About))) << "every command with pictures";
}

TEST(ViewerFlow, AnEmptyFolderLeavesOnlyItsCommandsAndSaysItIsEmpty) {
  Viewer v;
  ASSERT_TRUE(v.flow.Start());
  v.screen.enabled.clear();
  v.flow.SelectFolderAt(1);
  EXPECT_EQ(v.folder.name(), "B");
  EXPECT_EQ(v.screen.marked, 1);
  EXPECT_EQ(v.screen.status, kEmptyFolderText);
  EXPECT_EQ(v.screen.memo, "(cleared)");
  EXPECT_EQ(v.screen.pictureSize, std::make_pair(0, 0));
  for (ViewerCommand c : v.screen.enabled) EXPECT_TRUE(ViewerCommandEnabled(c, false)) << int(c);
  v.flow.SelectFolderAt(2);  // beyond the list: nothing
  EXPECT_EQ(v.folder.name(), "B");
}

TEST(ViewerFlow, APictureThatCannotBeWrittenKeepsTheViewerOnItsFolder) {
  Viewer v;
  ASSERT_TRUE(v.flow.Start());
  v.folder.Shown()->setPixel(0, 0, 0xFFFFFF);
  v.folder.MarkShownModified();
  v.disk.blocked.insert(FolderOf("A") + "2.bmp");
  v.flow.SelectFolder("B");
  EXPECT_EQ(v.folder.name(), "A");
  EXPECT_EQ(v.screen.marked, 0) << "the tab back on the folder still shown";
  ASSERT_EQ(v.screen.warnings.size(), 1u);
  EXPECT_NE(v.screen.warnings[0].find("2.bmp"), std::string::npos) << v.screen.warnings[0];
  v.disk.blocked.clear();
  v.flow.SelectFolder("B");
  EXPECT_EQ(v.folder.name(), "B");
}

TEST(ViewerFlow, PicturesAreSelectedWithinTheListAndTheMemoSavedFirst) {
  Viewer v;
  ASSERT_TRUE(v.flow.Start());
  v.screen.log.clear();
  v.flow.SelectPicture(0);
  EXPECT_EQ(v.folder.pictures().currentIndex(), 0);
  EXPECT_EQ(v.screen.log, std::vector<std::string>{"save memo"});
  EXPECT_EQ(v.screen.status, PictureStatusText(0, 2, "today", "1.bmp", v.folder.pictures().current()->sizeKiB));
  v.flow.SelectPicture(5);
  EXPECT_EQ(v.folder.pictures().currentIndex(), 0) << "outside the list";
  EXPECT_EQ(v.screen.log.size(), 1u);
}

TEST(ViewerFlow, TheFolderManagerAndTheCamerasNotices) {
  Viewer v;
  ASSERT_TRUE(v.flow.Start());
  v.screen.log.clear();
  v.flow.OpenFolderManager();
  EXPECT_EQ(v.screen.log, (std::vector<std::string>{"save memo", "manager on 0"}));
  // The manager renamed A: the flow shows the first folder of the new list.
  v.disk.folders.insert(FolderOf("C"));
  v.screen.folders = {"B", "C"};
  v.screen.managerChanges = true;
  v.flow.OpenFolderManagerAt(1);
  EXPECT_EQ(v.folder.folders(), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(v.folder.name(), "B");
  // A capture into the ring while another folder shows: the ring is opened, the window restored.
  v.disk.folders.insert(FolderOf(kRingFolder));
  v.screen.folders = {"B", "C", kRingFolder};
  v.flow.FoldersChanged();
  v.screen.log.clear();
  v.flow.Notice(-1);
  EXPECT_EQ(v.screen.log.front(), "restore");
  EXPECT_EQ(v.folder.name(), kRingFolder);
}

TEST(ViewerFlow, AFolderThatWentIsToldAndTheViewerCloses) {
  Viewer v;
  v.disk.folders.clear();
  v.screen.folders = {"A"};
  EXPECT_FALSE(v.flow.Start());
  EXPECT_EQ(v.screen.gone, FolderGoneText(FolderOf("A")));
}

}  // namespace
}  // namespace flk
