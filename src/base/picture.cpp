#include "base/picture.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace flk {

namespace {

void Put16(std::vector<uint8_t>& v, size_t at, uint16_t x) {
  v[at] = uint8_t(x);
  v[at + 1] = uint8_t(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
}

std::vector<PaletteEntry> GreyPalette(int entries) {
  std::vector<PaletteEntry> p(entries);
  for (int i = 0; i < entries; ++i) {
    uint8_t g = uint8_t(entries == 1 ? 0 : i * 255 / (entries - 1));
    p[i] = {g, g, g, 0};
  }
  return p;
}

}  // namespace

bool IsSupportedDepth(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32;
}

size_t Picture::StrideFor(int width, int bpp) {
  if (width <= 0 || !IsSupportedDepth(bpp)) return 0;
  int storageBits = bpp == 15 ? 16 : bpp;
  uint64_t bits = uint64_t(width) * uint64_t(storageBits);
  uint64_t stride = ((bits + 31) / 32) * 4;
  if (stride > std::numeric_limits<uint32_t>::max()) return 0;
  return size_t(stride);
}

std::optional<Picture> Picture::Create(int width, int height, int bpp, std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<Picture> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (!IsSupportedDepth(bpp)) return fail("Unsupported colour depth " + std::to_string(bpp) + " bits per pixel.");
  if (width <= 0 || height <= 0)
    return fail("Invalid picture size " + std::to_string(width) + " x " + std::to_string(height) + ".");
  size_t stride = StrideFor(width, bpp);
  if (stride == 0 || uint64_t(stride) * uint64_t(height) > kMaxBytes)
    return fail("Picture too large: " + std::to_string(width) + " x " + std::to_string(height) + " pixels at " +
                std::to_string(bpp) + " bits per pixel needs more memory than allowed.");
  Picture p;
  p.width_ = width;
  p.height_ = height;
  p.bpp_ = bpp;
  p.stride_ = stride;
  p.bits_.assign(stride * size_t(height), 0);
  if (bpp <= 8) p.palette_ = GreyPalette(1 << bpp);
  return p;
}

std::vector<uint8_t> Picture::info(bool topDown) const {
  const size_t header = 40;
  size_t extra = bpp_ == 16 ? 12 : palette_.size() * 4;
  std::vector<uint8_t> v(header + extra, 0);
  Put32(v, 0, 40);
  Put32(v, 4, uint32_t(width_));
  Put32(v, 8, uint32_t(topDown ? -height_ : height_));
  Put16(v, 12, 1);
  Put16(v, 14, uint16_t(bpp_ == 15 ? 16 : bpp_));
  Put32(v, 16, bpp_ == 16 ? 3u /*BI_BITFIELDS*/ : 0u /*BI_RGB*/);
  Put32(v, 20, uint32_t(bits_.size()));
  Put32(v, 24, 3780);  // 96 DPI in pixels per metre
  Put32(v, 28, 3780);
  Put32(v, 32, uint32_t(palette_.size()));
  if (bpp_ == 16) {
    Put32(v, 40, 0xF800);
    Put32(v, 44, 0x07E0);
    Put32(v, 48, 0x001F);
  } else {
    for (size_t i = 0; i < palette_.size(); ++i) {
      v[header + 4 * i] = palette_[i].blue;
      v[header + 4 * i + 1] = palette_[i].green;
      v[header + 4 * i + 2] = palette_[i].red;
    }
  }
  return v;
}

uint32_t Picture::rawPixel(int x, int y) const {
  const uint8_t* r = row(y);
  switch (bpp_) {
    case 1: return (r[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (r[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return r[x];
    case 15:
    case 16: return uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8);
    case 24: return MakeRgb(r[3 * x + 2], r[3 * x + 1], r[3 * x]);
    case 32: return MakeRgb(r[4 * x + 2], r[4 * x + 1], r[4 * x]);
  }
  return 0;
}

void Picture::setRawPixel(int x, int y, uint32_t v) {
  uint8_t* r = row(y);
  switch (bpp_) {
    case 1: {
      uint8_t mask = uint8_t(0x80 >> (x & 7));
      r[x >> 3] = uint8_t((r[x >> 3] & ~mask) | ((v & 1) ? mask : 0));
      break;
    }
    case 4: {
      int shift = (x & 1) ? 0 : 4;
      r[x >> 1] = uint8_t((r[x >> 1] & ~(0xF << shift)) | ((v & 0xF) << shift));
      break;
    }
    case 8: r[x] = uint8_t(v); break;
    case 15:
    case 16:
      r[2 * x] = uint8_t(v);
      r[2 * x + 1] = uint8_t(v >> 8);
      break;
    case 24:
      r[3 * x] = BlueOf(v);
      r[3 * x + 1] = GreenOf(v);
      r[3 * x + 2] = RedOf(v);
      break;
    case 32:
      r[4 * x] = BlueOf(v);
      r[4 * x + 1] = GreenOf(v);
      r[4 * x + 2] = RedOf(v);
      r[4 * x + 3] = 0;
      break;
  }
}

namespace {
// Expand an n-bit channel to 8 bits so that full scale stays full scale.
uint8_t Expand5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }
uint8_t Expand6(uint32_t v) { return uint8_t((v << 2) | (v >> 4)); }
}  // namespace

Rgb Picture::pixel(int x, int y) const {
  uint32_t v = rawPixel(x, y);
  switch (bpp_) {
    case 1:
    case 4:
    case 8: {
      if (v >= palette_.size()) return 0;
      const PaletteEntry& e = palette_[v];
      return MakeRgb(e.red, e.green, e.blue);
    }
    case 15: return MakeRgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    case 16: return MakeRgb(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
    default: return v;
  }
}

void Picture::setPixel(int x, int y, Rgb c) {
  switch (bpp_) {
    case 1:
    case 4:
    case 8: setRawPixel(x, y, uint32_t(NearestPaletteIndex(palette_, c))); break;
    case 15: setRawPixel(x, y, ((RedOf(c) >> 3) << 10) | ((GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3)); break;
    case 16: setRawPixel(x, y, ((RedOf(c) >> 3) << 11) | ((GreenOf(c) >> 2) << 5) | (BlueOf(c) >> 3)); break;
    default: setRawPixel(x, y, c & 0xFFFFFF); break;
  }
}

Picture Picture::crop(int left, int top, int w, int h) const {
  // 64-bit edges: left + w must not overflow for any caller's rectangle.
  if (w <= 0 || h <= 0) return Picture();
  int x0 = std::max(left, 0), y0 = std::max(top, 0);
  int x1 = int(std::min<int64_t>(int64_t(left) + w, width_)), y1 = int(std::min<int64_t>(int64_t(top) + h, height_));
  if (x1 <= x0 || y1 <= y0) return Picture();
  auto out = Create(x1 - x0, y1 - y0, bpp_);
  if (!out) return Picture();
  out->palette_ = palette_;
  if (bpp_ >= 8) {
    size_t bytesPerPixel = size_t(bpp_ == 15 ? 16 : bpp_) / 8;
    for (int y = y0; y < y1; ++y)
      std::memcpy(out->row(y - y0), row(y) + size_t(x0) * bytesPerPixel, size_t(x1 - x0) * bytesPerPixel);
  } else {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) out->setRawPixel(x - x0, y - y0, rawPixel(x, y));
  }
  return std::move(*out);
}

int NearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb c) {
  int best = 0;
  long bestDist = std::numeric_limits<long>::max();
  for (size_t i = 0; i < palette.size(); ++i) {
    long dr = long(palette[i].red) - RedOf(c), dg = long(palette[i].green) - GreenOf(c),
         db = long(palette[i].blue) - BlueOf(c);
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = int(i);
      if (d == 0) break;
    }
  }
  return best;
}

}  // namespace flk
