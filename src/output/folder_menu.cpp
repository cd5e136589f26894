// Store submenus and new picture folders; see folder_menu.h.
#include "output/folder_menu.h"

#include <algorithm>

#include "base/strings.h"

namespace flk {

bool UsableFolderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Windows drops trailing dots and spaces, so the folder made would not bear the name listed.
  if (name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool FolderNameLess(std::string_view a, std::string_view b) {
  const int c = CompareNoCase(a, b);
  return c != 0 ? c < 0 : a < b;
}

bool SameFolderName(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

FolderList ListPictureFolders(StoreFileSystem& fs, const std::string& baseFolder) {
  PictureStore paths(fs, baseFolder);
  FolderList list;
  for (std::string& name : fs.ListDirectories(paths.FoldersPath()))
    if (name != "." && name != "..") list.names.push_back(std::move(name));
  if (list.names.empty()) {
    const std::string first = paths.FoldersPath() + kFirstFolderName;
    // Listed only when it is really there, so its entry can be stored into.
    if (fs.MakeDirectories(first)) {
      list.names.push_back(kFirstFolderName);
      list.createdFirstFolder = true;
    }
  }
  std::sort(list.names.begin(), list.names.end(),
            [](const std::string& a, const std::string& b) { return FolderNameLess(a, b); });
  return list;
}

std::vector<FolderMenuEntry> FolderMenuEntries(const std::vector<std::string>& folders,
                                               const std::string& lastFolderName) {
  std::vector<FolderMenuEntry> entries;
  FolderMenuEntry same{FolderMenuEntry::SameFolder, kSameFolderCaption, 0, folders.size() >= 2, false};
  if (same.visible && !lastFolderName.empty()) {
    for (size_t i = 0; i < folders.size(); ++i) {
      if (SameFolderName(folders[i], lastFolderName)) {
        same.caption = folders[i];
        same.tag = FolderTag(static_cast<int>(i));
        same.enabled = true;
        break;
      }
    }
  }
  entries.push_back(same);
  entries.push_back({FolderMenuEntry::Separator, "", 0, true, true});
  for (size_t i = 0; i < folders.size(); ++i)
    entries.push_back({FolderMenuEntry::Folder, folders[i], FolderTag(static_cast<int>(i)), true, true});
  entries.push_back({FolderMenuEntry::Separator, "", 0, true, true});
  entries.push_back({FolderMenuEntry::CreateFolder, kCreateFolderCaption, 0, true, true});
  return entries;
}

FolderMenu BuildFolderMenu(StoreFileSystem& fs, const std::string& baseFolder, const std::string& lastFolderName) {
  FolderMenu menu;
  FolderList list = ListPictureFolders(fs, baseFolder);
  menu.folders = std::move(list.names);
  menu.createdFirstFolder = list.createdFirstFolder;
  menu.entries = FolderMenuEntries(menu.folders, lastFolderName);
  return menu;
}

NewFolderResult CreatePictureFolder(StoreFileSystem& fs, const std::string& baseFolder, const std::string& answer,
                                    const std::function<void(int)>& notify) {
  NewFolderResult r;
  if (answer.empty()) return r;
  PictureStore paths(fs, baseFolder);
  if (UsableFolderName(answer) && fs.MakeDirectory(paths.FoldersPath() + answer)) {
    r.outcome = NewFolderResult::Created;
    r.message = "Folder " + answer + " created.";
    if (notify) notify(-2);
  } else {
    r.outcome = NewFolderResult::Failed;
    r.message = "Couldn't create directory " + answer;
  }
  return r;
}

}  // namespace flk
