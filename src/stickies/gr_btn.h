// The painted glyph button of the notes without windows: its states and how
// mouse events move between them, where a cell of the four-cell glyph goes,
// and the note's menu glyph itself.
#pragma once

#include "base/geometry.h"
#include "base/picture.h"

namespace flk {

// Also the glyph's cell index: normal, pressed, highlighted, disabled.
enum class GlyphState { Normal = 0, Pressed = 1, Highlighted = 2, Disabled = 3 };

// The button's mouse handling: a press arms it, leaving it while the left
// button is held disarms it, a release of an armed button is a click; moving
// over it with no button held highlights it (once, until it changes again).
class GlyphButtonState {
 public:
  struct Reply {
    bool repaint = false;  // the state changed
    bool hilite = false;   // the mouse entered: the hover watch starts
    bool click = false;    // an armed release: the button's own action
  };
  Reply Press();
  Reply Move(bool inside, bool leftHeld, bool rightHeld);
  Reply Release();
  Reply Leave();
  GlyphState state() const { return state_; }
  // The cell to draw; a disabled button shows its disabled cell whatever its state.
  int Cell(bool disabled) const { return disabled ? int(GlyphState::Disabled) : int(state_); }

 private:
  Reply Set(GlyphState s);
  GlyphState state_ = GlyphState::Normal;
};

// Where one cell of a glyph (four cells side by side, images above their
// masks) is taken from and drawn to: centred in the button.
struct GlyphCellPlace {
  int sourceX = 0, imageY = 0, maskY = 0;  // in the glyph
  int width = 0, height = 0;               // of a cell
  Point at;                                // in the button
};
GlyphCellPlace PlaceGlyphCell(Size glyph, Size button, int cell);

// The note's menu glyph, 64 x 24 at 24 bits per pixel: three bars over a small
// downward triangle in each of the four states (the pressed one a pixel down
// and right); images black where nothing is drawn, masks white there.
Picture NoteMenuGlyph();

}  // namespace flk
