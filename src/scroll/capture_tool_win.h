// What the scroll and robo tool windows share: the camera they report to, the
// running session with its target and the screen it reads, and the one way a
// session's reaction is performed (its actions, its next tick, its end).
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "base/dpi.h"
#include "scroll/capture_target_win.h"
#include "scroll/scroll_host.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

template <class Session>
class CaptureTool : public win::Window {
 protected:
  static constexpr UINT_PTR kTickTimer = 1;

  CaptureTool(ScrollHost& host, int usageCode) : host_(host), usageCode_(usageCode) {}

  void Perform(const Reaction& r, const std::function<void(const action::Status&)>& onStatus = nullptr) {
    PerformCaptureActions(r, target_, onStatus);
    if (r.timerMs) ::SetTimer(hwnd(), kTickTimer, UINT(std::max(1, *r.timerMs)), nullptr);
    if (r.end == CaptureEnd::Running) return;
    ::KillTimer(hwnd(), kTickTimer);
    EndCaptureTool(hwnd(), r.end, session_, host_, usageCode_);
  }
  // No tick until the session asks for one again.
  void StopTicking() { ::KillTimer(hwnd(), kTickTimer); }

  ScrollHost& host_;
  const int usageCode_;
  std::unique_ptr<Session> session_;
  CaptureTarget target_;
  DesktopScreen screen_;
  DpiScale scale_;
  bool down_ = false;
  win::UniqueFont font_;
};

}  // namespace flk
