#include "viewer/picture_list.h"

#include <algorithm>
#include <set>

#include "output/folder_menu.h"

namespace flk {

namespace {
size_t BytesOf(const std::shared_ptr<Picture>& p) {
  return p ? p->bitsSize() + p->palette().size() * sizeof(PaletteEntry) : 0;
}
}  // namespace

std::string MemoFileName(const std::string& pictureFile) {
  return pictureFile.substr(0, pictureFile.size() >= 4 ? pictureFile.size() - 4 : 0) + ".rtf";
}

int PictureList::IndexOf(const std::string& fileName) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].fileName == fileName) return int(i);
  return -1;
}

void PictureList::Load(std::vector<std::string> names, const std::vector<int64_t>& sizesKiB) {
  std::vector<std::pair<std::string, int64_t>> rows;
  for (size_t i = 0; i < names.size(); ++i) rows.emplace_back(names[i], i < sizesKiB.size() ? sizesKiB[i] : 0);
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return FolderNameLess(a.first, b.first); });
  Clear();
  for (auto& [name, kib] : rows) {
    PictureEntry e;
    e.fileName = std::move(name);
    e.sizeKiB = kib;
    entries_.push_back(std::move(e));
  }
  current_ = int(entries_.size()) - 1;
}

bool PictureList::Refresh(const std::vector<Found>& onDisk) {
  bool changed = false;
  std::set<std::string> present;
  for (const Found& f : onDisk) {
    present.insert(f.name);
    if (IndexOf(f.name) >= 0) continue;
    Append(f.name, false);
    entries_.back().sizeKiB = f.sizeKiB;
    changed = true;
  }
  for (int i = int(entries_.size()) - 1; i >= 0; --i) {
    // A picture made here and not written yet has no file: it stays.
    const PictureEntry& e = entries_[size_t(i)];
    if (present.count(e.fileName) || (e.modified && e.sizeKiB == 0)) continue;
    Remove(i);
    changed = true;
  }
  return changed;
}

void PictureList::Remove(int index) {
  entries_.erase(entries_.begin() + index);
  if (entries_.empty()) current_ = -1;
  else if (current_ > int(entries_.size()) - 1) current_ = int(entries_.size()) - 1;
}

void PictureList::DeleteCurrent() {
  if (current_ < 0) return;
  if (entries_.size() == 1) {
    Clear();
    return;
  }
  entries_.erase(entries_.begin() + current_);
  if (current_ > 0) --current_;
}

void PictureList::Append(std::string fileName, bool modified) {
  PictureEntry e;
  e.fileName = std::move(fileName);
  e.modified = modified;
  entries_.push_back(std::move(e));
  current_ = int(entries_.size()) - 1;
}

void PictureList::SetCurrent(int index) {
  current_ = index;
  if (index >= 0) Touch(index);
}

void PictureList::Clear() {
  entries_.clear();
  current_ = -1;
}

void PictureList::Hold(int index, Picture picture) {
  PictureEntry& e = entries_[size_t(index)];
  e.picture = std::make_shared<Picture>(std::move(picture));
  e.lastUse = ++clock_;
  TrimPictures();
}

void PictureList::MarkModified(int index) {
  PictureEntry& e = entries_[size_t(index)];
  e.modified = true;
  e.thumb.reset();  // drawn from the old pixels
}

PictureList::WriteBackResult PictureList::WriteBack(
    const std::function<bool(const std::string&, const Picture&)>& write) {
  WriteBackResult r;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const PictureEntry& e = entries_[i];
    if (!e.modified) continue;
    // A changed picture is pinned, so it is held; one that is not cannot be written.
    if (e.picture && write(e.fileName, *e.picture)) {
      entries_[i].modified = false;
      r.written.push_back(int(i));
    } else {
      r.failed.push_back(int(i));
    }
  }
  if (!r.written.empty()) TrimPictures();
  return r;
}

void PictureList::ReleaseAll() {
  for (PictureEntry& e : entries_) {
    if (e.modified) continue;  // the caller writes these first; never lose them
    e.picture.reset();
    e.thumb.reset();
  }
}

size_t PictureList::heldPictureBytes() const {
  size_t n = 0;
  for (const PictureEntry& e : entries_) n += BytesOf(e.picture);
  return n;
}

void PictureList::TrimPictures() {
  TrimOldest(&PictureEntry::picture, &PictureEntry::lastUse, pictureBudget_, [this](size_t i) {
    return entries_[i].modified || int(i) == current_;
  });
}

std::shared_ptr<Picture> PictureList::ThumbAt(int index, int thumbSize) const {
  const PictureEntry& e = entries_[size_t(index)];
  return e.thumb && e.thumbSize == thumbSize ? e.thumb : nullptr;
}

void PictureList::HoldThumb(int index, int thumbSize, Picture thumb) {
  PictureEntry& e = entries_[size_t(index)];
  e.thumb = std::make_shared<Picture>(std::move(thumb));
  e.thumbSize = thumbSize;
  e.thumbUse = ++clock_;
  TrimThumbs();
}

size_t PictureList::heldThumbBytes() const {
  size_t n = 0;
  for (const PictureEntry& e : entries_) n += BytesOf(e.thumb);
  return n;
}

void PictureList::TrimThumbs() {
  TrimOldest(&PictureEntry::thumb, &PictureEntry::thumbUse, thumbBudget_, [](size_t) { return false; });
}

void PictureList::TrimOldest(std::shared_ptr<Picture> PictureEntry::*part, uint64_t PictureEntry::*use, size_t budget,
                             const std::function<bool(size_t)>& keep) {
  for (;;) {
    size_t held = 0;
    int oldest = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
      const PictureEntry& e = entries_[i];
      if (!(e.*part) || keep(i)) continue;
      held += BytesOf(e.*part);
      if (oldest < 0 || e.*use < entries_[size_t(oldest)].*use) oldest = int(i);
    }
    if (held <= budget || oldest < 0) return;
    (entries_[size_t(oldest)].*part).reset();
  }
}

}  // namespace flk
