// A process killed in the middle of a save leaves the save's temporary file
// (see atomic_file.h) beside its target. Each role removes those in the
// folders it writes when it starts, after it knows it is the only one of its
// kind; files of any other name, and folders, are never touched.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace flk {

enum class LeftoverPlace {
  PictureFolders,  // Folders\ and every picture folder in it (camera and viewer)
  Notes,           // Stickies\ (the sticky manager)
  ProgramFiles,    // the program folder's hand-over files, Edited\ and Captures\ (camera)
};

// The folders of a place under the data folder; programFolder is the
// program's own folder (its hand-over files).
std::vector<std::filesystem::path> LeftoverFolders(const std::string& baseFolder, const std::string& programFolder,
                                                   LeftoverPlace place);

// Removes the temporary files directly in those folders; returns how many went.
int RemoveLeftoverFiles(const std::string& baseFolder, const std::string& programFolder, LeftoverPlace place);

}  // namespace flk
