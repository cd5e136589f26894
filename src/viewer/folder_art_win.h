// The folder manager's decorative picture (Image1): three picture folders,
// each holding a snapshot, 81 x 175 at 96 DPI, drawn on the form's own face.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "viewer/viewer_art.h"

namespace flk {

inline constexpr int kFolderArtWidth = kFolderArtW, kFolderArtHeight = kFolderArtH;

// (x, y): the picture's top-left corner in physical pixels.
void DrawFolderArt(HDC dc, int x, int y, const DpiScale& scale);

}  // namespace flk
