#include "camera/freeze_win.h"

#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_win.h"

namespace flk {

bool TfrmFreeze::FormCreate() {
  // Not owned by the camera: an owned window would always lie above it. The
  // "no" cursor over all of it: the still is not a place to work in.
  if (!Create(L"TfrmFreeze", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 1, 1, nullptr, nullptr, nullptr,
              ::LoadCursorW(nullptr, IDC_NO), 0))
    return false;
  win::DisableTransitions(hwnd());
  return true;
}

void TfrmFreeze::TakeStill() {
  // Every monitor, in virtual-screen coordinates; what no monitor shows is black.
  const Rect desk = win::VirtualScreenRect();
  width_ = desk.width();
  height_ = desk.height();
  ::SetWindowPos(hwnd(), nullptr, desk.left, desk.top, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  win::ScreenDC screen;
  still_.reset(::CreateCompatibleBitmap(screen.get(), width_, height_));
  if (!still_) return;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), still_.get());
  win::CopyScreenArea(mem.get(), 0, 0, desk, screen.get());
}

void TfrmFreeze::Show() {
  // Above the other programs; the camera is brought above it afterwards.
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TfrmFreeze::Hide() {
  ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

bool TfrmFreeze::Visible() const { return hwnd() && ::IsWindowVisible(hwnd()); }

bool TfrmFreeze::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;  // the still covers everything; never erased first
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      if (still_) {
        win::UniqueMemoryDC mem(::CreateCompatibleDC(dc.get()));
        win::SelectedObject sel(mem.get(), still_.get());
        ::BitBlt(dc.get(), 0, 0, width_, height_, mem.get(), 0, 0, SRCCOPY);
      }
      return true;
    }
    case WM_MOUSEACTIVATE: *result = MA_NOACTIVATE; return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // A click on the frozen desktop thaws it.
      if (onPress_) onPress_();
      return true;
  }
  return false;
}

}  // namespace flk
