// The tray's camera rules; see camera_controller.h.
#include "camera/camera_controller.h"

#include "shell/print_screen_key.h"

namespace flk {

std::vector<TrayMenuItem> TrayMenuItems(bool printScreenKeyHeld) {
  std::vector<TrayMenuItem> items = {{TrayCommand::Open, "Open Camera"},
                                     {},
                                     {TrayCommand::FullScreen, "Capture Full Screen"},
                                     {TrayCommand::LastActive, "Capture Last Active Window"},
                                     {TrayCommand::LastClient, "Capture Work Area of Last Active"},
                                     {}};
  if (!printScreenKeyHeld) {
    items.push_back({TrayCommand::UsePrintScreenKey, kUsePrintScreenKeyItem});
    items.push_back({});
  }
  items.push_back({TrayCommand::Exit, "Exit Framelark"});
  return items;
}

namespace {
// Opens the camera on the first request, or thaws it when asked; a camera
// busy with something else refuses.
TrayPlan OpenOrRefuse(bool available, bool started, bool thaw) {
  TrayPlan p;
  p.refused = !available;
  if (available) {
    p.openCamera = !started;
    p.thaw = thaw;
  }
  return p;
}
}  // namespace

bool CameraController::Available(bool cameraActive, bool lastPopupIsCamera) const {
  if (!started_) return true;
  if (state_ == CameraState::Shown) return cameraActive || lastPopupIsCamera;
  return state_ == CameraState::InTray;
}

TrayPlan CameraController::TrayClick(TrayCommand sender, bool available) const {
  TrayPlan p = OpenOrRefuse(available, started_, started_);
  if (p.refused) return p;
  switch (sender) {
    case TrayCommand::FullScreen: p.mode = kModeFullScreen; break;
    case TrayCommand::LastActive: p.mode = kModeLastWindow; p.lastActive = true; break;
    case TrayCommand::LastClient: p.mode = kModeLastWindowClient; p.lastActive = true; break;
    default: p.markStale = true; break;
  }
  return p;
}

std::optional<TrayPlan> CameraController::CameraRequest(long long code, bool available) const {
  if (code == 0) return TrayClick(TrayCommand::Open, available);
  if (code != 1 && code != 2) return std::nullopt;
  TrayPlan p = OpenOrRefuse(available, started_, true);
  if (p.refused) return p;
  // 1: shown where it is; 2: away until the asking window has settled.
  p.returnAfterDelay = code == 2;
  return p;
}

TrayNotifyPlan CameraController::TrayNotify(TrayMouse mouse, bool frozen) const {
  TrayNotifyPlan p;
  switch (mouse) {
    case TrayMouse::LeftDown:
    case TrayMouse::RightDown: p.noteForeground = true; break;
    case TrayMouse::LeftUp: p.click = true; break;
    case TrayMouse::RightUp:
      p.noteForeground = true;
      p.thawOnly = frozen;
      p.popupMenu = !frozen;
      break;
    case TrayMouse::Other: break;
  }
  return p;
}

AppActivationPlan CameraController::AppActivated(bool active, bool hold, bool available) const {
  AppActivationPlan p;
  if (!started_) return p;
  if (!active) {
    p.topmost = hold && available;
    return p;
  }
  p.notTopmost = true;
  p.checkView = !selfActivating_;
  return p;
}

}  // namespace flk
