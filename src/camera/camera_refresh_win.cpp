// TfrmCam's refresh cycle: a request for a fresh view (or a whole capture),
// the restart timer's work, and what activation does to the view's age.
#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"

namespace flk {

// ---- refresh cycle --------------------------------------------------------------

void TfrmCam::MarkStale() {
  cycle_.MarkStale();
  InvalidateView();
}

void TfrmCam::RefreshView() {
  MarkStale();
  RequestCapture(false, kModeRefresh);
}

void TfrmCam::ShowOverFreeze() {
  cycle_.ClearStale();
  controlsEnabled_ = true;
  role_.ShowCamera();
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
}

void TfrmCam::RequestCapture(bool clamp, CaptureMode mode) {
  RefreshContext ctx;
  ctx.cameraVisible = ::IsWindowVisible(hwnd()) != FALSE;
  ctx.cameraActive = ::GetActiveWindow() == hwnd();
  ctx.lastPopupIsCamera = ::GetLastActivePopup(hwnd()) == hwnd();
  switch (cycle_.RequestCapture(clamp, mode, ctx)) {
    case RequestOutcome::Dropped: return;
    case RequestOutcome::BringAppToFront: ::SetForegroundWindow(::GetLastActivePopup(hwnd())); return;
    case RequestOutcome::HideAndWait:
      role_.HideCameraToTray();
      ::SetTimer(hwnd(), kTimerRestart, UINT(std::max(1, values_.refreshDelay)), nullptr);
      return;
    case RequestOutcome::RunNow: PerformTimerWork(); return;
  }
}

void TfrmCam::ReturnAfterRefreshDelay() {
  role_.HideCameraToTray();
  cycle_.RequestCapture(false, kModeRefresh, RefreshContext{});  // pending: a plain refresh
  ::SetTimer(hwnd(), kTimerRestart, UINT(std::max(1, values_.refreshDelay)), nullptr);
}

Point TfrmCam::CameraCentre() const {
  return flk::CameraCentre(WindowRectNow(), layout_.view, layout_.viewPanel.height());
}

void TfrmCam::PerformTimerWork() {
  ::KillTimer(hwnd(), kTimerRestart);
  bool hidden = !::IsWindowVisible(hwnd());
  TimerWork w = cycle_.OnTimer(hidden, capture_.WholeWindowFound(cycle_.pendingMode()));
  if (w.keepOnScreen) KeepOnScreen(hwnd());
  if (w.grab) {
    Rect r = WindowRectNow();
    bk_.Grab(r, role_.controller().started());
  }
  if (w.beep) ::MessageBeep(MB_OK);
  if (w.captureMode != kModeRefresh) {
    int usageCode = 0;
    std::optional<Picture> picture = capture_.CaptureWhole(w.captureMode, &usageCode);
    if (w.thawWithoutRefresh) capture_.ThawDesktop(false);
    if (picture && capture_.Keep(*picture, usageCode))
      w.showCamera = false;
    else if (picture)
      RefreshView();  // not kept: the camera is the user's again, over a fresh view
  }
  if (w.showCamera) {
    role_.ShowCamera();
    ::SetForegroundWindow(hwnd());
  }
  capture_.RequestDone();
  if (w.clearRestoreStatus && RefreshClearsStatus(status_)) SetStatus("");
  controlsEnabled_ = true;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmCam::OnAppActivated(bool hidden, bool paintPendingAbove) {
  AppActivationResult r = cycle_.OnAppActivated(hidden, capture_.hold(), paintPendingAbove);
  if (r.grab) {
    Rect w = WindowRectNow();
    bk_.Grab(w, role_.controller().started());
  }
  if (r.clearStatus) SetStatus("");
  if (r.markedStale) InvalidateView();
}

void TfrmCam::OnActivate(bool active) {
  active_ = active;
  if (active && cycle_.OnActivate(true).postRefresh) ::PostMessageW(hwnd(), kWmCameraSelf, 0, 0);
  if (Rect t = TitleBarInWindow(layout_); !t.empty()) {
    RECT r{t.left, t.top, t.right, t.bottom};
    ::InvalidateRect(hwnd(), &r, FALSE);
  }
}

}  // namespace flk
