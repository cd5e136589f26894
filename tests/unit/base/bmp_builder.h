// Builds bitmap files field by field, so tests can make every variant the
// writer never produces (other headers, masks, RLE, broken fields).
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/picture.h"

namespace flk::testing {

inline void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

struct BmpBuilder {
  uint32_t headerSize = 40;  // 12 writes a BITMAPCOREHEADER
  int32_t width = 1, height = 1;
  uint16_t planes = 1, bitCount = 24;
  uint32_t compression = 0, sizeImage = 0, clrUsed = 0;
  int32_t xppm = 3780, yppm = 3780;
  std::vector<uint32_t> masks;        // after a 40-byte header, or inside larger ones
  std::vector<PaletteEntry> palette;  // 3 bytes each with a core header
  std::vector<uint8_t> bits;
  std::optional<uint32_t> fileSize, bitsOffset;  // computed unless set

  std::vector<uint8_t> Info() const {
    std::vector<uint8_t> v;
    Put32(v, headerSize);
    if (headerSize == 12) {
      Put16(v, uint16_t(width));
      Put16(v, uint16_t(height));
      Put16(v, planes);
      Put16(v, bitCount);
    } else {
      Put32(v, uint32_t(width));
      Put32(v, uint32_t(height));
      Put16(v, planes);
      Put16(v, bitCount);
      Put32(v, compression);
      Put32(v, sizeImage);
      Put32(v, uint32_t(xppm));
      Put32(v, uint32_t(yppm));
      Put32(v, clrUsed);
      Put32(v, 0);
      for (size_t i = 0; headerSize > 40 && i < masks.size() && v.size() < headerSize; ++i) Put32(v, masks[i]);
      v.resize(std::max<size_t>(headerSize, 4), 0);
      if (headerSize == 40)
        for (uint32_t m : masks) Put32(v, m);
    }
    for (const auto& e : palette) {
      v.push_back(e.blue);
      v.push_back(e.green);
      v.push_back(e.red);
      if (headerSize != 12) v.push_back(0);
    }
    return v;
  }

  std::vector<uint8_t> PackedDib() const {
    std::vector<uint8_t> v = Info();
    v.insert(v.end(), bits.begin(), bits.end());
    return v;
  }

  std::vector<uint8_t> File() const {
    std::vector<uint8_t> info = Info();
    std::vector<uint8_t> v = {'B', 'M'};
    uint32_t offset = bitsOffset.value_or(uint32_t(14 + info.size()));
    Put32(v, fileSize.value_or(uint32_t(14 + info.size() + bits.size())));
    Put32(v, 0);
    Put32(v, offset);
    v.insert(v.end(), info.begin(), info.end());
    v.insert(v.end(), bits.begin(), bits.end());
    return v;
  }
};

// Stored rows of a picture in file order (bottom-up), padded to 4 bytes.
inline std::vector<uint8_t> BottomUpBits(const Picture& p) { return {p.bits(), p.bits() + p.bitsSize()}; }
inline std::vector<uint8_t> TopDownBits(const Picture& p) {
  std::vector<uint8_t> v;
  for (int y = 0; y < p.height(); ++y) v.insert(v.end(), p.row(y), p.row(y) + p.stride());
  return v;
}

}  // namespace flk::testing
