// Forms designed at 96 DPI whose texts need more lines at another scale or in
// another font than the design gave them. Each text box grows to the height
// its text measures, and everything that lies wholly below it moves down by
// as much; boxes beside it stay where they are.
#pragma once

#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"

namespace flk {

struct FlowedForm {
  std::vector<Rect> rects;  // in window pixels, one per design rectangle
  int grownBy = 0;          // how much taller the form's client must be
};

// design: the boxes at 96 DPI; needed[i]: the height box i's text takes in
// window pixels (0, or a missing entry, for a box that keeps its height).
FlowedForm FlowDown(const std::vector<Rect>& design, const std::vector<int>& needed, const DpiScale& s);

}  // namespace flk
