#include "shell/leftovers.h"

#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "output/decoders.h"

namespace flk {
namespace {

using namespace flk::testing;
namespace fs = std::filesystem;

const std::vector<uint8_t> kBytes = {'B', 'M', 1, 2, 3};

// A data folder as a killed camera, viewer and sticky manager leave it.
struct DataFolder {
  ScratchFolder dir;
  std::string base = Utf8FromPath(dir.path()) + "/";
  std::string program = Utf8FromPath(dir / "Pro");
  DataFolder() {
    for (const char* f : {"Folders/LastCaptures", "Folders/First Folder", "Stickies", "Edited", "Captures", "Pro"})
      fs::create_directories(dir / f);
    for (const char* f : {"Folders/LastCaptures/0000000001.bmp", "Folders/LastCaptures/0000000002.bmp.0a1b2c3d.flktmp",
                          "Folders/LastCaptures/0000000001.rtf.11111111.flktmp", "Folders/First Folder/3.bmp",
                          "Folders/First Folder/4.bmp.deadbeef.flktmp", "Folders/x.bmp.00000000.flktmp",
                          "Stickies/1_10_20_.bmp", "Stickies/2_30_40_.bmp.12345678.flktmp",
                          "Pro/NewSticky.bmp.abcdef01.flktmp", "Pro/FramelarkPro.exe", "Edited/1.bmp.abcdef02.flktmp",
                          "Captures/mine.flktmp"})
      WriteAll(dir / f, kBytes);
  }
  std::vector<std::string> In(const char* f) { return FolderEntries(dir / f); }
};

TEST(Leftovers, EachRoleRemovesTheTemporaryFilesOfItsOwnFoldersOnly) {
  DataFolder d;
  EXPECT_EQ(RemoveLeftoverFiles(d.base, d.program, LeftoverPlace::PictureFolders), 4);
  EXPECT_EQ(d.In("Folders/LastCaptures"), std::vector<std::string>{"0000000001.bmp"});
  EXPECT_EQ(d.In("Folders/First Folder"), std::vector<std::string>{"3.bmp"});
  EXPECT_EQ(d.In("Folders"), (std::vector<std::string>{"First Folder", "LastCaptures"}));
  EXPECT_EQ(d.In("Stickies").size(), 2u) << "the notes are the sticky manager's";

  EXPECT_EQ(RemoveLeftoverFiles(d.base, d.program, LeftoverPlace::Notes), 1);
  EXPECT_EQ(d.In("Stickies"), std::vector<std::string>{"1_10_20_.bmp"});

  EXPECT_EQ(RemoveLeftoverFiles(d.base, d.program, LeftoverPlace::ProgramFiles), 2);
  EXPECT_EQ(d.In("Pro"), std::vector<std::string>{"FramelarkPro.exe"});
  EXPECT_TRUE(d.In("Edited").empty());
  EXPECT_EQ(d.In("Captures"), std::vector<std::string>{"mine.flktmp"}) << "a name we never write stays";
  // A second start finds nothing more.
  for (LeftoverPlace p : {LeftoverPlace::PictureFolders, LeftoverPlace::Notes, LeftoverPlace::ProgramFiles})
    EXPECT_EQ(RemoveLeftoverFiles(d.base, d.program, p), 0);
}

TEST(Leftovers, AMissingDataFolderIsNoError) {
  ScratchFolder dir;
  const std::string base = Utf8FromPath(dir / "none") + "/";
  EXPECT_EQ(RemoveLeftoverFiles(base, "", LeftoverPlace::PictureFolders), 0);
  EXPECT_EQ(LeftoverFolders(base, "", LeftoverPlace::ProgramFiles).size(), 2u);
}

}  // namespace
}  // namespace flk
