// What the scroll and robo tool windows share: the camera they report to, the
// running session with its target and the screen it reads, the one way a
// session's reaction is performed (its actions, its next tick, its end), and
// the messages both answer alike (the tick, Esc, the close box).
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

  // How a tool shows what a session returns (the scroll tool also shows its status).
  virtual void PerformReaction(const Reaction& r) { Perform(r); }
  // Esc or the close box: the session decides what is kept.
  virtual void CloseTool() = 0;

  // The window's outer size for a client of the given size.
  RECT FrameFor(int clientWidth, int clientHeight) const {
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, DWORD(::GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                         DWORD(::GetWindowLongW(hwnd(), GWL_EXSTYLE)));
    return frame;
  }
  // On top, without taking the activation yet.
  void PlaceTool(int x, int y, int width, int height) {
    ::SetWindowPos(hwnd(), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
  }
  // Puts the pointer at `cursor` (client coordinates), shows the tool and brings it in front.
  void ShowWithPointerAt(POINT cursor) {
    ::ClientToScreen(hwnd(), &cursor);
    ::SetCursorPos(cursor.x, cursor.y);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
  }

  // The messages both tools answer alike; false for the others.
  bool OnToolMessage(UINT msg, WPARAM wp, LRESULT* result) {
    switch (msg) {
      case WM_ERASEBKGND: *result = 1; return true;
      case WM_TIMER:
        if (wp == kTickTimer) {
          StopTicking();
          if (session_) PerformReaction(session_->OnTick(screen_));
        }
        return true;
      case WM_SYSKEYDOWN:  // what an active window without a focused window gets
        if (wp != VK_ESCAPE) return false;
        CloseTool();
        return true;
      case WM_CLOSE: CloseTool(); return true;
      default: return false;
    }
  }

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
