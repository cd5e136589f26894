// The icons of the recall viewer's tool bars.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "viewer/viewer_art.h"
#include "viewer/viewer_commands.h"
#include "win32/unique_handle.h"

namespace flk {

// kViewerIconCount icons of 20 x 20 at 96 DPI, at the icon size of the scale (ToolIconSize);
// hot: the list shown under the mouse.
win::UniqueImageList MakeViewerIcons(const DpiScale& scale, bool hot);

}  // namespace flk
