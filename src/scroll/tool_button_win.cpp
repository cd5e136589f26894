#include "scroll/tool_button_win.h"

#include <algorithm>

#include "win32/dpi_win.h"

namespace flk {

void DrawToolButton(HDC dc, const Rect& r, bool down, const std::string& caption, COLORREF textColour, HFONT font,
                    bool arrowGlyph) {
  RECT rc{r.left, r.top, r.right, r.bottom};
  ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  const int shift = down ? 1 : 0;
  if (arrowGlyph) {
    // A down arrow in the middle: the glyph of the hold-down button.
    const int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 + shift;
    const int h = std::max(4, r.height() / 3);
    POINT tri[3] = {{cx - h, cy - h / 2}, {cx + h + 1, cy - h / 2}, {cx, cy + h / 2 + 1}};
    win::UniqueBrush b(::CreateSolidBrush(::GetSysColor(COLOR_BTNTEXT)));
    win::SelectedObject sb(dc, b.get());
    win::SelectedObject sp(dc, ::GetStockObject(NULL_PEN));
    ::Polygon(dc, tri, 3);
  }
  if (!caption.empty()) {
    win::SelectedObject sf(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColour);
    ::OffsetRect(&rc, shift, shift);
    ::DrawTextA(dc, caption.c_str(), int(caption.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

win::UniqueBrush MakeArrowBrush() {
  // 16 x 16, one bit per pixel, 0 = arrow: a stem and a head pointing down.
  WORD rows[16];
  for (int y = 0; y < 16; ++y) {
    unsigned bits = 0xFFFF;
    auto ink = [&](int x0, int x1) {
      for (int x = x0; x <= x1; ++x) bits &= ~(0x8000u >> x);
    };
    if (y >= 2 && y < 8) ink(6, 9);
    if (y >= 8 && y < 14) ink(2 + (y - 8), 13 - (y - 8));
    // Each row's two bytes stored high byte first.
    rows[y] = WORD(((bits & 0xFF) << 8) | (bits >> 8));
  }
  win::UniqueBitmap bmp(::CreateBitmap(16, 16, 1, 1, rows));
  return win::UniqueBrush(::CreatePatternBrush(bmp.get()));
}

win::UniqueFont MakeToolFont(const DpiScale& scale) { return win::MakeSystemFont(win::SystemFont::Message, scale); }

}  // namespace flk
