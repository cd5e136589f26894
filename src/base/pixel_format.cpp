#include "base/pixel_format.h"

#include "base/wu_quantizer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace flk {

namespace {

uint8_t Expand5(uint32_t v) { return uint8_t((v << 3) | (v >> 2)); }
uint8_t Expand6(uint32_t v) { return uint8_t((v << 2) | (v >> 4)); }

Rgb EntryRgb(const PaletteEntry& e) { return MakeRgb(e.red, e.green, e.blue); }
PaletteEntry RgbEntry(Rgb c) { return PaletteEntry{BlueOf(c), GreenOf(c), RedOf(c), 0}; }

// Writes one row of colours into a true-colour or 15/16-bit row.
void RgbToDirectRow(const Rgb* in, int width, int bpp, uint8_t* out) {
  switch (bpp) {
    case 15:
    case 16: {
      // 5-5-5 or 5-6-5: green takes the sixth bit of the 16-bit form.
      const int greenBits = bpp == 16 ? 6 : 5;
      for (int x = 0; x < width; ++x) {
        Rgb c = in[x];
        uint32_t v = ((RedOf(c) >> 3) << (5 + greenBits)) | ((GreenOf(c) >> (8 - greenBits)) << 5) | (BlueOf(c) >> 3);
        out[2 * x] = uint8_t(v);
        out[2 * x + 1] = uint8_t(v >> 8);
      }
      break;
    }
    case 24:
    case 32: {
      const int stride = bpp / 8;  // BGR or BGRX
      for (int x = 0; x < width; ++x) {
        out[stride * x] = BlueOf(in[x]);
        out[stride * x + 1] = GreenOf(in[x]);
        out[stride * x + 2] = RedOf(in[x]);
        if (stride == 4) out[4 * x + 3] = 0;
      }
      break;
    }
  }
}

// Collects the distinct colours of a picture as long as there are at most
// `limit` of them; returns false as soon as there are more. A small open
// addressing set keeps this one pass over a 1920x1080 screenshot cheap.
bool DistinctColours(const Picture& p, size_t limit, std::vector<Rgb>* colours) {
  constexpr size_t kSlots = 1024;  // > 2 * 257, so probing stays short
  constexpr uint32_t kEmpty = 0xFFFFFFFFu;
  std::array<uint32_t, kSlots> table;
  table.fill(kEmpty);
  colours->clear();
  std::vector<Rgb> row(size_t(p.width()));
  for (int y = 0; y < p.height(); ++y) {
    RowToRgb(p, y, row.data());
    Rgb last = kEmpty;
    for (Rgb c : row) {
      if (c == last) continue;
      last = c;
      size_t slot = (c * 2654435761u) >> 22;  // top 10 bits of a multiplicative hash
      while (table[slot] != kEmpty && table[slot] != c) slot = (slot + 1) & (kSlots - 1);
      if (table[slot] == c) continue;
      if (colours->size() == limit) return false;
      table[slot] = c;
      colours->push_back(c);
    }
  }
  std::sort(colours->begin(), colours->end());
  return true;
}

// Nearest palette entry for any colour, exactly as NearestPaletteIndex would
// choose it, but fast: the colour cube is cut into 32x32x32 cells, and for each
// cell that occurs we keep (once) the few entries that can be nearest to some
// colour inside it. An entry whose closest point of the cell is farther than
// some other entry's farthest point never wins there. A last-colour check
// handles the long runs of screenshots.
class NearestMapper {
 public:
  explicit NearestMapper(const std::vector<PaletteEntry>& palette)
      : palette_(palette), start_(kCells, -1), count_(kCells, 0) {}

