#include "camera/camera_glyphs_win.h"

#include <string>

#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

// Colours of one image in one state: normal images are a little muted, hot
// ones shown in full colour, disabled ones in light greys.
struct Ink {
  bool hot = false;
  bool disabled = false;
  COLORREF operator()(COLORREF c) const {
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (disabled) {
      int grey = (r * 30 + g * 59 + b * 11) / 100;
      grey = 128 + grey / 3;
      return RGB(grey, grey, grey);
    }
    if (hot) return c;
    return RGB((r * 3 + 160) / 4, (g * 3 + 160) / 4, (b * 3 + 160) / 4);
  }
};

void Fill(HDC dc, int x, int y, int w, int h, COLORREF c) {
  win::UniqueBrush brush(::CreateSolidBrush(c));
  RECT r{x, y, x + w, y + h};
  ::FillRect(dc, &r, brush.get());
}

void Box(HDC dc, int x, int y, int w, int h, COLORREF fill, COLORREF edge) {
  Fill(dc, x, y, w, h, edge);
  if (w > 2 && h > 2) Fill(dc, x + 1, y + 1, w - 2, h - 2, fill);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c, int width = 1) {
  win::UniquePen pen(::CreatePen(PS_SOLID, width, c));
  win::SelectedObject sel(dc, pen.get());
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

void Poly(HDC dc, const POINT* pts, int n, COLORREF fill, COLORREF edge) {
  win::UniqueBrush brush(::CreateSolidBrush(fill));
  win::UniquePen pen(::CreatePen(PS_SOLID, 1, edge));
  win::SelectedObject sb(dc, brush.get());
  win::SelectedObject sp(dc, pen.get());
  ::Polygon(dc, pts, n);
}

void Ellipse(HDC dc, int x, int y, int w, int h, COLORREF fill, COLORREF edge) {
  win::UniqueBrush brush(::CreateSolidBrush(fill));
  win::UniquePen pen(::CreatePen(PS_SOLID, 1, edge));
  win::SelectedObject sb(dc, brush.get());
  win::SelectedObject sp(dc, pen.get());
  ::Ellipse(dc, x, y, x + w, y + h);
}

void Arrow(HDC dc, int x, int y, int dx, int dy, COLORREF c) {
  // A short arrow from (x, y) in direction (dx, dy), head at the end.
  int ex = x + dx * 4, ey = y + dy * 4;
  Line(dc, x, y, ex, ey, c);
  Line(dc, ex, ey, ex - dx * 2, ey, c);
  Line(dc, ex, ey, ex, ey - dy * 2, c);
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Printer(HDC dc, int x, int y, const Ink& k) {
  Box(dc, x + 5, y + 1, 10, 8, k(kWhite), k(RGB(96, 96, 96)));
  Box(dc, x + 2, y + 8, 16, 7, k(RGB(176, 176, 176)), k(RGB(64, 64, 64)));
  Fill(dc, x + 14, y + 10, 2, 1, k(RGB(0, 176, 0)));
  Box(dc, x + 5, y + 13, 10, 6, k(kWhite), k(RGB(96, 96, 96)));
}

void Floppy(HDC dc, int x, int y, int s, const Ink& k) {
  Box(dc, x, y, s, s, k(RGB(40, 80, 168)), k(RGB(16, 32, 96)));
  Fill(dc, x + 3, y + 1, s - 6, s / 2 - 1, k(kWhite));
  Fill(dc, x + 4, y + s - 5, s - 8, 4, k(RGB(200, 200, 200)));
}

void Page(HDC dc, int x, int y, int w, int h, const Ink& k) {
  Box(dc, x, y, w, h, k(kWhite), k(RGB(64, 64, 64)));
  for (int ly = y + 3; ly < y + h - 2; ly += 3) Line(dc, x + 2, ly, x + w - 2, ly, k(RGB(120, 120, 160)));
}

void Window(HDC dc, int x, int y, const Ink& k, bool insideFilled) {
  Box(dc, x + 1, y + 2, 18, 15, k(kWhite), k(RGB(32, 32, 32)));
  Fill(dc, x + 2, y + 3, 16, 3, k(RGB(0, 64, 160)));
  if (insideFilled) Fill(dc, x + 3, y + 7, 14, 8, k(RGB(48, 176, 72)));
}

}  // namespace

void DrawLogo(HDC dc, const RECT& bar, COLORREF textColour, HFONT font, const DpiScale& scale) {
  int left = bar.left + scale(4);
  {
    // A small camera: body, lens and viewfinder.
    win::ScaledDrawing at(dc, left, bar.top + (bar.bottom - bar.top - scale(12)) / 2, scale);
    int x = at.x(), y = at.y();
    Box(dc, x, y + 2, 16, 10, RGB(64, 64, 72), RGB(16, 16, 16));
    Fill(dc, x + 3, y, 5, 3, RGB(64, 64, 72));
    Ellipse(dc, x + 5, y + 4, 7, 7, RGB(120, 180, 255), RGB(220, 220, 220));
  }
  win::SelectedObject sel(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColour);
  RECT text{left + scale(22), bar.top, bar.right, bar.bottom};
  ::DrawTextW(dc, L"FramelarkPro", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawTitleButton(HDC dc, int x, int y, TitleGlyph glyph, bool pressed) {
  RECT r{x, y, x + 16, y + 14};
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  ::DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  int gx = x + 3 + (pressed ? 1 : 0), gy = y + 2 + (pressed ? 1 : 0);
  switch (glyph) {
    case TitleGlyph::Minimize: Fill(dc, gx + 1, gy + 7, 6, 2, kBlack); break;
    case TitleGlyph::Maximize:  // 10 x 10
      Box(dc, gx, gy, 9, 9, RGB(212, 208, 200), kBlack);
      Fill(dc, gx, gy + 1, 9, 1, kBlack);
      Fill(dc, gx + 1, gy + 1, 7, 7, ::GetSysColor(COLOR_BTNFACE));
      Fill(dc, gx, gy, 9, 2, kBlack);
      break;
    case TitleGlyph::Maximized:  // 9 x 10: two overlapping windows
      Fill(dc, gx + 3, gy, 6, 2, kBlack);
      Fill(dc, gx + 8, gy, 1, 6, kBlack);
      Box(dc, gx, gy + 3, 6, 6, ::GetSysColor(COLOR_BTNFACE), kBlack);
      Fill(dc, gx, gy + 3, 6, 2, kBlack);
      break;
    case TitleGlyph::Close:
      Line(dc, gx + 1, gy + 1, gx + 9, gy + 9, kBlack, 2);
      Line(dc, gx + 8, gy + 1, gx, gy + 9, kBlack, 2);
      break;
  }
}

win::UniqueBitmap MakeMinMaxCloseBw(bool maximized) {
  win::ScreenDC screen;
  win::UniqueBitmap bmp(::CreateCompatibleBitmap(screen.get(), 51, 14));
  if (!bmp) return bmp;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bmp.get());
  Fill(mem.get(), 0, 0, 51, 14, kWhite);
  // minimize
  Fill(mem.get(), 4, 10, 8, 2, kBlack);
  // maximize or restore
  if (maximized) {
    Box(mem.get(), 22, 2, 7, 6, kWhite, kBlack);
    Fill(mem.get(), 22, 2, 7, 2, kBlack);
    Box(mem.get(), 19, 5, 7, 7, kWhite, kBlack);
    Fill(mem.get(), 19, 5, 7, 2, kBlack);
  } else {
    Box(mem.get(), 19, 2, 10, 10, kWhite, kBlack);
    Fill(mem.get(), 19, 2, 10, 2, kBlack);
  }
  // close
  Line(mem.get(), 38, 2, 47, 11, kBlack, 2);
  Line(mem.get(), 46, 2, 37, 11, kBlack, 2);
  return bmp;
}

win::UniqueBitmap MakeQuestionTile() {
  win::ScreenDC screen;
  win::UniqueBitmap bmp(::CreateCompatibleBitmap(screen.get(), 45, 45));
  if (!bmp) return bmp;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bmp.get());
  Fill(mem.get(), 0, 0, 45, 45, RGB(200, 200, 208));
  Ellipse(mem.get(), 8, 8, 29, 29, RGB(232, 232, 240), RGB(168, 168, 184));
  win::UniqueFont font(::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
  win::SelectedObject sf(mem.get(), font.get());
  ::SetBkMode(mem.get(), TRANSPARENT);
  ::SetTextColor(mem.get(), RGB(96, 96, 144));
  RECT r{8, 8, 37, 37};
  ::DrawTextW(mem.get(), L"?", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  return bmp;
}

void DrawToolImage(HDC dc, int x, int y, ToolButton button, bool hot, bool disabled) {
  Ink k{hot, disabled};
  switch (button) {
    case ToolButton::Recall:  // a folder of pictures
      Fill(dc, x + 2, y + 4, 7, 3, k(RGB(200, 152, 32)));
      Box(dc, x + 1, y + 6, 18, 12, k(RGB(240, 200, 72)), k(RGB(144, 96, 16)));
      Box(dc, x + 5, y + 9, 10, 6, k(RGB(120, 184, 240)), k(RGB(32, 64, 128)));
      break;
    case ToolButton::Store:  // into the box
      Box(dc, x + 2, y + 10, 16, 9, k(RGB(184, 136, 72)), k(RGB(96, 64, 24)));
      Line(dc, x + 10, y + 1, x + 10, y + 9, k(RGB(32, 96, 200)), 2);
      Line(dc, x + 6, y + 5, x + 10, y + 9, k(RGB(32, 96, 200)), 2);
      Line(dc, x + 14, y + 5, x + 10, y + 9, k(RGB(32, 96, 200)), 2);
      break;
    case ToolButton::Save: Floppy(dc, x + 2, y + 2, 16, k); break;
    case ToolButton::IncSave:
      Floppy(dc, x + 1, y + 5, 14, k);
      Fill(dc, x + 15, y + 1, 2, 8, k(RGB(0, 150, 0)));
      Fill(dc, x + 12, y + 4, 8, 2, k(RGB(0, 150, 0)));
      break;
    case ToolButton::Print: Printer(dc, x, y, k); break;
    case ToolButton::PrintFit:
      Printer(dc, x, y, k);
      Arrow(dc, x + 8, y + 5, -1, -1, k(RGB(200, 0, 0)));
      Arrow(dc, x + 12, y + 5, 1, -1, k(RGB(200, 0, 0)));
      break;
    case ToolButton::Copy:
      Page(dc, x + 2, y + 1, 10, 13, k);
      Page(dc, x + 8, y + 6, 10, 13, k);
      break;
    case ToolButton::Edit: {  // a pencil
      POINT body[] = {{x + 4, y + 13}, {x + 14, y + 3}, {x + 17, y + 6}, {x + 7, y + 16}};
      Poly(dc, body, 4, k(RGB(248, 200, 48)), k(RGB(128, 96, 0)));
      POINT tip[] = {{x + 4, y + 13}, {x + 7, y + 16}, {x + 2, y + 18}};
      Poly(dc, tip, 3, k(RGB(232, 192, 152)), k(RGB(64, 48, 32)));
      break;
    }
    case ToolButton::Email:  // an envelope
      Box(dc, x + 1, y + 4, 18, 12, k(kWhite), k(RGB(64, 64, 96)));
      Line(dc, x + 2, y + 5, x + 10, y + 11, k(RGB(64, 64, 96)));
      Line(dc, x + 17, y + 5, x + 9, y + 11, k(RGB(64, 64, 96)));
      break;
    case ToolButton::Sticky: {  // a yellow note with a folded corner
      POINT note[] = {{x + 2, y + 2}, {x + 18, y + 2}, {x + 18, y + 13}, {x + 13, y + 18}, {x + 2, y + 18}};
      Poly(dc, note, 5, k(RGB(255, 240, 112)), k(RGB(160, 144, 32)));
      POINT fold[] = {{x + 13, y + 18}, {x + 13, y + 13}, {x + 18, y + 13}};
      Poly(dc, fold, 3, k(RGB(224, 200, 64)), k(RGB(160, 144, 32)));
      break;
    }
    case ToolButton::Lock:  // a pin holding a picture
      Box(dc, x + 2, y + 6, 16, 13, k(RGB(120, 184, 240)), k(RGB(32, 64, 128)));
      Line(dc, x + 10, y + 5, x + 10, y + 12, k(RGB(64, 64, 64)));
      Ellipse(dc, x + 6, y + 0, 8, 8, k(RGB(224, 32, 32)), k(RGB(128, 0, 0)));
      break;
    case ToolButton::ToEdge:  // arrows to the four corners
      Box(dc, x + 5, y + 5, 10, 10, k(RGB(200, 224, 255)), k(RGB(32, 64, 128)));
      Arrow(dc, x + 4, y + 4, -1, -1, k(kBlack));
      Arrow(dc, x + 15, y + 4, 1, -1, k(kBlack));
      Arrow(dc, x + 4, y + 15, -1, 1, k(kBlack));
      Arrow(dc, x + 15, y + 15, 1, 1, k(kBlack));
      break;
    case ToolButton::FullScreen:  // a monitor
      Box(dc, x + 1, y + 2, 18, 13, k(RGB(48, 112, 208)), k(RGB(32, 32, 32)));
      Fill(dc, x + 8, y + 15, 4, 2, k(RGB(64, 64, 64)));
      Fill(dc, x + 5, y + 17, 10, 2, k(RGB(64, 64, 64)));
      break;
    case ToolButton::Robo:  // a robot's head
      Box(dc, x + 3, y + 4, 14, 13, k(RGB(176, 184, 192)), k(RGB(48, 48, 56)));
      Fill(dc, x + 6, y + 8, 3, 3, k(RGB(224, 32, 32)));
      Fill(dc, x + 11, y + 8, 3, 3, k(RGB(224, 32, 32)));
      Fill(dc, x + 7, y + 13, 6, 1, k(RGB(48, 48, 56)));
      Line(dc, x + 10, y + 1, x + 10, y + 4, k(RGB(48, 48, 56)));
      break;
    case ToolButton::Scroll:  // a page with a scroll bar
      Page(dc, x + 1, y + 1, 14, 18, k);
      Box(dc, x + 15, y + 1, 4, 18, k(RGB(208, 208, 208)), k(RGB(64, 64, 64)));
      Fill(dc, x + 16, y + 7, 2, 5, k(RGB(64, 64, 64)));
      break;
    case ToolButton::Window: Window(dc, x, y, k, false); break;
    case ToolButton::WorkArea: Window(dc, x, y, k, true); break;
    case ToolButton::More: {
      COLORREF c = k(kBlack);
      for (int i = 0; i < 2; ++i) {
        int cx = x + 5 + i * 6;
        Line(dc, cx, y + 5, cx + 4, y + 10, c, 2);
        Line(dc, cx + 4, y + 10, cx, y + 15, c, 2);
      }
      break;
    }
  }
}

}  // namespace flk
