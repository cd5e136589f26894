// Where windows go on a desktop of several monitors. Everything is in
// virtual-screen coordinates: the primary monitor's top-left is (0, 0) and a
// monitor left of or above it has negative coordinates. The glue fills a
// MonitorTable from the system and performs what these rules answer; nothing
// here assumes the primary monitor, and each monitor has its own scale.
#pragma once

#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"

namespace flk {

struct Monitor {
  Rect area;  // the whole monitor
  Rect work;  // without the taskbar and other docked bars
  int dpi = kBaseDpi;
  friend bool operator==(const Monitor&, const Monitor&) = default;
};
// The primary monitor first, as the glue lists them.
using MonitorTable = std::vector<Monitor>;

// The bounding box of all monitors (the virtual screen); empty without monitors.
Rect VirtualScreen(const MonitorTable& monitors);

// The monitor a rectangle belongs to: the one sharing the largest area with
// it, else the nearest one (a tie goes to the earlier). -1 without monitors.
int MonitorOfRect(const MonitorTable& monitors, const Rect& r);
// The monitor showing a point, else the nearest one.
int MonitorOfPoint(const MonitorTable& monitors, Point p);
// The monitor of a rectangle or point itself; a 1024 x 768 monitor at (0, 0)
// stands in when the table is empty, so callers always get a screen.
Monitor MonitorFor(const MonitorTable& monitors, const Rect& r);
Monitor MonitorAt(const MonitorTable& monitors, Point p);

// The parts of `area` that no monitor shows, as disjoint rectangles.
std::vector<Rect> UncoveredParts(const MonitorTable& monitors, const Rect& area);
// Every pixel of r lies on some monitor (across monitors counts).
bool WhollyShown(const MonitorTable& monitors, const Rect& r);
// A monitor shows enough of r to take hold of it: a piece of at least
// kMinShown x kMinShown pixels, or all of r where it is smaller.
inline constexpr int kMinShown = 32;
bool ShownSomewhere(const MonitorTable& monitors, const Rect& r);

// r moved (and, where larger, cut down) so that it lies wholly inside `into`.
Rect MoveWhollyInto(const Rect& r, const Rect& into);

// A window opening at a rectangle stored earlier: where it was whenever some
// monitor still shows it, else moved wholly onto the work area of the
// nearest monitor.
Rect RestoredRect(const MonitorTable& monitors, const Rect& stored);

// What a window that RestoredRect placed stores when it closes: the stored
// rectangle again while it still stands where it was opened (its monitor may
// come back), else where the user put it.
Rect RectToStore(const Rect& stored, const Rect& opened, const Rect& now);

// A window of `size` pixels laid out at `fromDpi`, placed with its top-left
// at `at`: the monitor there gives it its scale, so the size is rescaled to
// that monitor's DPI (as the system does after the move), and the result is
// then kept wholly on that monitor's work area.
struct Placement {
  Rect rect;
  int dpi = kBaseDpi;
  friend bool operator==(const Placement&, const Placement&) = default;
};
Placement PlaceOnMonitor(const MonitorTable& monitors, Point at, Size size, int fromDpi);

// A length in pixels at one DPI as pixels at another (rounded to nearest).
int RescaleLength(int px, int fromDpi, int toDpi);

// The top-left of a box centred on a work area (halves truncated toward zero,
// also for a box larger than the area).
Point CentredIn(const Rect& work, Size size);

}  // namespace flk
