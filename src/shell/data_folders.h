// The data folder's layout, once. The data folder is the parent of the
// program's "Pro\" folder (see BaseFolderFromProgramPath); every path below
// is that folder, ending in a backslash, plus a fixed name.
#pragma once

#include <string>
#include <vector>

namespace flk {

inline constexpr char kFoldersDir[] = "Folders\\";   // the picture folders
inline constexpr char kRingFolder[] = "LastCaptures";  // the picture folder of recent captures
inline constexpr char kStickiesDir[] = "Stickies\\";  // the notes on the desktop
inline constexpr char kEditedDir[] = "Edited\\";      // copies opened in the image editor
inline constexpr char kCapturesDir[] = "Captures";    // the first Save As goes here when nothing better exists
inline constexpr char kFirstFolder[] = "First Folder";  // the picture folder a new installation makes

inline std::string PictureFoldersOf(const std::string& base) { return base + kFoldersDir; }
inline std::string RingFolderOf(const std::string& base) { return base + kFoldersDir + kRingFolder; }
inline std::string StickiesFolderOf(const std::string& base) { return base + kStickiesDir; }
inline std::string EditedFolderOf(const std::string& base) { return base + kEditedDir; }
inline std::string CapturesFolderOf(const std::string& base) { return base + kCapturesDir; }

// The working folders a new installation makes, in that order, without a trailing backslash.
inline std::vector<std::string> WorkingFoldersOf(const std::string& base) {
  auto bare = [](std::string f) {
    if (!f.empty() && f.back() == '\\') f.pop_back();
    return f;
  };
  return {bare(PictureFoldersOf(base)), bare(StickiesFolderOf(base)), bare(EditedFolderOf(base)),
          CapturesFolderOf(base)};
}

}  // namespace flk
