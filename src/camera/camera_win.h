// The camera window TfrmCam: a borderless frame whose view shows a copy of the
// screen beneath it (bmpBkgnd), with the control panel (title bar, menu row,
// toolbar, status line) docked above or below the view or floating inside it.
//
// The window draws itself; only the status line lblStatus is a child control
// (a static without SS_NOTIFY, so the mouse passes through it to the camera).
// The work is split over several files:
//   camera_win.cpp           creation, settings, layout, messages
//   camera_refresh_win.cpp   the refresh cycle: requests, the restart timer, activation
//   camera_mouse_win.cpp     clicks, drags, latches, keys
//   camera_move_win.cpp      move and resize steps, the live move's ghost
//   camera_background_win.*  CamBackground: the copy of the screen beneath (bmpBkgnd)
//   camera_paint_win.cpp     painting of the frame, panel, toolbar and view
//   camera_glyphs_win.cpp    the pictures drawn in code (logo, glyphs, toolbar images)
//   camera_toolbar_win.*     CamToolbar: the panel's clickable parts and tool tips
//   camera_menus_win.*       CamMenus: the menu handles and the Store folder entries
//   camera_drag.*            CamDrag: move, resize and latch drags (pure)
//   camera_commands_win.cpp  RunCommand, GenClick and its outputs, help
//   camera_hold_win.*        CamHold: the held picture and its lock view
//   camera_capture_win.*     CamCapture: viewfinder picture, whole captures and their keeping, Hold,
//                            the frozen desktop, colour depth
//   freeze_win.cpp           the frozen desktop TfrmFreeze
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"
#include "camera/cam_custom.h"
#include "base/dpi.h"
#include "camera/camera_background_win.h"
#include "camera/camera_capture_win.h"
#include "camera/camera_drag.h"
#include "camera/camera_input.h"
#include "camera/camera_layout.h"
#include "camera/camera_menus_win.h"
#include "camera/camera_scroll_tools_win.h"
#include "camera/camera_toolbar_win.h"
#include "camera/capture_modes.h"
#include "camera/commands.h"
#include "scroll/scroll_host.h"
#include "camera/floating_panel.h"
#include "camera/lock_view_win.h"
#include "camera/move_resize.h"
#include "camera/refresh_cycle.h"
#include "output/picture_store.h"
#include "output/store_file_system_win.h"
#include "shell/startup_settings.h"
#include "support/contact_win.h"
#include "support/memo_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class CameraHost;

inline constexpr int kLblStatusId = 50;
inline constexpr UINT_PTR kTimerRestart = 1;  // the refresh cycle's wait
inline constexpr UINT_PTR kTimerCpBtn = 2;    // the floating panel's hover

class TfrmCam : public win::Window, public ScrollHost, private CamCaptureHost {
 public:
  explicit TfrmCam(CameraHost& role);
  ~TfrmCam() override;

  // Creates the (hidden) window with its caption and the Folders\ folder;
  // false when the folder cannot be made (the user has been warned).
  bool FormCreate();
  // The settings read at opening: window rectangle, panel, bars, buttons.
  void ApplySettings(const CameraSaveValues& values);
  CameraSaveValues CurrentValues() const;
  void SetStatus(const std::string& text) override;
  const std::string& status() const { return status_; }

  // ---- view and refresh ----
  void RequestCapture(bool clamp, CaptureMode mode);
  void ArrangeControls() override;
  bool AdaptToScreen();  // true when the camera moved
  void ToggleMaximize();
  void MarkStale();
  // GrowBy: one resize step moving only the right and bottom edges.
  void GrowBy(int dx, int dy);
  void MoveDirect(int x, int y);
  bool ViewStale() const { return cycle_.stale(); }
  void ClearViewStale() { cycle_.ClearStale(); }
  // Away to the tray now, back after RefreshDelay with a fresh view.
  void ReturnAfterRefreshDelay();
  Rect CaptureRect() const override { return layout_.capture; }
  PanelAlign Align() const override { return align_; }

  // ---- capture modes: hold, the frozen desktop, Print Screen, the last-active window ----
  CamCapture& capture() { return capture_; }

  // ---- customisation (cam_custom_win.cpp) ----
  // Rows, buttons (toolbar order) and frame width, applied at once.
  CamAppearance Appearance() const;
  void SetAppearance(const CamAppearance& a);
  // Grows in steps of 10 until the frame is 20 pixels taller than the control panel.
  void GrowForControlPanel();
  int RefreshDelay() const { return values_.refreshDelay; }
  void SetRefreshDelay(int ms) { values_.refreshDelay = ms; }
  // The ring after its size changed: trimmed at once without a new picture, the viewer told (-3).
  void TrimLastCapturesRing();

