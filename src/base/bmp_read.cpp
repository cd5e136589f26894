#include <cstring>
#include <limits>

#include "base/bmp.h"

namespace flk {

namespace {

constexpr size_t kFileHeaderBytes = 14;

// The header's compression field: the Windows kinds from 0, the CMYK ones from 11.
enum Compression : uint32_t {
  kRgb, kRle8, kRle4, kBitfields, kJpeg, kPng, kAlphaBitfields,
  kCmyk = 11, kCmykRle8, kCmykRle4,
};

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return int32_t(U32(p)); }

std::string Num(int64_t v) { return std::to_string(v); }

int TrailingZeros(uint32_t m) {
  int n = 0;
  while (n < 32 && !(m & (uint32_t(1) << n))) ++n;
  return n;
}

// One colour channel of a BI_BITFIELDS pixel, widened or narrowed to 8 bits.
// Narrow channels repeat their bit pattern so that full scale stays 255
// (5 bits: v << 3 | v >> 2, as for 5-5-5 pixels everywhere else).
struct Channel {
  uint32_t mask = 0;
  int shift = 0, bits = 0;

  explicit Channel(uint32_t m) : mask(m), shift(TrailingZeros(m)) {
    for (uint32_t v = m >> (shift & 31); v & 1; v >>= 1) ++bits;
  }
  uint8_t Of(uint32_t pixel) const {
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return uint8_t(v >> (bits - 8));
    uint32_t top = v << (8 - bits), out = top;
    for (int s = bits; s < 8; s += bits) out |= top >> s;
    return uint8_t(out);
  }
};

const char* CompressionName(uint32_t c, bool os2) {
  if (os2 && c == 3) return "OS/2 Huffman 1D";
  if (os2 && c == 4) return "OS/2 RLE24";
  switch (c) {
    case kJpeg: return "JPEG";
    case kPng: return "PNG";
    case kCmyk: return "CMYK";
    case kCmykRle8: return "CMYK RLE8";
    case kCmykRle4: return "CMYK RLE4";
  }
  return nullptr;
}

// Mask checks: present, one block of bits, inside the pixel, not sharing bits.
bool CheckMasks(const uint32_t masks[3], int bpp, std::string* why) {
  static const char* kNames[3] = {"red", "green", "blue"};
  uint32_t limit = bpp == 32 ? 0xFFFFFFFFu : (uint32_t(1) << bpp) - 1, seen = 0;
  for (int i = 0; i < 3; ++i) {
    uint32_t m = masks[i];
    std::string name = kNames[i];
    if (m == 0) return *why = "Colour mask for " + name + " is empty.", false;
    uint32_t shifted = m >> TrailingZeros(m);
    if ((shifted & (shifted + 1)) != 0) return *why = "Colour mask for " + name + " is not contiguous.", false;
    if (m & ~limit) return *why = "Colour mask for " + name + " lies outside the " + Num(bpp) + "-bit pixel.", false;
    if (m & seen) return *why = "Colour masks overlap.", false;
    seen |= m;
  }
  return true;
}

class Decoder {
 public:
  Decoder(const uint8_t* data, size_t size, std::string* error, size_t maxBytes)
      : d_(data), n_(size), error_(error), maxBytes_(maxBytes) {}

  // dib: where the info header starts. bitsOffset: the file header's pixel
  // offset, or nothing for a packed DIB (pixels follow the colour table).
  std::optional<Picture> Run(size_t dib, std::optional<uint32_t> bitsOffset) {
    if (!ParseHeader(dib)) return std::nullopt;
    if (!LocateTableAndBits(dib, bitsOffset)) return std::nullopt;
    return DecodePixels();
  }

 private:
  std::nullopt_t Fail(const std::string& why) {
    if (error_) *error_ = why;
    ok_ = false;
    return std::nullopt;
  }

