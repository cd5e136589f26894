#include "win32/screen_paint_win.h"

#include "win32/unique_handle.h"

namespace flk::win {

void PaintScreenColumn(int x, int top, const std::vector<Rgb>& colours) {
  if (colours.empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 1;
  bi.bmiHeader.biHeight = -int(colours.size());  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  ScreenDC screen;
  ::SetDIBitsToDevice(screen.get(), x, top, 1, DWORD(colours.size()), 0, 0, 0, UINT(colours.size()), colours.data(),
                      &bi, DIB_RGB_COLORS);
}

void RepaintScreenRect(const Rect& r) {
  const RECT rc{r.left, r.top, r.right, r.bottom};
  ::RedrawWindow(::GetDesktopWindow(), &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  // Every visible top-level window under it, frame and children included
  // (the rectangle in its client coordinates; the frame lies outside them).
  for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    RECT wr, part;
    if (!::IsWindowVisible(w) || !::GetWindowRect(w, &wr) || !::IntersectRect(&part, &wr, &rc)) continue;
    POINT a{part.left, part.top}, b{part.right, part.bottom};
    ::ScreenToClient(w, &a);
    ::ScreenToClient(w, &b);
    const RECT local{a.x, a.y, b.x, b.y};
    ::RedrawWindow(w, &local, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

}  // namespace flk::win
