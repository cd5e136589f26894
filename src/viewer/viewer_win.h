// TfrmViewer, the recall viewer: folder tabs over a thumbnail strip, the
// shown picture in a dark scroll box, a rich-text memo per picture and a
// status line. The window owns its rooms and wires them together:
//   ViewerFolder       the folder list, the shown folder's pictures, the disk (pure)
//   ViewerFlow         what is done with them: opening, showing, writing back (pure),
//                      on the window's ViewerScreen (ViewerScreenWin)
//   ViewerArrangement  where every part goes, splitters, strip scrolling (pure)
//   ViewerStrip        the thumbnail strip and its scroll bar
//   ViewerTabs         the folder tabs
//   ViewerPlacement    the stored place and the one to store (pure)
//   ViewerCommands     the commands on the shown picture and the outputs
//   ViewerMemo         the memo box and its ".rtf" file
//   ViewerBars         the tool bars and menus
// What a key, a menu item or a click asks for is decided in viewer_input.
// viewer_win.cpp holds creation, layout and messages; viewer_folders_win.cpp
// the settings written at the end.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/dpi.h"
#include "base/monitors.h"
#include "shell/settings.h"
#include "viewer/viewer_bars_win.h"
#include "viewer/viewer_commands_win.h"
#include "viewer/viewer_disk_win.h"
#include "viewer/viewer_folder.h"
#include "viewer/viewer_input.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_memo_win.h"
#include "viewer/viewer_options_win.h"
#include "viewer/viewer_screen_win.h"
#include "viewer/viewer_settings.h"
#include "viewer/viewer_strip_win.h"
#include "viewer/viewer_tabs_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TPictureBox;
class TSplitter;

// Posted to itself: pictures found unreadable during a paint are reported after it.
inline constexpr UINT kWmReportUnreadable = WM_APP + 1;

class TfrmViewer : public win::Window, public ViewerOptionsHost, public ViewerCommandHost {
 public:
  // options: the role's one options dialog.
  TfrmViewer(Settings& settings, ViewerOptionsDialog& options);
  ~TfrmViewer() override;

  // False when the window cannot be made or the settings key cannot be opened.
  bool FormCreate();
  // Keys seen before the focused control; true when taken.
  bool FormKeyDown(const MSG& msg);

  // ---- ViewerOptionsHost ----
  ViewerLook Look() const override { return arrangement_.look(); }
  void ApplyLook(const ViewerLook& look) override;

  // ---- ViewerCommandHost ----
  void SetStatus(const std::string& text) override;
  void EnableCommand(ViewerCommand c, bool enabled) override { bars_.Enable(c, enabled); }
  void PicturesChanged(bool toShown) override { flow_->PicturesChanged(toShown); }
  void PictureChanged() override;
  void OpenFolderManager() override { flow_->OpenFolderManager(); }
  void ShowOptions() override { options_.Show(hwnd(), *this); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  // viewer_win.cpp
  void CreateChildren();
  void ArrangeControls();
  void ApplyViewerToolbarLayout();
  void SplitterMoved(bool top, int delta);
  void PaintToolBarEdges(HDC dc);
  ViewerState State() const;
  // What the pure steps ask for; false for a key the focused control keeps.
  bool Perform(const ViewerStep& step);
  void FormDestroy();
  // A command; a close that waited for its save follows it.
  void RunCommand(ViewerCommand c);

  // viewer_folders_win.cpp
  void SaveViewerSettings();

  Settings& settings_;
  ViewerOptionsDialog& options_;
  DpiScale scale_;
  ViewerPlacement placement_;
  WinViewerDisk disk_;
  ViewerFolder folder_;
  ViewerArrangement arrangement_;
  ViewerStrip strip_;
  ViewerTabs tabs_;
  ViewerMemo memo_;
  ViewerBars bars_;
  std::unique_ptr<ViewerCommands> commands_;
  std::unique_ptr<ViewerScreenWin> screen_;
  std::unique_ptr<ViewerFlow> flow_;

  // Controls.
  win::UniqueFont font_;
  HWND memoLabel_ = nullptr, status_ = nullptr;
  std::unique_ptr<TPictureBox> pictureBox_;
  std::unique_ptr<TSplitter> splitterTop_, splitterBottom_;
  bool reportPosted_ = false;
};

}  // namespace flk
