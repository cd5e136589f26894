// The monitors as the system reports them now, for the placement rules of
// base/monitors.h, and the few placements every window shares.
#pragma once

#include <windows.h>

#include "base/monitors.h"

namespace flk::win {

// Every monitor (EnumDisplayMonitors), the primary first, each with its own
// DPI (GetDpiForMonitor where the system has it, else the screen's).
MonitorTable CurrentMonitors();
// The virtual screen: the bounding box of all monitors.
Rect VirtualScreenRect();

Rect WindowRectOf(HWND hwnd);
// The monitor a window is on (the one sharing most of it, else the nearest).
Monitor MonitorOfWindow(HWND hwnd);

// Moves a window without sizing it, changing its z-order or activating it.
void MoveWindowTo(HWND hwnd, Point at);
// A window opening at a stored rectangle: there when a monitor still shows
// it, else wholly on the nearest monitor's work area (RestoredRect). Only the
// window moves; what is stored stays until the user moves the window.
void RestoreWindowOnMonitors(HWND hwnd);
// Centres a window on the work area of `over`'s monitor (or of its own monitor
// when `over` is null).
void CentreOnMonitor(HWND hwnd, HWND over = nullptr);

}  // namespace flk::win
