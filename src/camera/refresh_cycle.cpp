// The refresh cycle; see refresh_cycle.h.
#include "camera/refresh_cycle.h"

namespace flk {

bool IsCaptureMode(int mode) { return mode == 0 || mode == 1 || (mode >= 3 && mode <= 6); }

std::optional<SelfRequest> DecodeSelfRequest(long long wParam, long long lParam) {
  if (!IsCaptureMode(static_cast<int>(lParam)) || lParam != static_cast<int>(lParam)) return std::nullopt;
  return SelfRequest{wParam != 0, static_cast<CaptureMode>(lParam)};
}

RequestOutcome RefreshCycle::RequestCapture(bool clamp, CaptureMode mode, const RefreshContext& ctx) {
  if (timerRunning_) return RequestOutcome::Dropped;
  if (!IsCaptureMode(mode)) mode = kModeRefresh;
  pendingClamp_ = clamp;
  pendingMode_ = mode;
  if (ctx.cameraVisible) {
    if (!ctx.cameraActive && !ctx.lastPopupIsCamera) return RequestOutcome::BringAppToFront;
    if (stale_ || clamp || mode > 0) {
      timerRunning_ = true;
      return RequestOutcome::HideAndWait;
    }
  }
  return RequestOutcome::RunNow;
}

TimerWork RefreshCycle::OnTimer(bool cameraHidden, bool windowFound) {
  TimerWork w;
  timerRunning_ = false;
  if (cameraHidden) {
    w.keepOnScreen = pendingClamp_;
    if (pendingMode_ == kModeRefresh) {
      w.grab = true;
    } else if (pendingMode_ == kModeFullScreen || windowFound) {
      w.captureMode = pendingMode_;
      w.thawWithoutRefresh = pendingMode_ == kModeFullScreen;
    } else {
      w.beep = true;
      // A failed pick at the camera centre brings the camera back; a failed
      // foreground pick leaves it in the tray.
      if (pendingMode_ == kModeWindowAtCentre || pendingMode_ == kModeInsideAtCentre) {
        pendingMode_ = kModeRefresh;
        w.grab = true;  // the camera shows again, over a fresh view
      }
    }
  }
  stale_ = false;
  if (pendingMode_ == kModeRefresh) {
    w.showCamera = true;
    w.clearRestoreStatus = true;
  }
  return w;
}

FramePaintResult RefreshCycle::OnFramePaint(bool appHasActiveWindow, bool hold) {
  FramePaintResult r;
  if (appHasActiveWindow || hold) return r;
  stale_ = true;
  r.enableControls = false;
  r.statusRestore = true;
  return r;
}

ActivationResult RefreshCycle::OnActivate(bool active) const {
  ActivationResult r;
  r.postRefresh = active && stale_;
  return r;
}

AppActivationResult RefreshCycle::OnAppActivated(bool cameraHidden, bool hold, bool paintPendingOverCamera) {
  AppActivationResult r;
  if (cameraHidden) {
    r.grab = true;
    r.clearStatus = true;
    stale_ = false;
  } else if (!hold && paintPendingOverCamera) {
    stale_ = true;
    r.markedStale = true;
  }
  return r;
}

}  // namespace flk
