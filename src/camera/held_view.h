// The held picture of Hold inside its red border: which scroll bars it needs
// and where it shows from, and where a scroll request takes it.
#pragma once

#include "base/geometry.h"

namespace flk {

inline constexpr int kHeldLineStep = 16;  // pixels per scroll-bar arrow click or wheel notch

struct HeldViewPlan {
  bool horizontal = false, vertical = false;  // the scroll bars shown
  Size page;   // the part of the picture in sight
  Point pos;   // the picture's pixel at the view's top left
};
// window: the lock view's outer size; bars: the vertical bar's width and the
// horizontal bar's height. A bar is needed when the picture is larger than the
// room the other bar leaves.
HeldViewPlan PlanHeldView(Size picture, Size window, Size bars, Point pos);

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Track, Position, Other };
// A scroll bar's request code (SB_LINEUP 0 .. SB_BOTTOM 7, the Windows values).
ScrollRequest ScrollRequestOf(int code);
// A wheel turn of `delta` (120 a notch, forward positive): line steps up or down, one a notch.
struct WheelSteps {
  ScrollRequest request = ScrollRequest::Other;
  int count = 0;
};
WheelSteps WheelStepsOf(int delta);
// The new position on one axis; nothing changes for Other.
int HeldScrollTo(ScrollRequest request, int pos, int page, int pictureExtent, int thumb);

}  // namespace flk
