// The pictures of the folder the recall viewer shows: their files in text
// order, the shown one, what was changed and must be written back, and the
// decoded pictures themselves, loaded when first needed and kept in a cache
// of bounded size. A changed picture is never dropped from memory before it
// has been written back, so an edit cannot be lost to the bound.
//
// The list knows nothing of the disk: the viewer passes in the names it found
// and gets back what to write, delete or report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk {

struct PictureEntry {
  std::string fileName;  // "12.bmp"
  bool modified = false;
  int64_t sizeKiB = 0;   // 0 while the file does not exist yet
  // The decoded picture while it is held; shared so that a paint or an output
  // may keep it while the cache lets go of it.
  std::shared_ptr<Picture> picture;
  uint64_t lastUse = 0;
  // Its thumbnail, drawn at thumbSize.
  std::shared_ptr<Picture> thumb;
  int thumbSize = 0;
  uint64_t thumbUse = 0;
};

class PictureList {
 public:
  // Bytes of decoded pictures and of thumbnails kept besides the shown
  // picture and the changed ones.
  explicit PictureList(size_t pictureBudget = size_t(160) << 20, size_t thumbBudget = size_t(48) << 20)
      : pictureBudget_(pictureBudget), thumbBudget_(thumbBudget) {}

  const std::vector<PictureEntry>& entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  int currentIndex() const { return current_; }
  const PictureEntry* current() const { return current_ >= 0 ? &entries_[size_t(current_)] : nullptr; }
  int IndexOf(const std::string& fileName) const;  // exact comparison; -1 when not listed

  // A folder's files: sorted, the last one current (-1 for none). Sizes by name.
  void Load(std::vector<std::string> names, const std::vector<int64_t>& sizesKiB);
  // Files that appeared go to the end (the last appended becomes current);
  // entries whose file went are removed, the current index kept inside the
  // list. onDisk: every picture file of the folder now. True when anything changed.
  struct Found {
    std::string name;
    int64_t sizeKiB = 0;
  };
  bool Refresh(const std::vector<Found>& onDisk);
  // Removes the entry (a file that vanished or cannot be read); the current
  // index follows the rule of a vanished file.
  void Remove(int index);
  // Delete: the shown picture goes; the one before it is shown (after the
  // first, the new first).
  void DeleteCurrent();
  // A new entry made current (Paste).
  void Append(std::string fileName, bool modified);
  void SetCurrent(int index);  // no checks: SelectPicture does them
  void SetSize(int index, int64_t sizeKiB) { entries_[size_t(index)].sizeKiB = sizeKiB; }
  void Clear();

  // ---- decoded pictures ----
  std::shared_ptr<Picture> PictureAt(int index) const { return entries_[size_t(index)].picture; }
  // Keeps a freshly decoded picture, then drops the least recently used
  // unchanged ones beyond the budget (never the shown one).
  void Hold(int index, Picture picture);
  void Touch(int index) { entries_[size_t(index)].lastUse = ++clock_; }
  // The picture was edited in memory: kept until written.
  void MarkModified(int index);
  // Writes every changed picture through `write` (file name, picture; true
  // when the file now holds it). Only those written are marked so; the others
  // stay changed and pinned, to be tried again at the next write-back.
  struct WriteBackResult {
    std::vector<int> written, failed;  // indexes
  };
  WriteBackResult WriteBack(const std::function<bool(const std::string&, const Picture&)>& write);
  // Every decoded picture and thumbnail let go (leaving the folder).
  void ReleaseAll();
  size_t heldPictureBytes() const;

  // ---- thumbnails ----
  std::shared_ptr<Picture> ThumbAt(int index, int thumbSize) const;
  void HoldThumb(int index, int thumbSize, Picture thumb);
  size_t heldThumbBytes() const;

 private:
  void TrimPictures();
  void TrimThumbs();
  // Lets the least recently used parts go until those not kept fit the budget.
  void TrimOldest(std::shared_ptr<Picture> PictureEntry::*part, uint64_t PictureEntry::*use, size_t budget,
                  const std::function<bool(size_t)>& keep);

  std::vector<PictureEntry> entries_;
  int current_ = -1;
  size_t pictureBudget_, thumbBudget_;
  uint64_t clock_ = 0;
};

// The number of a pasted picture: the first n, n+1, ... whose "<n>.bmp" does
// not exist; the counter to store next is one more than that.
struct PasteName {
  std::string fileName;
  int nextFileNum = 0;
};
template <class Exists>
PasteName NextPasteName(int nxtFileNum, Exists exists) {
  int n = nxtFileNum;
  std::string name;
  do {
    name = std::to_string(n) + ".bmp";
    ++n;
  } while (exists(name));
  return {name, n};
}

// The memo file of a picture: its name less the last four characters, + ".rtf".
std::string MemoFileName(const std::string& pictureFile);

}  // namespace flk
