// The tray controller's rules about the camera: its state (shown, busy, in
// the tray), whether it may take a request now, and what each tray click,
// tray menu entry, camera request from another role and application
// activation asks of it. The tray's window procedure decodes its messages
// into these calls and performs the plans.
#pragma once

#include <vector>

#include "camera/refresh_cycle.h"

namespace flk {

enum class CameraState { InTray = -1, Busy = 0, Shown = 1 };

// The tray's senders: a left click on the icon (or request 0), and the tray menu's entries.
enum class TrayCommand { Open = 1, FullScreen, LastActive, LastClient, Exit, UsePrintScreenKey };

// One row of the tray menu; a separator has no text.
struct TrayMenuItem {
  TrayCommand command = TrayCommand::Open;
  const char* text = nullptr;
};
// The tray menu; while the Print Screen key is not the program's it offers to try again.
std::vector<TrayMenuItem> TrayMenuItems(bool printScreenKeyHeld);

enum class TrayMouse { LeftDown, LeftUp, RightDown, RightUp, Other };

struct TrayPlan {
  bool refused = false;     // beep and bring the program's open window to the front
  bool openCamera = false;  // the camera's first opening
  bool thaw = false;        // thaw a frozen desktop (with a refresh)
  CaptureMode mode = kModeRefresh;  // then RequestCapture(false, mode)
  bool markStale = false;   // a plain refresh marks the view stale first
  bool lastActive = false;  // modes 3 and 4: the window noted before the click goes back to the front
  bool returnAfterDelay = false;  // request 2: away now, back after RefreshDelay
};

struct TrayNotifyPlan {
  bool noteForeground = false;  // note the other program's window in front
  bool click = false;           // TrayClick(Open)
  bool thawOnly = false;        // a right click on a frozen desktop only thaws it
  bool popupMenu = false;
};

struct AppActivationPlan {
  bool topmost = false;      // Hold keeps the camera above the other program
  bool notTopmost = false;
  bool checkView = false;    // RefreshCycle::OnAppActivated with what the screen shows
};

class CameraController {
 public:
  CameraState state() const { return state_; }
  void SetState(CameraState s) { state_ = s; }
  bool started() const { return started_; }
  void MarkStarted() { started_ = true; }
  bool skipTeardown() const { return skipTeardown_; }
  void SetSkipTeardown() { skipTeardown_ = true; }
  // The program itself brings the camera forward: activation is not the user's.
  void SetSelfActivating(bool on) { selfActivating_ = on; }

  // May the camera take a request now? Before its first opening always; shown
  // only while it (not one of the program's dialogs) is the active window; in
  // the tray always; busy never.
  bool Available(bool cameraActive, bool lastPopupIsCamera) const;

  TrayPlan TrayClick(TrayCommand sender, bool available) const;
  // WM_CAMERAREQUEST: 0 a second start, 1 the viewer, 2 the tips. Nothing for other codes.
  std::optional<TrayPlan> CameraRequest(long long code, bool available) const;
  TrayNotifyPlan TrayNotify(TrayMouse mouse, bool frozen) const;
  AppActivationPlan AppActivated(bool active, bool hold, bool available) const;

 private:
  CameraState state_ = CameraState::Busy;
  bool started_ = false;
  bool skipTeardown_ = false;
  bool selfActivating_ = false;
};

}  // namespace flk
