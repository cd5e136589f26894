// The view's refresh cycle and its staleness: RequestCapture, the restart
// timer's work, the frame paint that notices the program lost the screen, and
// activation. The camera never shows the live screen; it hides, waits
// RefreshDelay for the windows beneath to repaint, grabs, and shows again.
//
// Win32 side: camera_win keeps one RefreshCycle. It calls RequestCapture with
// what it sees of the window (visible, active, the application's last active
// popup) and performs the outcome (SetForegroundWindow on the application,
// or HideCameraToTray + SetTimer(timerRestart, RefreshDelay), or an immediate
// OnTimer). On WM_TIMER it first checks the window a whole capture needs
// (foreground window / WindowFromPoint at the camera centre), calls OnTimer,
// and performs the returned TimerWork in its order. pnlcCamPaint, WM_ACTIVATE
// and the application activation call the matching handlers; a self-posted
// 1028 is decoded with DecodeSelfRequest.
#pragma once

#include <optional>
#include <string>

namespace flk {

// Capture modes run by the restart timer.
enum CaptureMode : int {
  kModeRefresh = 0,
  kModeFullScreen = 1,
  kModeLastWindow = 3,
  kModeLastWindowClient = 4,
  kModeWindowAtCentre = 5,
  kModeInsideAtCentre = 6,
};
bool IsCaptureMode(int mode);

struct RefreshContext {
  bool cameraVisible = true;
  bool cameraActive = true;       // its title bar shows the active caption colour
  bool lastPopupIsCamera = true;  // no dialog of the program is open
};

enum class RequestOutcome {
  Dropped,          // the restart timer already runs
  BringAppToFront,  // a dialog of the program is open: only bring it forward
  HideAndWait,      // hide the camera and start timerRestart
  RunNow,           // run OnTimer at once
};

struct TimerWork {
  bool keepOnScreen = false;  // KeepOnScreen(camera) before grabbing
  bool grab = false;          // GrabUnderCamera(Left, Top, Width, Height)
  CaptureMode captureMode = kModeRefresh;  // CaptureWhole(mode) unless kModeRefresh
  bool beep = false;          // the window a whole capture needs was not found
  bool thawWithoutRefresh = false;  // after a full-screen capture: ThawDesktop(false)
  bool showCamera = false;    // ShowCamera and bring it to the front, activation handling suppressed
  bool clearRestoreStatus = false;  // clear the status line if it contains "restore"
};

struct FramePaintResult {
  bool enableControls = true;
  bool statusRestore = false;  // status line := "Click image to restore."
};

struct ActivationResult {
  bool postRefresh = false;  // PostMessage(camera, 1028, 0, 0)
};

struct AppActivationResult {
  bool grab = false;         // hidden camera: GrabUnderCamera, stale cleared, status cleared
  bool clearStatus = false;
  bool markedStale = false;  // visible camera with a repaint pending over it
};

struct SelfRequest {
  bool clamp = false;
  CaptureMode mode = kModeRefresh;
};
// WM_USER + 4 posted to the camera: wParam non-zero = clamp, lParam = mode.
// Nothing for a mode the camera does not know.
std::optional<SelfRequest> DecodeSelfRequest(long long wParam, long long lParam);

class RefreshCycle {
 public:
  RequestOutcome RequestCapture(bool clamp, CaptureMode mode, const RefreshContext& ctx);
  // The restart timer's work (or the immediate run). windowFound: for modes
  // 3 and 4 a usable foreground window (not the desktop, not minimized), for
  // 5 and 6 a window at the camera centre; ignored for 0 and 1.
  TimerWork OnTimer(bool cameraHidden, bool windowFound);

  // pnlcCamPaint: while the program has no active window and Hold is off, the
  // view turns stale.
  FramePaintResult OnFramePaint(bool appHasActiveWindow, bool hold);
  // WM_ACTIVATE of the camera.
  ActivationResult OnActivate(bool active) const;
  // The whole application became active (tray controller's handler).
  AppActivationResult OnAppActivated(bool cameraHidden, bool hold, bool paintPendingOverCamera);

  void MarkStale() { stale_ = true; }
  void ClearStale() { stale_ = false; }
  bool stale() const { return stale_; }
  bool timerRunning() const { return timerRunning_; }
  bool pendingClamp() const { return pendingClamp_; }
  CaptureMode pendingMode() const { return pendingMode_; }

 private:
  bool timerRunning_ = false;
  bool pendingClamp_ = false;
  CaptureMode pendingMode_ = kModeRefresh;
  bool stale_ = false;
};

}  // namespace flk
