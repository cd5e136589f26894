// The file system as the program's parts see it: UTF-8 paths, folder listings,
// existence checks, sizes and times, and atomic writes (a complete temporary
// file replaces the target, or the target stays as it was).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace flk::win {

struct FoundFile {
  std::string name;  // without the folder
  bool directory = false;
  uint64_t size = 0;
  bool hiddenOrSystem = false;
};

// Entries matching a pattern such as "C:\\Data\\Folders\\*.bmp"; "." and ".." are left out.
std::vector<FoundFile> FindFiles(const std::string& pattern);
// Plain files of a folder (trailing backslash) whose names end in ext (any case); "" = all.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& ext = {});
std::vector<std::string> FoldersIn(const std::string& folder);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::optional<uint64_t> FileSizeOf(const std::string& path);
// Last write time as local OLE days (what the program's dates count in); nothing when unreadable.
std::optional<double> FileLocalDays(const std::string& path);

// Thin calls of the system that keep its error (GetLastError) for the caller's message.
bool RemoveFile(const std::string& path);
bool MoveFileTo(const std::string& from, const std::string& to);  // a rename; never replaces
bool MakeFolder(const std::string& path);                           // one level; false if it exists
bool RemoveEmptyFolder(const std::string& path);

// The whole file, or nothing when it cannot be opened or read (or is larger than limit).
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, uint64_t limit = uint64_t(1) << 31);

// Writes the file through `write` atomically; false leaves the old file intact.
bool WriteFileAtomic(const std::string& path, const std::function<bool(std::FILE*)>& write);

}  // namespace flk::win
