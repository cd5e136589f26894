// PNG output: 8-bit RGB (RGBA when a colour is transparent), non-interlaced,
// top row first, one tEXt chunk "Software".
//
// Two ways to compress. libdeflate (the default) is about twice as fast as
// zlib on the screen corpus at the same size but takes the whole input at once: the filtered
// picture (height x (1 + width x 3) bytes, 48 MB for 1000 x 16,000) is built
// in memory, and its compressed form beside it (a quarter of that first for
// screen content, the full bound when that is not enough). Pictures whose
// filtered form passes maxInMemoryBytes, or whose buffers cannot be had, go
// the zlib way through libpng, row by row, with memory at a row or two.
// A photographic picture in memory may instead be compressed by zlib with
// runs only (see PngPhotoCoder), which needs no more memory than libdeflate.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "base/picture.h"
#include "base/atomic_file.h"
#include "output/save_progress.h"

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

enum class PngDeflater { kLibdeflate, kZlib };

// How the in-memory way compresses a photographic picture. kRuns: every row
// Paeth-filtered and zlib with runs only (Z_RLE), when a trial on a few bands
// of rows finds it no bigger than the other way; on the corpus photo 1.1 %
// smaller than libdeflate and 2.5 times faster (libdeflate's short matches
// cost more than literals in filtered photographic rows). kLibdeflate: the
// adaptive filter on busy rows and libdeflate, as for screens.
enum class PngPhotoCoder { kRuns, kLibdeflate };

struct PngTuning {
  PngFilterChoice filter = PngFilterChoice::kAuto;
  PngDeflater deflater = PngDeflater::kLibdeflate;
  int zlibLevel = 6;        // the zlib way
  int libdeflateLevel = 7;  // 1..12; 7 is 2.4 % smaller than 6 on screens for 12 % more time
  // kAuto: a row with more than busyPercent % "busy" pixels counts as busy
  // (the picture is photographic when most sampled rows are), and the zlib
  // way Paeth-filters it. The libdeflate way filters with the best of five.
  int busyPercent = 20;
  // The libdeflate way filters rows of a mostly busy (photographic) picture
  // above this share (10 % is 2 % smaller than 20 % on the corpus photo) ...
  int photoBusyPercent = 10;
  // ... and rows of a picture whose sampled rows are mostly calm only above
  // this share: there the filters lose on anti-aliased text
  // (measured on the screen corpus: 5 % bigger files at 20 %, none at 80 %).
  int screenBusyPercent = 80;
  PngPhotoCoder photoCoder = PngPhotoCoder::kRuns;
  // Largest filtered picture compressed in memory; larger ones go the zlib way.
  size_t maxInMemoryBytes = size_t(192) << 20;
};

// What the in-memory way does with one picture: how its rows are filtered
// and what compresses them.
enum class PngRowRule {
  kNone,
  kPaeth,
  kAdaptive,       // the best of five on every row
  kAdaptiveAbove,  // the best of five on rows busier than busyPercent, None on the others
};
enum class PngCoder { kLibdeflate, kZlibRuns };
struct PngPlan {
  PngRowRule rows = PngRowRule::kNone;
  int busyPercent = 0;  // kAdaptiveAbove only
  PngCoder coder = PngCoder::kLibdeflate;
  bool operator==(const PngPlan&) const = default;
};

// Whether the plan needs the trial of both photo ways: only a photographic
// (mostly busy) picture under kAuto with kRuns does.
bool PngNeedsTrial(const PngTuning& tuning, bool mostlyBusy);

// The plan. runsBytes and lzBytes: what the trial bands took compressed by
// runs and by libdeflate (read only when PngNeedsTrial).
PngPlan PlanPng(const PngTuning& tuning, bool mostlyBusy, size_t runsBytes, size_t lzBytes);

// Encodes to an open stream. transparent: kNoTransparentColour or 0x00RRGGBB.
// progress, when given, goes from 0 to 1000 as rows are done.
bool WritePngStream(std::FILE* out, const Picture& picture, uint32_t transparent, SaveError* error,
                    const PngTuning& tuning = {}, SaveProgress* progress = nullptr);

// WritePng: the whole file, atomically.
bool WritePng(const std::filesystem::path& fileName, const Picture& picture, uint32_t transparent,
              SaveError* error, SaveProgress* progress = nullptr);

}  // namespace flk
