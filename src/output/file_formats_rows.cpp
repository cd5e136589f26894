#include "output/file_formats_rows.h"

#include <cstring>

namespace flk {

namespace {
inline uint8_t Expand5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }
inline uint8_t Expand6(uint32_t v) { return uint8_t((v << 2) | (v >> 4)); }
}  // namespace

RowReader::RowReader(const Picture& picture) : picture_(picture) {
  scratch_.resize(size_t(picture.width()) * 4 + 16);
  const auto& pal = picture.palette();
  for (size_t i = 0; i < pal.size() && i < 256; ++i)
    lut_[i] = uint32_t(pal[i].blue) | (uint32_t(pal[i].green) << 8) | (uint32_t(pal[i].red) << 16);
}

void RowReader::ToBgrx(int y, uint8_t* out) const {
  const int w = picture_.width();
  const uint8_t* r = picture_.row(y);
  auto putLut = [&](int x, unsigned index) {
    uint32_t c = lut_[index];  // a short palette leaves zeros (black) beyond its end
    out[4 * x] = uint8_t(c);
    out[4 * x + 1] = uint8_t(c >> 8);
    out[4 * x + 2] = uint8_t(c >> 16);
    out[4 * x + 3] = 0;
  };
  // 5-5-5 or 5-6-5 words: blue in the low bits, red above a green of greenBits.
  auto putWord = [&](int x, int greenBits) {
    uint32_t v = uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8);
    out[4 * x] = Expand5(v & 31);
    out[4 * x + 1] = greenBits == 6 ? Expand6((v >> 5) & 63) : Expand5((v >> 5) & 31);
    out[4 * x + 2] = Expand5((v >> (5 + greenBits)) & 31);
    out[4 * x + 3] = 0;
  };
  switch (picture_.bitsPerPixel()) {
    case 1:
      for (int x = 0; x < w; ++x) putLut(x, (r[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < w; ++x) putLut(x, (r[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
      break;
    case 8:
      for (int x = 0; x < w; ++x) putLut(x, r[x]);
      break;
    case 15:
      for (int x = 0; x < w; ++x) putWord(x, 5);
      break;
    case 16:
      for (int x = 0; x < w; ++x) putWord(x, 6);
      break;
    case 24:
      for (int x = 0; x < w; ++x) {
        out[4 * x] = r[3 * x];
        out[4 * x + 1] = r[3 * x + 1];
        out[4 * x + 2] = r[3 * x + 2];
        out[4 * x + 3] = 0;
      }
      break;
    case 32:
      std::memcpy(out, r, size_t(w) * 4);
      break;
  }
}

const uint8_t* RowReader::Bgrx(int y) {
  if (picture_.bitsPerPixel() == 32) return picture_.row(y);
  ToBgrx(y, scratch_.data());
  return scratch_.data();
}

const uint8_t* RowReader::Rgb(int y) {
  const int w = picture_.width();
  uint8_t* out = scratch_.data();
  const uint8_t* r = picture_.row(y);
  // BGR or BGRX (stride 3 or 4) turned to RGB.
  auto swapFrom = [&](int stride) {
    for (int x = 0; x < w; ++x) {
      out[3 * x] = r[stride * x + 2];
      out[3 * x + 1] = r[stride * x + 1];
      out[3 * x + 2] = r[stride * x];
    }
    return out;
  };
  switch (picture_.bitsPerPixel()) {
    case 24: return swapFrom(3);
    case 32: return swapFrom(4);
    default:
      // Expand to BGRX in place, then pack forwards (the write never overtakes the read).
      ToBgrx(y, out);
      for (int x = 0; x < w; ++x) {
        uint8_t b = out[4 * x], g = out[4 * x + 1], rr = out[4 * x + 2];
        out[3 * x] = rr;
        out[3 * x + 1] = g;
        out[3 * x + 2] = b;
      }
      return out;
  }
}

}  // namespace flk
