#include <gtest/gtest.h>

#include "viewer/viewer_fakes.h"
#include "viewer/viewer_folder.h"
#include "viewer/viewer_rules.h"

namespace flk {
namespace {

using namespace flk::testing;

struct Scene {
  FakeDisk disk;
  ViewerFolder folder{disk, kBase};
  Scene() {
    for (const char* f : {"A", "B"}) disk.folders.insert(FolderOf(f));
    disk.files[FolderOf("A") + "1.bmp"] = Solid(4, 3, 0x112233);
    disk.files[FolderOf("A") + "2.bmp"] = Solid(5, 3, 0x445566);
    disk.files[FolderOf("A") + "2.rtf"] = std::nullopt;
    disk.files[FolderOf("B") + "9.bmp"] = Solid(2, 2);
    folder.SetFolders({"A", "B"});
    folder.ChooseStartFolder();
    EXPECT_TRUE(folder.Load());
  }
};

TEST(PictureListWriteBack, OnlyWrittenPicturesAreMarkedSoTheOthersStayPinnedAndAreTriedAgain) {
  PictureList l;
  l.Load({"1.bmp", "2.bmp", "3.bmp"}, {});
  for (int i = 0; i < 3; ++i) {
    l.Hold(i, Solid(3, 3));
    l.MarkModified(i);
  }
  std::set<std::string> failing{"2.bmp"};
  std::vector<std::string> tried;
  auto writer = [&](const std::string& name, const Picture&) {
    tried.push_back(name);
    return !failing.count(name);
  };
  PictureList::WriteBackResult r = l.WriteBack(writer);
  EXPECT_EQ(r.written, (std::vector<int>{0, 2}));
  EXPECT_EQ(r.failed, (std::vector<int>{1}));
  EXPECT_FALSE(l.entries()[0].modified);
  EXPECT_TRUE(l.entries()[1].modified) << "a failed write leaves the picture changed";
  l.ReleaseAll();
  EXPECT_FALSE(l.PictureAt(0));
  ASSERT_TRUE(l.PictureAt(1)) << "and pinned: leaving the folder does not lose the edit";
  // Only the failed one is tried again; once written it is let go too.
  tried.clear();
  failing.clear();
  r = l.WriteBack(writer);
  EXPECT_EQ(tried, (std::vector<std::string>{"2.bmp"}));
  EXPECT_EQ(r.written, (std::vector<int>{1}));
  EXPECT_TRUE(r.failed.empty());
  l.ReleaseAll();
  EXPECT_EQ(l.heldPictureBytes(), 0u);
  // A changed entry without its picture cannot be written: a failure, not a silent loss.
  l.Append("4.bmp", true);
  r = l.WriteBack(writer);
  EXPECT_EQ(r.failed, (std::vector<int>{3}));
}

TEST(ViewerFolder, StartsOnTheRingWhenItExistsAndShowsTheLastPicture) {
  Scene s;
  EXPECT_EQ(s.folder.name(), "A");
  EXPECT_EQ(s.folder.pictures().currentIndex(), 1);
  EXPECT_EQ(s.folder.MemoPath(), FolderOf("A") + "2.rtf");
  EXPECT_EQ(s.folder.pictures().entries()[0].sizeKiB, 2);
  s.disk.folders.insert(FolderOf("LastCaptures"));
  s.folder.SetFolders({"A", "B", "LastCaptures"});
  s.folder.ChooseStartFolder();
  EXPECT_EQ(s.folder.name(), "LastCaptures");
  EXPECT_EQ(s.folder.index(), 2);
  s.disk.folders.clear();
  EXPECT_FALSE(s.folder.Load()) << "a folder that went";
}

TEST(ViewerFolder, LeavingWritesBackAndStaysWhileAPictureCannotBeWritten) {
  Scene s;
  const std::string file = FolderOf("A") + "2.bmp";
  std::shared_ptr<Picture> shown = s.folder.Shown();
  ASSERT_TRUE(shown);
  shown->setPixel(0, 0, 0xFFFFFF);
  s.folder.MarkShownModified();
  s.disk.blocked.insert(file);
  int failures = -1;
  EXPECT_FALSE(s.folder.Leave("B", &failures));
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(s.folder.name(), "A") << "the edit is still on screen";
  EXPECT_EQ(s.folder.TakeNotSavedText(),
            "Note, 1 picture file(s) could't be saved.\r\n\r\n" + file + "\r\nCannot write file " + file +
                " (No space left on device)\r\n\r\nThe changes are kept and written at the next save.");
  EXPECT_EQ(s.folder.TakeNotSavedText(), "") << "reported once";
  EXPECT_TRUE(s.folder.pictures().entries()[1].modified);
  EXPECT_TRUE(s.folder.pictures().PictureAt(1));
  // The way clear: written, and the viewer goes.
  s.disk.blocked.clear();
  EXPECT_TRUE(s.folder.Leave("B", &failures));
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(s.folder.TakeNotSavedText(), "");
  EXPECT_EQ(s.disk.files[file]->pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s.folder.name(), "B");
  ASSERT_TRUE(s.folder.Load());
  EXPECT_EQ(s.folder.pictures().size(), 1u);
  // Nothing changed: nothing written.
  s.disk.writes.clear();
  EXPECT_TRUE(s.folder.Leave("A", &failures));
  EXPECT_TRUE(s.disk.writes.empty());
}

TEST(ViewerFolder, DeleteKeepsThePictureAndItsMemoWhenItsFileStays) {
  Scene s;
  const std::string file = FolderOf("A") + "2.bmp", memo = FolderOf("A") + "2.rtf";
  s.disk.held.insert(file);
  std::optional<std::string> why = s.folder.DeleteShown();
  ASSERT_TRUE(why);
  EXPECT_EQ(*why, "The file is in use by another program.");
  EXPECT_EQ(s.folder.pictures().size(), 2u);
  EXPECT_EQ(s.folder.ShownPath(), file);
  EXPECT_TRUE(s.disk.files.count(memo)) << "the memo stays with its picture";
  EXPECT_EQ(CouldNotDeleteText(file, *why),
            "Couldn't delete the picture file " + file +
                "\r\nThe file is in use by another program.\r\nThe picture stays in the folder.");
  s.disk.held.clear();
  EXPECT_FALSE(s.folder.DeleteShown());
  EXPECT_FALSE(s.disk.files.count(file));
  EXPECT_FALSE(s.disk.files.count(memo));
  EXPECT_EQ(s.folder.pictures().size(), 1u);
  EXPECT_EQ(s.folder.ShownPath(), FolderOf("A") + "1.bmp");
}

TEST(ViewerFolder, PasteTakesAFreeNumberAndIsWrittenAtOnce) {
  Scene s;
  int failures = -1, next = 0;
  // The counter is stored before the file appears: whoever sees 3.bmp sees 4 as well.
  auto store = [&](int n) {
    next = n;
    EXPECT_FALSE(s.disk.files.count(FolderOf("A") + std::to_string(n - 1) + ".bmp")) << n;
  };
  s.folder.AddPasted(Solid(6, 6, 0x00FF00), 1, store, &failures);
  EXPECT_EQ(next, 4) << "1.bmp and 2.bmp are taken";
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(s.folder.ShownPath(), FolderOf("A") + "3.bmp");
  ASSERT_TRUE(s.disk.files[FolderOf("A") + "3.bmp"]);
  EXPECT_EQ(s.disk.files[FolderOf("A") + "3.bmp"]->pixel(5, 5), 0x00FF00u);
  EXPECT_EQ(s.folder.pictures().current()->sizeKiB, 3) << "the written file's size";
  // Unwritable: it stays, changed, and is kept by a refresh although no file has it.
  s.disk.blocked.insert(FolderOf("A") + "4.bmp");
  s.folder.AddPasted(Solid(1, 1), next, store, &failures);
  EXPECT_EQ(failures, 1);
  EXPECT_TRUE(s.folder.pictures().current()->modified);
  EXPECT_FALSE(s.folder.Refresh());
  EXPECT_EQ(s.folder.pictures().size(), 4u);
}

TEST(ViewerFolder, AnUnreadableFileIsReportedOnceAndLeftOutAfterwards) {
  Scene s;
  s.disk.files[FolderOf("A") + "0.bmp"] = std::nullopt;
  int notices = 0;
  s.folder.OnUnreadable([&] { ++notices; });
  ASSERT_TRUE(s.folder.Load());
  ASSERT_EQ(s.folder.pictures().size(), 3u);
  EXPECT_FALSE(s.folder.PictureOf(0));
  EXPECT_FALSE(s.folder.PictureOf(0));
  EXPECT_EQ(notices, 1);
  bool removed = false;
  std::vector<ViewerFolder::Unreadable> report = s.folder.TakeUnreadable(&removed);
  EXPECT_TRUE(removed);
  ASSERT_EQ(report.size(), 1u);
  EXPECT_EQ(report[0].path, FolderOf("A") + "0.bmp");
  EXPECT_EQ(report[0].why, "Not a picture.");
  EXPECT_EQ(s.folder.pictures().size(), 2u);
  EXPECT_TRUE(s.disk.files.count(FolderOf("A") + "0.bmp")) << "left on disk";
  EXPECT_FALSE(s.folder.Refresh()) << "not listed again this run";
  ASSERT_TRUE(s.folder.Load());
  EXPECT_EQ(s.folder.pictures().size(), 2u);
  EXPECT_TRUE(s.folder.TakeUnreadable(&removed).empty());
}

TEST(ViewerFolder, PicturesAreReadOnceAndThumbnailsMadeOncePerSize) {
  Scene s;
  int made = 0;
  auto make = [&](const Picture& p, int size) -> std::optional<Picture> {
    ++made;
    return Solid(std::min(p.width(), size), std::min(p.height(), size));
  };
  ASSERT_TRUE(s.folder.ThumbOf(0, 2, make));
  ASSERT_TRUE(s.folder.ThumbOf(0, 2, make));
  EXPECT_EQ(made, 1);
  EXPECT_EQ(s.folder.ThumbOf(0, 3, make)->width(), 3);
  EXPECT_EQ(made, 2);
  EXPECT_EQ(s.disk.reads.size(), 1u) << "the decoded picture is kept";
  EXPECT_TRUE(s.folder.Selectable(0));
  EXPECT_FALSE(s.folder.Selectable(1)) << "the shown one";
  EXPECT_FALSE(s.folder.Selectable(2));
  EXPECT_FALSE(s.folder.Selectable(-1));
}

TEST(ViewerFolder, AFolderThatWentTakesItsPicturesWithIt) {
  Scene s;
  EXPECT_EQ(s.folder.FoldersChanged({"A", "B", "C"}), "A");
  EXPECT_EQ(s.folder.pictures().size(), 2u);
  s.disk.folders.erase(FolderOf("A"));
  EXPECT_EQ(s.folder.FoldersChanged({"B"}), "B");
  EXPECT_TRUE(s.folder.pictures().empty());
  EXPECT_EQ(s.folder.folders(), (std::vector<std::string>{"B"}));
}

TEST(ViewerFolder, OnlyNormalBmpFilesAreListedAndAFileAlreadyGoneIsNoFailure) {
  const struct {
    const char* name;
    bool directory, hidden, listed;
  } cases[] = {{"1.bmp", false, false, true},   {"2.BMP", false, false, true},  {"x.Bmp", false, false, true},
               {"3.bmp", true, false, false},   {"4.bmp", false, true, false},  {"5.bmpx", false, false, false},
               {"bmp", false, false, false},    {".bmp", false, false, true},   {"6.png", false, false, false}};
  for (const auto& c : cases) EXPECT_EQ(IsListedPictureFile(c.name, c.directory, c.hidden), c.listed) << c.name;
  EXPECT_EQ(DeleteFailure(2, "The system cannot find the file specified."), std::nullopt);
  EXPECT_EQ(DeleteFailure(3, ""), std::nullopt);
  EXPECT_EQ(DeleteFailure(32, "In use."), "In use.");
  EXPECT_EQ(DeleteFailure(5, ""), "System error 5.");
}

}  // namespace
}  // namespace flk
