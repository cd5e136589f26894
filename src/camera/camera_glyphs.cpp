#include "camera/camera_glyphs.h"

namespace flk {

namespace {

constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr int kHot = 1, kDisabled = 2;

Rgb InkOfState(Rgb c, int state) { return ToolInk(c, state & kHot, state & kDisabled); }

// An outlined ellipse in a w x h box at (x, y).
void Disc(ArtList& g, int x, int y, int w, int h, Rgb fill, Rgb edge) { g.Round(x, y, x + w, y + h, fill, edge); }

void Arrow(ArtList& g, int x, int y, int dx, int dy, Rgb c) {
  // A short arrow from (x, y) in direction (dx, dy), head at the end.
  int ex = x + dx * 4, ey = y + dy * 4;
  g.Line(x, y, ex, ey, c);
  g.Line(ex, ey, ex - dx * 2, ey, c);
  g.Line(ex, ey, ex, ey - dy * 2, c);
}

void Printer(ArtList& g) {
  g.Frame(5, 1, 10, 8, kWhite, MakeRgb(96, 96, 96));
  g.Frame(2, 8, 16, 7, MakeRgb(176, 176, 176), MakeRgb(64, 64, 64));
  g.Fill(14, 10, 2, 1, MakeRgb(0, 176, 0));
  g.Frame(5, 13, 10, 6, kWhite, MakeRgb(96, 96, 96));
}

void Floppy(ArtList& g, int x, int y, int s) {
  g.Frame(x, y, s, s, MakeRgb(40, 80, 168), MakeRgb(16, 32, 96));
  g.Fill(x + 3, y + 1, s - 6, s / 2 - 1, kWhite);
  g.Fill(x + 4, y + s - 5, s - 8, 4, MakeRgb(200, 200, 200));
}

void Page(ArtList& g, int x, int y, int w, int h) {
  g.Frame(x, y, w, h, kWhite, MakeRgb(64, 64, 64));
  for (int ly = y + 3; ly < y + h - 2; ly += 3) g.Line(x + 2, ly, x + w - 2, ly, MakeRgb(120, 120, 160));
}

void Window(ArtList& g, bool insideFilled) {
  g.Frame(1, 2, 18, 15, kWhite, MakeRgb(32, 32, 32));
  g.Fill(2, 3, 16, 3, MakeRgb(0, 64, 160));
  if (insideFilled) g.Fill(3, 7, 14, 8, MakeRgb(48, 176, 72));
}

}  // namespace

Rgb ToolInk(Rgb c, bool hot, bool disabled) {
  int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  if (disabled) {
    int grey = 128 + (r * 30 + g * 59 + b * 11) / 100 / 3;
    return MakeRgb(uint8_t(grey), uint8_t(grey), uint8_t(grey));
  }
  if (hot) return c;
  return MakeRgb(uint8_t((r * 3 + 160) / 4), uint8_t((g * 3 + 160) / 4), uint8_t((b * 3 + 160) / 4));
}

std::vector<ArtShape> LogoArt() {
  // Body, viewfinder and lens.
  ArtList g;
  g.Frame(0, 2, 16, 10, MakeRgb(64, 64, 72), MakeRgb(16, 16, 16));
  g.Fill(3, 0, 5, 3, MakeRgb(64, 64, 72));
  Disc(g, 5, 4, 7, 7, MakeRgb(120, 180, 255), MakeRgb(220, 220, 220));
  return g.Take();
}

std::vector<ArtShape> TitleGlyphArt(TitleGlyph glyph, Rgb face) {
  ArtList g;
  switch (glyph) {
    case TitleGlyph::Minimize: g.Fill(1, 7, 6, 2, kBlack); break;
    case TitleGlyph::Maximize:  // 10 x 10
      g.Frame(0, 0, 9, 9, MakeRgb(212, 208, 200), kBlack);
      g.Fill(0, 1, 9, 1, kBlack);
      g.Fill(1, 1, 7, 7, face);
      g.Fill(0, 0, 9, 2, kBlack);
      break;
    case TitleGlyph::Maximized:  // 9 x 10: two overlapping windows
      g.Fill(3, 0, 6, 2, kBlack);
      g.Fill(8, 0, 1, 6, kBlack);
      g.Frame(0, 3, 6, 6, face, kBlack);
      g.Fill(0, 3, 6, 2, kBlack);
      break;
    case TitleGlyph::Close:
      g.Line(1, 1, 9, 9, kBlack, 2);
      g.Line(8, 1, 0, 9, kBlack, 2);
      break;
  }
  return g.Take();
}

std::vector<ArtShape> MinMaxCloseArt(bool maximized) {
  ArtList g;
  g.Fill(0, 0, kMinMaxCloseW, kMinMaxCloseH, kWhite);
  g.Fill(4, 10, 8, 2, kBlack);  // minimize
  if (maximized) {              // restore: two windows
    g.Frame(22, 2, 7, 6, kWhite, kBlack);
    g.Fill(22, 2, 7, 2, kBlack);
    g.Frame(19, 5, 7, 7, kWhite, kBlack);
    g.Fill(19, 5, 7, 2, kBlack);
  } else {
    g.Frame(19, 2, 10, 10, kWhite, kBlack);
    g.Fill(19, 2, 10, 2, kBlack);
  }
  g.Line(38, 2, 47, 11, kBlack, 2);  // close
  g.Line(46, 2, 37, 11, kBlack, 2);
  return g.Take();
}

std::vector<ArtShape> QuestionTileArt() {
  ArtList g;
  g.Fill(0, 0, kQuestionTileSize, kQuestionTileSize, MakeRgb(200, 200, 208));
  Disc(g, 8, 8, 29, 29, MakeRgb(232, 232, 240), MakeRgb(168, 168, 184));
  return g.Take();
}

std::vector<ArtShape> ToolButtonArt(ToolButton button, bool hot, bool disabled) {
  ArtList g;
  g.ink = InkOfState;
  g.state = (hot ? kHot : 0) | (disabled ? kDisabled : 0);
  switch (button) {
    case ToolButton::Recall:  // a folder of pictures
      g.Fill(2, 4, 7, 3, MakeRgb(200, 152, 32));
      g.Frame(1, 6, 18, 12, MakeRgb(240, 200, 72), MakeRgb(144, 96, 16));
      g.Frame(5, 9, 10, 6, MakeRgb(120, 184, 240), MakeRgb(32, 64, 128));
      break;
    case ToolButton::Store:  // into the box
      g.Frame(2, 10, 16, 9, MakeRgb(184, 136, 72), MakeRgb(96, 64, 24));
      g.Line(10, 1, 10, 9, MakeRgb(32, 96, 200), 2);
      g.Line(6, 5, 10, 9, MakeRgb(32, 96, 200), 2);
      g.Line(14, 5, 10, 9, MakeRgb(32, 96, 200), 2);
      break;
    case ToolButton::Save: Floppy(g, 2, 2, 16); break;
    case ToolButton::IncSave:
      Floppy(g, 1, 5, 14);
      g.Fill(15, 1, 2, 8, MakeRgb(0, 150, 0));
      g.Fill(12, 4, 8, 2, MakeRgb(0, 150, 0));
      break;
    case ToolButton::Print: Printer(g); break;
    case ToolButton::PrintFit:
      Printer(g);
      Arrow(g, 8, 5, -1, -1, MakeRgb(200, 0, 0));
      Arrow(g, 12, 5, 1, -1, MakeRgb(200, 0, 0));
      break;
    case ToolButton::Copy:
      Page(g, 2, 1, 10, 13);
      Page(g, 8, 6, 10, 13);
      break;
    case ToolButton::Edit:  // a pencil
      g.Poly({{4, 13}, {14, 3}, {17, 6}, {7, 16}}, MakeRgb(248, 200, 48), MakeRgb(128, 96, 0));
      g.Poly({{4, 13}, {7, 16}, {2, 18}}, MakeRgb(232, 192, 152), MakeRgb(64, 48, 32));
      break;
    case ToolButton::Email:  // an envelope
      g.Frame(1, 4, 18, 12, kWhite, MakeRgb(64, 64, 96));
      g.Line(2, 5, 10, 11, MakeRgb(64, 64, 96));
      g.Line(17, 5, 9, 11, MakeRgb(64, 64, 96));
      break;
    case ToolButton::Sticky:  // a yellow note with a folded corner
      g.Poly({{2, 2}, {18, 2}, {18, 13}, {13, 18}, {2, 18}}, MakeRgb(255, 240, 112), MakeRgb(160, 144, 32));
      g.Poly({{13, 18}, {13, 13}, {18, 13}}, MakeRgb(224, 200, 64), MakeRgb(160, 144, 32));
      break;
    case ToolButton::Lock:  // a pin holding a picture
      g.Frame(2, 6, 16, 13, MakeRgb(120, 184, 240), MakeRgb(32, 64, 128));
      g.Line(10, 5, 10, 12, MakeRgb(64, 64, 64));
      Disc(g, 6, 0, 8, 8, MakeRgb(224, 32, 32), MakeRgb(128, 0, 0));
      break;
    case ToolButton::ToEdge:  // arrows to the four corners
      g.Frame(5, 5, 10, 10, MakeRgb(200, 224, 255), MakeRgb(32, 64, 128));
      Arrow(g, 4, 4, -1, -1, kBlack);
      Arrow(g, 15, 4, 1, -1, kBlack);
      Arrow(g, 4, 15, -1, 1, kBlack);
      Arrow(g, 15, 15, 1, 1, kBlack);
      break;
    case ToolButton::FullScreen:  // a monitor
      g.Frame(1, 2, 18, 13, MakeRgb(48, 112, 208), MakeRgb(32, 32, 32));
      g.Fill(8, 15, 4, 2, MakeRgb(64, 64, 64));
      g.Fill(5, 17, 10, 2, MakeRgb(64, 64, 64));
      break;
    case ToolButton::Robo:  // a robot's head
      g.Frame(3, 4, 14, 13, MakeRgb(176, 184, 192), MakeRgb(48, 48, 56));
      g.Fill(6, 8, 3, 3, MakeRgb(224, 32, 32));
      g.Fill(11, 8, 3, 3, MakeRgb(224, 32, 32));
      g.Fill(7, 13, 6, 1, MakeRgb(48, 48, 56));
      g.Line(10, 1, 10, 4, MakeRgb(48, 48, 56));
      break;
    case ToolButton::Scroll:  // a page with a scroll bar
      Page(g, 1, 1, 14, 18);
      g.Frame(15, 1, 4, 18, MakeRgb(208, 208, 208), MakeRgb(64, 64, 64));
      g.Fill(16, 7, 2, 5, MakeRgb(64, 64, 64));
      break;
    case ToolButton::Window: Window(g, false); break;
    case ToolButton::WorkArea: Window(g, true); break;
    case ToolButton::More:
      for (int i = 0; i < 2; ++i) {
        int cx = 5 + i * 6;
        g.Line(cx, 5, cx + 4, 10, kBlack, 2);
        g.Line(cx + 4, 10, cx, 15, kBlack, 2);
      }
      break;
  }
  return g.Take();
}

std::array<TitleGlyph, 3> TitleGlyphsOf(bool maximized) {
  return {TitleGlyph::Minimize, maximized ? TitleGlyph::Maximized : TitleGlyph::Maximize, TitleGlyph::Close};
}

}  // namespace flk

