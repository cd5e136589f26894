// The held picture's scroll arithmetic; see held_view.h.
#include "camera/held_view.h"

#include <algorithm>
#include <iterator>

namespace flk {

HeldViewPlan PlanHeldView(Size picture, Size window, Size bars, Point pos) {
  HeldViewPlan p;
  for (int pass = 0; pass < 2; ++pass) {
    p.horizontal = picture.width > window.width - (p.vertical ? bars.width : 0);
    p.vertical = picture.height > window.height - (p.horizontal ? bars.height : 0);
  }
  p.page.width = std::max(0, window.width - (p.vertical ? bars.width : 0));
  p.page.height = std::max(0, window.height - (p.horizontal ? bars.height : 0));
  p.pos.x = std::clamp(pos.x, 0, std::max(0, picture.width - p.page.width));
  p.pos.y = std::clamp(pos.y, 0, std::max(0, picture.height - p.page.height));
  return p;
}

int HeldScrollTo(ScrollRequest request, int pos, int page, int pictureExtent, int thumb) {
  switch (request) {
    case ScrollRequest::LineUp: pos -= kHeldLineStep; break;
    case ScrollRequest::LineDown: pos += kHeldLineStep; break;
    case ScrollRequest::PageUp: pos -= page; break;
    case ScrollRequest::PageDown: pos += page; break;
    case ScrollRequest::Top: pos = 0; break;
    case ScrollRequest::Bottom: pos = pictureExtent; break;
    case ScrollRequest::Track:
    case ScrollRequest::Position: pos = thumb; break;
    case ScrollRequest::Other: return pos;
  }
  return std::clamp(pos, 0, std::max(0, pictureExtent - page));
}

ScrollRequest ScrollRequestOf(int code) {
  static constexpr ScrollRequest kByCode[] = {ScrollRequest::LineUp, ScrollRequest::LineDown, ScrollRequest::PageUp,
                                              ScrollRequest::PageDown, ScrollRequest::Position, ScrollRequest::Track,
                                              ScrollRequest::Top, ScrollRequest::Bottom};
  return code >= 0 && code < int(std::size(kByCode)) ? kByCode[code] : ScrollRequest::Other;
}

WheelSteps WheelStepsOf(int delta) {
  const int notches = delta / 120;
  if (notches == 0) return {};
  return WheelSteps{notches > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown, notches > 0 ? notches : -notches};
}

}  // namespace flk