  // ---- commands ----
  void RunCommand(CommandId id);
  void GenClick(int tag);
  CameraModes Modes() const { return capture_.Modes(); }
  // The whole application became active: a hidden camera grabs what lies
  // beneath it; a visible one turns stale when a window above it waits to paint.
  void OnAppActivated(bool hidden, bool paintPendingAbove);
  // The picture folders and the ring, on the disk.
  PictureStore& Store() override;
  CameraHost& role() { return role_; }
  // This window's scale for the 96-DPI layout.
  const DpiScale& scale() const override { return scale_; }

  // ---- scroll and robo capture (camera_scroll_win.cpp) ----
  void StartScrollTool(bool robo);
  void ShowScrollSettingsFor(bool scrollTab);
  void ScrollCaptureEnded(std::optional<Picture> picture, int usageCode) override;


 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  // camera_win.cpp, camera_refresh_win.cpp
  void PerformTimerWork();
  Point CameraCentre() const override;
  void SetWindowRect(const Rect& r);
  Rect WindowRectNow() const;
  void SetPanelAlign(PanelAlign to) override;
  void CreateFonts();
  void OnDpiChanged(int dpi);
  void ControlsFloat();
  void CloseButton();
  void OnActivate(bool active);

  // camera_mouse_win.cpp
  void OnLeftDown(int x, int y, bool dbl);
  void OnLeftUp(int x, int y);
  void OnMouseMove(int x, int y, bool buttonDown);
  void OnRightDown(int x, int y);
  bool OnKeyDown(WPARAM key);
  LPCWSTR CursorAt(int x, int y) const;
  // A press that moves the camera (or, after a change of screen size, fits and refreshes it).
  void StartMove();
  void PerformDragStep(const DragStep& step, Point cursor);
  // Where the camera's parts lie now, for the press rules.
  CameraHitMap HitMap() const;
  void DropMenuRow(int index);
  void ApplyFloatingReaction(const PanelReaction& r);
  void CamCustomPopup();

  // camera_move_win.cpp
  // The live move's ghost goes from `from` to `to` (top-left corners).
  void MoveGhost(Point from, Point to);
  void DrawGhostCamera(int x, int y);
  void EndMove();
  Monitor MonitorNow() const;  // the monitor the camera is on
  bool ScreenChanged() const;
  void ApplyResize(const Rect& to, bool repaint);
  void ResizeStepNow(Point cursor);
  void EndResize();

  // camera_paint_win.cpp
  void Paint(HDC dc, const RECT& dirty);
  void PaintFloatingHover(const std::vector<PanelPaintOp>& ops);
  void InvalidateView();

  // camera_commands_win.cpp
  void UpdateMenu(HMENU menu);
  void NewFolder();
  void PopupMenuAt(HMENU menu, int x, int y);
  void OnCommand(int id);
  void ShowHelp();
  void ShowAbout();

  // camera_support_win.cpp
  void ShowDiagnostics();
  std::string DiagnosticsNow();
  MailHost MailHostOfCamera();
  void OpenViewerOnLastCaptures() override;

  // CamCaptureHost
  void RefreshView() override;
  void ShowOverFreeze() override;

  CameraHost& role_;
  DpiScale scale_;
  CameraSaveValues values_;
  std::string status_;
  HWND lblStatus_ = nullptr;
  win::UniqueFont uiFont_, viewFont_, boldFont_;
  int textHeightA_ = 16;

  PanelAlign align_ = PanelAlign::Top;
  CamLayout layout_;
  RefreshCycle cycle_;
  bool controlsEnabled_ = true;
  bool active_ = false;
  bool suppressStaleCheck_ = false;
  bool arranging_ = false;  // ArrangeControls is running (its own resizes come back as WM_SIZE)

  CamBackground bk_;  // bmpBkgnd

  CamCapture capture_{*this, role_, bk_};
  CamScrollTools scrollTools_;  // each made at its first capture
  MaximizeState maximize_;
  MonitorTable lastMonitors_;  // the monitor layout AdaptToScreen saw last

  CamToolbar toolbar_;  // toolbar and menu row, window coordinates

  CamMenus menus_;

  // mouse
  CamDrag drag_;
  bool swallowChar_ = false;
  HowToTips tips_;  // NsaResizeLimit and NsaHiddenControls, each once a run

  // floating panel
  FloatingPanelLayout floatLayout_;
  FloatingPanelInput floatInput_;

  std::unique_ptr<TfrmMemo> diagnostics_;
  WinStoreFileSystem storeFs_;
  std::unique_ptr<PictureStore> store_;
  std::optional<Picture> commandPicture_;  // the picture of the running command
  SaveGate saveGate_;                      // held while a big save runs off this thread
};

}  // namespace flk
