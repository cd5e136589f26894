// The colour depth of pictures written to files: the PixelFormatPro setting,
// read with the settings table's default, applied to a picture.
#pragma once

#include <string>

#include "base/picture.h"
#include "shell/settings.h"

namespace flk {

// The stored PixelFormatPro value (the table's default when none is stored).
int FileDepthSetting(Settings& settings);

// Converts the picture to the file depth. False, with the picture unchanged
// and *error set, when the converted copy would be too large.
bool ApplyFileDepth(Picture& picture, Settings& settings, int screenBitsPerPixel, std::string* error = nullptr);

}  // namespace flk
