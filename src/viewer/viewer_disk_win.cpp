#include "viewer/viewer_disk_win.h"

#include <windows.h>

#include "base/bmp.h"
#include "output/store_file_system_win.h"
#include "shell/common_services_win.h"
#include "win32/files_win.h"
#include "win32/window.h"

namespace flk {

bool WinViewerDisk::FolderExists(const std::string& folder) { return win::DirectoryExists(folder); }

bool WinViewerDisk::MakeFolder(const std::string& folder) { return WinStoreFileSystem().MakeDirectories(folder); }

std::vector<ViewerDisk::Found> WinViewerDisk::PictureFiles(const std::string& folder) {
  std::vector<Found> files;
  for (win::FoundFile& f : win::FindFiles(folder + "*.bmp"))
    if (IsListedPictureFile(f.name, f.directory, f.hiddenOrSystem)) files.push_back({std::move(f.name), f.size});
  return files;
}

std::optional<Picture> WinViewerDisk::ReadPicture(const std::string& path, std::string* why) {
  std::optional<std::vector<uint8_t>> bytes = win::ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return DecodeBmp(*bytes, why);
}

bool WinViewerDisk::WritePicture(const std::string& path, const Picture& picture, std::string* why) {
  SaveError error;
  if (WriteBmpFile(path, picture, &error)) return true;
  if (why) *why = error.message;
  return false;
}

bool WinViewerDisk::FileExists(const std::string& path) { return win::FileExists(path); }

std::optional<uint64_t> WinViewerDisk::FileSize(const std::string& path) { return win::FileSizeOf(path); }

std::optional<std::string> WinViewerDisk::RemoveFile(const std::string& path) {
  if (win::RemoveFile(path)) return std::nullopt;
  const DWORD code = ::GetLastError();
  return DeleteFailure(code, SystemErrorText(code));
}

}  // namespace flk