  bool ParseHeader(size_t dib) {
    if (n_ < dib + 4) return Fail("Bitmap header is truncated."), false;
    hs_ = U32(d_ + dib);
    if (hs_ != 12 && hs_ != 16 && hs_ != 40 && hs_ != 52 && hs_ != 56 && hs_ != 64 && hs_ != 108 && hs_ != 124)
      return Fail("Unsupported bitmap header size " + Num(hs_) + "."), false;
    if (n_ - dib < hs_) return Fail("Bitmap header is truncated."), false;
    const uint8_t* h = d_ + dib;
    int64_t rawHeight;
    int planes;
    if (hs_ == 12) {
      core_ = true;
      width_ = U16(h + 4);
      rawHeight = U16(h + 6);
      planes = U16(h + 8);
      bpp_ = U16(h + 10);
    } else {
      os2_ = hs_ == 16 || hs_ == 64;
      width_ = I32(h + 4);
      rawHeight = I32(h + 8);
      planes = U16(h + 12);
      bpp_ = U16(h + 14);
      if (hs_ >= 40) {
        compression_ = U32(h + 16);
        sizeImage_ = U32(h + 20);
        int64_t xppm = I32(h + 24), yppm = I32(h + 28);
        clrUsed_ = U32(h + 32);
        if (xppm < 0 || yppm < 0 || (xppm && yppm && (xppm > 1000 * yppm || yppm > 1000 * xppm)))
          return Fail("Implausible resolution " + Num(xppm) + " x " + Num(yppm) + " pixels per metre."), false;
      }
      if (hs_ >= 52 && !os2_)
        for (int i = 0; i < 3; ++i) masks_[i] = U32(h + 40 + 4 * i);
    }
    if (planes != 1) return Fail("Bitmap has " + Num(planes) + " colour planes; only 1 is allowed."), false;
    if (width_ <= 0) return Fail("Invalid bitmap width " + Num(width_) + "."), false;
    if (rawHeight == 0 || rawHeight == std::numeric_limits<int32_t>::min())
      return Fail("Invalid bitmap height " + Num(rawHeight) + "."), false;
    topDown_ = rawHeight < 0;
    height_ = topDown_ ? -rawHeight : rawHeight;

    if (const char* name = CompressionName(compression_, os2_))
      return Fail("Unsupported compression " + Num(compression_) + " (" + name + ")."), false;
    if (compression_ != kRgb && compression_ != kRle8 && compression_ != kRle4 && compression_ != kBitfields &&
        compression_ != kAlphaBitfields)
      return Fail("Unsupported compression " + Num(compression_) + "."), false;
    if (bpp_ != 1 && bpp_ != 2 && bpp_ != 4 && bpp_ != 8 && bpp_ != 16 && bpp_ != 24 && bpp_ != 32)
      return Fail("Unsupported bit count " + Num(bpp_) + "."), false;
    if (compression_ == kRle8 && bpp_ != 8)
      return Fail("RLE8 compression needs 8 bits per pixel, not " + Num(bpp_) + "."), false;
    if (compression_ == kRle4 && bpp_ != 4)
      return Fail("RLE4 compression needs 4 bits per pixel, not " + Num(bpp_) + "."), false;
    if ((compression_ == kBitfields || compression_ == kAlphaBitfields) && bpp_ != 16 && bpp_ != 32)
      return Fail("Colour masks need 16 or 32 bits per pixel, not " + Num(bpp_) + "."), false;
    if (Rle() && topDown_) return Fail("A compressed bitmap cannot be stored top-down."), false;
    return true;
  }

  bool Rle() const { return compression_ == kRle8 || compression_ == kRle4; }
  bool HasMasks() const { return compression_ == kBitfields || compression_ == kAlphaBitfields; }

