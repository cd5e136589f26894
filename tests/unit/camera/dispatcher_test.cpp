#include "camera/dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace flk {
namespace {

// Records every operation in order.
class RecordingOps : public DispatchOps {
 public:
  std::vector<std::string> log;
  bool frozen = false;
  bool pictureOk = true;
  int ringSize = 5;
  bool ringOk = true;
  bool outputOk = true;
  bool folderOk = true;
  std::vector<std::string> folders{"Alpha", "LastCaptures", "Beta"};
  std::string lastFolder;
  std::string status = "old";
  bool fileDepth = false;

  void ClearStatus() override { status.clear(); log.push_back("clear"); }
  void SetStatus(const std::string& t) override { status = t; log.push_back("status"); }
  bool IsDesktopFrozen() override { log.push_back("frozen?"); return frozen; }
  bool MakePicture(bool fd) override {
    fileDepth = fd;
    log.push_back("make");
    return pictureOk;
  }
  int LastCapturesNum() override { return ringSize; }
  bool StoreLastCapture() override { log.push_back("ring"); return ringOk; }
  void ReportRingNotStored() override { log.push_back("ring-failed"); }
  void NotifyViewer(int code) override { log.push_back("notify" + std::to_string(code)); }
  std::string FolderName(int i) override {
    return i >= 0 && i < static_cast<int>(folders.size()) ? folders[i] : std::string();
  }
  bool StoreInFolder(int i) override { log.push_back("folder" + std::to_string(i)); return folderOk; }
  void SetLastFolderName(const std::string& n) override { lastFolder = n; log.push_back("same"); }
  bool RunOutput(CommandId c) override {
    log.push_back("output" + std::to_string(TagOf(c)));
    return outputOk;
  }
  void OfferThaw(bool wasFrozen) override { log.push_back(wasFrozen ? "thaw?frozen" : "thaw?"); }
  void FreePicture() override { log.push_back("free"); }
  void CountToolUse(int code) override { log.push_back("count" + std::to_string(code)); }
};

using Log = std::vector<std::string>;

TEST(GenClick, SaveRunsEveryStepInOrder) {
  RecordingOps ops;
  DispatchResult r = GenClick(8, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "output8", "thaw?", "free", "count8"}));
  EXPECT_TRUE(ops.fileDepth);
  EXPECT_TRUE(r.ringStored);
  EXPECT_EQ(r.usageCode, 8);
}

TEST(GenClick, FrozenFlagIsTakenBeforeTheOutput) {
  RecordingOps ops;
  ops.frozen = true;
  GenClick(11, ops);
  EXPECT_EQ(ops.log[6], "thaw?frozen");
}

TEST(GenClick, RingOffSkipsTheRingCopy) {
  RecordingOps ops;
  ops.ringSize = 0;
  GenClick(5, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "output5", "status", "thaw?", "free", "count5"}));
  EXPECT_EQ(ops.status, kCopiedToClipboardText);
  EXPECT_FALSE(ops.fileDepth);
}

TEST(GenClick, RingNotStoredSendsNoNoticeAndIsReportedAfterTheOutput) {
  // After the output's own status and messages, so that they cannot hide it;
  // the output itself still counts as done.
  for (int tag : {5, 8, 1, 4}) {
    SCOPED_TRACE(tag);
    RecordingOps ops;
    ops.ringOk = false;
    DispatchResult r = GenClick(tag, ops);
    Log expected{"clear", "frozen?", "make", "ring", "output" + std::to_string(tag)};
    if (tag == 5) expected.push_back("status");
    for (const char* step : {"ring-failed", "thaw?", "free"}) expected.push_back(step);
    expected.push_back("count" + std::to_string(tag));
    EXPECT_EQ(ops.log, expected);
    EXPECT_FALSE(r.ringStored);
    EXPECT_TRUE(r.ringFailed);
    EXPECT_TRUE(r.outputOk);
  }
  // A failing output does not swallow the report either.
  RecordingOps both;
  both.ringOk = false;
  both.outputOk = false;
  GenClick(8, both);
  EXPECT_EQ(both.log, (Log{"clear", "frozen?", "make", "ring", "output8", "ring-failed", "free"}));
}

TEST(GenClick, RingOffOrStoredReportsNothing) {
  for (int size : {0, 5}) {
    RecordingOps ops;
    ops.ringSize = size;
    EXPECT_FALSE(GenClick(8, ops).ringFailed);
    EXPECT_EQ(std::count(ops.log.begin(), ops.log.end(), "ring-failed"), 0) << size;
  }
}

