#include "setup/install_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "setup/install_rules.h"
#include "setup/launch_options.h"
#include "shell/data_folders.h"
#include "shell/names.h"

namespace flk {
namespace {

bool Inside(const Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && !r.empty();
}

bool Overlap(const Rect& a, const Rect& b) { return !Intersect(a, b).empty(); }

TEST(InstallSteps, RoomAndItsText) {
  EXPECT_EQ(KibUp(0), 0u);
  EXPECT_EQ(KibUp(1), 1u);
  EXPECT_EQ(KibUp(1024), 1u);
  EXPECT_EQ(KibUp(1025), 2u);
  const uint64_t spare = ReadmeSize() + 1 + (1u << 20);
  EXPECT_EQ(BytesNeeded(3000000), 3000000 + spare);
  EXPECT_EQ(BytesNeeded(std::nullopt), (4u << 20) + spare);  // the program's size unknown
  std::string memo = SetupMemoText(2048 * 1024 + 1);
  EXPECT_NE(memo.find("Requires only 2049 KiB hard disk space."), std::string::npos);
  EXPECT_EQ(memo.rfind("Click OK to install FramelarkPro", 0), 0u);
  EXPECT_NE(std::string(kReadmeText).find("FramelarkPro 1.32"), std::string::npos);
  EXPECT_EQ(ReadmeSize(), std::string(kReadmeText).size());
}

TEST(InstallSteps, WorkingFoldersMadeAreTheOnesRemovedWhenEmpty) {
  const std::string d = "D:\\Data\\";
  std::vector<std::string> removed = EmptyWorkingFolders(d);
  const std::vector<std::string> made = WorkingFoldersOf(d);
  EXPECT_EQ(made, (std::vector<std::string>{"D:\\Data\\Folders", "D:\\Data\\Stickies", "D:\\Data\\Edited",
                                            "D:\\Data\\Captures"}));
  for (const std::string& folder : made)
    EXPECT_NE(std::find(removed.begin(), removed.end(), folder), removed.end()) << folder;
  EXPECT_EQ(removed.front(), "D:\\Data\\Folders\\First Folder");
  EXPECT_TRUE(SameFolder("C:\\Program Files\\Framelark\\Pro\\", "c:\\program files\\FRAMELARK\\pro\\"));
  EXPECT_FALSE(SameFolder("C:\\Framelark\\Pro\\", "C:\\Framelark\\Pro"));
  EXPECT_EQ(ReadmeWarningText("C:\\P\\Readme.txt"), "Couldn't write C:\\P\\Readme.txt.");
  EXPECT_EQ(CopyProgramErrorText("a", "b").rfind("Couldn't copy from a to b.\r\n\r\n", 0), 0u);
}

TEST(InstallSteps, FolderDialogAcceptsOnlyAMadeFolderWithRoom) {
  const std::string f = "E:\\Apps\\";
  struct Row {
    bool made;
    std::optional<uint64_t> free;
    bool accept;
    std::string message;
  } rows[] = {
      {true, 5000, true, ""},
      {true, 4096, false, FreeSpaceText(4096, 4096, f)},  // exactly enough is not enough
      {true, std::nullopt, false, FreeSpaceText(4096, 0, f)},
      {false, 1u << 30, false, "Couldn't create directory E:\\Apps\\"},
  };
  for (const Row& r : rows) {
    FolderVerdict v = JudgeInstallFolder(f, r.made, r.free, 4096);
    EXPECT_EQ(v.accept, r.accept) << r.message;
    EXPECT_EQ(v.message, r.message);
  }
}

TEST(InstallSteps, EveryRoleWindowIsAskedToCloseOnce) {
  int posted = 0;
  bool sentSeen = false;
  std::vector<std::string> classes;
  for (const RunningWindow& w : RunningWindows()) {
    EXPECT_FALSE(w.post && sentSeen) << w.caption;  // the posts go first
    sentSeen = sentSeen || !w.post;
    posted += w.post;
    if (w.windowClass) classes.push_back(w.windowClass);
  }
  EXPECT_EQ(posted, 3);
  for (const char* c : {kCameraClass, kTrayClass, kStickiesClass, kViewerClass, kTipsClass})
    EXPECT_EQ(std::count(classes.begin(), classes.end(), c), 1) << c;
}

TEST(InstallSteps, RemovalScriptFileAndText) {
  EXPECT_EQ(RemovalScriptName(1234, 99), "flk-remove-1234-99.bat");
  EXPECT_EQ(ScriptText({"@echo off", "del x"}), "@echo off\r\ndel x\r\n");
  EXPECT_EQ(ScriptText({}), "");
}

TEST(InstallSteps, FormsFitTheirClientAreas) {
  SetupFormLayout s = LayOutSetupForm();
  for (const Rect& r : {s.memo, s.ok, s.cancel}) EXPECT_TRUE(Inside(r, kSetupFormWidth, kSetupFormHeight));
  EXPECT_GT(s.memo.left, 12 + kSetupPicture + 8);  // right of the product picture's frame
  EXPECT_FALSE(Overlap(s.ok, s.cancel));
  EXPECT_FALSE(Overlap(s.memo, s.ok));

  ASSERT_EQ(LaunchBoxes().size(), 4u);
  std::vector<Rect> all{kLaunchOkRect, kLaunchCancelRect};
  for (const LaunchFormText& t : LaunchBoxes()) all.push_back(t.rect);
  for (const LaunchFormText& t : LaunchNotes()) all.push_back(t.rect);
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_TRUE(Inside(all[i], kLaunchOptionsWidth, kLaunchOptionsHeight)) << i;
    for (size_t j = i + 1; j < all.size(); ++j) EXPECT_FALSE(Overlap(all[i], all[j])) << i << " " << j;
  }
  EXPECT_STREQ(LaunchBoxes()[1 + int(LaunchShortcut::QuickLaunch)].text, "&Quick Launch Bar (98 or 2000).");
}

}  // namespace
}  // namespace flk
