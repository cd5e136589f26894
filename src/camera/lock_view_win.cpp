#include "camera/lock_view_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "camera/held_view.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

Size SizeOf(const Picture* p) { return p ? Size{p->width(), p->height()} : Size{}; }

}  // namespace

bool TLockView::Create(HWND camera) {
  return win::Window::Create(L"TLockView", L"", WS_CHILD | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, 0,
                             camera, nullptr, nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
}

void TLockView::SetPicture(const Picture* picture) {
  picture_ = picture;
  pos_ = Point{0, 0};
  UpdateScrollBars();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TLockView::Place(int x, int y, int width, int height) {
  ::SetWindowPos(hwnd(), nullptr, x, y, std::max(0, width), std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollBars();
}

void TLockView::Show(bool visible) { ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

void TLockView::UpdateScrollBars() {
  // Showing or hiding a bar sends WM_SIZE, which comes back here; the guard
  // keeps it to one pass at a time.
  if (updating_ || !hwnd()) return;
  updating_ = true;
  // The pages follow from the whole window: a bar is needed when the picture
  // is larger than the room left beside the other bar.
  RECT wr;
  ::GetWindowRect(hwnd(), &wr);
  Size picture = SizeOf(picture_);
  HeldViewPlan plan = PlanHeldView(picture, Size{wr.right - wr.left, wr.bottom - wr.top},
                                   Size{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)}, pos_);
  pos_ = plan.pos;
  int pageW = plan.page.width, pageH = plan.page.height;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = std::max(0, picture.width - 1);
  si.nPage = UINT(std::max(0, pageW));
  si.nPos = pos_.x;
  ::SetScrollInfo(hwnd(), SB_HORZ, &si, TRUE);
  si.nMax = std::max(0, picture.height - 1);
  si.nPage = UINT(std::max(0, pageH));
  si.nPos = pos_.y;
  ::SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
  updating_ = false;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TLockView::Scroll(int bar, int code, int thumb) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ::GetScrollInfo(hwnd(), bar, &si);
  ScrollRequest request = ScrollRequestOf(code);
  if (request == ScrollRequest::Other) return;
  int pos = HeldScrollTo(request, si.nPos, int(si.nPage), si.nMax + 1,
                         request == ScrollRequest::Track ? si.nTrackPos : thumb);
  int& mine = bar == SB_HORZ ? pos_.x : pos_.y;
  if (pos == mine) return;
  mine = pos;
  si.fMask = SIF_POS;
  si.nPos = pos;
  ::SetScrollInfo(hwnd(), bar, &si, TRUE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TLockView::Paint() {
  win::PaintDC paint(hwnd());
  HDC dc = paint.get();
  RECT rc = clientRect();
  // The picture goes over a buffer first: no flicker while the thumb tracks.
  win::UniqueMemoryDC mem(::CreateCompatibleDC(dc));
  win::UniqueBitmap buffer(::CreateCompatibleBitmap(dc, std::max(1L, rc.right), std::max(1L, rc.bottom)));
  if (mem && buffer) {
    win::SelectedObject sel(mem.get(), buffer.get());
    win::UniqueBrush back(::CreateSolidBrush(kLockViewColour));
    ::FillRect(mem.get(), &rc, back.get());
    if (picture_ && !picture_->empty()) {
      std::vector<uint8_t> info = picture_->info();
      ::SetDIBitsToDevice(mem.get(), -pos_.x, -pos_.y, DWORD(picture_->width()), DWORD(picture_->height()), 0, 0, 0,
                          UINT(picture_->height()), picture_->bits(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                          DIB_RGB_COLORS);
    }
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
  }
}

bool TLockView::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_PAINT: Paint(); return true;
    case WM_SIZE: UpdateScrollBars(); return true;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wp), HIWORD(wp)); return true;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wp), HIWORD(wp)); return true;
    case WM_MOUSEWHEEL: {
      WheelSteps steps = WheelStepsOf(GET_WHEEL_DELTA_WPARAM(wp));
      for (int i = 0; i < steps.count; ++i) Scroll(SB_VERT, steps.request == ScrollRequest::LineUp ? SB_LINEUP : SB_LINEDOWN, 0);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN: {
      // On to the camera, in its own client coordinates.
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      HWND camera = ::GetParent(hwnd());
      ::MapWindowPoints(hwnd(), camera, &p, 1);
      *result = ::SendMessageW(camera, msg, wp, MAKELPARAM(p.x, p.y));
      return true;
    }
    default: return false;
  }
}

}  // namespace flk