TEST(GenClick, StoreWhoseRingCopyFailedSaysSoInsteadOfStored) {
  RecordingOps ops;
  ops.ringOk = false;
  DispatchResult r = GenClick(19, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "ring-failed", "free"}));
  EXPECT_EQ(ops.status, "");
  EXPECT_FALSE(r.outputOk);
  // The "LastCaptures" entry of the Store menu is the same ring copy.
  RecordingOps entry;
  entry.ringOk = false;
  GenClick(FolderTag(1), entry);
  EXPECT_EQ(entry.log, (Log{"clear", "frozen?", "make", "ring", "ring-failed", "free"}));
  EXPECT_EQ(entry.lastFolder, "");
}

TEST(GenClick, OutputErrorFreesButSkipsThawAndCount) {
  RecordingOps ops;
  ops.outputOk = false;
  DispatchResult r = GenClick(8, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "output8", "free"}));
  EXPECT_FALSE(r.outputOk);
  EXPECT_EQ(r.usageCode, 0);
  // Copy failing leaves the status line alone.
  RecordingOps copy;
  copy.outputOk = false;
  GenClick(5, copy);
  EXPECT_EQ(copy.status, "");
}

TEST(GenClick, NoPictureStopsBeforeAnythingIsStored) {
  RecordingOps ops;
  ops.pictureOk = false;
  DispatchResult r = GenClick(8, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make"}));
  EXPECT_FALSE(r.pictureMade);
}

TEST(GenClick, StoreButtonMakesOnlyTheRingCopy) {
  RecordingOps ops;
  GenClick(19, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "status", "thaw?", "free", "count19"}));
  EXPECT_EQ(ops.status, kStatusStoredRing);
}

TEST(GenClick, FolderEntryStoresRemembersAndCountsNine) {
  RecordingOps ops;
  GenClick(FolderTag(2), ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "folder2", "same", "thaw?", "free", "count9"}));
  EXPECT_EQ(ops.lastFolder, "Beta");
}

TEST(GenClick, LastCapturesEntryIsNotStoredTwice) {
  RecordingOps ops;
  GenClick(FolderTag(1), ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "same", "thaw?", "free", "count9"}));
  EXPECT_EQ(ops.lastFolder, "LastCaptures");
}

TEST(GenClick, FolderStoreFailureOrStaleIndexIsAnError) {
  RecordingOps ops;
  ops.folderOk = false;
  GenClick(FolderTag(0), ops);
  EXPECT_EQ(ops.log.back(), "free");
  EXPECT_EQ(ops.lastFolder, "");

  RecordingOps stale;
  GenClick(FolderTag(9), stale);
  EXPECT_EQ(stale.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "free"}));
}

TEST(GenClick, TagZeroHasNoOutputAndCountsNothing) {
  RecordingOps ops;
  DispatchResult r = GenClick(0, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "thaw?", "free"}));
  EXPECT_EQ(r.usageCode, 0);
}

TEST(GenClick, HoldIsRingCopyThenToggle) {
  RecordingOps ops;
  GenClick(7, ops);
  EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "output7", "thaw?", "free", "count7"}));
}

TEST(GenClick, EmailAndStickyRunTheirOutputs) {
  for (int tag : {3, 4}) {
    RecordingOps ops;
    GenClick(tag, ops);
    std::string t = std::to_string(tag);
    EXPECT_EQ(ops.log, (Log{"clear", "frozen?", "make", "ring", "notify-3", "output" + t, "thaw?", "free", "count" + t}));
  }
}

TEST(GenClick, FileDepthOnlyForFileWritingTags) {
  for (int tag : {3, 6, 8, 10, 11}) EXPECT_TRUE(TagWritesFile(tag)) << tag;
  for (int tag : {0, 1, 2, 4, 5, 7, 19, -1}) EXPECT_FALSE(TagWritesFile(tag)) << tag;
  RecordingOps ops;
  GenClick(10, ops);
  EXPECT_TRUE(ops.fileDepth);
}

TEST(GenClick, UsageCodes) {
  for (int tag : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 19}) EXPECT_EQ(UsageCodeOfTag(tag), tag);
  EXPECT_EQ(UsageCodeOfTag(-3), 9);
  EXPECT_EQ(UsageCodeOfTag(0), 0);
  EXPECT_EQ(UsageCodeOfTag(9), 0);
}

const std::string kDataFolder = "C:\\Data\\";

