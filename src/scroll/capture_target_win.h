// The Win32 side both scrolling captures share: the target window under the
// camera centre, the screen as a ScreenSource, and the performing of a
// capture's actions (scroll messages, the index column, repaints).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "scroll/capture_actions.h"
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

}  // namespace flk
