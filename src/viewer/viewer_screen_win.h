// The recall viewer's window as its folder flow sees it (ViewerScreen): the
// tabs and menus, the picture box, the strip, the memo and the status line,
// the message boxes and the folder manager.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "output/store_file_system_win.h"
#include "viewer/viewer_flow.h"

namespace flk {

class TfrmFolderWiz;
class TPictureBox;
class ViewerBars;
class ViewerMemo;
class ViewerStrip;
class ViewerTabs;

class ViewerScreenWin : public ViewerScreen {
 public:
  struct Parts {
    HWND window = nullptr, status = nullptr;
    ViewerTabs* tabs = nullptr;
    ViewerBars* bars = nullptr;
    ViewerMemo* memo = nullptr;
    ViewerStrip* strip = nullptr;
    TPictureBox* pictureBox = nullptr;
    std::function<void()> arrange;
  };
  // Makes the folder manager (kept hidden between uses) on the picture folders.
  explicit ViewerScreenWin(Parts parts);
  ~ViewerScreenWin() override;

  void ShowFolderList(const std::vector<std::string>& folders) override;
  void MarkFolder(int index) override;
  void EnableCommand(ViewerCommand c, bool enabled) override;
  void Arrange() override { p_.arrange(); }
  void ShowPictureSize(int width, int height) override;
  void RepaintStrip() override;
  void SetStatus(const std::string& text) override;
  void Warn(const std::string& text) override;
  void FolderGone(const std::string& text) override;
  void Busy(bool busy) override;
  std::string FileDate(const std::string& path) override;
  void ShowMemo(const std::string& memoPath) override;
  void ClearMemo() override;
  void SaveMemo(bool pictureShown) override;
  std::vector<std::string> ReadFolderList() override;
  bool RunFolderManager(int row) override;
  void Restore() override;

  // A close while the folder manager's own loop runs on the stack: that loop
  // is told to end first (true), and the viewer closes after it.
  bool EndFolderManagerFirst();

 private:
  Parts p_;
  WinStoreFileSystem fs_;  // the folder manager's
  std::unique_ptr<TfrmFolderWiz> folderWiz_;
  HCURSOR busyCursor_ = nullptr;
  bool inFolderManager_ = false;
};

}  // namespace flk