  bool LocateTableAndBits(size_t dib, std::optional<uint32_t> bitsOffset) {
    size_t maskBytes = 0;
    if (hs_ == 40 && HasMasks()) maskBytes = compression_ == kAlphaBitfields ? 16 : 12;
    if (n_ - dib - hs_ < maskBytes) return Fail("Bitmap header is truncated."), false;
    if (hs_ == 40 && HasMasks())
      for (int i = 0; i < 3; ++i) masks_[i] = U32(d_ + dib + 40 + 4 * i);
    if (!HasMasks()) {
      if (bpp_ == 16) masks_[0] = 0x7C00, masks_[1] = 0x03E0, masks_[2] = 0x001F;
      if (bpp_ == 32) masks_[0] = 0xFF0000, masks_[1] = 0xFF00, masks_[2] = 0xFF;
    } else {
      std::string why;
      if (!CheckMasks(masks_, bpp_, &why)) return Fail(why), false;
    }

    const uint64_t tableStart = dib + hs_ + maskBytes;
    const uint64_t entryBytes = core_ ? 3 : 4;
    const bool implicit = core_ || clrUsed_ == 0;
    const uint64_t declared = implicit ? (bpp_ <= 8 ? uint64_t(1) << bpp_ : 0) : clrUsed_;
    uint64_t entries = declared;
    if (bitsOffset) {
      if (*bitsOffset < tableStart)
        return Fail("Pixel data offset " + Num(*bitsOffset) + " lies inside the bitmap header."), false;
      if (*bitsOffset > n_)
        return Fail("Pixel data offset " + Num(*bitsOffset) + " lies beyond the end of the file."), false;
      uint64_t room = (*bitsOffset - tableStart) / entryBytes;
      if (entries > room) {
        // An implied table may be cut short by the pixel offset (OS/2 files
        // do this); a table whose size is spelt out must be there in full.
        if (!implicit && bpp_ <= 8)
          return Fail("Colour table of " + Num(int64_t(declared)) + " entries overlaps the pixel data."), false;
        entries = room;
      }
      bitsStart_ = *bitsOffset;
    } else {
      if (declared * entryBytes > n_ - tableStart) return Fail("Bitmap data is truncated."), false;
      bitsStart_ = size_t(tableStart + declared * entryBytes);
    }
    if (bpp_ <= 8) {
      uint64_t usable = std::min<uint64_t>(entries, uint64_t(1) << bpp_);
      if (usable == 0) return Fail("Bitmap has no colour table."), false;
      for (uint64_t i = 0; i < usable; ++i) {
        const uint8_t* e = d_ + tableStart + i * entryBytes;
        palette_.push_back(PaletteEntry{e[0], e[1], e[2], 0});
      }
    }
    if (sizeImage_ != 0 && sizeImage_ > n_ - bitsStart_)
      return Fail("Bitmap data is truncated: the header promises " + Num(sizeImage_) + " bytes of pixels, " +
                  Num(int64_t(n_ - bitsStart_)) + " are present."),
             false;
    bitsEnd_ = sizeImage_ != 0 && Rle() ? bitsStart_ + sizeImage_ : n_;
    return true;
  }

  int OutputDepth() const {
    switch (bpp_) {
      case 1: return 1;
      case 2:
      case 4: return 4;
      case 8: return 8;
      case 16:
        if (masks_[0] == 0x7C00 && masks_[1] == 0x03E0 && masks_[2] == 0x001F) return 15;
        if (masks_[0] == 0xF800 && masks_[1] == 0x07E0 && masks_[2] == 0x001F) return 16;
        return 24;
      case 24: return 24;
    }
    return 32;
  }

  bool StandardBgrx() const { return masks_[0] == 0xFF0000 && masks_[1] == 0xFF00 && masks_[2] == 0xFF; }

  std::optional<Picture> DecodePixels() {
    const int w = int(width_), h = int(height_);
    const int outBpp = OutputDepth();
    size_t outStride = Picture::StrideFor(w, outBpp);
    if (outStride == 0 || uint64_t(outStride) * uint64_t(h) > maxBytes_)
      return Fail("Picture too large: " + Num(w) + " x " + Num(h) + " pixels.");
    const uint64_t fileStride = ((uint64_t(w) * uint64_t(bpp_) + 31) / 32) * 4;
    const uint64_t rowBytes = (uint64_t(w) * uint64_t(bpp_) + 7) / 8;
    // The last row's padding may be missing; everything else must be there.
    if (!Rle() && fileStride * uint64_t(h - 1) + rowBytes > n_ - bitsStart_)
      return Fail("Bitmap data is truncated.");

    std::string why;
    auto pic = Picture::Create(w, h, outBpp, &why);
    if (!pic) return Fail(why);
    if (outBpp <= 8) {
      auto& pal = pic->palette();
      for (auto& e : pal) e = PaletteEntry{};
      for (size_t i = 0; i < palette_.size(); ++i) pal[i] = palette_[i];
    }
    if (Rle()) {
      if (!DecodeRle(*pic)) return std::nullopt;
      return pic;
    }
    for (int r = 0; r < h; ++r) {
      const uint8_t* src = d_ + bitsStart_ + uint64_t(r) * fileStride;
      int y = topDown_ ? r : h - 1 - r;
      if (!DecodeRow(src, pic->row(y), w, y)) return std::nullopt;
    }
    return pic;
  }

