#include "stickies/gr_btn_win.h"

#include <windowsx.h>

#include "shell/common_form_win.h"

namespace flk {

namespace {

constexpr int kCells = 4;

}  // namespace

TGrBtn::~TGrBtn() {
  if (hover_) hover_->ForgetHover(this);
}

bool TGrBtn::Create(HWND parent, int id, const Rect& rect, HBITMAP glyph, TfrmCommon* hover) {
  glyph_.reset(glyph);
  hover_ = hover;
  return win::Window::Create(L"TGrBtn", L"", WS_CHILD | WS_VISIBLE, 0, rect.left, rect.top, rect.width(),
                             rect.height(), parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                             nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
}

void TGrBtn::SetEnabled(bool enabled) {
  disabled_ = !enabled;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TGrBtn::SetState(State s) {
  if (s == state_) return;
  state_ = s;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TGrBtn::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  // Off screen first: face colour, then the cell's mask ANDed and its image ORed, centred.
  win::UniqueMemoryDC mem(::CreateCompatibleDC(dc));
  win::UniqueBitmap buffer(::CreateCompatibleBitmap(dc, rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1));
  BITMAP bm{};
  if (mem && buffer && glyph_ && ::GetObjectW(glyph_.get(), sizeof bm, &bm)) {
    win::SelectedObject sel(mem.get(), buffer.get());
    ::FillRect(mem.get(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    win::UniqueMemoryDC src(::CreateCompatibleDC(dc));
    win::SelectedObject selGlyph(src.get(), glyph_.get());
    const int cw = bm.bmWidth / kCells, ch = bm.bmHeight / 2;
    const int cell = disabled_ ? Disabled : state_;
    const int x = (rc.right - cw) / 2, y = (rc.bottom - ch) / 2;
    ::BitBlt(mem.get(), x, y, cw, ch, src.get(), cell * cw, ch, SRCAND);
    ::BitBlt(mem.get(), x, y, cw, ch, src.get(), cell * cw, 0, SRCPAINT);
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
  }
  ::EndPaint(hwnd(), &ps);
}

bool TGrBtn::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_PAINT: Paint(); return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      ::SetCapture(hwnd());
      SetState(Pressed);
      return true;
    case WM_MOUSEMOVE: {
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));  // the note's move cursor stops here
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
      bool inside = x >= 0 && y >= 0 && x < rc.right && y < rc.bottom;
      if (!(wp & (MK_LBUTTON | MK_RBUTTON)) && state_ != Highlighted) {
        if (OnHiLt) OnHiLt(x, y);
        SetState(Highlighted);
      } else if ((wp & MK_LBUTTON) && !inside && state_ == Pressed) {
        SetState(Normal);
      }
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      if (state_ != Pressed) return true;
      SetState(Normal);
      if (OnMouseUp) OnMouseUp(x, y);
      return true;
    }
  }
  return false;
}

HBITMAP MakeNoteMenuGlyph() {
  constexpr int kW = 64, kH = 24, kCw = 16, kCh = 12;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kW;
  bi.bmiHeader.biHeight = -kH;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  const int stride = (kW * 3 + 3) & ~3;
  auto put = [&](int x, int y, COLORREF c) {
    uint8_t* p = static_cast<uint8_t*>(bits) + y * stride + x * 3;
    p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
  };
  // Images black where nothing is drawn, masks white there.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) put(x, y, y < kCh ? RGB(0, 0, 0) : RGB(255, 255, 255));
  const COLORREF ink[4] = {RGB(64, 64, 64), RGB(0, 0, 0), RGB(0, 84, 227), RGB(160, 160, 160)};
  for (int cell = 0; cell < 4; ++cell) {
    const int shift = cell == 1 ? 1 : 0;  // pressed: one pixel down and right
    // Three bars over a small downward triangle: "this opens a menu".
    auto mark = [&](int x, int y) {
      int px = cell * kCw + x + shift, py = y + shift;
      if (px >= cell * kCw + kCw || py >= kCh) return;
      put(px, py, ink[cell]);
      put(px, py + kCh, RGB(0, 0, 0));
    };
    for (int bar = 0; bar < 3; ++bar)
      for (int x = 3; x < 13; ++x) mark(x, 1 + bar * 3), mark(x, 2 + bar * 3);
    for (int x = 6; x < 10; ++x) mark(x, 10);
  }
  ::GdiFlush();
  return bmp;
}

}  // namespace flk
