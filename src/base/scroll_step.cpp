#include "base/scroll_step.h"

#include <algorithm>

namespace flk {

int ScrollPosition(ScrollRequest request, const ScrollBarState& bar, const ScrollSteps& steps) {
  int p = bar.pos;
  switch (request) {
    case ScrollRequest::LineBack: p -= steps.line; break;
    case ScrollRequest::LineOn: p += steps.line; break;
    case ScrollRequest::PageBack: p -= steps.page; break;
    case ScrollRequest::PageOn: p += steps.page; break;
    case ScrollRequest::Track: p = bar.track; break;
    case ScrollRequest::Start: p = 0; break;
    case ScrollRequest::End: p = steps.last; break;
    case ScrollRequest::None: return bar.pos;
  }
  return std::clamp(p, 0, std::max(0, steps.last));
}

int LastScrollPosition(int max, int page) { return std::max(0, max - page + 1); }

int ClampScroll(int position, int content, int visible) {
  return std::clamp(position, 0, std::max(0, content - visible));
}

}  // namespace flk
