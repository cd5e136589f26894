#include "output/store_file_system_win.h"

#include <windows.h>

#include "base/bmp.h"
#include "output/save_file.h"
#include "win32/files_win.h"
#include "win32/window.h"

namespace flk {

bool WinStoreFileSystem::IsDirectory(const std::string& path) { return win::DirectoryExists(path); }
bool WinStoreFileSystem::IsFile(const std::string& path) { return win::FileExists(path); }
bool WinStoreFileSystem::MakeDirectory(const std::string& path) {
  return ::CreateDirectoryW(win::Widen(path).c_str(), nullptr) != FALSE;
}
bool WinStoreFileSystem::MakeDirectories(const std::string& path) { return CreateFolderChain(path); }
std::vector<std::string> WinStoreFileSystem::ListFiles(const std::string& dir, const std::string& ext) {
  return win::FilesIn(dir, ext);
}
std::vector<std::string> WinStoreFileSystem::ListDirectories(const std::string& dir) { return win::FoldersIn(dir); }
bool WinStoreFileSystem::RemoveFile(const std::string& path) {
  return ::DeleteFileW(win::Widen(path).c_str()) != FALSE;
}
std::optional<uint64_t> WinStoreFileSystem::FileSize(const std::string& path) { return win::FileSizeOf(path); }

bool WriteBmpFile(const std::string& path, const Picture& picture) {
  return win::WriteFileAtomic(path, [&picture](std::FILE* f) { return WriteBmp(picture, f); });
}

}  // namespace flk
