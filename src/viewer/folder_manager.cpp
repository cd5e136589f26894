// The folder manager's rules; see folder_manager.h.
#include "viewer/folder_manager.h"

#include <algorithm>

#include "output/folder_menu.h"

namespace flk {

FolderManager::FolderManager(StoreFileSystem& fs, std::string baseFolder) : fs_(fs), base_(std::move(baseFolder)) {}

void FolderManager::BuildFolderList() {
  folders_ = ListPictureFolders(fs_, base_).names;
  if (selected_ >= static_cast<int>(folders_.size())) selected_ = folders_.empty() ? -1 : 0;
}

int FolderManager::IndexOf(const std::string& name) const {
  auto it = std::find(folders_.begin(), folders_.end(), name);
  return it == folders_.end() ? -1 : static_cast<int>(it - folders_.begin());
}

void FolderManager::Begin(int index) {
  foldersChanged_ = false;
  const int n = static_cast<int>(folders_.size());
  selected_ = n == 0 ? -1 : std::clamp(index, 0, n - 1);
}

void FolderManager::Select(int index) { selected_ = IsRename(index) ? index : -1; }

std::string FolderManager::StatusText() const {
  std::string base = base_;
  for (char& c : base)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return "Picture folders located at: " + base + kFoldersDir;
}

std::string FolderManager::FolderDir(const std::string& name) const { return base_ + kFoldersDir + name; }

void FolderManager::Insert(const std::string& name) {
  auto at = std::upper_bound(folders_.begin(), folders_.end(), name,
                             [](const std::string& a, const std::string& b) { return FolderNameLess(a, b); });
  auto placed = folders_.insert(at, name);
  selected_ = static_cast<int>(placed - folders_.begin());
}

NameOutcome FolderManager::DoName(int index, const std::string& name) {
  return IsRename(index) ? Rename(index, name) : Add(name);
}

NameOutcome FolderManager::Add(const std::string& name) {
  NameOutcome r;
  if (name.empty()) {
    r.closeDialog = true;
    return r;
  }
  // Checked first: a name such as "a\b" or ".." would make a folder outside the list's place.
  r.refusedName = !UsableFolderName(name);
  if (r.refusedName || !fs_.MakeDirectory(FolderDir(name))) {
    r.warning = "Couldn't create directory " + name;
    return r;
  }
  Insert(name);
  foldersChanged_ = true;
  r.clearName = true;
  return r;
}

NameOutcome FolderManager::Rename(int index, const std::string& name) {
  NameOutcome r;
  const std::string old = folders_[static_cast<size_t>(index)];
  if (name == old) {  // nothing to do: as if renamed, without touching the disk
    r.closeDialog = true;
    return r;
  }
  r.refusedName = !UsableFolderName(name);
  if (r.refusedName || !fs_.RenameDirectory(FolderDir(old), FolderDir(name))) {
    r.warning = "Couldn't rename directory to " + name;
    return r;
  }
  folders_.erase(folders_.begin() + index);
  Insert(name);
  foldersChanged_ = true;
  r.closeDialog = true;
  return r;
}

std::string FolderManager::DeleteQuestion(int index) {
  if (!IsRename(index)) return {};
  const std::string& name = folders_[static_cast<size_t>(index)];
  const std::string dir = FolderDir(name);
  if (!fs_.IsDirectory(dir)) return {};
  const size_t count = fs_.ListNormalFiles(dir + "\\").size();
  if (count == 0) return {};
  return "Are you sure you want to delete " + name + "\r\n and all " + std::to_string(count) + " files in it?";
}

DeleteOutcome FolderManager::Delete(int index) {
  DeleteOutcome r;
  if (!IsRename(index)) return r;
  const std::string name = folders_[static_cast<size_t>(index)];
  const std::string dir = FolderDir(name);
  if (fs_.IsDirectory(dir)) {
    // Files that cannot be deleted are skipped; the directory then stays and says so.
    for (const std::string& file : fs_.ListNormalFiles(dir + "\\")) fs_.RemoveFile(dir + "\\" + file);
    if (!fs_.RemoveEmptyDirectory(dir)) {
      r.warning = name +
                  " couldn't be deleted, possibly because:\r\nA file inside is in use.\r\nA file inside is hidden or "
                  "read-only.\r\nThe directory contains a subdirectory.";
      return r;
    }
  }
  folders_.erase(folders_.begin() + index);
  selected_ = folders_.empty() ? -1 : 0;
  foldersChanged_ = true;
  r.deleted = true;
  return r;
}

FolderWizForm FolderWizLayout(Size art) {
  constexpr int w = kFolderWizWidth, kArtPanel = 125, kButtonsPanel = 110;
  const int x = w - kButtonsPanel + 25;
  auto button = [x](FormControl::Kind kind, const char* text, int id, int top) {
    return FormControl{kind, text, id, Rect::FromXYWH(x, top, 70, 20)};
  };
  return FolderWizForm{
      .heading = Rect::FromXYWH(5, 5, w - 10, 20),
      .topRule = {FormControl::Rule, "", 0, Rect::FromXYWH(0, 29, w, 2)},
      .list = Rect::FromXYWH(kArtPanel, 33, w - kArtPanel - kButtonsPanel, 174),
      .buttons = {button(FormControl::PushButton, kAddCaption, kFolderWizAdd, 33),
                  button(FormControl::PushButton, kRenameCaption, kFolderWizRename, 61),
                  button(FormControl::PushButton, "&Delete", kFolderWizDelete, 89),
                  button(FormControl::DefaultButton, "&Close", kFolderWizClose, 161)},
      .bottomRule = {FormControl::Rule, "", 0, Rect::FromXYWH(0, 210, w, 2)},
      .status = Rect::FromXYWH(5, 215, w - 10, 15),
      .art = Rect::FromXYWH((kArtPanel - art.width) / 2, 30 + (180 - art.height) / 2, art.width, art.height),
  };
}

}  // namespace flk
