// The picture store: named picture folders under Folders\ with numbered
// pictures (one NxtFileNum counter for all of them), and the LastCaptures
// ring of recent captures with 10-digit names, its numbering scan and its
// trim (a picture's .rtf memo goes with it). The disk is reached only through
// StoreFileSystem, so the rules run against InMemoryFileSystem in tests.
//
// Win32 side: a StoreFileSystem over CreateDirectory / FindFirstFile /
// DeleteFile / GetFileAttributesEx / MoveFile / RemoveDirectory (UTF-8 paths widened), the NxtFileNum
// setting through ReadSingleSetting / WriteSingleSetting, a PictureWriter
// that writes the command's picture as a BMP file to the path it is given, and
// a viewer notifier that posts WM_VIEWERNOTIFY (1029) to a running viewer.
// When StoreInFolder says so it opens the viewer on the ring
// (OpenViewerOnLastCaptures), and it shows the returned status text.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "shell/data_folders.h"

namespace flk {

// Paths are UTF-8 with backslashes, as on Windows; directory paths given to
// and returned by the store end in a backslash.
class StoreFileSystem {
 public:
  virtual ~StoreFileSystem() = default;
  virtual bool IsDirectory(const std::string& path) = 0;
  virtual bool IsFile(const std::string& path) = 0;
  // One level; false when it exists already or the parent is missing.
  virtual bool MakeDirectory(const std::string& path) = 0;
  // With any missing parents; true when it exists afterwards.
  virtual bool MakeDirectories(const std::string& path) = 0;
  // Names (no path) of the files in dir whose extension is ext (".bmp"), letter case ignored.
  virtual std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext) = 0;
  // Names of the subdirectories of dir, without "." and "..".
  virtual std::vector<std::string> ListDirectories(const std::string& dir) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;
  // Names of dir's normal files: hidden and system files and directories are left out.
  virtual std::vector<std::string> ListNormalFiles(const std::string& dir) = 0;
  // Gives a directory a new name in the same place; false when from is
  // missing or to exists (a change of letter case alone is allowed).
  virtual bool RenameDirectory(const std::string& from, const std::string& to) = 0;
  // Only an empty directory; false otherwise.
  virtual bool RemoveEmptyDirectory(const std::string& path) = 0;
};

// A case-insensitive file system in memory, like an NTFS volume seen through
// the shell, with switches to make operations fail.
class InMemoryFileSystem : public StoreFileSystem {
 public:
  void AddDirectory(const std::string& path);  // with parents
  void AddFile(const std::string& path, uint64_t size = 0);  // parents created
  std::vector<std::string> FilesIn(const std::string& dir);  // sorted names, all files
  // Paths whose removal fails; directory creation that fails; files that are
  // hidden or system files.
  std::set<std::string> undeletable;
  bool failMakeDirectory = false;
  std::set<std::string> hidden;

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

 private:
  struct Node {
    std::string path;  // as created, without a trailing backslash
    bool directory = false;
    uint64_t size = 0;
  };
  static std::string Key(const std::string& path);
  static std::string Parent(const std::string& key);
  std::vector<const Node*> Children(const std::string& dir) const;
  std::map<std::string, Node> nodes_;
};

// Writes the picture being stored to path; false when it could not.
using PictureWriter = std::function<bool(const std::string& path)>;

inline constexpr int kDefaultLastCapturesNum = 5;
inline constexpr int kKeepAllCaptures = -1;

// "0000000042.bmp": the number padded with zeros to 10 digits.
std::string RingFileName(int64_t number);
// The number a ring file's name (less its last four characters) stands for;
// nothing when that is not a decimal number.
std::optional<int64_t> RingNumberOf(std::string_view fileName);
// Size in KiB, any remainder counting as one more.
int64_t KiBOf(uint64_t bytes);

struct RingStoreResult {
  bool stored = false;       // a picture was written
  bool dirMissing = false;   // the ring folder could not be made: nothing done
  std::string path;          // the written file
  int deleted = 0;           // pictures removed by the trim
};

// What the user is told when a whole capture could not go into the ring: the
// folder that could not be made, or the file and the writer's reason. The
// capture is still in memory then; kSaveCaptureElsewhere offers to save it.
std::string RingNotStoredText(bool dirMissing, const std::string& ringPath, const std::string& filePath,
                              const std::string& errorClass, const std::string& reason);
inline constexpr char kSaveCaptureElsewhere[] = "The capture is not lost yet. Save it somewhere else?";
// The same for the ring copy that a camera command makes beside its output:
// the output went on, only the copy in LastCaptures is missing.
std::string RingCopyNotStoredText(bool dirMissing, const std::string& ringPath, const std::string& filePath,
                                  const std::string& errorClass, const std::string& reason);
inline constexpr char kRingCopyMissing[] = "This picture was not kept in the LastCaptures folder.";

// "Picture added to <folder> folder.    <n> KiB", the status after a folder store.
std::string PictureAddedText(const std::string& folderName, long long kib);

struct FolderStoreResult {
  bool stored = false;
  bool dirMissing = false;  // ring store: its folder could not be made
  bool openViewer = false;  // ring store of a whole capture: open the viewer on the ring
  std::string path;
  std::string status;       // "Picture added to %s folder.    %d KiB"
};

class PictureStore {
 public:
  // baseFolder: the data folder, ending in a backslash.
  PictureStore(StoreFileSystem& fs, std::string baseFolder);

  // NxtFileNum, read and written at each folder store (default 1 when unreadable).
  void SetNextFileNumberAccess(std::function<int()> read, std::function<void(int)> write);
  // WM_VIEWERNOTIFY codes: n >= 0 folder n got a picture, -2 folders created, -3 ring changed.
  void SetViewerNotifier(std::function<void(int)> notify);
  // LastCapturesNum: pictures the ring keeps; -1 keeps all. With 0 the
  // camera's commands do not use the ring, but whole captures still land in
  // it, and the ring then keeps just the newest one, so the capture the viewer
  // is opened on is never deleted the moment it is stored.
  void SetLastCapturesNum(int n) { lastCapturesNum_ = n; }
  int lastCapturesNum() const { return lastCapturesNum_; }
  int64_t lastCaptureNumber() const { return lastCaptureNumber_; }

  std::string FoldersPath() const;                   // <base>Folders\ .
  std::string FolderPath(const std::string& name) const;  // <base>Folders\<name>\ .
  std::string RingPath() const;                      // <base>Folders\LastCaptures\ .

  // The ring: with a writer, store the picture under the next number; then
  // trim (also without a writer, after LastCapturesNum changed).
  RingStoreResult StoreLastCapture(const PictureWriter* writer);
  // folders: the list the Store menu showed. index >= 0 stores into that
  // folder; a negative index stores into the ring and asks for the viewer.
  FolderStoreResult StoreInFolder(const std::vector<std::string>& folders, int index, const PictureWriter& writer);

 private:
  void Notify(int code) const;
  void ScanRing(const std::string& dir);
  int Trim(const std::string& dir);

  StoreFileSystem& fs_;
  std::string base_;
  std::function<int()> readNext_;
  std::function<void(int)> writeNext_;
  std::function<void(int)> notify_;
  int lastCapturesNum_ = kDefaultLastCapturesNum;
  int64_t lastCaptureNumber_ = 0;
};

}  // namespace flk
