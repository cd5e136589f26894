// Moving and resizing the camera without hiding it. The view is a copy of the
// screen beneath the camera (bmpBkgnd), so every step of a drag must keep that
// copy matching the window's new rectangle: the part that both rectangles
// share moves inside the copy, and only the strips that the step uncovers are
// fetched from the screen. A step larger than the camera fetches everything.
//
// Everything here is arithmetic on rectangles; the window code performs the
// resulting copies with BitBlt.
#pragma once

#include <vector>

#include "base/geometry.h"

namespace flk {

// ---- strips ------------------------------------------------------------------------

// The parts of `to` that `from` does not cover, as at most four disjoint
// rectangles (full-width bands above and below, then side pieces).
std::vector<Rect> Uncovered(const Rect& from, const Rect& to);

// How bmpBkgnd follows the window from `from` to `to` (screen coordinates).
struct BkgndStep {
  Size size;               // the copy's new size (to's size)
  bool keep = false;       // old content is kept...
  Point keepAt;            // ...placed at this offset in the new copy (from - to)
  Rect kept;               // the shared part, in the new copy's coordinates
  std::vector<Rect> fetch; // screen rectangles to copy; each lands at (r - to.topLeft)
  bool whole() const { return !keep; }
};
BkgndStep PlanBkgndStep(const Rect& from, const Rect& to);

// A live move draws a ghost of the camera over the screen. Moving the ghost
// from `from` to `to` first gives back to the screen the parts of the old
// area that the new one leaves, from the copy (source offsets in the old copy
// are r - from.topLeft); then the copy follows as with PlanBkgndStep.
std::vector<Rect> GhostGiveBack(const Rect& from, const Rect& to);

// Where a window change (WM_WINDOWPOSCHANGING) puts the window: its place
// unless the change moves it, its size unless the change sizes it.
Rect RectAfterChange(const Rect& now, bool moves, Point to, bool sizes, Size size);

// ---- resize edges and cursors --------------------------------------------------

enum ResizeEdge { kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8 };

// Edges that a press at (x, y) of a w x h camera moves.
int ResizeEdgesAt(int x, int y, int w, int h);

enum class ResizeCursor { Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW };
// The cursor over the frame while no drag runs.
ResizeCursor FrameCursorAt(int x, int y, int w, int h, bool viewStale);

// ---- resize steps --------------------------------------------------------------------

struct ResizeDrag {
  int edges = 0;   // ResizeEdge bits
  Point last;      // the last cursor position used, per axis
};

ResizeDrag BeginResize(int edges, Point cursor);

struct ResizeOutcome {
  Rect window;          // the new window rectangle
  bool repaint = false; // the width or height hit the screen's and the view repaints
  bool changed = false; // the rectangle differs from the one the step started from
};

// One mouse move of a resize drag. A growing edge follows the cursor up to
// the screen's size (a right or bottom edge pushed further slides the window
// instead); a shrinking edge follows only while the camera stays at least
// minWidth x minHeight, and otherwise stays where it stopped without
// remembering the cursor, so the cursor must come back before it follows.
ResizeOutcome ResizeStep(ResizeDrag& drag, const Rect& window, Point cursor, Size screen, int minWidth,
                         int minHeight);

// GrowBy: one resize step in which only the right and bottom edges move by
// (dx, dy).
ResizeOutcome GrowBy(const Rect& window, int dx, int dy, Size screen, int minWidth, int minHeight);

}  // namespace flk
