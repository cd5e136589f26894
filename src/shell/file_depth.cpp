#include "shell/file_depth.h"

#include "base/pixel_format.h"

namespace flk {

int FileDepthSetting(Settings& settings) { return settings.ReadSingleInt("PixelFormatPro"); }

bool ApplyFileDepth(Picture& picture, Settings& settings, int screenBitsPerPixel, std::string* error) {
  return ApplyPixelFormat(picture, FileDepthSetting(settings), screenBitsPerPixel, error);
}

}  // namespace flk
