// Draws shape art (base/art.h) on a device context.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "base/art.h"

namespace flk::win {

inline COLORREF ColourOf(Rgb c) { return RGB(RedOf(c), GreenOf(c), BlueOf(c)); }

// Draws the shapes in order: at maps a 96-DPI coordinate to the DC's, pen a
// line's thickness. Every pen and brush leaves the DC before it is deleted.
void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, const std::function<int(int)>& at,
             const std::function<int(int)>& pen);
// The shapes as they are, moved by (x, y): for a DC that scales by itself.
void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, int x = 0, int y = 0);

}  // namespace flk::win
