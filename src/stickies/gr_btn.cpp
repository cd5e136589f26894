// The glyph button's rules; see gr_btn.h.
#include "stickies/gr_btn.h"

namespace flk {

GlyphButtonState::Reply GlyphButtonState::Set(GlyphState s) {
  Reply r;
  r.repaint = s != state_;
  state_ = s;
  return r;
}

GlyphButtonState::Reply GlyphButtonState::Press() { return Set(GlyphState::Pressed); }

GlyphButtonState::Reply GlyphButtonState::Move(bool inside, bool leftHeld, bool rightHeld) {
  if (!leftHeld && !rightHeld && state_ != GlyphState::Highlighted) {
    Reply r = Set(GlyphState::Highlighted);
    r.hilite = true;
    return r;
  }
  if (leftHeld && !inside && state_ == GlyphState::Pressed) return Set(GlyphState::Normal);
  return {};
}

GlyphButtonState::Reply GlyphButtonState::Release() {
  if (state_ != GlyphState::Pressed) return {};
  Reply r = Set(GlyphState::Normal);
  r.click = true;
  return r;
}

GlyphButtonState::Reply GlyphButtonState::Leave() { return Set(GlyphState::Normal); }

GlyphCellPlace PlaceGlyphCell(Size glyph, Size button, int cell) {
  GlyphCellPlace p;
  p.width = glyph.width / 4;
  p.height = glyph.height / 2;
  p.sourceX = cell * p.width;
  p.imageY = 0;
  p.maskY = p.height;
  p.at = {(button.width - p.width) / 2, (button.height - p.height) / 2};
  return p;
}

Picture NoteMenuGlyph() {
  constexpr int kW = 64, kH = 24, kCw = 16, kCh = 12;
  Picture glyph = *Picture::Create(kW, kH, 24);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) glyph.setPixel(x, y, y < kCh ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255));
  const Rgb ink[4] = {MakeRgb(64, 64, 64), MakeRgb(0, 0, 0), MakeRgb(0, 84, 227), MakeRgb(160, 160, 160)};
  for (int cell = 0; cell < 4; ++cell) {
    const int shift = cell == int(GlyphState::Pressed) ? 1 : 0;
    auto mark = [&](int x, int y) {
      int px = cell * kCw + x + shift, py = y + shift;
      if (px >= cell * kCw + kCw || py >= kCh) return;
      glyph.setPixel(px, py, ink[cell]);
      glyph.setPixel(px, py + kCh, MakeRgb(0, 0, 0));
    };
    for (int bar = 0; bar < 3; ++bar)
      for (int x = 3; x < 13; ++x) mark(x, 1 + bar * 3), mark(x, 2 + bar * 3);
    for (int x = 6; x < 10; ++x) mark(x, 10);
  }
  return glyph;
}

}  // namespace flk
