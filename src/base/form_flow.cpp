#include "base/form_flow.h"

#include <algorithm>

namespace flk {

FlowedForm FlowDown(const std::vector<Rect>& design, const std::vector<int>& needed, const DpiScale& s) {
  FlowedForm out;
  out.rects.reserve(design.size());
  // How much each box grows, in window pixels.
  std::vector<int> growth(design.size(), 0);
  for (size_t i = 0; i < design.size() && i < needed.size(); ++i)
    growth[i] = std::max(0, needed[i] - s(design[i]).height());
  int lowest = 0, lowestGrown = 0;
  for (size_t i = 0; i < design.size(); ++i) {
    // Moved by the growth of every box above it, and grown by its own.
    int moved = 0;
    for (size_t j = 0; j < design.size(); ++j)
      if (j != i && growth[j] > 0 && design[j].bottom <= design[i].top) moved += growth[j];
    Rect r = s(design[i]).offset(0, moved);
    r.bottom += growth[i];
    out.rects.push_back(r);
    lowest = std::max(lowest, s(design[i].bottom));
    lowestGrown = std::max(lowestGrown, r.bottom);
  }
  out.grownBy = std::max(0, lowestGrown - lowest);
  return out;
}

}  // namespace flk
