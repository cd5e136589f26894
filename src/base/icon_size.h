// Tool bar icons at a display scale. Icons come in the sizes the system's own
// small icons take (16, 20, 24, 32, 40, 48, 64, then steps of 16): the largest
// that the scaled 96-DPI size reaches. Art drawn on one of those grids stays
// sharp, where a plain 125 % or 150 % stretch smears every edge.
#pragma once

#include "base/dpi.h"

namespace flk {

// The icon size in pixels for art laid out `size96` pixels wide at 96 DPI.
int ToolIconSize(int size96, const DpiScale& s);

// The scale that draws art laid out in `art` 96-DPI pixels at `size` pixels:
// ArtScale(art, size)(art) == size.
DpiScale ArtScale(int art, int size);

}  // namespace flk
