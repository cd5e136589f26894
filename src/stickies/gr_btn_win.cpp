#include "stickies/gr_btn_win.h"

#include <windowsx.h>

#include "shell/common_form_win.h"
#include "win32/screen_win.h"

namespace flk {

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

void TGrBtn::Perform(const GlyphButtonState::Reply& r, int x, int y) {
  if (r.hilite && OnHiLt) OnHiLt(x, y);
  if (r.repaint && hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
  if (r.click && OnMouseUp) OnMouseUp(x, y);
}

void TGrBtn::Paint() {
  win::PaintDC dc(hwnd());
  RECT rc = clientRect();
  // Off screen first: face colour, then the cell's mask ANDed and its image ORed.
  win::UniqueMemoryDC mem(::CreateCompatibleDC(dc.get()));
  win::UniqueBitmap buffer(
      ::CreateCompatibleBitmap(dc.get(), rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1));
  BITMAP bm{};
  if (!mem || !buffer || !glyph_ || !::GetObjectW(glyph_.get(), sizeof bm, &bm)) return;
  win::SelectedObject sel(mem.get(), buffer.get());
  ::FillRect(mem.get(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  win::UniqueMemoryDC src(::CreateCompatibleDC(dc.get()));
  win::SelectedObject selGlyph(src.get(), glyph_.get());
  GlyphCellPlace c = PlaceGlyphCell({bm.bmWidth, bm.bmHeight}, {rc.right, rc.bottom}, mouse_.Cell(disabled_));
  ::BitBlt(mem.get(), c.at.x, c.at.y, c.width, c.height, src.get(), c.sourceX, c.maskY, SRCAND);
  ::BitBlt(mem.get(), c.at.x, c.at.y, c.width, c.height, src.get(), c.sourceX, c.imageY, SRCPAINT);
  ::BitBlt(dc.get(), 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
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
      Perform(mouse_.Press(), x, y);
      return true;
    case WM_MOUSEMOVE: {
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));  // the note's move cursor stops here
      RECT rc = clientRect();
      bool inside = x >= 0 && y >= 0 && x < rc.right && y < rc.bottom;
      Perform(mouse_.Move(inside, (wp & MK_LBUTTON) != 0, (wp & MK_RBUTTON) != 0), x, y);
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      Perform(mouse_.Release(), x, y);
      return true;
  }
  return false;
}

HBITMAP MakeNoteMenuGlyph() { return win::BitmapFromPicture(NoteMenuGlyph()); }

}  // namespace flk
