// Scroll bars of windows and controls: an SB_* code of WM_HSCROLL/WM_VSCROLL
// as the request it makes, a bar's state read, and a new position set. The
// position itself comes from the pure step (base/scroll_step.h).
#pragma once

#include <windows.h>

#include "base/scroll_step.h"

namespace flk::win {

// The request of a WM_HSCROLL/WM_VSCROLL message's wParam (its low word);
// None for the codes that move nothing (SB_ENDSCROLL).
ScrollRequest ScrollRequestOf(WPARAM wp);
// bar: SB_HORZ or SB_VERT for a window's own bars, SB_CTL for a scroll-bar control.
ScrollBarState ReadScrollBar(HWND window, int bar);
void SetScrollPosition(HWND window, int bar, int pos);
// Range 0 .. state.max, the page and the position at once (the track position is the system's).
void SetScrollBar(HWND window, int bar, const ScrollBarState& state);

}  // namespace flk::win