  uint32_t Map(Rgb c) {
    if (c == lastColour_) return lastIndex_;
    size_t cell = (size_t(RedOf(c) >> 3) << 10) | (size_t(GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3);
    if (start_[cell] < 0) Fill(cell);
    const uint8_t* cand = candidates_.data() + start_[cell];
    uint32_t best = cand[0];
    long bestDist = std::numeric_limits<long>::max();
    for (int i = 0; i < count_[cell]; ++i) {
      const PaletteEntry& e = palette_[cand[i]];
      long dr = long(e.red) - RedOf(c), dg = long(e.green) - GreenOf(c), db = long(e.blue) - BlueOf(c);
      long d = dr * dr + dg * dg + db * db;
      if (d < bestDist) bestDist = d, best = cand[i];
    }
    lastColour_ = c;
    lastIndex_ = best;
    return best;
  }

 private:
  static constexpr size_t kCells = 32 * 32 * 32;

  static long Gap(int v, int lo, int hi) { return v < lo ? lo - v : v > hi ? v - hi : 0; }
  static long Far(int v, int lo, int hi) { return std::max(std::abs(v - lo), std::abs(v - hi)); }

  void Fill(size_t cell) {
    int lo[3] = {int(cell >> 10) << 3, int((cell >> 5) & 31) << 3, int(cell & 31) << 3};
    std::vector<long> nearDist(palette_.size());
    long threshold = std::numeric_limits<long>::max();
    for (size_t i = 0; i < palette_.size(); ++i) {
      int v[3] = {palette_[i].red, palette_[i].green, palette_[i].blue};
      long n = 0, f = 0;
      for (int k = 0; k < 3; ++k) {
        long g = Gap(v[k], lo[k], lo[k] + 7), fa = Far(v[k], lo[k], lo[k] + 7);
        n += g * g;
        f += fa * fa;
      }
      nearDist[i] = n;
      threshold = std::min(threshold, f);
    }
    start_[cell] = int32_t(candidates_.size());
    for (size_t i = 0; i < palette_.size(); ++i)
      if (nearDist[i] <= threshold) candidates_.push_back(uint8_t(i));
    count_[cell] = int16_t(candidates_.size() - size_t(start_[cell]));
  }

  const std::vector<PaletteEntry>& palette_;
  std::vector<int32_t> start_;
  std::vector<int16_t> count_;
  std::vector<uint8_t> candidates_;
  Rgb lastColour_ = 0xFFFFFFFFu;
  uint32_t lastIndex_ = 0;
};

}  // namespace

void RowToRgb(const Picture& p, int y, Rgb* out) {
  const uint8_t* r = p.row(y);
  const int w = p.width();
  switch (p.bitsPerPixel()) {
    case 1:
    case 4:
    case 8: {
      const auto& pal = p.palette();
      Rgb table[256];
      for (size_t i = 0; i < 256; ++i) table[i] = i < pal.size() ? EntryRgb(pal[i]) : 0;
      if (p.bitsPerPixel() == 8)
        for (int x = 0; x < w; ++x) out[x] = table[r[x]];
      else if (p.bitsPerPixel() == 4)
        for (int x = 0; x < w; ++x) out[x] = table[(r[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
      else
        for (int x = 0; x < w; ++x) out[x] = table[(r[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    }
    case 15:
      for (int x = 0; x < w; ++x) {
        uint32_t v = uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8);
        out[x] = MakeRgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
      }
      break;
    case 16:
      for (int x = 0; x < w; ++x) {
        uint32_t v = uint32_t(r[2 * x]) | (uint32_t(r[2 * x + 1]) << 8);
        out[x] = MakeRgb(Expand5((v >> 11) & 31), Expand6((v >> 5) & 63), Expand5(v & 31));
      }
      break;
    case 24:
      for (int x = 0; x < w; ++x) out[x] = MakeRgb(r[3 * x + 2], r[3 * x + 1], r[3 * x]);
      break;
    case 32:
      for (int x = 0; x < w; ++x) out[x] = MakeRgb(r[4 * x + 2], r[4 * x + 1], r[4 * x]);
      break;
  }
}

std::vector<PaletteEntry> StandardPalette16() {
  static const Rgb kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                               0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  std::vector<PaletteEntry> p;
  for (Rgb c : kVga) p.push_back(RgbEntry(c));
  return p;
}

std::vector<PaletteEntry> ChoosePalette(const Picture& source, int bpp) {
  if (bpp != 1 && bpp != 4 && bpp != 8) return {};
  const size_t entries = size_t(1) << bpp;
  std::vector<Rgb> colours;
  std::vector<PaletteEntry> palette;
  if (DistinctColours(source, entries, &colours)) {
    for (Rgb c : colours) palette.push_back(RgbEntry(c));
  } else if (bpp == 1) {
    palette = {RgbEntry(0x000000), RgbEntry(0xFFFFFF)};
  } else if (bpp == 4) {
    palette = StandardPalette16();
  } else {
    WuQuantizer wu;
    std::vector<Rgb> row(size_t(source.width()));
    for (int y = 0; y < source.height(); ++y) {
      RowToRgb(source, y, row.data());
      for (Rgb c : row) wu.Add(c, 1);
    }
    for (Rgb c : wu.Palette(256)) palette.push_back(RgbEntry(c));
  }
  palette.resize(entries);  // unused entries black
  return palette;
}

std::optional<Picture> ConvertDepth(const Picture& src, int bpp, std::string* error) {
  if (src.empty()) {
    if (error) *error = "There is no picture to convert.";
    return std::nullopt;
  }
  if (bpp == src.bitsPerPixel()) return src;
  auto dst = Picture::Create(src.width(), src.height(), bpp, error);
  if (!dst) return std::nullopt;
  std::vector<Rgb> row(size_t(src.width()));
  if (bpp > 8) {
    for (int y = 0; y < src.height(); ++y) {
      RowToRgb(src, y, row.data());
      RgbToDirectRow(row.data(), src.width(), bpp, dst->row(y));
    }
    return dst;
  }
  dst->palette() = ChoosePalette(src, bpp);
  NearestMapper mapper(dst->palette());
  for (int y = 0; y < src.height(); ++y) {
    RowToRgb(src, y, row.data());
    uint8_t* out = dst->row(y);
    std::memset(out, 0, dst->stride());
    for (int x = 0; x < src.width(); ++x) {
      uint32_t i = mapper.Map(row[size_t(x)]);
      if (bpp == 8)
        out[x] = uint8_t(i);
      else if (bpp == 4)
        out[x >> 1] |= uint8_t(i << ((x & 1) ? 0 : 4));
      else
        out[x >> 3] |= uint8_t(i << (7 - (x & 7)));
    }
  }
  return dst;
}

int PixelFormatDepth(int setting, int screenBpp) {
  static const int kDepths[8] = {0, 1, 4, 8, 15, 16, 24, 32};
  if (setting == 0) return IsSupportedDepth(screenBpp) ? screenBpp : 0;
  if (setting < 1 || setting > 7) return 0;
  return kDepths[setting];
}

bool ApplyPixelFormat(Picture& picture, int setting, int screenBpp, std::string* error) {
  int depth = PixelFormatDepth(setting, screenBpp);
  if (depth == 0 || picture.empty() || depth == picture.bitsPerPixel()) return true;
  auto converted = ConvertDepth(picture, depth, error);
  if (!converted) return false;
  picture = std::move(*converted);
  return true;
}

int ColorDepthOf(const Picture& picture, bool fifteenAs16) {
  switch (picture.bitsPerPixel()) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: return picture.bitsPerPixel();
    case 15: return fifteenAs16 ? 16 : 15;
  }
  return 0;
}

}  // namespace flk
