// PNG output through libpng: 8-bit RGB (RGBA when a colour is transparent),
// non-interlaced, top row first, one tEXt chunk "Software". Rows are converted
// and compressed one at a time, so memory stays at a row or two beyond the
// picture itself, also for very tall robo captures.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "base/picture.h"
#include "base/atomic_file.h"

namespace flk {

// The transparent-colour value meaning "no colour is transparent".
inline constexpr uint32_t kNoTransparentColour = 0x1FFFFFFF;

// Text of the "Software" chunk.
extern const char* const kPngSoftwareText;

// How rows are filtered before compression. Screen content (flat areas, sharp
// text) compresses best unfiltered; photographic rows need Paeth prediction.
// kAuto decides row by row from a cheap count of pixels that repeat neither
// their left nor their upper neighbour.
enum class PngFilterChoice { kAuto, kNone, kPaeth, kAdaptive };

struct PngTuning {
  PngFilterChoice filter = PngFilterChoice::kAuto;
  int zlibLevel = 6;
  // kAuto: a row with more than busyPercent % "busy" pixels is Paeth-filtered.
  int busyPercent = 20;
};

// Encodes to an open stream. transparent: kNoTransparentColour or 0x00RRGGBB.
bool WritePngStream(std::FILE* out, const Picture& picture, uint32_t transparent, SaveError* error,
                    const PngTuning& tuning = {});

// WritePng: the whole file, atomically.
bool WritePng(const std::filesystem::path& fileName, const Picture& picture, uint32_t transparent,
              SaveError* error);

}  // namespace flk
