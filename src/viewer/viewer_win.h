// TfrmViewer, the recall viewer: folder tabs over a thumbnail strip, the
// shown picture in a dark scroll box, a rich-text memo per picture and a
// status line. The window is split over several files:
//   viewer_win.cpp          creation, layout, messages
//   viewer_folders_win.cpp  folders and the picture list (load, refresh, show, write back)
//   viewer_commands_win.cpp the commands on the shown picture and the outputs
//   viewer_toolbar_win.cpp  the tool bars and menus
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "output/store_file_system_win.h"
#include "shell/settings.h"
#include "viewer/picture_list.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_look.h"
#include "viewer/viewer_options_win.h"
#include "viewer/viewer_rules.h"
#include "viewer/viewer_settings.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmCommon;
class TfrmFolderWiz;
class TPaintThumbs;
class TPictureBox;
class TSplitter;

// Posted to itself: pictures found unreadable during a paint are reported after it.
inline constexpr UINT kWmReportUnreadable = WM_APP + 1;

class TfrmViewer : public win::Window, public ViewerOptionsHost {
 public:
  explicit TfrmViewer(Settings& settings);
  ~TfrmViewer() override;

  // False when the window cannot be made or the settings key cannot be opened.
  bool FormCreate();
  // Keys seen before the focused control; true when taken.
  bool FormKeyDown(const MSG& msg);

  // ---- for the thumbnail strip, picture box and splitters ----
  const PictureList& pictures() const { return pictures_; }
  const ThumbLayout& thumbLayout() const { return thumbLayout_; }
  void PaintThumbs(HDC dc, const RECT& client);
  void ThumbPressed(int x);
  void PaintPicture(HDC dc, const RECT& client, POINT scroll);
  void PictureContextMenu(POINT screen);
  void SplitterMoved(TSplitter* splitter, int delta);

  // ---- ViewerOptionsHost ----
  ViewerLook Look() const override { return look_; }
  void ApplyLook(const ViewerLook& look) override;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  friend class ViewerCommands;

  // viewer_win.cpp
  void CreateChildren();
  void ArrangeControls();
  int PictureBoxHeight() const;
  void FormDestroy();
  void SetStatus(const std::string& text);
  void OnNotify(const NMHDR& n);
  void OnCommand(int id);
  void OnViewerNotify(int code);
  void OnActivate();
  void RestoreFromMinimised();

  // viewer_folders_win.cpp
  std::string FolderPath() const;
  void BuildFolderList();
  void LoadFolder();
  void OpenFolder(const std::string& name);
  void SelectFolder(const std::string& name);
  void RefreshFolder();
  void UpdateCommands();
  void ShowCurrentPicture();
  void SelectPicture(int index);
  void SaveMemo();
  void SavePictures(bool release);
  void OpenFolderManager(int index);
  void SaveViewerSettings();
  // The decoded picture of an entry, read from its file when not held;
  // nothing when it cannot be read (reported once, the entry then goes).
  std::shared_ptr<Picture> PictureOf(int index);
  void ReportUnreadable();
  void LoadMemo();
  bool WriteMemo(const std::string& path);

  // viewer_toolbar_win.cpp
  void CreateToolBars();
  void CreateMenus();
  void ApplyViewerToolbarLayout();
  void pnlToolBarResize();
  void EnableCommand(ViewerCommand c, bool enabled);
  void RebuildFolderMenu();
  void CheckFolder(int index);
  void ShowMoreMenu();
  void ShowViewerOptionsHere();

  // viewer_commands_win.cpp
  void RunCommand(ViewerCommand c);

  Settings& settings_;
  DpiScale scale_;
  ViewerSettings values_;
  ViewerLook look_;
  std::unique_ptr<TfrmCommon> common_;
  std::unique_ptr<TfrmFolderWiz> folderWiz_;
  WinStoreFileSystem fs_;
  std::string base_;
  std::vector<std::string> folders_;
  std::string currentFolder_;
  PictureList pictures_;
  ThumbLayout thumbLayout_;
  bool thumbGuard_ = false;
  std::string memoPath_;
  // Files that could not be read this run (by path), and those still to be reported.
  std::set<std::string> unreadable_;
  std::vector<std::pair<std::string, std::string>> toReport_;
  bool reportPosted_ = false;

  // Controls.
  win::UniqueFont font_, boldFont_;
  win::UniqueImageList images_, hotImages_;
  win::UniqueMenu mainMenu_;
  HMENU foldersMenu_ = nullptr;
  win::UniqueMenu moreMenu_, popupMenu_;
  HWND toolBar_ = nullptr, toolBarMore_ = nullptr, tabs_ = nullptr, scrollThumb_ = nullptr;
  HWND memo_ = nullptr, memoLabel_ = nullptr, status_ = nullptr;
  std::unique_ptr<TPaintThumbs> thumbs_;
  std::unique_ptr<TPictureBox> pictureBox_;
  std::unique_ptr<TSplitter> splitterTop_, splitterBottom_;
  bool moreShown_ = false;
  bool inFolderManager_ = false;
  int thumbHeight_ = 39;   // 96-DPI pixels
  int memoHeight_ = 32;
  bool toolBarShown_ = true;
  int toolBarHeight_ = 44;
};

}  // namespace flk
