#include "output/picture_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flk {
namespace {

const std::string kBase = "C:\\Data\\";
const std::string kRing = "C:\\Data\\Folders\\LastCaptures\\";

// A store over an in-memory disk whose writer leaves a file of `size` bytes
// and, like the viewer, a memo beside each ring picture.
struct Fixture {
  InMemoryFileSystem fs;
  PictureStore store{fs, kBase};
  int nextFileNum = 1;
  std::vector<int> notices;
  std::vector<std::string> written;
  uint64_t size = 1000;
  bool writeOk = true;
  bool withMemo = false;
  PictureWriter writer = [this](const std::string& path) {
    if (!writeOk) return false;
    fs.AddFile(path, size);
    if (withMemo) fs.AddFile(path.substr(0, path.size() - 4) + ".rtf", 10);
    written.push_back(path);
    return true;
  };
  Fixture() {
    fs.AddDirectory(kBase + "Folders");
    store.SetNextFileNumberAccess([this] { return nextFileNum; }, [this](int n) { nextFileNum = n; });
    store.SetViewerNotifier([this](int code) { notices.push_back(code); });
  }
};

TEST(RingNames, TenDigitNamesAndTheirNumbers) {
  EXPECT_EQ(RingFileName(42), "0000000042.bmp");
  EXPECT_EQ(RingFileName(1234567890), "1234567890.bmp");
  EXPECT_EQ(RingFileName(12345678901), "12345678901.bmp");
  EXPECT_EQ(RingNumberOf("0000000042.bmp"), 42);
  EXPECT_EQ(RingNumberOf("57.bmp"), 57);
  EXPECT_EQ(RingNumberOf("9999999999.BMP"), 9999999999LL);
  EXPECT_FALSE(RingNumberOf("holiday.bmp"));
  EXPECT_FALSE(RingNumberOf("12a.bmp"));
  EXPECT_FALSE(RingNumberOf("-5.bmp"));
  EXPECT_FALSE(RingNumberOf(".bmp"));
  EXPECT_FALSE(RingNumberOf("1234567890123456789.bmp"));
  EXPECT_EQ(KiBOf(0), 0);
  EXPECT_EQ(KiBOf(1024), 1);
  EXPECT_EQ(KiBOf(1025), 2);
}

TEST(Ring, SevenCapturesKeepTheFiveNewestWithTheirMemos) {
  Fixture f;
  f.withMemo = true;
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(f.store.StoreLastCapture(&f.writer).stored);
  EXPECT_EQ(f.fs.FilesIn(kRing),
            (std::vector<std::string>{"0000000003.bmp", "0000000003.rtf", "0000000004.bmp", "0000000004.rtf",
                                      "0000000005.bmp", "0000000005.rtf", "0000000006.bmp", "0000000006.rtf",
                                      "0000000007.bmp", "0000000007.rtf"}));
  EXPECT_EQ(f.store.lastCaptureNumber(), 7);
  // The folder was made by the first store, and the viewer told so once.
  EXPECT_EQ(f.notices, (std::vector<int>{-2}));
}

TEST(Ring, RestartContinuesAfterTheHighestNumberAndIgnoresOtherNames) {
  Fixture f;
  f.fs.AddFile(kRing + "0000000010.bmp");
  f.fs.AddFile(kRing + "0000000004.bmp");
  f.fs.AddFile(kRing + "holiday.bmp");
  f.fs.AddFile(kRing + "notes.txt");
  RingStoreResult r = f.store.StoreLastCapture(&f.writer);
  EXPECT_TRUE(r.stored);
  EXPECT_EQ(r.path, kRing + "0000000011.bmp");
  // 11 - 5 = 6: picture 4 goes, the others stay.
  EXPECT_EQ(f.fs.FilesIn(kRing),
            (std::vector<std::string>{"0000000010.bmp", "0000000011.bmp", "holiday.bmp", "notes.txt"}));
  for (int i = 0; i < 10; ++i) f.store.StoreLastCapture(&f.writer);
  EXPECT_TRUE(f.fs.IsFile(kRing + "holiday.bmp"));
  EXPECT_TRUE(f.notices.empty());  // the folder existed
}

TEST(Ring, NumbersInUseAreSkipped) {
  Fixture f;
  f.store.StoreLastCapture(&f.writer);  // 1
  f.fs.AddFile(kRing + "0000000002.bmp");
  RingStoreResult r = f.store.StoreLastCapture(&f.writer);
  EXPECT_EQ(r.path, kRing + "0000000003.bmp");
}

TEST(Ring, FolderThatCannotBeMadeSkipsSilently) {
  Fixture f;
  f.fs.failMakeDirectory = true;
  RingStoreResult r = f.store.StoreLastCapture(&f.writer);
  EXPECT_FALSE(r.stored);
  EXPECT_TRUE(r.dirMissing);
  EXPECT_TRUE(f.written.empty());
  FolderStoreResult w = f.store.StoreInFolder({}, -1, f.writer);
  EXPECT_FALSE(w.stored);
  EXPECT_TRUE(w.dirMissing) << "a whole capture says why it was not stored";
  EXPECT_FALSE(w.openViewer);
}

TEST(Ring, AWholeCaptureThatCouldNotBeStoredNamesTheFileAndTheReason) {
  Fixture f;
  f.store.StoreLastCapture(&f.writer);
  f.writeOk = false;
  FolderStoreResult w = f.store.StoreInFolder({}, -1, f.writer);
  EXPECT_FALSE(w.stored);
  EXPECT_FALSE(w.dirMissing);
  EXPECT_EQ(w.path, kRing + "0000000002.bmp") << "the file the message names";
  const std::string text = RingNotStoredText(w.dirMissing, f.store.RingPath(), w.path, "EWriteError",
                                             "Cannot write file " + w.path + " (No space left on device)");
  EXPECT_EQ(text, "Unable to save file.\r\n\r\nCheck -\r\nthe drive door is closed\r\nthe drive is formatted\r\n"
                  "the drive isn't write protected\r\nthe drive has sufficient space\r\nthe drive exists\r\n\r\n"
                  "Path  " + w.path + "\r\nException type: EWriteError\r\nCannot write file " + w.path +
                  " (No space left on device)\r\n\r\n" + kSaveCaptureElsewhere);
  EXPECT_EQ(RingNotStoredText(true, kRing, "", "", ""),
            "Couldn't create directory " + kRing + "\r\n\r\n" + kSaveCaptureElsewhere);
  // The ring copy beside an output: the same file and reason, but nothing to save elsewhere.
  const std::string copy = RingCopyNotStoredText(false, kRing, w.path, "EWriteError", "Disk full");
  EXPECT_EQ(copy.substr(0, text.find("Exception")), text.substr(0, text.find("Exception")));
  EXPECT_NE(copy.find("EWriteError\r\nDisk full\r\n\r\n" + std::string(kRingCopyMissing)), std::string::npos) << copy;
  EXPECT_EQ(copy.find(kSaveCaptureElsewhere), std::string::npos);
  EXPECT_EQ(RingCopyNotStoredText(true, kRing, "", "", ""),
            "Couldn't create directory " + kRing + "\r\n\r\n" + kRingCopyMissing);
}

TEST(Ring, FailedWriteDeletesNothing) {
  Fixture f;
  for (int i = 0; i < 5; ++i) f.store.StoreLastCapture(&f.writer);
  f.writeOk = false;
  EXPECT_FALSE(f.store.StoreLastCapture(&f.writer).stored);
  EXPECT_EQ(f.fs.FilesIn(kRing).size(), 5u);
  EXPECT_TRUE(f.fs.IsFile(kRing + "0000000001.bmp"));
}

TEST(Ring, KeepAllNeverTrims) {
  Fixture f;
  f.store.SetLastCapturesNum(kKeepAllCaptures);
  for (int i = 0; i < 30; ++i) f.store.StoreLastCapture(&f.writer);
  EXPECT_EQ(f.fs.FilesIn(kRing).size(), 30u);
}

TEST(Ring, SmallerSizeTrimsAtOnceWithoutAPicture) {
  Fixture f;
  f.store.SetLastCapturesNum(20);
  for (int i = 0; i < 12; ++i) f.store.StoreLastCapture(&f.writer);
  f.store.SetLastCapturesNum(5);
  RingStoreResult r = f.store.StoreLastCapture(nullptr);
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(r.deleted, 7);
  EXPECT_EQ(f.fs.FilesIn(kRing).front(), "0000000008.bmp");
  EXPECT_EQ(f.store.lastCaptureNumber(), 12);
}

TEST(Ring, SwitchedOffKeepsTheWholeCaptureJustStored) {
  Fixture f;
  f.store.SetLastCapturesNum(0);
  FolderStoreResult first = f.store.StoreInFolder({}, -1, f.writer);
  EXPECT_TRUE(first.stored);
  EXPECT_TRUE(first.openViewer);
  EXPECT_TRUE(f.fs.IsFile(first.path));
  FolderStoreResult second = f.store.StoreInFolder({}, -1, f.writer);
  EXPECT_TRUE(f.fs.IsFile(second.path));
  EXPECT_FALSE(f.fs.IsFile(first.path));
  EXPECT_EQ(f.fs.FilesIn(kRing).size(), 1u);
}

TEST(Ring, UndeletableFileStaysAndTheTrimGoesOn) {
  Fixture f;
  f.store.SetLastCapturesNum(2);
  f.fs.undeletable.insert(kRing + "0000000001.bmp");
  for (int i = 0; i < 5; ++i) f.store.StoreLastCapture(&f.writer);
  EXPECT_EQ(f.fs.FilesIn(kRing),
            (std::vector<std::string>{"0000000001.bmp", "0000000004.bmp", "0000000005.bmp"}));
}

TEST(FolderStore, OneCounterServesAllFoldersAndTakenNumbersAreSkipped) {
  Fixture f;
  f.fs.AddDirectory(kBase + "Folders\\Alpha");
  f.fs.AddDirectory(kBase + "Folders\\Beta");
  f.fs.AddFile(kBase + "Folders\\Beta\\2.bmp");
  const std::vector<std::string> folders{"Alpha", "Beta"};
  FolderStoreResult a = f.store.StoreInFolder(folders, 0, f.writer);
  EXPECT_TRUE(a.stored);
  EXPECT_EQ(a.path, kBase + "Folders\\Alpha\\1.bmp");
  EXPECT_EQ(f.nextFileNum, 2);
  FolderStoreResult b = f.store.StoreInFolder(folders, 1, f.writer);
  EXPECT_EQ(b.path, kBase + "Folders\\Beta\\3.bmp");
  EXPECT_EQ(f.nextFileNum, 4);
  EXPECT_FALSE(b.openViewer);
  EXPECT_EQ(f.notices, (std::vector<int>{0, 1}));
}

TEST(FolderStore, StatusTextWithSizeRoundedUp) {
  Fixture f;
  f.fs.AddDirectory(kBase + "Folders\\Work");
  f.size = 2049;
  FolderStoreResult r = f.store.StoreInFolder({"Work"}, 0, f.writer);
  EXPECT_EQ(r.status, "Picture added to Work folder.    3 KiB");
}

TEST(FolderStore, BadIndexOrFailedWriteStoresNothing) {
  Fixture f;
  f.nextFileNum = 7;
  EXPECT_FALSE(f.store.StoreInFolder({"Work"}, 1, f.writer).stored);
  EXPECT_EQ(f.nextFileNum, 7);
  f.writeOk = false;
  FolderStoreResult r = f.store.StoreInFolder({"Work"}, 0, f.writer);
  EXPECT_FALSE(r.stored);
  EXPECT_TRUE(r.status.empty());
  EXPECT_TRUE(f.notices.empty());
}

TEST(FolderStore, UnusableCounterStartsAtOne) {
  Fixture f;
  f.fs.AddDirectory(kBase + "Folders\\Work");
  f.nextFileNum = -4;
  EXPECT_EQ(f.store.StoreInFolder({"Work"}, 0, f.writer).path, kBase + "Folders\\Work\\1.bmp");
  EXPECT_EQ(f.nextFileNum, 2);
}

TEST(InMemoryDisk, CaseInsensitivePathsAndSingleLevelCreation) {
  InMemoryFileSystem fs;
  fs.AddFile("C:\\A\\B\\x.BMP", 5);
  EXPECT_TRUE(fs.IsFile("c:\\a\\b\\X.bmp"));
  EXPECT_TRUE(fs.IsDirectory("C:\\A\\B\\"));
  EXPECT_EQ(fs.ListFiles("C:\\a\\b\\", ".bmp"), (std::vector<std::string>{"x.BMP"}));
  EXPECT_EQ(fs.ListDirectories("C:\\A"), (std::vector<std::string>{"B"}));
  EXPECT_FALSE(fs.MakeDirectory("C:\\Q\\R"));
  EXPECT_TRUE(fs.MakeDirectory("C:\\A\\C"));
  EXPECT_FALSE(fs.MakeDirectory("C:\\a\\c"));
  EXPECT_EQ(fs.FileSize("C:\\A\\B\\x.bmp"), 5u);
  EXPECT_TRUE(fs.RemoveFile("C:\\A\\B\\x.bmp"));
  EXPECT_FALSE(fs.RemoveFile("C:\\A\\B\\x.bmp"));
}

}  // namespace
}  // namespace flk
