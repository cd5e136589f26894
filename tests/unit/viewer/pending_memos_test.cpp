#include "viewer/pending_memos.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace flk {
namespace {

// A disk that refuses the paths in `full` and keeps what it was given.
struct Disk {
  std::set<std::string> full;
  std::map<std::string, std::string> files;
  PendingMemos::Writer writer = [this](const std::string& path, const std::string& rtf, std::string* why) {
    if (full.count(path)) {
      *why = "No space left on device";
      return false;
    }
    files[path] = rtf;
    return true;
  };
};

TEST(PendingMemos, AMemoThatCouldNotBeWrittenIsKeptUntilALaterSaveWritesIt) {
  Disk disk;
  PendingMemos memos;
  const std::string a = "C:\\F\\LastCaptures\\0000000001.rtf", b = "C:\\F\\LastCaptures\\0000000002.rtf";
  disk.full = {a, b};
  memos.Hold(a, "{\\rtf1 first}");
  memos.Hold(b, "{\\rtf1 second}");
  memos.Hold(a, "{\\rtf1 first, edited again}");
  EXPECT_EQ(memos.size(), 2u);
  EXPECT_EQ(memos.Find("c:\\f\\lastcaptures\\0000000001.RTF"), "{\\rtf1 first, edited again}") << "case ignored";
  // Still full: both stay, each with the reason.
  auto failed = memos.Retry(disk.writer);
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[0], std::make_pair(a, std::string("No space left on device")));
  EXPECT_TRUE(disk.files.empty());
  // Room for one; the shown memo (skip) is the caller's to write.
  disk.full = {b};
  failed = memos.Retry(disk.writer, b);
  EXPECT_TRUE(failed.empty()) << "the skipped one is not reported";
  EXPECT_EQ(disk.files.at(a), "{\\rtf1 first, edited again}");
  EXPECT_FALSE(memos.Find(a));
  EXPECT_EQ(memos.Find(b), "{\\rtf1 second}");
  memos.Drop(b);
  EXPECT_EQ(memos.size(), 0u);
}

TEST(PendingMemos, TheWarningNamesTheFileAndTheReason) {
  EXPECT_EQ(MemoNotSavedText("C:\\F\\A\\3.rtf", "Cannot write file C:\\F\\A\\3.rtf (No space left on device)"),
            "Couldn't save the memo C:\\F\\A\\3.rtf\r\nCannot write file C:\\F\\A\\3.rtf (No space left on device)"
            "\r\n\r\nThe memo is kept and written at the next save.");
  EXPECT_EQ(MemoNotSavedText("x.rtf", ""), "Couldn't save the memo x.rtf\r\n\r\nThe memo is kept and written at the next save.");
}

}  // namespace
}  // namespace flk
