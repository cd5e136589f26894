// One step of a scroll bar: what the user asked of it (a line, a page, the
// dragged box, an end) and the position that gives. The windows that scroll
// (the tip pages, the viewer's picture box and its thumbnail strip) differ only
// in their steps and their last position, which they pass in.
#pragma once

namespace flk {

enum class ScrollRequest { None, LineBack, LineOn, PageBack, PageOn, Track, Start, End };

// A bar as the system reports it (its range starts at 0).
struct ScrollBarState {
  int pos = 0;    // the present position
  int track = 0;  // where its box is being dragged
  int max = 0;    // the range's end
  int page = 0;   // the visible length
};

struct ScrollSteps {
  int line = 1;  // a line's step
  int page = 1;  // a page's step
  int last = 0;  // the highest position (End goes there)
};

// The position after the request, kept within 0 .. steps.last; None leaves it.
int ScrollPosition(ScrollRequest request, const ScrollBarState& bar, const ScrollSteps& steps);

// The last position at which a whole page still shows, for a bar of 0 .. max.
int LastScrollPosition(int max, int page);
// A position kept in range when the content or the view changed size.
int ClampScroll(int position, int content, int visible);

}  // namespace flk
