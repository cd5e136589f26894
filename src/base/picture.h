// The picture every capture, store and output works on: a device-independent
// bitmap in memory. Its layout is GDI's own (BITMAPINFOHEADER, optional colour
// masks or colour table, then bottom-up rows padded to 4 bytes), so the Win32
// side can hand info() and bits() straight to StretchDIBits / CreateDIBSection
// without a conversion, while pure code and host tests use it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flk {

// Colour-table entry in RGBQUAD order.
struct PaletteEntry {
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// 0x00RRGGBB, the colour a pixel shows.
using Rgb = uint32_t;
constexpr Rgb MakeRgb(uint8_t r, uint8_t g, uint8_t b) { return (Rgb(r) << 16) | (Rgb(g) << 8) | b; }
constexpr uint8_t RedOf(Rgb c) { return uint8_t(c >> 16); }
constexpr uint8_t GreenOf(Rgb c) { return uint8_t(c >> 8); }
constexpr uint8_t BlueOf(Rgb c) { return uint8_t(c); }

// Depths a picture can hold. 15 is stored as 16-bit 5-5-5 (BI_RGB), 16 as 5-6-5
// (BI_BITFIELDS), 32 as BGRX.
bool IsSupportedDepth(int bitsPerPixel);

class Picture {
 public:
  // Largest pixel buffer we agree to allocate; larger pictures are refused
  // rather than allocated short. Leaves room for a second copy in 32-bit space.
  static constexpr size_t kMaxBytes = size_t(512) * 1024 * 1024;

  Picture() = default;

  // A blank picture (all bits zero; palettes start grey-scale). Returns nothing
  // and sets *error for a bad depth, a non-positive size, or a buffer that would
  // overflow or exceed kMaxBytes.
  static std::optional<Picture> Create(int width, int height, int bitsPerPixel, std::string* error = nullptr);

  // Bytes per row for a width and depth, 0 when it would overflow.
  static size_t StrideFor(int width, int bitsPerPixel);

  bool empty() const { return width_ == 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bpp_; }
  size_t stride() const { return stride_; }

  // Rows are addressed top-down (y = 0 is the top row) though stored bottom-up.
  uint8_t* row(int y) { return bits_.data() + size_t(height_ - 1 - y) * stride_; }
  const uint8_t* row(int y) const { return bits_.data() + size_t(height_ - 1 - y) * stride_; }

  // Pixel buffer exactly as GDI wants it (bottom-up).
  uint8_t* bits() { return bits_.data(); }
  const uint8_t* bits() const { return bits_.data(); }
  size_t bitsSize() const { return bits_.size(); }

  // Colour table: 2, 16 or 256 entries for 1, 4 and 8 bit, empty otherwise.
  std::vector<PaletteEntry>& palette() { return palette_; }
  const std::vector<PaletteEntry>& palette() const { return palette_; }

  // The BITMAPINFO block (header, then masks or colour table) for this picture,
  // top-down rows when topDown is set (negative height).
  std::vector<uint8_t> info(bool topDown = false) const;

  // What the pixel at (x, y) shows; for palette pictures the table's colour.
  Rgb pixel(int x, int y) const;
  // Raw stored value: palette index, 16-bit word or 0x00RRGGBB.
  uint32_t rawPixel(int x, int y) const;
  void setRawPixel(int x, int y, uint32_t value);
  // Sets a true-colour or 15/16-bit pixel to the colour (reduced to the depth);
  // for palette pictures chooses the nearest table entry.
  void setPixel(int x, int y, Rgb colour);

  // Sub-picture copy; the rectangle is clipped to the picture.
  Picture crop(int left, int top, int width, int height) const;

 private:
  int width_ = 0, height_ = 0, bpp_ = 0;
  size_t stride_ = 0;
  std::vector<uint8_t> bits_;
  std::vector<PaletteEntry> palette_;
};

// Nearest palette index by squared RGB distance.
int NearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb colour);

}  // namespace flk
