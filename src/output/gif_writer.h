// GIF output through giflib: one frame, 8 bits, the 256-entry palette of
// quantize.h, every pixel mapped to its nearest entry without dithering. The
// file goes out through a write callback on a stream the caller opened with a
// Unicode-capable call, never through giflib's ANSI file-name functions.
#pragma once

#include <cstdio>
#include <filesystem>

#include "base/picture.h"
#include "base/atomic_file.h"
#include "output/quantize.h"

namespace flk {

bool WriteGifStream(std::FILE* out, const Picture& picture, SaveError* error,
                    const StaticColours& statics = kDefaultStaticColours, QuantizeStats* stats = nullptr);
bool WriteGif(const std::filesystem::path& fileName, const Picture& picture, SaveError* error,
              const StaticColours& statics = kDefaultStaticColours);

}  // namespace flk
