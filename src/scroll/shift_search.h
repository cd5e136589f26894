// The non-index scroll distance: which shift makes the current screen of the
// scrolling region agree with the previous one. Works on two blocks in
// memory (the region before and after the step, same size).
//
// Columns are probed coarse to fine (1/2, 1/4, 3/4, 1/8, ... of the span
// between the left and right margins) and every remaining shift is checked
// against the column, bottom rows first; a pair of pixels agrees when each
// of red, green and blue differs by at most 8. Probing stops when fewer than
// two shifts remain, or after a few columns: then whole rows decide, which in
// memory is faster than more columns.
//
// Rows at the top and at the bottom that are identical before and after every
// step (a title bar, a sticky header, a status bar) take no part in the
// comparison: rows that do not move would otherwise rule out the true shift.
// A shift is taken only when every pixel of the rows it joins agrees (the
// steady shift tried first, then the smallest), and one that joins only
// one-colour rows only when it is the steady shift or the region has no
// texture at all.
#pragma once

#include <optional>
#include <vector>

#include "scroll/screen_source.h"

namespace flk {

// The probe order of the columns (x relative to the capture's left edge).
std::vector<int> ProbeColumns(int width, int scanLt, int scanRt);

// Fixed bands seen so far in a capture: the fewest unchanged rows at the top
// and at the bottom over the steps that changed anything.
struct FixedBands {
  bool known = false;
  int top = 0;
  int bottom = 0;
};

struct ShiftResult {
  int dy = -1;             // rows moved up; 0 no motion; -1 no shift fits
  bool ambiguous = false;  // several shifts fitted
  int tailRows = 0;        // fixed rows at the bottom of the region: new rows go above them
};

// prev and cur: the region before and after the step. previousDy: the last
// shift found in this capture; among several fitting shifts it is taken (a
// steady scroll is the normal case), otherwise the smallest.
ShiftResult FindShift(const ScreenBlock& prev, const ScreenBlock& cur, const std::vector<int>& probes,
                      int scanLt, int scanRt, FixedBands& bands, std::optional<int> previousDy);

inline bool PixelsAgree(Rgb a, Rgb b) {
  auto within8 = [](int u, int v) { return u - v <= 8 && v - u <= 8; };
  return within8(int(a >> 16) & 255, int(b >> 16) & 255) && within8(int(a >> 8) & 255, int(b >> 8) & 255) &&
         within8(int(a) & 255, int(b) & 255);
}

}  // namespace flk
