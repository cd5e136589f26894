#include "output/png_filters.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace flk {

namespace {

inline uint8_t Paeth(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return uint8_t(a);
  return uint8_t(pb <= pc ? b : c);
}

// Sum of the filtered bytes read as signed values, stopping early once it
// passes `limit` (the best so far): the rest of the row cannot win.
uint64_t SumAbs(const uint8_t* filtered, size_t n, uint64_t limit) {
  uint64_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    sum += filtered[i] < 128 ? filtered[i] : 256u - filtered[i];
    if ((i & 255) == 255 && sum > limit) return sum;
  }
  return sum;
}

template <int kBpp>
int BusyPercentOf(const uint8_t* row, const uint8_t* above, int width) {
  if (width < 2) return 0;
  constexpr uint32_t kMask = kBpp == 4 ? 0xFFFFFFFFu : 0x00FFFFFFu;
  auto load = [](const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v & kMask;
  };
  int busy = 0;
  uint32_t left = load(row);
  for (int x = 1; x < width; ++x) {
    uint32_t cur = load(row + size_t(x) * kBpp);
    bool same = cur == left || (above && cur == load(above + size_t(x) * kBpp));
    busy += !same;
    left = cur;
  }
  return int(int64_t(busy) * 100 / (width - 1));
}

}  // namespace

void FilterPngRow(PngRowFilter filter, const uint8_t* row, const uint8_t* above, size_t n, int bpp, uint8_t* out) {
  out[0] = uint8_t(filter);
  uint8_t* o = out + 1;
  const size_t b = size_t(bpp);
  switch (filter) {
    case PngRowFilter::kNone: std::memcpy(o, row, n); return;
    case PngRowFilter::kSub:
      for (size_t i = 0; i < b && i < n; ++i) o[i] = row[i];
      for (size_t i = b; i < n; ++i) o[i] = uint8_t(row[i] - row[i - b]);
      return;
    case PngRowFilter::kUp:
      if (!above) {
        std::memcpy(o, row, n);
        return;
      }
      for (size_t i = 0; i < n; ++i) o[i] = uint8_t(row[i] - above[i]);
      return;
    case PngRowFilter::kAverage:
      for (size_t i = 0; i < n; ++i) {
        int left = i >= b ? row[i - b] : 0;
        int up = above ? above[i] : 0;
        o[i] = uint8_t(row[i] - ((left + up) >> 1));
      }
      return;
    case PngRowFilter::kPaeth:
      if (!above) {  // with a zero row above, Paeth is Sub
        for (size_t i = 0; i < b && i < n; ++i) o[i] = row[i];
        for (size_t i = b; i < n; ++i) o[i] = uint8_t(row[i] - row[i - b]);
        return;
      }
      for (size_t i = 0; i < b && i < n; ++i) o[i] = uint8_t(row[i] - above[i]);
      for (size_t i = b; i < n; ++i) o[i] = uint8_t(row[i] - Paeth(row[i - b], above[i], above[i - b]));
      return;
  }
}

void UnfilterPngRow(const uint8_t* filtered, const uint8_t* above, size_t n, int bpp, uint8_t* out) {
  const uint8_t* f = filtered + 1;
  const size_t b = size_t(bpp);
  for (size_t i = 0; i < n; ++i) {
    int a = i >= b ? out[i - b] : 0;
    int up = above ? above[i] : 0;
    int c = above && i >= b ? above[i - b] : 0;
    int pred = 0;
    switch (PngRowFilter(filtered[0])) {
      case PngRowFilter::kNone: pred = 0; break;
      case PngRowFilter::kSub: pred = a; break;
      case PngRowFilter::kUp: pred = up; break;
      case PngRowFilter::kAverage: pred = (a + up) >> 1; break;
      case PngRowFilter::kPaeth: pred = Paeth(a, up, c); break;
    }
    out[i] = uint8_t(f[i] + pred);
  }
}

PngRowFilter FilterPngRowAdaptive(const uint8_t* row, const uint8_t* above, size_t n, int bpp, uint8_t* out,
                                  uint8_t* scratch) {
  PngRowFilter best = PngRowFilter::kNone;
  FilterPngRow(best, row, above, n, bpp, out);
  uint64_t bestSum = SumAbs(out + 1, n, UINT64_MAX);
  for (PngRowFilter f : {PngRowFilter::kSub, PngRowFilter::kUp, PngRowFilter::kAverage, PngRowFilter::kPaeth}) {
    if (!above && (f == PngRowFilter::kUp || f == PngRowFilter::kPaeth)) continue;  // None and Sub there
    FilterPngRow(f, row, above, n, bpp, scratch);
    uint64_t sum = SumAbs(scratch + 1, n, bestSum);
    if (sum < bestSum) {
      bestSum = sum;
      best = f;
      std::memcpy(out, scratch, n + 1);
    }
  }
  return best;
}

int PngBusyPercent(const uint8_t* row, const uint8_t* above, int width, int bpp) {
  return bpp == 4 ? BusyPercentOf<4>(row, above, width) : BusyPercentOf<3>(row, above, width);
}

}  // namespace flk
