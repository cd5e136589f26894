// The monitors as the system reports them now, for the placement rules of
// base/monitors.h.
#pragma once

#include <windows.h>

#include <vector>

#include "base/monitors.h"

namespace flk::win {

// Every monitor (EnumDisplayMonitors), the primary first, each with its own
// DPI (GetDpiForMonitor where the system has it, else the screen's).
MonitorTable CurrentMonitors();
// Only the monitors' rectangles (no DPI asked): cheap enough for every strip
// a camera drag copies from the screen.
std::vector<Rect> MonitorAreas();
// The virtual screen: the bounding box of all monitors.
Rect VirtualScreenRect();

Rect WindowRectOf(HWND hwnd);
// The monitor a window is on (the one sharing most of it, else the nearest).
Monitor MonitorOfWindow(HWND hwnd);

}  // namespace flk::win
