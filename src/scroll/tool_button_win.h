// Drawing shared by the scrolling captures' tool windows: a push button
// painted by its form (the form keeps the keyboard, so Esc reaches it), and
// the strip of down arrows.
#pragma once

#include <windows.h>

#include <string>

#include "base/dpi.h"
#include "base/geometry.h"
#include "win32/unique_handle.h"

namespace flk {

void DrawToolButton(HDC dc, const Rect& r, bool down, const std::string& caption, COLORREF textColour, HFONT font,
                    bool arrowGlyph);
// A brush of small down arrows (the Image1 pattern).
win::UniqueBrush MakeArrowBrush();
// The form's font: the system's message font at the window's DPI.
win::UniqueFont MakeToolFont(const DpiScale& scale);

}  // namespace flk