  bool CheckIndex(uint32_t index, int x, int y) {
    if (index < palette_.size()) return true;
    Fail("Pixel at " + Num(x) + ", " + Num(y) + " uses colour " + Num(index) + ", but the colour table has only " +
         Num(int64_t(palette_.size())) + " entries.");
    return false;
  }

  bool DecodeRow(const uint8_t* src, uint8_t* out, int w, int y) {
    switch (bpp_) {
      case 1:
      case 4:
      case 8: {
        std::memcpy(out, src, size_t((uint64_t(w) * uint64_t(bpp_) + 7) / 8));
        if (palette_.size() < (size_t(1) << bpp_)) {
          for (int x = 0; x < w; ++x) {
            uint32_t i = bpp_ == 8 ? src[x] : bpp_ == 4 ? (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF
                                                        : (src[x >> 3] >> (7 - (x & 7))) & 1;
            if (!CheckIndex(i, x, y)) return false;
          }
        }
        return true;
      }
      case 2:
        for (int x = 0; x < w; ++x) {
          uint32_t i = (src[x >> 2] >> (6 - 2 * (x & 3))) & 3;
          if (!CheckIndex(i, x, y)) return false;
          out[x >> 1] = uint8_t(out[x >> 1] | (i << ((x & 1) ? 0 : 4)));
        }
        return true;
      case 16: {
        const int outBpp = OutputDepth();
        if (outBpp == 15 || outBpp == 16) {
          const uint16_t keep = outBpp == 15 ? 0x7FFF : 0xFFFF;  // 5-5-5's top bit is unused, not alpha
          for (int x = 0; x < w; ++x) {
            uint16_t v = uint16_t(U16(src + 2 * x) & keep);
            out[2 * x] = uint8_t(v);
            out[2 * x + 1] = uint8_t(v >> 8);
          }
        } else {
          UnpackMasked(src, w, 2, 3, out);
        }
        return true;
      }
      case 24: std::memcpy(out, src, size_t(w) * 3); return true;
      case 32:
        if (StandardBgrx()) {
          for (int x = 0; x < w; ++x) {
            out[4 * x] = src[4 * x];
            out[4 * x + 1] = src[4 * x + 1];
            out[4 * x + 2] = src[4 * x + 2];
            out[4 * x + 3] = 0;
          }
        } else {
          UnpackMasked(src, w, 4, 4, out);
        }
        return true;
    }
    return false;
  }

  // Pixels of 2 or 4 bytes through the colour masks into blue, green, red
  // (and a zero fourth byte when the row has 4 bytes a pixel).
  void UnpackMasked(const uint8_t* src, int w, int inBytes, int outBytes, uint8_t* out) const {
    Channel r(masks_[0]), g(masks_[1]), b(masks_[2]);
    for (int x = 0; x < w; ++x) {
      const uint32_t v = inBytes == 2 ? U16(src + 2 * x) : U32(src + 4 * x);
      uint8_t* o = out + size_t(outBytes) * x;
      o[0] = b.Of(v);
      o[1] = g.Of(v);
      o[2] = r.Of(v);
      if (outBytes == 4) o[3] = 0;
    }
  }

  // BI_RLE8 / BI_RLE4: pairs (count, value) give runs; (0, 0) ends a row,
  // (0, 1) ends the bitmap, (0, 2, dx, dy) moves ahead, (0, n) introduces n
  // literal pixels padded to a 16-bit boundary. Rows run bottom-up; pixels
  // never written keep index 0. Anything that would write outside the picture
  // is an error, never clipped silently.
  bool DecodeRle(Picture& pic) {
    const bool four = compression_ == kRle4;
    const int64_t w = width_, h = height_;
    int64_t x = 0, r = 0;  // r counts rows from the bottom
    size_t p = bitsStart_;
    auto put = [&](int64_t px, uint32_t index) {
      int y = int(h - 1 - r);
      if (!CheckIndex(index, int(px), y)) return false;
      pic.setRawPixel(int(px), y, index);
      return true;
    };
    auto outside = [&]() {
      Fail("RLE data runs outside the picture.");
      return false;
    };
    for (;;) {
      if (bitsEnd_ - p < 2) {
        if (r >= h) return true;  // every row ended; a missing end-of-bitmap is harmless
        Fail("Bitmap data is truncated.");
        return false;
      }
      const uint8_t count = d_[p], value = d_[p + 1];
      p += 2;
      if (count > 0) {
        if (r >= h || x + count > w) return outside();
        for (int i = 0; i < count; ++i)
          if (!put(x + i, four ? ((i & 1) ? value & 0xF : value >> 4) : value)) return false;
        x += count;
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x = 0;
          if (++r > h) return outside();
          break;
        case 1: return true;  // end of bitmap
        case 2: {             // delta
          if (bitsEnd_ - p < 2) {
            Fail("Bitmap data is truncated.");
            return false;
          }
          x += d_[p];
          r += d_[p + 1];
          p += 2;
          if (x > w || r > h || (r == h && x > 0)) return outside();
          break;
        }
        default: {  // literal pixels
          const size_t n = value;
          const size_t bytes = four ? (n + 1) / 2 : n;
          const size_t padded = (bytes + 1) & ~size_t(1);
          if (bitsEnd_ - p < bytes) {
            Fail("Bitmap data is truncated.");
            return false;
          }
          if (r >= h || x + int64_t(n) > w) return outside();
          for (size_t i = 0; i < n; ++i) {
            uint8_t b = d_[p + (four ? i / 2 : i)];
            if (!put(x + int64_t(i), four ? ((i & 1) ? b & 0xF : b >> 4) : b)) return false;
          }
          x += int64_t(n);
          p += std::min(padded, bitsEnd_ - p);
          break;
        }
      }
    }
  }

  const uint8_t* d_;
  size_t n_;
  std::string* error_;
  size_t maxBytes_;
  bool ok_ = true;

  uint32_t hs_ = 0, compression_ = kRgb, sizeImage_ = 0, clrUsed_ = 0;
  bool core_ = false, os2_ = false, topDown_ = false;
  int64_t width_ = 0, height_ = 0;
  int bpp_ = 0;
  uint32_t masks_[3] = {0, 0, 0};
  std::vector<PaletteEntry> palette_;
  size_t bitsStart_ = 0, bitsEnd_ = 0;
};

}  // namespace

std::optional<Picture> DecodeBmp(const uint8_t* data, size_t size, std::string* error, size_t maxPictureBytes) {
  auto fail = [&](const char* why) -> std::optional<Picture> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (!data || size < 2 || data[0] != 'B') return fail("Not a bitmap file.");
  if (data[1] == 'A') return fail("OS/2 bitmap arrays are not supported.");
  if (data[1] != 'M') return fail("Not a bitmap file.");
  if (size < kFileHeaderBytes) return fail("Bitmap file is truncated.");
  uint32_t fileSize = U32(data + 2);
  if (fileSize > size) {
    if (error)
      *error = "Bitmap file is truncated: the header says " + Num(fileSize) + " bytes, the file has " + Num(int64_t(size)) +
               ".";
    return std::nullopt;
  }
  return Decoder(data, size, error, maxPictureBytes).Run(kFileHeaderBytes, U32(data + 10));
}

std::optional<Picture> DecodePackedDib(const uint8_t* data, size_t size, std::string* error, size_t maxPictureBytes) {
  if (!data) {
    if (error) *error = "Bitmap header is truncated.";
    return std::nullopt;
  }
  return Decoder(data, size, error, maxPictureBytes).Run(0, std::nullopt);
}

std::optional<Picture> ReadBmp(std::FILE* file, std::string* error) {
  // Files beyond the largest picture plus generous headers are refused unread.
  constexpr size_t kMaxFile = Picture::kMaxBytes + (size_t(16) << 20);
  std::vector<uint8_t> data;
  uint8_t buffer[65536];
  for (;;) {
    size_t got = file ? std::fread(buffer, 1, sizeof buffer, file) : 0;
    if (got == 0) break;
    if (data.size() + got > kMaxFile) {
      if (error) *error = "Bitmap file is too large.";
      return std::nullopt;
    }
    data.insert(data.end(), buffer, buffer + got);
  }
  if (!file || std::ferror(file)) {
    if (error) *error = "The bitmap file could not be read.";
    return std::nullopt;
  }
  return DecodeBmp(data.data(), data.size(), error);
}

}  // namespace flk
