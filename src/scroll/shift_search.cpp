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
  // A shift is verified by a column where the rows it joins are not all one
  // colour; one that only joins blank rows proves nothing.
  std::vector<bool> verified(static_cast<size_t>(m), false);
  bool textured = false;
  std::vector<Rgb> colC(static_cast<size_t>(n)), colP(static_cast<size_t>(n));
  for (int x : probes) {
    if (x >= wd) continue;
    bool uniform = true;
    const Rgb first = cur.at(x, b0);
    int firstChange = b1;
    for (int j = b0; j < b1; ++j) {
      colC[size_t(j)] = cur.at(x, j);
      colP[size_t(j)] = prev.at(x, j);
      if (firstChange == b1 && colC[size_t(j)] != first) firstChange = j;
      uniform = uniform && colC[size_t(j)] == first && colP[size_t(j)] == first;
    }
    if (uniform) continue;  // every shift fits a one-colour column
    textured = true;
    size_t kept = 0;
    for (int dy : alive) {
      bool ok = true;
      for (int j = b1 - 1 - dy; j >= b0; --j)
        if (!PixelsAgree(colC[size_t(j)], colP[size_t(j + dy)])) {
          ok = false;
          break;
        }
      if (!ok) continue;
      alive[kept++] = dy;
      if (dy < b1 - firstChange) verified[size_t(dy)] = true;
    }
    alive.resize(kept);
    if (alive.empty() || (alive.size() == 1 && verified[size_t(alive[0])])) break;
  }
  std::vector<int> proven;
  for (int dy : alive)
    if (verified[size_t(dy)]) proven.push_back(dy);
  const bool steady = previousDy && std::binary_search(alive.begin(), alive.end(), *previousDy);
  if (proven.empty() && !steady && textured) return r;  // only blank joins fit: no shift is shown
  std::vector<int> fit = proven.empty() ? alive : proven;
  // The steady shift first, then the smallest; the first that every column confirms.
  const bool ambiguous = fit.size() > 1;
  if (previousDy && std::binary_search(fit.begin(), fit.end(), *previousDy))
    fit.insert(fit.begin(), *previousDy);
  for (size_t k = 0; k < fit.size() && k < 8; ++k)
    if (Confirmed(prev, cur, fit[k], b0, b1, x0, x1)) {
      r.dy = fit[k];
      r.ambiguous = ambiguous;
      return r;
    }
  return r;
}

}  // namespace flk
