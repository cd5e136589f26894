// The camera window's pictures (camera_glyphs.h) drawn on device contexts and
// into bitmaps.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "camera/camera_glyphs.h"
#include "win32/unique_handle.h"

namespace flk {

// Logo filling the title bar: a small camera and the program's name.
void DrawLogo(HDC dc, const RECT& bar, COLORREF textColour, HFONT font, const DpiScale& scale);
// A 16 x 14 speed button with its glyph (10 x 10 or 9 x 10) in the middle.
void DrawTitleButton(HDC dc, int x, int y, TitleGlyph glyph, bool pressed);
// imgMinMaxCloseBw / imgMinMaximizedCloseBw: 51 x 14, black on white.
win::UniqueBitmap MakeMinMaxCloseBw(bool maximized);
// imgQuestion: 45 x 45, tiled over a stale view.
win::UniqueBitmap MakeQuestionTile();
// The toolbar image of a button, laid out on a kToolImageSize grid; hot images are brighter.
void DrawToolImage(HDC dc, int x, int y, ToolButton button, bool hot, bool disabled);

}  // namespace flk
