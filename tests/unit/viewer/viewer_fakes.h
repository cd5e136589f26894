// A viewer's disk in memory for the tests of its folder and its commands.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "viewer/viewer_folder.h"

namespace flk::testing {

inline Picture Solid(int w, int h, uint32_t rgb = 0) {
  Picture p = *Picture::Create(w, h, 32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.setPixel(x, y, rgb);
  return p;
}

// Folders and picture files in memory; files hold decoded pictures. Paths in
// `blocked` cannot be written, `held` ones cannot be deleted.
class FakeDisk : public ViewerDisk {
 public:
  std::set<std::string> folders;
  std::map<std::string, std::optional<Picture>> files;  // nothing: a file that is no picture
  std::set<std::string> blocked, held;
  std::vector<std::string> writes, reads;

  bool FolderExists(const std::string& folder) override { return folders.count(folder) > 0; }
  bool MakeFolder(const std::string& folder) override { return folders.insert(folder), true; }
  std::vector<Found> PictureFiles(const std::string& folder) override {
    std::vector<Found> found;
    for (const auto& [path, p] : files)
      if (path.starts_with(folder) && path.find('\\', folder.size()) == std::string::npos && path.ends_with(".bmp"))
        found.push_back({path.substr(folder.size()), 2048});
    return found;
  }
  std::optional<Picture> ReadPicture(const std::string& path, std::string* why) override {
    reads.push_back(path);
    auto it = files.find(path);
    if (it == files.end() || !it->second) {
      *why = "Not a picture.";
      return std::nullopt;
    }
    return it->second;
  }
  bool WritePicture(const std::string& path, const Picture& picture, std::string* why) override {
    writes.push_back(path);
    if (blocked.count(path)) {
      *why = "Cannot write file " + path + " (No space left on device)";
      return false;
    }
    files[path] = picture;
    return true;
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<uint64_t> FileSize(const std::string& path) override {
    if (!files.count(path)) return std::nullopt;
    return uint64_t(3000);
  }
  std::optional<std::string> RemoveFile(const std::string& path) override {
    if (held.count(path)) return "The file is in use by another program.";
    files.erase(path);
    return std::nullopt;
  }
};

inline const std::string kBase = "C:\\Data\\";
inline std::string FolderOf(const std::string& name) { return kBase + "Folders\\" + name + "\\"; }

}  // namespace flk::testing
