// JPEG output through libjpeg(-turbo): quality 75, baseline, colour. 32-bit
// pictures go to the compressor row by row as they are (BGRX); other depths
// are expanded one row at a time.
#pragma once

#include <cstdio>
#include <filesystem>

#include "base/picture.h"
#include "base/atomic_file.h"

namespace flk {

inline constexpr int kJpegQuality = 75;
// Largest width or height a GIF can describe (16-bit fields).
inline constexpr int kMaxGifSide = 65535;
// Largest width or height libjpeg accepts (JPEG_MAX_DIMENSION); the format's
// own 16-bit fields would allow 65535.
inline constexpr int kMaxJpegSide = 65500;

bool WriteJpegStream(std::FILE* out, const Picture& picture, SaveError* error, int quality = kJpegQuality);
bool WriteJpeg(const std::filesystem::path& fileName, const Picture& picture, SaveError* error);

// Fills the error for a picture too large for a format; returns false.
bool RefuseTooLarge(const Picture& picture, const char* formatName, int maxSide, SaveError* error);

}  // namespace flk
