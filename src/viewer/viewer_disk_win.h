// The viewer's folders on the real disk, through the kit's file-system adapter.
#pragma once

#include "viewer/viewer_folder.h"

namespace flk {

class WinViewerDisk : public ViewerDisk {
 public:
  bool FolderExists(const std::string& folder) override;
  bool MakeFolder(const std::string& folder) override;
  std::vector<Found> PictureFiles(const std::string& folder) override;
  std::optional<Picture> ReadPicture(const std::string& path, std::string* why) override;
  bool WritePicture(const std::string& path, const Picture& picture, std::string* why) override;
  bool FileExists(const std::string& path) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  std::optional<std::string> RemoveFile(const std::string& path) override;
};

}  // namespace flk
