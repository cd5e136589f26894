#include "output/quantize.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

// Wu's colour quantiser over a 32x32x32 histogram of the 5-bit cells, with the
// moments taken from full 8-bit values.
class Wu {
 public:
  static constexpr int kSide = 33;

  Wu() : wt_(kCells), mr_(kCells), mg_(kCells), mb_(kCells), m2_(kCells) {}

  void Add(uint32_t c, int64_t n) {
    int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    size_t i = Index((r >> 3) + 1, (g >> 3) + 1, (b >> 3) + 1);
    wt_[i] += n;
    mr_[i] += n * r;
    mg_[i] += n * g;
    mb_[i] += n * b;
    m2_[i] += n * (r * r + g * g + b * b);
  }

  struct Cell {
    int64_t weight, r, g, b;
  };
  // The occupied cells with their weights and 8-bit sums; call before Palette().
  std::vector<Cell> Cells() const {
    std::vector<Cell> cells;
    for (size_t i = 0; i < kCells; ++i)
      if (wt_[i] > 0) cells.push_back(Cell{wt_[i], mr_[i], mg_[i], mb_[i]});
    return cells;
  }

  // Up to maxColours box means, as 0x00RRGGBB.
  std::vector<Rgb> Palette(int maxColours) {
    Accumulate();
    std::vector<Box> cube(size_t(maxColours) + 1);
    std::vector<double> vv(size_t(maxColours) + 1, 0.0);
    cube[0] = Box{0, kSide - 1, 0, kSide - 1, 0, kSide - 1, 0};
    if (Vol(cube[0], wt_) == 0) return {};
    int count = maxColours;
    int next = 0;
    for (int i = 1; i < count; ++i) {
      if (Cut(cube[size_t(next)], cube[size_t(i)])) {
        vv[size_t(next)] = Volume(cube[size_t(next)]) > 1 ? Var(cube[size_t(next)]) : 0.0;
        vv[size_t(i)] = Volume(cube[size_t(i)]) > 1 ? Var(cube[size_t(i)]) : 0.0;
      } else {
        vv[size_t(next)] = 0.0;
        --i;
      }
      next = 0;
      double best = vv[0];
      for (int k = 1; k <= i; ++k)
        if (vv[size_t(k)] > best) {
          best = vv[size_t(k)];
          next = k;
        }
      if (best <= 0.0) {
        count = i + 1;
        break;
      }
    }
    std::vector<Rgb> out;
    for (int k = 0; k < count; ++k) {
      const Box& b = cube[size_t(k)];
      int64_t w = Vol(b, wt_);
      if (w <= 0) continue;
      auto mean = [&](const std::vector<int64_t>& m) {
        return uint8_t(std::clamp<int64_t>((Vol(b, m) * 2 + w) / (2 * w), 0, 255));
      };
      out.push_back(MakeRgb(mean(mr_), mean(mg_), mean(mb_)));
    }
    return out;
  }

 private:
  static constexpr size_t kCells = size_t(kSide) * kSide * kSide;
  struct Box {
    int r0, r1, g0, g1, b0, b1, unused;
  };
  enum Dir { kRed, kGreen, kBlue };

  static size_t Index(int r, int g, int b) { return (size_t(r) * kSide + size_t(g)) * kSide + size_t(b); }
  static int Volume(const Box& b) { return (b.r1 - b.r0) * (b.g1 - b.g0) * (b.b1 - b.b0); }

  // Turns the histogram into cumulative moments over [1..r][1..g][1..b].
  void Accumulate() {
    std::vector<int64_t>* all[] = {&wt_, &mr_, &mg_, &mb_, &m2_};
    for (auto* m : all) {
      auto& v = *m;
      for (int r = 1; r < kSide; ++r)
        for (int g = 1; g < kSide; ++g)
          for (int b = 1; b < kSide; ++b)
            v[Index(r, g, b)] += v[Index(r - 1, g, b)] + v[Index(r, g - 1, b)] + v[Index(r, g, b - 1)] -
                                 v[Index(r - 1, g - 1, b)] - v[Index(r - 1, g, b - 1)] - v[Index(r, g - 1, b - 1)] +
                                 v[Index(r - 1, g - 1, b - 1)];
    }
  }

  static int64_t Vol(const Box& c, const std::vector<int64_t>& m) {
    return m[Index(c.r1, c.g1, c.b1)] - m[Index(c.r1, c.g1, c.b0)] - m[Index(c.r1, c.g0, c.b1)] +
           m[Index(c.r1, c.g0, c.b0)] - m[Index(c.r0, c.g1, c.b1)] + m[Index(c.r0, c.g1, c.b0)] +
           m[Index(c.r0, c.g0, c.b1)] - m[Index(c.r0, c.g0, c.b0)];
  }

