// The icons of the recall viewer's tool bars, and the drawing of the viewer's
// shape art on a device context.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "base/dpi.h"
#include "viewer/viewer_art.h"
#include "viewer/viewer_commands.h"
#include "win32/unique_handle.h"

namespace flk {

// kViewerIconCount icons of 20 x 20 at 96 DPI, at the icon size of the scale (ToolIconSize);
// hot: the list shown under the mouse.
win::UniqueImageList MakeViewerIcons(const DpiScale& scale, bool hot);

// Draws the shapes in order: at maps a 96-DPI coordinate to the DC's, pen a
// line's thickness. Every pen and brush leaves the DC before it is deleted.
void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, const std::function<int(int)>& at,
             const std::function<int(int)>& pen);

}  // namespace flk
