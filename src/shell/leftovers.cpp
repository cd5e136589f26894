#include "shell/leftovers.h"

#include <system_error>

#include "base/atomic_file.h"
#include "shell/data_folders.h"

namespace flk {

namespace fs = std::filesystem;

namespace {

// "Folders\" -> "Folders": the layout's names without their separator.
fs::path Bare(std::string name) {
  while (!name.empty() && name.back() == '\\') name.pop_back();
  return PathFromUtf8(name);
}

}  // namespace

std::vector<fs::path> LeftoverFolders(const std::string& baseFolder, const std::string& programFolder,
                                      LeftoverPlace place) {
  const fs::path base = PathFromUtf8(baseFolder);
  std::vector<fs::path> folders;
  switch (place) {
    case LeftoverPlace::PictureFolders: {
      const fs::path root = base / Bare(kFoldersDir);
      folders.push_back(root);
      std::error_code ec;
      for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code dirEc;
        if (it->is_directory(dirEc)) folders.push_back(it->path());
      }
      break;
    }
    case LeftoverPlace::Notes: folders.push_back(base / Bare(kStickiesDir)); break;
    case LeftoverPlace::ProgramFiles:
      if (!programFolder.empty()) folders.push_back(PathFromUtf8(programFolder));
      folders.push_back(base / Bare(kEditedDir));
      folders.push_back(base / Bare(kCapturesDir));
      break;
  }
  return folders;
}

int RemoveLeftoverFiles(const std::string& baseFolder, const std::string& programFolder, LeftoverPlace place) {
  int removed = 0;
  for (const fs::path& folder : LeftoverFolders(baseFolder, programFolder, place))
    removed += RemoveTemporaryFilesIn(folder);
  return removed;
}

}  // namespace flk
