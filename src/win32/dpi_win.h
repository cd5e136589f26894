// The DPI of a window (per-monitor aware: the monitor it is on) and the
// compositor's show/hide transitions.
#pragma once

#include <windows.h>

#include "base/dpi.h"

namespace flk::win {

// GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
DpiScale WindowScale(HWND hwnd);

// A font of `points` at the window's scale (negative height = character height).
int FontHeightForPoints(int points, const DpiScale& scale);

// Turns off the compositor's fade when the window is shown or hidden, so that a
// grab taken right after hiding it never catches it half faded. Harmless where
// the compositor or the attribute is missing.
void DisableTransitions(HWND hwnd);

}  // namespace flk::win
