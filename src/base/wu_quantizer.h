// Wu's colour quantiser: a 32x32x32 histogram of the 5-bit cells with the
// moments taken from full 8-bit values; the colour cube is cut, box by box,
// where the summed squared error drops most. Deterministic, one pass over the
// pixels plus work proportional to the histogram. Used for 8-bit pictures and
// for the GIF palette.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/picture.h"

namespace flk {

class WuQuantizer {
 public:
  static constexpr int kSide = 33;

  WuQuantizer() : wt_(kCells), mr_(kCells), mg_(kCells), mb_(kCells), m2_(kCells) {}

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

}  // namespace flk
