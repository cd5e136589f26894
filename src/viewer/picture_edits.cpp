#include "viewer/picture_edits.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace flk {

void MirrorPicture(Picture& p) {
  const int w = p.width(), bpp = p.bitsPerPixel();
  if (bpp >= 8) {
    const int bytes = bpp == 15 ? 2 : bpp / 8;
    for (int y = 0; y < p.height(); ++y) {
      uint8_t* row = p.row(y);
      for (int a = 0, b = w - 1; a < b; ++a, --b)
        std::swap_ranges(row + a * bytes, row + (a + 1) * bytes, row + b * bytes);
    }
    return;
  }
  std::vector<uint32_t> line(size_t(std::max(w, 0)));
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < w; ++x) line[size_t(x)] = p.rawPixel(x, y);
    for (int x = 0; x < w; ++x) p.setRawPixel(w - 1 - x, y, line[size_t(x)]);
  }
}

void FlipPicture(Picture& p) {
  std::vector<uint8_t> tmp(p.stride());
  for (int a = 0, b = p.height() - 1; a < b; ++a, --b) {
    std::memcpy(tmp.data(), p.row(a), p.stride());
    std::memcpy(p.row(a), p.row(b), p.stride());
    std::memcpy(p.row(b), tmp.data(), p.stride());
  }
}

void InvertPicture(Picture& p) {
  if (!p.palette().empty()) {
    for (PaletteEntry& e : p.palette()) {
      e.red = uint8_t(255 - e.red);
      e.green = uint8_t(255 - e.green);
      e.blue = uint8_t(255 - e.blue);
    }
    return;
  }
  if (p.bitsPerPixel() == 15 || p.bitsPerPixel() == 16) {
    // Each field's complement within its own width: 5-5-5 leaves the top bit alone.
    const uint16_t mask = p.bitsPerPixel() == 15 ? 0x7FFF : 0xFFFF;
    for (int y = 0; y < p.height(); ++y) {
      uint8_t* row = p.row(y);
      for (int x = 0; x < p.width(); ++x) {
        uint16_t v = uint16_t(row[2 * x] | (row[2 * x + 1] << 8));
        v = uint16_t((v ^ mask) & mask);
        row[2 * x] = uint8_t(v);
        row[2 * x + 1] = uint8_t(v >> 8);
      }
    }
    return;
  }
  // 24 and 32 bit: every byte of a pixel (32-bit BGRX keeps its unused byte at 0).
  const int bytes = p.bitsPerPixel() / 8;
  for (int y = 0; y < p.height(); ++y) {
    uint8_t* row = p.row(y);
    for (int x = 0; x < p.width(); ++x)
      for (int c = 0; c < 3; ++c) row[x * bytes + c] = uint8_t(255 - row[x * bytes + c]);
  }
}

}  // namespace flk
