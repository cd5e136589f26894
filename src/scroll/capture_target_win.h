// The Win32 side both scrolling captures share: the target window under the
// camera centre, the screen as a ScreenSource, and the performing of a
// capture's actions (scroll messages, the index column, repaints).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "scroll/capture_actions.h"
#include "scroll/scroll_host.h"
#include "scroll/screen_source.h"
#include "shell/settings_table.h"

namespace flk {

struct CaptureTarget {
  HWND window = nullptr;     // receives the scroll messages
  HWND scrollBar = nullptr;  // passed with WM_VSCROLL, or none
  Rect rect;                 // less the right margin, within every ancestor and the screen
  Point wheelPoint;          // the camera centre
};

// The target at the point, or the message that stops the start.
std::optional<CaptureTarget> FindCaptureTarget(Point centre, const ScrollParams& p, std::string* error);

// A palette display cannot carry the index colours; remembers its depth.
bool ScreenTooPoor(int* bitsPerPixel);

class DesktopScreen : public ScreenSource {
 public:
  bool Grab(const Rect& r, ScreenBlock& out) override;
};

// Performs the actions in order; status goes to onStatus.
void PerformCaptureActions(const Reaction& r, const CaptureTarget& target,
                           const std::function<void(const action::Status&)>& onStatus);

// The end of a scroll or robo capture, the same for both tools: the tool
// window hides, a picture to keep is taken from the session and goes to the
// camera (counted under usageCode); one that could not be made in memory is
// reported and lost like any other failure to grow.
void EndCaptureTool(HWND tool, CaptureEnd end, std::optional<Picture> picture, ScrollHost& host, int usageCode);
template <class Session>
void EndCaptureTool(HWND tool, CaptureEnd end, std::unique_ptr<Session>& session, ScrollHost& host, int usageCode) {
  std::optional<Picture> picture;
  if (end == CaptureEnd::Store && session) picture = session->TakePicture();
  session.reset();
  EndCaptureTool(tool, end, std::move(picture), host, usageCode);
}

}  // namespace flk
