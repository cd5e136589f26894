// The viewer's drawings as shapes at 96 DPI, apart from any device context:
// the twenty tool bar icons (20 x 20) and the folder manager's picture of
// three picture folders (81 x 175). The window side draws the shapes in order
// at its own scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/art.h"

namespace flk {

inline constexpr int kViewerIconArtSize = 20;
// The icon at an index of the tool bar's image lists; places no button uses
// get a plain grey square.
std::vector<ArtShape> ViewerIconArt(int index);

inline constexpr int kFolderArtW = 81, kFolderArtH = 175;
std::vector<ArtShape> FolderManagerArt();

// Normal icons are a paler copy of the hot ones: each colour c of a 32-bit
// BGRA pixel becomes (2c + 200) / 3; the transparent mask colour (magenta) stays.
void PaleIcon(uint8_t* bgra, size_t pixels);

}  // namespace flk
