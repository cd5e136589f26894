// The picture store's view of the disk, over the kit's file-system adapter.
#pragma once

#include "base/atomic_file.h"
#include "base/picture.h"
#include "output/picture_store.h"

namespace flk {

class WinStoreFileSystem : public StoreFileSystem {
 public:
  bool IsDirectory(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool MakeDirectories(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext) override;
  std::vector<std::string> ListDirectories(const std::string& dir) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  std::vector<std::string> ListNormalFiles(const std::string& dir) override;
  bool RenameDirectory(const std::string& from, const std::string& to) override;
  bool RemoveEmptyDirectory(const std::string& path) override;
};

// A picture as a BMP file, written atomically (an old file stays when it
// fails, and *error, when given, says why).
bool WriteBmpFile(const std::string& path, const Picture& picture, SaveError* error = nullptr);

}  // namespace flk