  static int64_t Bottom(const Box& c, Dir d, const std::vector<int64_t>& m) {
    switch (d) {
      case kRed:
        return -m[Index(c.r0, c.g1, c.b1)] + m[Index(c.r0, c.g1, c.b0)] + m[Index(c.r0, c.g0, c.b1)] -
               m[Index(c.r0, c.g0, c.b0)];
      case kGreen:
        return -m[Index(c.r1, c.g0, c.b1)] + m[Index(c.r1, c.g0, c.b0)] + m[Index(c.r0, c.g0, c.b1)] -
               m[Index(c.r0, c.g0, c.b0)];
      case kBlue:
        return -m[Index(c.r1, c.g1, c.b0)] + m[Index(c.r1, c.g0, c.b0)] + m[Index(c.r0, c.g1, c.b0)] -
               m[Index(c.r0, c.g0, c.b0)];
    }
    return 0;
  }

  static int64_t Top(const Box& c, Dir d, int pos, const std::vector<int64_t>& m) {
    switch (d) {
      case kRed:
        return m[Index(pos, c.g1, c.b1)] - m[Index(pos, c.g1, c.b0)] - m[Index(pos, c.g0, c.b1)] +
               m[Index(pos, c.g0, c.b0)];
      case kGreen:
        return m[Index(c.r1, pos, c.b1)] - m[Index(c.r1, pos, c.b0)] - m[Index(c.r0, pos, c.b1)] +
               m[Index(c.r0, pos, c.b0)];
      case kBlue:
        return m[Index(c.r1, c.g1, pos)] - m[Index(c.r1, c.g0, pos)] - m[Index(c.r0, c.g1, pos)] +
               m[Index(c.r0, c.g0, pos)];
    }
    return 0;
  }

  double Var(const Box& c) const {
    double dr = double(Vol(c, mr_)), dg = double(Vol(c, mg_)), db = double(Vol(c, mb_));
    double w = double(Vol(c, wt_));
    if (w <= 0) return 0.0;
    return double(Vol(c, m2_)) - (dr * dr + dg * dg + db * db) / w;
  }

  double Maximize(const Box& c, Dir d, int first, int last, int* cut, int64_t wr, int64_t wg, int64_t wb,
                  int64_t ww) const {
    int64_t br = Bottom(c, d, mr_), bg = Bottom(c, d, mg_), bb = Bottom(c, d, mb_), bw = Bottom(c, d, wt_);
    double best = 0.0;
    *cut = -1;
    for (int i = first; i < last; ++i) {
      double hr = double(br + Top(c, d, i, mr_)), hg = double(bg + Top(c, d, i, mg_)),
             hb = double(bb + Top(c, d, i, mb_));
      int64_t hw = bw + Top(c, d, i, wt_);
      if (hw == 0) continue;
      double t = (hr * hr + hg * hg + hb * hb) / double(hw);
      hr = double(wr) - hr;
      hg = double(wg) - hg;
      hb = double(wb) - hb;
      int64_t rw = ww - hw;
      if (rw == 0) continue;
      t += (hr * hr + hg * hg + hb * hb) / double(rw);
      if (t > best) {
        best = t;
        *cut = i;
      }
    }
    return best;
  }

  bool Cut(Box& a, Box& b) const {
    int64_t wr = Vol(a, mr_), wg = Vol(a, mg_), wb = Vol(a, mb_), ww = Vol(a, wt_);
    int cr, cg, cb;
    double maxr = Maximize(a, kRed, a.r0 + 1, a.r1, &cr, wr, wg, wb, ww);
    double maxg = Maximize(a, kGreen, a.g0 + 1, a.g1, &cg, wr, wg, wb, ww);
    double maxb = Maximize(a, kBlue, a.b0 + 1, a.b1, &cb, wr, wg, wb, ww);
    Dir d;
    if (maxr >= maxg && maxr >= maxb) {
      d = kRed;
      if (cr < 0) return false;
    } else if (maxg >= maxr && maxg >= maxb) {
      d = kGreen;
    } else {
      d = kBlue;
    }
    b.r1 = a.r1;
    b.g1 = a.g1;
    b.b1 = a.b1;
    switch (d) {
      case kRed:
        b.r0 = a.r1 = cr;
        b.g0 = a.g0;
        b.b0 = a.b0;
        break;
      case kGreen:
        b.g0 = a.g1 = cg;
        b.r0 = a.r0;
        b.b0 = a.b0;
        break;
      case kBlue:
        b.b0 = a.b1 = cb;
        b.r0 = a.r0;
        b.g0 = a.g0;
        break;
    }
    return true;
  }

  std::vector<int64_t> wt_, mr_, mg_, mb_, m2_;
};

// Lloyd iterations on the cell means: every occupied cell goes to its nearest
// palette entry, and each picture entry moves to the weighted mean of what it
// received. The static entries stay put. Wu's boxes are a good start but are
// cut along the axes; this lets the entries follow the colours.
void Refine(GifPaletteColours& palette, const std::vector<Wu::Cell>& cells, int firstMovable, int movableCount,
            int iterations) {
  struct Sum {
    int64_t w = 0, r = 0, g = 0, b = 0;
  };
  for (int it = 0; it < iterations; ++it) {
    NearestColourMap map(palette);
    std::vector<Sum> sums(256);
    for (const Wu::Cell& c : cells) {
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
  auto wu = std::make_unique<Wu>();

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
  std::vector<Wu::Cell> cells;
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
