// The folder the recall viewer shows, apart from any window: the folder list,
// the shown folder's pictures with their memos, what is read from and written
// to the disk and when, and the files that could not be read. The window asks
// it and shows what it answers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/picture.h"
#include "viewer/picture_list.h"

namespace flk {

// The disk as the viewer's folders need it; every path is a full path.
// A file the folder lists: a normal file (no folder, not hidden or system)
// whose name ends in ".bmp", in any case.
bool IsListedPictureFile(const std::string& name, bool directory, bool hiddenOrSystem);
// A picture file's delete that failed with the system's code: nothing when
// the file is gone anyway (not found), else the system's text or the code.
std::optional<std::string> DeleteFailure(unsigned long code, const std::string& systemText);

class ViewerDisk {
 public:
  virtual ~ViewerDisk() = default;
  struct Found {
    std::string name;
    uint64_t size = 0;
  };
  virtual bool FolderExists(const std::string& folder) = 0;
  virtual bool MakeFolder(const std::string& folder) = 0;  // with missing parents
  // The normal "*.bmp" files directly in a folder (trailing backslash): no
  // hidden or system files, no folders.
  virtual std::vector<Found> PictureFiles(const std::string& folder) = 0;
  // The decoded picture, or nothing with the reason in *why.
  virtual std::optional<Picture> ReadPicture(const std::string& path, std::string* why) = 0;
  // Atomically: false leaves the old file as it was, with the reason in *why.
  virtual bool WritePicture(const std::string& path, const Picture& picture, std::string* why) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;
  // Nothing when the file is gone afterwards (also when it never was); else
  // the system's reason why it is still there.
  virtual std::optional<std::string> RemoveFile(const std::string& path) = 0;
};

class ViewerFolder {
 public:
  ViewerFolder(ViewerDisk& disk, std::string baseFolder) : disk_(disk), base_(std::move(baseFolder)) {}

  // ---- folders (the tabs, the Folders menu and the manager's list agree) ----
  const std::vector<std::string>& folders() const { return folders_; }
  void SetFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
  const std::string& name() const { return name_; }
  int index() const;  // in folders(); -1 when not listed
  std::string Path() const;  // base + "Folders\" + name + "\"
  // The folder a new viewer opens on: the ring when it exists, else the first.
  void ChooseStartFolder();
  // The folder list changed (the folder manager ran, the camera made or
  // removed folders): the pictures of a folder that went are forgotten; the
  // answer is the folder to show now.
  std::string FoldersChanged(std::vector<std::string> folders);

  // ---- loading and writing back ----
  // Lists the shown folder's pictures, the last one shown; false when the folder is missing.
  bool Load();
  // Leaving for another folder writes the changes back first. When a picture
  // cannot be written the viewer stays: leaving would lose the edit, while
  // staying keeps it on screen, pinned, to be tried again. *failures: how many.
  bool Leave(const std::string& next, int* failures);
  // Files that appeared are appended (the last of them shown), entries whose
  // file went are removed. True when anything changed.
  bool Refresh();
  // Writes the changed pictures; release lets go of every decoded picture not
  // still changed. Returns how many could not be written; the files and the
  // reasons wait in TakeNotSaved.
  int WriteBack(bool release);
  struct NotSaved {
    std::string path, why;
  };
  std::vector<NotSaved> TakeNotSaved() { return std::exchange(notSaved_, {}); }
  // The warning for the last write-back's failures ("" when all went).
  std::string TakeNotSavedText();

  // ---- pictures ----
  const PictureList& pictures() const { return pictures_; }
  // SelectPicture's rule: an index outside the list or the shown one is ignored.
  bool Selectable(int index) const;
  void Select(int index) { pictures_.SetCurrent(index); }
  // The decoded picture, read from its file when not held; nothing when it
  // cannot be read (recorded once a run, see TakeUnreadable).
  std::shared_ptr<Picture> PictureOf(int index);
  std::shared_ptr<Picture> Shown();
  // The thumbnail of an entry at a cell size, made by `make` when not held.
  using ThumbMaker = std::function<std::optional<Picture>(const Picture&, int thumbSize)>;
  std::shared_ptr<Picture> ThumbOf(int index, int thumbSize, const ThumbMaker& make);
  // The shown picture was changed in memory: written at the next write-back.
  void MarkShownModified();
  std::string PathOf(int index) const;
  std::string ShownPath() const;  // "" with none shown
  std::string MemoPath() const;   // of the shown picture; "" with none
  // Delete: the shown picture's file and memo go, then the entry. When the
  // picture file stays, so do the entry and its memo: the answer is the
  // system's reason.
  std::optional<std::string> DeleteShown();
  // Paste: a new changed picture under the first free number from
  // nxtFileNum, shown and written at once. The counter to store next goes to
  // storeNext before the file is written, so that nothing sees the new file
  // with the old counter.
  void AddPasted(Picture picture, int nxtFileNum, const std::function<void(int)>& storeNext, int* failures);

  // ---- unreadable files ----
  struct Unreadable {
    std::string path, why;
  };
  // Called when a file first proves unreadable (in the middle of a paint,
  // perhaps): the window reports it afterwards through TakeUnreadable.
  void OnUnreadable(std::function<void()> notify) { onUnreadable_ = std::move(notify); }
  // Removes the unreadable files' entries (*removed: whether any went) and
  // hands over the reports not yet made; the files stay on disk.
  std::vector<Unreadable> TakeUnreadable(bool* removed);

 private:
  std::vector<PictureList::Found> Listed();

  ViewerDisk& disk_;
  std::string base_;
  std::vector<std::string> folders_;
  std::string name_;
  PictureList pictures_;
  std::set<std::string> unreadable_;  // by path, this run
  std::vector<Unreadable> toReport_;
  std::vector<NotSaved> notSaved_;
  std::function<void()> onUnreadable_;
};

}  // namespace flk