// StoreDispatch over an in-memory disk; the picture is 3 x 2 pixels.
class DiskDispatch : public StoreDispatch {
 public:
  DiskDispatch(PictureStore& store, std::vector<std::string>& folders, std::string& same, bool* writeOk)
      : StoreDispatch(store,
                      [writeOk, this](const std::string& path, const Picture& p, SaveError* error) {
                        written.push_back(path + " " + std::to_string(p.width()) + "x" + std::to_string(p.height()));
                        if (!*writeOk && error) error->message = "disk full";
                        return *writeOk;
                      },
                      folders, same, 5) {}
  std::vector<std::string> written, warnings, statuses;
  bool havePicture = true;
  void ClearStatus() override {}
  void SetStatus(const std::string& t) override { statuses.push_back(t); }
  bool IsDesktopFrozen() override { return false; }
  void NotifyViewer(int) override {}
  bool RunOutput(CommandId) override { return true; }
  void OfferThaw(bool) override {}
  void CountToolUse(int) override {}

 protected:
  std::optional<Picture> TakePicture(bool) override {
    if (!havePicture) return std::nullopt;
    return Picture::Create(3, 2, 24);
  }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

TEST(StoreDispatch, TheRingCopyAndTheFolderStoreWriteTheCommandsPicture) {
  InMemoryFileSystem fs;
  PictureStore store{fs, kDataFolder};
  std::vector<std::string> folders{"Alpha", "LastCaptures"};
  std::string same;
  bool writeOk = true;
  fs.MakeDirectories(store.FolderPath("Alpha"));
  DiskDispatch ops(store, folders, same, &writeOk);
  ASSERT_TRUE(ops.MakePicture(false));
  EXPECT_EQ(ops.LastCapturesNum(), 5);
  EXPECT_TRUE(ops.StoreLastCapture());
  ASSERT_EQ(ops.written.size(), 1u);
  EXPECT_EQ(ops.written[0].rfind(store.RingPath(), 0), 0u) << ops.written[0];
  EXPECT_NE(ops.written[0].find(" 3x2"), std::string::npos);
  EXPECT_EQ(ops.FolderName(0), "Alpha");
  EXPECT_EQ(ops.FolderName(2), "");
  EXPECT_EQ(ops.FolderName(-1), "");
  EXPECT_TRUE(ops.StoreInFolder(0));
  ASSERT_EQ(ops.written.size(), 2u);
  EXPECT_EQ(ops.written[1].rfind(store.FolderPath("Alpha"), 0), 0u) << ops.written[1];
  EXPECT_EQ(ops.statuses.size(), 1u);  // "Picture added to Alpha folder. ..."
  ops.SetLastFolderName("Alpha");
  EXPECT_EQ(same, "Alpha");  // the Store menu's Same Folder
  EXPECT_TRUE(ops.warnings.empty());
}

TEST(StoreDispatch, ALostRingCopyIsToldWithItsFileAndReason) {
  InMemoryFileSystem fs;
  PictureStore store{fs, kDataFolder};
  std::vector<std::string> folders;
  std::string same;
  bool writeOk = false;
  DiskDispatch ops(store, folders, same, &writeOk);
  ASSERT_TRUE(ops.MakePicture(true));
  EXPECT_FALSE(ops.StoreLastCapture());
  ops.ReportRingNotStored();
  ASSERT_EQ(ops.warnings.size(), 1u);
  EXPECT_NE(ops.warnings[0].find("disk full"), std::string::npos) << ops.warnings[0];
  EXPECT_NE(ops.warnings[0].find(kRingCopyMissing), std::string::npos) << ops.warnings[0];
  ops.havePicture = false;
  EXPECT_FALSE(ops.MakePicture(false));
}

TEST(StoreDispatch, GenClickOverTheDiskStoresTheRingAndTheFolder) {
  InMemoryFileSystem fs;
  PictureStore store{fs, kDataFolder};
  std::vector<std::string> folders{"Alpha"};
  std::string same;
  bool writeOk = true;
  fs.MakeDirectories(store.FolderPath("Alpha"));
  DiskDispatch ops(store, folders, same, &writeOk);
  DispatchResult r = GenClick(FolderTag(0), ops);
  EXPECT_TRUE(r.ringStored);
  EXPECT_TRUE(r.outputOk);
  EXPECT_EQ(ops.written.size(), 2u);  // the ring copy, then the folder
  EXPECT_EQ(same, "Alpha");
}

}  // namespace
}  // namespace flk
