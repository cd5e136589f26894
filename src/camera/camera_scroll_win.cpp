// The camera's side of scroll and robo capture: starting the tool window over
// the window under the camera centre, the settings dialog, and what becomes of
// a finished capture.
#include <windows.h>

#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "output/store_file_system_win.h"
#include "scroll/capture_area.h"
#include "scroll/capture_target_win.h"
#include "scroll/scroll_settings_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "shell/names.h"

namespace flk {

void TfrmCam::StartScrollTool(bool robo) {
  int bpp = 32;
  if (ScreenTooPoor(&bpp)) {
    ::SetLastError(0);
    ShowWarning(kNeedsColour);
    return;
  }
  const ScrollParams& p = robo ? role_.values().robo : role_.values().scroll;
  const Point centre = CameraCentre();
  const Rect window = WindowRectNow();
  const Rect viewfinder = layout_.capture.offset(window.left, window.top);
  TfrmScrollAll* roboTool = robo ? scrollTools_.Robo(*this, hwnd()) : nullptr;
  TfrmScroll* scrollTool = robo ? nullptr : scrollTools_.Scroll(*this, hwnd());
  if (robo ? !roboTool : !scrollTool) return;
  role_.PutCameraAway();  // so that the camera does not cover the target
  TraceLine(robo ? "Start Robo Capture" : "Start Scroll Capture");
  std::string error;
  std::optional<CaptureTarget> target = FindCaptureTarget(centre, p, &error);
  if (target)
    TraceLine("Open Final WinRect lt=", target->rect.left, "tp=", target->rect.top, "wd=", target->rect.width(),
              "ht=", target->rect.height());
  std::variant<CaptureArea, std::string> area = error;
  if (target)
    area = robo ? RoboCaptureArea(target->rect, p, bpp) : ScrollCaptureArea(target->rect, viewfinder, p, bpp);
  if (const std::string* message = std::get_if<std::string>(&area)) {
    ::SetLastError(0);
    ShowWarning(*message);
    role_.ShowCamera();
    return;
  }
  if (robo) roboTool->Start(std::get<CaptureArea>(area), p, *target);
  else scrollTool->Start(std::get<CaptureArea>(area), p, *target);
}

void TfrmCam::ShowScrollSettingsFor(bool scrollTab) {
  ShowScrollSettings(hwnd(), role_.values().scroll, role_.values().robo, scrollTab);
}

void TfrmCam::ScrollCaptureEnded(std::optional<Picture> picture, int usageCode) {
  if (picture) {
    const bool kept = capture_.Keep(*picture, usageCode);
    picture.reset();  // a tall picture is not held longer than its store
    if (kept) return;
  }
  RefreshView();
}

}  // namespace flk
