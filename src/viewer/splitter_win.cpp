#include "viewer/viewer_parts_win.h"

#include <windowsx.h>

#include "win32/monitors_win.h"
#include "win32/unique_handle.h"

namespace flk {

bool TSplitter::FormCreate(HWND parent) {
  return Create(L"TSplitter", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0, parent, nullptr, nullptr,
                ::LoadCursor(nullptr, IDC_SIZENS), 0);
}

bool TSplitter::OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      RECT c = clientRect();
      ::FillRect(dc.get(), &c, ::GetSysColorBrush(COLOR_BTNFACE));
      ::DrawEdge(dc.get(), &c, BDR_RAISEDINNER, BF_RECT);
      return true;
    }
    case WM_LBUTTONDOWN: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ::ClientToScreen(hwnd(), &p);
      drag_.Press(p.y);
      ::SetCapture(hwnd());
      return true;
    }
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ::ClientToScreen(hwnd(), &p);
      const int delta = drag_.Move(p.y);
      if (delta == 0) return true;
      const int before = win::WindowRectOf(hwnd()).top;
      moved_(delta);
      drag_.Moved(win::WindowRectOf(hwnd()).top - before);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (drag_.Release() && msg == WM_LBUTTONUP) ::ReleaseCapture();
      return true;
    default: return false;
  }
}

}  // namespace flk
