#include "output/quantize.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/wu_quantizer.h"
#include "output/file_formats_rows.h"

namespace flk {

// DEFAULT_PALETTE: its first ten and last ten entries.
const StaticColours kDefaultStaticColours = {
    MakeRgb(0x00, 0x00, 0x00), MakeRgb(0x80, 0x00, 0x00), MakeRgb(0x00, 0x80, 0x00), MakeRgb(0x80, 0x80, 0x00),
    MakeRgb(0x00, 0x00, 0x80), MakeRgb(0x80, 0x00, 0x80), MakeRgb(0x00, 0x80, 0x80), MakeRgb(0xC0, 0xC0, 0xC0),
    MakeRgb(0xC0, 0xDC, 0xC0), MakeRgb(0xA6, 0xCA, 0xF0), MakeRgb(0xFF, 0xFB, 0xF0), MakeRgb(0xA0, 0xA0, 0xA4),
    MakeRgb(0x80, 0x80, 0x80), MakeRgb(0xFF, 0x00, 0x00), MakeRgb(0x00, 0xFF, 0x00), MakeRgb(0xFF, 0xFF, 0x00),
    MakeRgb(0x00, 0x00, 0xFF), MakeRgb(0xFF, 0x00, 0xFF), MakeRgb(0x00, 0xFF, 0xFF), MakeRgb(0xFF, 0xFF, 0xFF),
};

namespace {

constexpr int kRefineRounds = 3;

inline uint32_t Mix(uint32_t c) { return c * 2654435761u; }

// A small open-addressing set of colours, stored as colour + 1 (0 = empty).
template <int kBits>
class ColourSet {
 public:
  bool Contains(uint32_t c) const {
    for (uint32_t i = Mix(c) >> (32 - kBits);; i = (i + 1) & kMask) {
      if (slots_[i] == 0) return false;
      if (slots_[i] == c + 1) return true;
    }
  }
  // Returns true when the colour was new. The caller keeps the fill low.
  bool Insert(uint32_t c) {
    for (uint32_t i = Mix(c) >> (32 - kBits);; i = (i + 1) & kMask) {
      if (slots_[i] == c + 1) return false;
      if (slots_[i] == 0) {
        slots_[i] = c + 1;
        colours_.push_back(c);
        return true;
      }
    }
  }
  const std::vector<uint32_t>& colours() const { return colours_; }

