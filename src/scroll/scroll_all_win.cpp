#include "scroll/scroll_all_win.h"

#include <windowsx.h>

#include "scroll/tool_button_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_win.h"

namespace flk {

namespace {
constexpr int kButtonWidth = 105, kButtonHeight = 25;
}  // namespace

bool TfrmScrollAll::FormCreate(HWND owner) {
  if (!Create(kRoboToolClass, L"Robo Scroll", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0,
              0, 120, 60, owner))
    return false;
  win::DisableTransitions(hwnd());
  scale_ = win::WindowScale(hwnd());
  font_ = MakeToolFont(scale_);
  return true;
}

void TfrmScrollAll::Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target) {
  session_ = std::make_unique<RoboCaptureSession>(area, params);
  target_ = target;
  down_ = false;
  const RECT frame = FrameFor(scale_(kButtonWidth), scale_(kButtonHeight));
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  const Rect window{area.ltScn, area.tpScn, area.ltScn + area.wd, area.windowBottom()};
  // On the monitor of the captured window.
  const Rect screen = MonitorFor(win::CurrentMonitors(), window).area;
  PlaceTool(RoboToolLeft(window, w, -frame.left, scale_(kButtonWidth), screen), ToolWindowTop(area.tpScn, h, screen.top),
            w, h);
  ShowWithPointerAt(POINT{scale_(kButtonWidth) / 2, scale_(kButtonHeight) / 2});
  Perform(session_->OnStart());
}

void TfrmScrollAll::btnStopClick() {
  StopTicking();
  TraceLine("Stop");
  if (session_) Perform(session_->OnStop(screen_));
}

void TfrmScrollAll::CloseTool() {
  StopTicking();
  if (session_) Perform(session_->OnClose(screen_));
  else ::ShowWindow(hwnd(), SW_HIDE);
}

bool TfrmScrollAll::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (OnToolMessage(msg, wp, result)) return true;
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      RECT c = clientRect();
      DrawToolButton(dc.get(), Rect{c.left, c.top, c.right, c.bottom}, down_, "Stop", RGB(255, 0, 0), font_.get(),
                     false);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      down_ = true;
      ::SetCapture(hwnd());
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return true;
    case WM_LBUTTONUP: {
      if (!down_) return true;
      down_ = false;
      ::ReleaseCapture();
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      RECT c = clientRect();
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (::PtInRect(&c, p)) btnStopClick();
      return true;
    }
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) CloseTool();
      if (wp == VK_SPACE || wp == VK_RETURN) btnStopClick();
      return true;
    default: return false;
  }
}

}  // namespace flk
