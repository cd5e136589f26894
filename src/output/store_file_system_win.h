// The picture store's view of the disk, over the kit's file-system adapter.
#pragma once

#include "base/atomic_file.h"
#include "base/picture.h"
#include "output/picture_store.h"
#include "win32/files_win.h"

namespace flk {

// A thin adapter: each call is one call of the kit's file system.
class WinStoreFileSystem : public StoreFileSystem {
 public:
  bool IsDirectory(const std::string& path) override { return win::DirectoryExists(path); }
  bool IsFile(const std::string& path) override { return win::FileExists(path); }
  bool MakeDirectory(const std::string& path) override { return win::MakeFolder(path); }
  bool MakeDirectories(const std::string& path) override { return CreateFolderChain(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext) override {
    return win::FilesIn(dir, ext);
  }
  std::vector<std::string> ListDirectories(const std::string& dir) override { return win::FoldersIn(dir); }
  bool RemoveFile(const std::string& path) override { return win::RemoveFile(path); }
  std::optional<uint64_t> FileSize(const std::string& path) override { return win::FileSizeOf(path); }
  // Neither folders nor hidden or system files.
  std::vector<std::string> ListNormalFiles(const std::string& dir) override;
  // MoveFile moves a directory too; the callers pass a new name in the same folder.
  bool RenameDirectory(const std::string& from, const std::string& to) override {
    return win::DirectoryExists(from) && win::MoveFileTo(from, to);
  }
  bool RemoveEmptyDirectory(const std::string& path) override { return win::RemoveEmptyFolder(path); }
};

// A picture as a BMP file, written atomically (an old file stays when it
// fails, and *error, when given, says why).
bool WriteBmpFile(const std::string& path, const Picture& picture, SaveError* error = nullptr);

}  // namespace flk
