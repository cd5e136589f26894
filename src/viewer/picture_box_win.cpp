#include "viewer/viewer_parts_win.h"

#include <windowsx.h>

#include <algorithm>

#include "viewer/viewer_folder.h"
#include "viewer/viewer_layout.h"
#include "win32/scroll_bar_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr COLORREF kBoxColour = RGB(48, 48, 48);  // 3158064
}

bool TPictureBox::FormCreate(HWND parent) {
  return Create(L"TScrollBox", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, 0,
                parent, nullptr, nullptr, ::LoadCursor(nullptr, IDC_ARROW), 0);
}

void TPictureBox::SetPictureSize(int width, int height) {
  view_.SetPictureSize(Size{width, height});
  UpdateBars();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

int TPictureBox::ClientHeight() const {
  RECT r = clientRect();
  return r.bottom;
}

void TPictureBox::PaintPicture(HDC dc, Size shown) {
  const int i = folder_.pictures().currentIndex();
  if (i < 0) return;
  std::shared_ptr<Picture> p = folder_.pictures().PictureAt(i);
  if (!p || shown.width <= 0 || shown.height <= 0) return;
  std::vector<uint8_t> info = p->info();
  const Point pos = view_.position();
  ::SetDIBitsToDevice(dc, 0, 0, DWORD(shown.width), DWORD(shown.height), pos.x, p->height() - pos.y - shown.height,
                      0, UINT(p->height()), p->bits(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                      DIB_RGB_COLORS);
}

void TPictureBox::UpdateBars() {
  // Twice: a bar that appears takes room from the other direction.
  for (int pass = 0; pass < 2; ++pass) {
    RECT c = clientRect();
    const PictureBoxView::Bars bars = view_.Fit(Size{int(c.right), int(c.bottom)});
    win::SetScrollBar(hwnd(), SB_HORZ, bars.horizontal);
    win::SetScrollBar(hwnd(), SB_VERT, bars.vertical);
  }
}

void TPictureBox::Scroll(int bar, WPARAM code) {
  const ScrollRequest request = win::ScrollRequestOf(code);
  if (request == ScrollRequest::None) return;
  const int p = view_.Scroll(bar == SB_HORZ, request, win::ReadScrollBar(hwnd(), bar));
  win::SetScrollPosition(hwnd(), bar, p);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool TPictureBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      RECT c = clientRect();
      win::UniqueBrush dark(::CreateSolidBrush(kBoxColour));
      // The picture first, then the dark rest around it: no flicker.
      const PictureBoxPaint plan = view_.Paint(Size{int(c.right), int(c.bottom)});
      PaintPicture(dc.get(), plan.shown);
      RECT right{plan.right.left, plan.right.top, plan.right.right, plan.right.bottom};
      RECT below{plan.below.left, plan.below.top, plan.below.right, plan.below.bottom};
      ::FillRect(dc.get(), &right, dark.get());
      ::FillRect(dc.get(), &below, dark.get());
      return true;
    }
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_SIZE: UpdateBars(); return false;
    case WM_HSCROLL: Scroll(SB_HORZ, wp); return true;
    case WM_VSCROLL: Scroll(SB_VERT, wp); return true;
    case WM_MOUSEWHEEL: {
      const int lines = PictureBoxView::WheelLines(GET_WHEEL_DELTA_WPARAM(wp), WHEEL_DELTA);
      for (int i = 0; i < std::abs(lines); ++i) Scroll(SB_VERT, lines > 0 ? SB_LINEUP : SB_LINEDOWN);
      return true;
    }
    case WM_LBUTTONDOWN: ::SetFocus(hwnd()); return true;
    case WM_CONTEXTMENU: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (p.x == -1 && p.y == -1) {
        p = {0, 0};
        ::ClientToScreen(hwnd(), &p);
      }
      contextMenu_(p);
      return true;
    }
    default: return false;
  }
}

}  // namespace flk
