#include "viewer/viewer_folder.h"

#include "base/strings.h"
#include "output/picture_store.h"
#include "shell/data_folders.h"
#include "viewer/viewer_rules.h"

namespace flk {

int ViewerFolder::index() const { return FolderIndex(folders_, name_); }

std::string ViewerFolder::Path() const { return base_ + kFoldersDir + name_ + "\\"; }

bool IsListedPictureFile(const std::string& name, bool directory, bool hiddenOrSystem) {
  return !directory && !hiddenOrSystem && EndsWithNoCase(name, ".bmp");
}

std::optional<std::string> DeleteFailure(unsigned long code, const std::string& systemText) {
  constexpr unsigned long kFileNotFound = 2, kPathNotFound = 3;  // the system's codes
  if (code == kFileNotFound || code == kPathNotFound) return std::nullopt;
  return systemText.empty() ? "System error " + std::to_string(code) + "." : systemText;
}

void ViewerFolder::ChooseStartFolder() {
  name_ = StartFolder(folders_, disk_.FolderExists(RingFolderOf(base_) + "\\"));
}

std::string ViewerFolder::FoldersChanged(std::vector<std::string> folders) {
  const bool exists = disk_.FolderExists(Path());
  if (!exists) pictures_.Clear();  // its files went with the folder
  folders_ = std::move(folders);
  return FolderToShow(folders_, name_, exists);
}

std::vector<PictureList::Found> ViewerFolder::Listed() {
  const std::string folder = Path();
  std::vector<PictureList::Found> found;
  for (const ViewerDisk::Found& f : disk_.PictureFiles(folder))
    if (!unreadable_.count(folder + f.name)) found.push_back({f.name, KiBOf(f.size)});  // reported once a run
  return found;
}

bool ViewerFolder::Load() {
  if (!disk_.FolderExists(Path())) return false;
  std::vector<std::string> names;
  std::vector<int64_t> sizes;
  for (PictureList::Found& f : Listed()) {
    names.push_back(std::move(f.name));
    sizes.push_back(f.sizeKiB);
  }
  pictures_.Load(std::move(names), sizes);
  return true;
}

bool ViewerFolder::Leave(const std::string& next, int* failures) {
  *failures = WriteBack(true);
  if (*failures) return false;
  name_ = next;
  return true;
}

bool ViewerFolder::Refresh() { return pictures_.Refresh(Listed()); }

int ViewerFolder::WriteBack(bool release) {
  const std::string folder = Path();
  if (!pictures_.empty()) disk_.MakeFolder(folder);
  notSaved_.clear();
  const PictureList::WriteBackResult r = pictures_.WriteBack([&](const std::string& name, const Picture& p) {
    std::string why;
    if (disk_.WritePicture(folder + name, p, &why)) return true;
    notSaved_.push_back({folder + name, why});
    return false;
  });
  for (int i : r.written)
    if (std::optional<uint64_t> size = disk_.FileSize(PathOf(i))) pictures_.SetSize(i, KiBOf(*size));
  if (release) pictures_.ReleaseAll();  // keeps what is still changed
  return int(r.failed.size());
}

std::string ViewerFolder::TakeNotSavedText() {
  std::vector<std::pair<std::string, std::string>> lines;
  for (NotSaved& n : TakeNotSaved()) lines.emplace_back(std::move(n.path), std::move(n.why));
  return lines.empty() ? std::string() : NotSavedText(lines);
}

bool ViewerFolder::Selectable(int index) const {
  return index >= 0 && index < int(pictures_.size()) && index != pictures_.currentIndex();
}

std::shared_ptr<Picture> ViewerFolder::PictureOf(int index) {
  if (std::shared_ptr<Picture> p = pictures_.PictureAt(index)) {
    pictures_.Touch(index);
    return p;
  }
  const std::string path = PathOf(index);
  std::string why = "The file cannot be opened or read.";
  if (std::optional<Picture> p = disk_.ReadPicture(path, &why)) {
    pictures_.Hold(index, std::move(*p));
    return pictures_.PictureAt(index);
  }
  if (unreadable_.insert(path).second) {
    toReport_.push_back({path, why});
    if (onUnreadable_) onUnreadable_();
  }
  return nullptr;
}

std::shared_ptr<Picture> ViewerFolder::Shown() {
  const int i = pictures_.currentIndex();
  return i < 0 ? nullptr : PictureOf(i);
}

std::shared_ptr<Picture> ViewerFolder::ThumbOf(int index, int thumbSize, const ThumbMaker& make) {
  if (std::shared_ptr<Picture> thumb = pictures_.ThumbAt(index, thumbSize)) return thumb;
  std::shared_ptr<Picture> p = PictureOf(index);
  if (!p) return nullptr;
  std::optional<Picture> made = make(*p, thumbSize);
  if (!made) return nullptr;
  pictures_.HoldThumb(index, thumbSize, std::move(*made));
  return pictures_.ThumbAt(index, thumbSize);
}

void ViewerFolder::MarkShownModified() {
  if (pictures_.currentIndex() >= 0) pictures_.MarkModified(pictures_.currentIndex());
}

std::string ViewerFolder::PathOf(int index) const { return Path() + pictures_.entries()[size_t(index)].fileName; }

std::string ViewerFolder::ShownPath() const {
  return pictures_.currentIndex() < 0 ? std::string() : PathOf(pictures_.currentIndex());
}

std::string ViewerFolder::MemoPath() const {
  const PictureEntry* e = pictures_.current();
  return e ? Path() + MemoFileName(e->fileName) : std::string();
}

std::optional<std::string> ViewerFolder::DeleteShown() {
  if (pictures_.currentIndex() < 0) return std::nullopt;
  if (std::optional<std::string> why = disk_.RemoveFile(ShownPath())) return why;
  disk_.RemoveFile(MemoPath());  // a memo that stays is harmless: no picture shows it
  pictures_.DeleteCurrent();
  return std::nullopt;
}

void ViewerFolder::AddPasted(Picture picture, int nxtFileNum, const std::function<void(int)>& storeNext,
                             int* failures) {
  const std::string folder = Path();
  PasteName name = NextPasteName(nxtFileNum, [&](const std::string& n) { return disk_.FileExists(folder + n); });
  storeNext(name.nextFileNum);
  pictures_.Append(name.fileName, true);
  pictures_.Hold(pictures_.currentIndex(), std::move(picture));
  *failures = WriteBack(false);
}

std::vector<ViewerFolder::Unreadable> ViewerFolder::TakeUnreadable(bool* removed) {
  *removed = false;
  const std::string folder = Path();
  for (int i = int(pictures_.size()) - 1; i >= 0; --i)
    if (unreadable_.count(folder + pictures_.entries()[size_t(i)].fileName)) {
      pictures_.Remove(i);
      *removed = true;
    }
  std::vector<Unreadable> report;
  report.swap(toReport_);
  return report;
}

}  // namespace flk
