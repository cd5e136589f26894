#include "scroll/shift_search.h"

#include <algorithm>
#include <cstring>

namespace flk {

std::vector<int> ProbeColumns(int width, int scanLt, int scanRt) {
  std::vector<int> out;
  int span = width - scanLt - scanRt;
  if (span <= 0) return out;
  std::vector<bool> used(size_t(std::max(width, span + scanLt)) + 1, false);
  auto take = [&](int x) {
    if (x < span && x >= 0 && !used[size_t(x)]) {
      used[size_t(x)] = true;
      out.push_back(x);
    }
  };
  int x = span / 2 + scanLt;
  take(x);
  int step = span, level = 1;
  for (;;) {
    x += step;
    if (x >= span) {
      level *= 2;
      step = span / level;
      if (step == 0) break;
      x = step / 2 + scanLt;
    }
    take(x);
  }
  return out;
}

namespace {

bool SameRow(const ScreenBlock& a, const ScreenBlock& b, int y, int x0, int x1) {
  return std::memcmp(a.row(y) + x0, b.row(y) + x0, size_t(x1 - x0) * sizeof(Rgb)) == 0;
}

// Every pixel of the rows a shift joins agrees, not only the probed columns:
// a short overlap can pass a few columns by chance.
bool Confirmed(const ScreenBlock& prev, const ScreenBlock& cur, int dy, int b0, int b1, int x0, int x1) {
  for (int j = b0; j + dy < b1; ++j) {
    const Rgb* c = cur.row(j) + x0;
    const Rgb* p = prev.row(j + dy) + x0;
    if (std::memcmp(c, p, size_t(x1 - x0) * sizeof(Rgb)) == 0) continue;
    for (int x = 0; x < x1 - x0; ++x)
      if (!PixelsAgree(c[x], p[x])) return false;
  }
  return true;
}

constexpr int kMaxProbedColumns = 16;
constexpr size_t kAmbiguityChecks = 4;

}  // namespace

ShiftResult FindShift(const ScreenBlock& prev, const ScreenBlock& cur, const std::vector<int>& probes,
                      int scanLt, int scanRt, FixedBands& bands, std::optional<int> previousDy) {
  ShiftResult r;
  const int n = std::min(prev.height, cur.height);
  const int wd = std::min(prev.width, cur.width);
  if (n <= 0 || wd <= 0) return r;
  int x0 = std::clamp(scanLt, 0, wd), x1 = std::clamp(wd - scanRt, x0, wd);
  if (x1 == x0) x0 = 0, x1 = wd;

  int top = 0;
  while (top < n && SameRow(prev, cur, top, x0, x1)) ++top;
  if (top == n && !bands.known) {
    r.dy = 0;  // nothing changed, and nothing moved before either
    return r;
  }
  int bottom = n;
  if (top < n) {
    bottom = 0;
    while (bottom < n - top && SameRow(prev, cur, n - 1 - bottom, x0, x1)) ++bottom;
    if (!bands.known) bands = FixedBands{true, top, bottom};
    bands.top = std::min(bands.top, top);
    bands.bottom = std::min(bands.bottom, bottom);
  }
  // Rows unchanged in this step but not at every step are contents that only
  // look alike (a blank stretch scrolling by): they take part.
  int b0 = std::min(top, bands.top), b1 = n - std::min(bottom, bands.bottom);
  if (b1 <= b0) b0 = 0, b1 = n;
  r.tailRows = n - b1;

  const int m = b1 - b0;
  std::vector<int> alive(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i) alive[size_t(i)] = i;
  bool textured = false;
  std::vector<Rgb> colC(static_cast<size_t>(n)), colP(static_cast<size_t>(n));
  std::vector<int> edges;
  int probed = 0;
  for (int x : probes) {
    if (x >= wd) continue;
    // Past the first columns the full rows decide, faster than more columns.
    if (++probed > kMaxProbedColumns) break;
    bool uniform = true;
    const Rgb first = cur.at(x, b0);
    for (int j = b0; j < b1; ++j) {
      colC[size_t(j)] = cur.at(x, j);
      colP[size_t(j)] = prev.at(x, j);
      uniform = uniform && colC[size_t(j)] == first && colP[size_t(j)] == first;
    }
    if (uniform) continue;  // every shift fits a one-colour column
    textured = true;
    // Rows where the column changes: a wrong shift nearly always fails at one
    // of them, so they are tried before the full comparison.
    edges.clear();
    for (int j = b0 + 1; j < b1; ++j)
      if (colC[size_t(j)] != colC[size_t(j - 1)]) edges.push_back(j);
    size_t kept = 0;
    for (int dy : alive) {
      bool ok = true;
      for (int j : edges) {
        if (j > b1 - 1 - dy) break;
        if (!PixelsAgree(colC[size_t(j)], colP[size_t(j + dy)])) {
          ok = false;
          break;
        }
      }
      for (int j = b1 - 1 - dy; ok && j >= b0; --j)
        if (!PixelsAgree(colC[size_t(j)], colP[size_t(j + dy)])) ok = false;
      if (ok) alive[kept++] = dy;
    }
    alive.resize(kept);
    if (alive.size() < 2) break;
  }
  // A shift is proven when the rows it joins are not all one colour; one that
  // only joins blank rows proves nothing. The joined rows shrink as the shift
  // grows, so the first row where the region stops being one colour decides.
  const Rgb c0 = cur.row(b0)[x0];
  int varied = b1;
  for (int j = b0; j < b1 && varied == b1; ++j) {
    const Rgb* row = cur.row(j);
    for (int x = x0; x < x1; ++x)
      if (row[x] != c0) {
        varied = j;
        break;
      }
  }
  if (varied < b1) textured = true;
  auto proven = [&](int dy) { return dy < b1 - varied; };
  const bool steadyAlive = previousDy && std::binary_search(alive.begin(), alive.end(), *previousDy);
  // The steady shift first, then the smallest; the first that every pixel
  // confirms wins. Unproven shifts only as the steady one, or when nothing
  // in the region has texture at all.
  std::vector<int> order;
  if (steadyAlive) order.push_back(*previousDy);
  for (int dy : alive)
    if ((!steadyAlive || dy != *previousDy) && (proven(dy) || !textured)) order.push_back(dy);
  for (size_t k = 0; k < order.size(); ++k) {
    if (!Confirmed(prev, cur, order[k], b0, b1, x0, x1)) continue;
    r.dy = order[k];
    // Another shift that fits as well makes the join ambiguous.
    for (size_t o = k + 1; o < order.size() && o < k + 1 + kAmbiguityChecks && !r.ambiguous; ++o)
      r.ambiguous = Confirmed(prev, cur, order[o], b0, b1, x0, x1);
    if (!r.ambiguous && steadyAlive && k == 0)
      for (int dy : alive)
        if (dy != r.dy && (proven(dy) || !textured) && Confirmed(prev, cur, dy, b0, b1, x0, x1)) {
          r.ambiguous = true;
          break;
        }
    return r;
  }
  return r;
}

}  // namespace flk
