#include "viewer/viewer_parts_win.h"

#include <windowsx.h>

#include <algorithm>

#include "viewer/viewer_folder.h"
#include "viewer/viewer_layout.h"
#include "win32/unique_handle.h"

namespace flk {

std::optional<Picture> MakeThumbnail(const Picture& p, int thumbSize) {
  const Size s = ThumbDrawSize(p.width(), p.height(), thumbSize);
  if (s.width <= 0 || s.height <= 0) return std::nullopt;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), s.width, s.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dib || !dc) return std::nullopt;
  bool drawn = false;
  {
    win::SelectedObject selected(dc.get(), dib.get());
    ::SetStretchBltMode(dc.get(), COLORONCOLOR);
    const std::vector<uint8_t> info = p.info();
    for (int w = p.width(), h = p.height(); w > 0 && h > 0 && !drawn; w /= 2, h /= 2)
      drawn = ::StretchDIBits(dc.get(), 0, 0, s.width, s.height, 0, p.height() - h, w, h, p.bits(),
                              reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY) != 0;
    ::GdiFlush();
  }
  if (!drawn) return std::nullopt;
  std::optional<Picture> thumb = Picture::Create(s.width, s.height, 32);
  if (thumb) std::copy_n(static_cast<const uint8_t*>(bits), thumb->bitsSize(), thumb->bits());
  return thumb;
}

bool TPaintThumbs::FormCreate(HWND parent) {
  return Create(L"TPaintThumbs", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0, parent, nullptr,
                nullptr, ::LoadCursor(nullptr, IDC_ARROW), 0);
}

void TPaintThumbs::Paint(HDC dc, const RECT& client) {
  const ThumbLayout& l = layout_.thumbs();
  std::vector<std::shared_ptr<Picture>> thumbs(folder_.pictures().size());
  const ThumbStripPlan plan = PlanThumbStrip(
      l, Size{int(client.right), int(client.bottom)}, int(thumbs.size()), folder_.pictures().currentIndex(),
      [&](int i) {
        thumbs[size_t(i)] = folder_.ThumbOf(i, l.thumbSize, MakeThumbnail);
        const Picture* t = thumbs[size_t(i)].get();
        return t ? Size{t->width(), t->height()} : Size{};
      });
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  for (const Rect& f : plan.faces) {
    RECT r{f.left, f.top, f.right, f.bottom};
    ::FillRect(dc, &r, face);
  }
  if (thumbs.empty()) return;
  for (const ThumbStripPlan::Cell& c : plan.cells) {
    const Picture* t = thumbs[size_t(c.index)].get();
    if (!t) continue;
    std::vector<uint8_t> info = t->info();
    ::SetDIBitsToDevice(dc, c.at.x, c.at.y, DWORD(t->width()), DWORD(t->height()), 0, 0, 0, UINT(t->height()),
                        t->bits(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  }
  win::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
  for (const Rect& f : plan.frames) {
    RECT r{f.left, f.top, f.right, f.bottom};
    ::FrameRect(dc, &r, red.get());
  }
  RECT edge = client;
  ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

bool TPaintThumbs::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      RECT c = clientRect();
      // Drawn into memory first: the strip is repainted on every step of a drag.
      win::UniqueMemoryDC mem(::CreateCompatibleDC(dc.get()));
      win::UniqueBitmap bmp(::CreateCompatibleBitmap(dc.get(), std::max(1L, c.right), std::max(1L, c.bottom)));
      if (!mem || !bmp) {
        Paint(dc.get(), c);
        return true;
      }
      win::SelectedObject selected(mem.get(), bmp.get());
      Paint(mem.get(), c);
      ::BitBlt(dc.get(), 0, 0, c.right, c.bottom, mem.get(), 0, 0, SRCCOPY);
      return true;
    }
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_LBUTTONDOWN:
      ::SetCapture(hwnd());
      pressed_(GET_X_LPARAM(lp));
      return true;
    case WM_MOUSEMOVE:
      if (wp & MK_LBUTTON) pressed_(GET_X_LPARAM(lp));
      return true;
    case WM_LBUTTONUP:
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      return true;
    default: return false;
  }
}

}  // namespace flk
