// Painting straight on the screen and having the windows beneath repaint:
// the scrolling captures' index column.
#pragma once

#include <windows.h>

#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk::win {

// Sets the screen pixels of column x from row top down, one block transfer.
void PaintScreenColumn(int x, int top, const std::vector<Rgb>& colours);

// Makes every window under the rectangle (screen coordinates) repaint it at once.
void RepaintScreenRect(const Rect& r);

}  // namespace flk::win