 private:
  static constexpr uint32_t kMask = (1u << kBits) - 1;
  uint32_t slots_[1u << kBits] = {};
  std::vector<uint32_t> colours_;
};

// Lloyd iterations on the cell means: every occupied cell goes to its nearest
// palette entry, and each picture entry moves to the weighted mean of what it
// received. The static entries stay put. Wu's boxes are a good start but are
// cut along the axes; this lets the entries follow the colours.
void Refine(GifPaletteColours& palette, const std::vector<WuQuantizer::Cell>& cells, int firstMovable, int movableCount,
            int iterations) {
  struct Sum {
    int64_t w = 0, r = 0, g = 0, b = 0;
  };
  for (int it = 0; it < iterations; ++it) {
    NearestColourMap map(palette);
    std::vector<Sum> sums(256);
    for (const WuQuantizer::Cell& c : cells) {
      Rgb mean = MakeRgb(uint8_t((c.r + c.weight / 2) / c.weight), uint8_t((c.g + c.weight / 2) / c.weight),
                         uint8_t((c.b + c.weight / 2) / c.weight));
      Sum& s = sums[map.Map(mean)];
      s.w += c.weight;
      s.r += c.r;
      s.g += c.g;
      s.b += c.b;
    }
    bool moved = false;
    for (int i = firstMovable; i < firstMovable + movableCount; ++i) {
      const Sum& s = sums[size_t(i)];
      if (s.w == 0) continue;
      Rgb c = MakeRgb(uint8_t((s.r + s.w / 2) / s.w), uint8_t((s.g + s.w / 2) / s.w), uint8_t((s.b + s.w / 2) / s.w));
      moved |= c != palette[size_t(i)];
      palette[size_t(i)] = c;
    }
    if (!moved) break;
  }
}

}  // namespace

GifPaletteColours BuildGifPalette(const Picture& picture, const StaticColours& statics, QuantizeStats* stats) {
  ColourSet<6> isStatic;
  for (Rgb c : statics) isStatic.Insert(c & 0xFFFFFF);
  auto distinct = std::make_unique<ColourSet<10>>();
  bool overflow = false;
  auto wu = std::make_unique<WuQuantizer>();

  RowReader reader(picture);
  const int w = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    const uint8_t* p = reader.Bgrx(y);
    int x = 0;
    while (x < w) {
      // Runs of one colour are frequent on screens: count them once.
      uint32_t c;
      std::memcpy(&c, p + 4 * x, 4);
      int run = 1;
      while (x + run < w) {
        uint32_t d;
        std::memcpy(&d, p + 4 * (x + run), 4);
        if (((d ^ c) & 0xFFFFFF) != 0) break;
        ++run;
      }
      x += run;
      Rgb colour = MakeRgb(uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
      if (isStatic.Contains(colour)) continue;
      wu->Add(colour, run);
      if (!overflow && distinct->Insert(colour) && distinct->colours().size() > size_t(kGifPictureColours))
        overflow = true;
    }
  }

  std::vector<Rgb> chosen;
  std::vector<WuQuantizer::Cell> cells;
  if (!overflow) {
    chosen = distinct->colours();
    std::sort(chosen.begin(), chosen.end());
  } else {
    cells = wu->Cells();
    chosen = wu->Palette(kGifPictureColours);
  }
  if (stats) {
    stats->distinctColours = int(distinct->colours().size());
    stats->exact = !overflow;
    stats->boxes = int(chosen.size());
  }

  GifPaletteColours palette{};
  for (int i = 0; i < 10; ++i) palette[size_t(i)] = statics[size_t(i)] & 0xFFFFFF;
  for (int i = 0; i < 10; ++i) palette[size_t(246 + i)] = statics[size_t(10 + i)] & 0xFFFFFF;
  // Unused picture entries repeat black; the lowest index wins a tie, so they are never chosen.
  for (size_t i = 0; i < chosen.size() && i < size_t(kGifPictureColours); ++i) palette[10 + i] = chosen[i];
  if (overflow) Refine(palette, cells, 10, int(std::min(chosen.size(), size_t(kGifPictureColours))), kRefineRounds);
  return palette;
}

NearestColourMap::NearestColourMap(const GifPaletteColours& palette) : cache_(size_t(1) << kCacheBits) {
  for (int i = 0; i < 256; ++i) {
    Rgb c = palette[size_t(i)];
    byGreen_.push_back(Entry{RedOf(c), GreenOf(c), BlueOf(c), i});
  }
  std::stable_sort(byGreen_.begin(), byGreen_.end(), [](const Entry& a, const Entry& b) { return a.g < b.g; });
}

uint8_t NearestColourMap::Search(uint32_t colour) const {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  // Start at the first entry with green >= g and walk outwards both ways.
  int n = int(byGreen_.size());
  int hi = int(std::lower_bound(byGreen_.begin(), byGreen_.end(), g,
                                [](const Entry& e, int v) { return e.g < v; }) -
               byGreen_.begin());
  int lo = hi - 1;
  int best = 1 << 30, bestIndex = 256;
  auto consider = [&](const Entry& e) {
    int dr = e.r - r, dg = e.g - g, db = e.b - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && e.index < bestIndex)) {
      best = d;
      bestIndex = e.index;
    }
  };
  while (lo >= 0 || hi < n) {
    bool more = false;
    if (hi < n) {
      int dg = byGreen_[size_t(hi)].g - g;
      if (dg * dg <= best) {
        consider(byGreen_[size_t(hi)]);
        ++hi;
        more = true;
      } else {
        hi = n;
      }
    }
    if (lo >= 0) {
      int dg = g - byGreen_[size_t(lo)].g;
      if (dg * dg <= best) {
        consider(byGreen_[size_t(lo)]);
        --lo;
        more = true;
      } else {
        lo = -1;
      }
    }
    if (!more) break;
  }
  return uint8_t(bestIndex);
}

void NearestColourMap::MapRow(const uint8_t* bgrx, int width, uint8_t* indices) {
  uint32_t last = 0xFFFFFFFF;
  uint8_t lastIndex = 0;
  for (int x = 0; x < width; ++x) {
    uint32_t c = uint32_t(bgrx[4 * x]) | (uint32_t(bgrx[4 * x + 1]) << 8) | (uint32_t(bgrx[4 * x + 2]) << 16);
    if (c != last) {
      last = c;
      lastIndex = Map(c);
    }
    indices[x] = lastIndex;
  }
}

}  // namespace flk
