#include "camera/camera_glyphs_win.h"

#include "win32/art_win.h"
#include "win32/dpi_win.h"

namespace flk {

namespace {

Rgb RgbOf(COLORREF c) { return MakeRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// A screen-compatible bitmap with the art drawn in it.
win::UniqueBitmap ArtBitmap(int w, int h, const std::vector<ArtShape>& art) {
  win::ScreenDC screen;
  win::UniqueBitmap bmp(::CreateCompatibleBitmap(screen.get(), w, h));
  if (!bmp) return bmp;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bmp.get());
  win::DrawArt(mem.get(), art);
  return bmp;
}

}  // namespace

void DrawLogo(HDC dc, const RECT& bar, COLORREF textColour, HFONT font, const DpiScale& scale) {
  int left = bar.left + scale(4);
  {
    win::ScaledDrawing at(dc, left, bar.top + (bar.bottom - bar.top - scale(12)) / 2, scale);
    win::DrawArt(dc, LogoArt(), at.x(), at.y());
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
  win::DrawArt(dc, TitleGlyphArt(glyph, RgbOf(::GetSysColor(COLOR_BTNFACE))), gx, gy);
}

win::UniqueBitmap MakeMinMaxCloseBw(bool maximized) {
  return ArtBitmap(kMinMaxCloseW, kMinMaxCloseH, MinMaxCloseArt(maximized));
}

win::UniqueBitmap MakeQuestionTile() {
  win::UniqueBitmap bmp = ArtBitmap(kQuestionTileSize, kQuestionTileSize, QuestionTileArt());
  if (!bmp) return bmp;
  win::ScreenDC screen;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bmp.get());
  // The tile is tiled in physical pixels: its "?" stays 24 px.
  win::UniqueFont font = win::MakeFaceFont(L"Arial", 24, DpiScale{}, {.weight = FW_BOLD});
  win::SelectedObject sf(mem.get(), font.get());
  ::SetBkMode(mem.get(), TRANSPARENT);
  ::SetTextColor(mem.get(), RGB(96, 96, 144));
  RECT r{8, 8, 37, 37};
  ::DrawTextW(mem.get(), L"?", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  return bmp;
}

void DrawToolImage(HDC dc, int x, int y, ToolButton button, bool hot, bool disabled) {
  win::DrawArt(dc, ToolButtonArt(button, hot, disabled), x, y);
}

}  // namespace flk
