// Index codes: the colours of the one-pixel column painted over a target
// window. Row n of the column shows m = n + 1 as three hexadecimal digits,
// each put in the middle of its 16-value band so that a 15- or 16-bit display
// keeps them.
#pragma once

#include <vector>

#include "base/picture.h"

namespace flk {

Rgb IndexColour(int code);
// The code a pixel shows; -1 for a pixel whose three digits are all 0.
int DecodeIndex(Rgb pixel);
// Colours of codes 0 .. count - 1, one per row.
std::vector<Rgb> IndexColumn(int count);

}  // namespace flk
