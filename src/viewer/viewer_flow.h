// What the recall viewer does with its folders and pictures, apart from any
// window: the folder list, opening, refreshing and leaving a folder, which
// picture shows with which status line and memo, the write-back with its
// warning, the folder manager and the camera's notices. What it needs of the
// window is ViewerScreen.
#pragma once

#include <string>
#include <vector>

#include "viewer/viewer_commands.h"

namespace flk {

class ViewerArrangement;
class ViewerFolder;

class ViewerScreen {
 public:
  virtual ~ViewerScreen() = default;
  // The folder tabs and the Folders menu from the list (the tab rows may change).
  virtual void ShowFolderList(const std::vector<std::string>& folders) = 0;
  // The tab and the Folders menu's radio item on a folder (-1: none).
  virtual void MarkFolder(int index) = 0;
  virtual void EnableCommand(ViewerCommand c, bool enabled) = 0;
  virtual void Arrange() = 0;  // every part where the arrangement puts it
  virtual void ShowPictureSize(int width, int height) = 0;
  virtual void RepaintStrip() = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void Warn(const std::string& text) = 0;
  // The shown folder went: told, and the viewer closes.
  virtual void FolderGone(const std::string& text) = 0;
  virtual void Busy(bool busy) = 0;  // the wait cursor while a folder loads
  virtual std::string FileDate(const std::string& path) = 0;
  virtual void ShowMemo(const std::string& memoPath) = 0;
  virtual void ClearMemo() = 0;
  virtual void SaveMemo(bool pictureShown) = 0;
  // The folder manager's list read anew from disk.
  virtual std::vector<std::string> ReadFolderList() = 0;
  // The folder manager on a row, modal; true when it changed the folders.
  virtual bool RunFolderManager(int row) = 0;
  virtual void Restore() = 0;  // out of the task bar when minimised
};

// "C:\...\Folders\Work\ disappeared!?"
std::string FolderGoneText(const std::string& path);

class ViewerFlow {
 public:
  ViewerFlow(ViewerFolder& folder, ViewerArrangement& arrangement, ViewerScreen& screen)
      : folder_(folder), arrangement_(arrangement), screen_(screen) {}

  // The viewer's start: the folder list, the start folder shown and said; false
  // when it cannot be loaded (the viewer closes).
  bool Start();
  // The folder list changed (the manager ran, or the camera made or removed
  // folders): shown anew, on the same folder while it is listed.
  void FoldersChanged();
  void SelectFolder(const std::string& name);
  void SelectFolderAt(int index);
  // Leaves the shown folder (memo and pictures written) for another; a picture
  // that could not be written keeps the viewer where it is.
  void OpenFolder(const std::string& name);
  void Refresh();
  void PicturesChanged(bool toShown);
  // Tabs, menus and commands for the folder, then the shown picture.
  void UpdateCommands();
  void SelectPicture(int index);
  // The memo and the changed pictures written (release: and let go).
  void SavePictures(bool release);
  void OpenFolderManagerAt(int row);
  void OpenFolderManager();  // on the shown folder
  // Pictures found unreadable are reported once each (and left out).
  void ReportUnreadable();
  // WM_VIEWERNOTIFY from the camera.
  void Notice(int code);

 private:
  void ShowFolderList();
  bool LoadShownFolder();
  void ShowCurrentPicture();
  void WarnNotSaved(int failures);
  void SaveMemo();

  ViewerFolder& folder_;
  ViewerArrangement& arrangement_;
  ViewerScreen& screen_;
};

}  // namespace flk
