// Helpers shared by the picture, depth and bitmap-file tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk::testing {

// Small deterministic generator so that failures repeat exactly.
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return uint32_t(state_ >> 33);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }

 private:
  uint64_t state_;
};

// A picture at the depth with varied content: random table and indices for
// palette depths, random stored values otherwise.
inline Picture RandomPicture(int width, int height, int bpp, uint32_t seed) {
  Lcg rng(seed);
  Picture p = *Picture::Create(width, height, bpp);
  for (auto& e : p.palette()) e = PaletteEntry{uint8_t(rng.Next()), uint8_t(rng.Next()), uint8_t(rng.Next()), 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t v = rng.Next();
      if (bpp == 15) v &= 0x7FFF;
      if (bpp == 16) v &= 0xFFFF;
      if (bpp >= 24) v &= 0xFFFFFF;
      p.setRawPixel(x, y, v);
    }
  return p;
}

// Every pixel shows the same colour (first difference reported).
inline ::testing::AssertionResult SamePixels(const Picture& a, const Picture& b) {
  if (a.width() != b.width() || a.height() != b.height())
    return ::testing::AssertionFailure() << "size " << a.width() << "x" << a.height() << " vs " << b.width() << "x"
                                         << b.height();
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex << a.pixel(x, y)
                                             << " vs " << b.pixel(x, y);
  return ::testing::AssertionSuccess();
}

// Same depth, palette and stored values.
inline ::testing::AssertionResult SameStorage(const Picture& a, const Picture& b) {
  if (a.bitsPerPixel() != b.bitsPerPixel())
    return ::testing::AssertionFailure() << "depth " << a.bitsPerPixel() << " vs " << b.bitsPerPixel();
  if (a.palette() != b.palette()) return ::testing::AssertionFailure() << "palettes differ";
  auto same = SamePixels(a, b);
  if (!same) return same;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.rawPixel(x, y) != b.rawPixel(x, y))
        return ::testing::AssertionFailure() << "raw value at " << x << "," << y;
  return ::testing::AssertionSuccess();
}

}  // namespace flk::testing
