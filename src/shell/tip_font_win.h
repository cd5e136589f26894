// The font of the how-to tip forms (the tip box and the point hint).
#pragma once

#include <windows.h>

#include "base/dpi.h"

namespace flk {

// The font of the tip forms at a display scale (created once per scale and process).
HFONT TipFont(const DpiScale& scale);

}  // namespace flk
