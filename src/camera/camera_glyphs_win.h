// Pictures of the camera window, drawn in code: the logo, the title-bar
// glyphs, the black-on-white glyph strip of the floating panel, the question
// mark tile of a stale view and the toolbar images.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "camera/commands.h"
#include "win32/unique_handle.h"

namespace flk {

enum class TitleGlyph { Minimize, Maximize, Maximized, Close };

// Logo filling the title bar: a small camera and the program's name.
void DrawLogo(HDC dc, const RECT& bar, COLORREF textColour, HFONT font, const DpiScale& scale);
// A 16 x 14 speed button with its glyph (10 x 10 or 9 x 10) in the middle.
void DrawTitleButton(HDC dc, int x, int y, TitleGlyph glyph, bool pressed);
// imgMinMaxCloseBw / imgMinMaximizedCloseBw: 51 x 14, black on white.
win::UniqueBitmap MakeMinMaxCloseBw(bool maximized);
// imgQuestion: 45 x 45, tiled over a stale view.
win::UniqueBitmap MakeQuestionTile();
// The toolbar image of a button, laid out on a 20 x 20 grid; hot images are brighter.
inline constexpr int kToolArtSize = 20;
void DrawToolImage(HDC dc, int x, int y, ToolButton button, bool hot, bool disabled);

}  // namespace flk
