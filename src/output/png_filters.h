// PNG row filters (None, Sub, Up, Average, Paeth) for the writer that keeps
// the whole filtered picture in memory, and the per-row choice between them:
// flat screen rows stay unfiltered, busy (photographic) rows get the filter
// whose output is smallest by libpng's sum-of-absolute-values measure.
#pragma once

#include <cstddef>
#include <cstdint>

namespace flk {

enum class PngRowFilter : uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// Writes the filter byte and the filtered row (rowBytes bytes) to out, which
// holds rowBytes + 1 bytes. above is the previous raw row, nullptr for the
// first row (the standard then reads zeros). bpp: bytes per pixel (3 or 4).
void FilterPngRow(PngRowFilter filter, const uint8_t* row, const uint8_t* above, size_t rowBytes, int bpp,
                  uint8_t* out);

// The inverse, for tests and for checking a filter: out gets the raw row.
void UnfilterPngRow(const uint8_t* filtered, const uint8_t* above, size_t rowBytes, int bpp, uint8_t* out);

// Tries Sub, Up, Average and Paeth and leaves the one with the smallest sum of
// |signed byte| in out (rowBytes + 1 bytes); scratch holds rowBytes + 1 bytes.
// Returns the filter chosen.
PngRowFilter FilterPngRowAdaptive(const uint8_t* row, const uint8_t* above, size_t rowBytes, int bpp, uint8_t* out,
                                  uint8_t* scratch);

// Share of pixels in a row that repeat neither the pixel on their left nor
// the one above, in percent. Flat UI areas and text score low, photos high.
// Both rows must be readable one byte past their last pixel when bpp is 3.
int PngBusyPercent(const uint8_t* row, const uint8_t* above, int width, int bpp);

}  // namespace flk
