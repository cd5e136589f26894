#include "win32/scroll_bar_win.h"

#include <algorithm>

namespace flk::win {

ScrollRequest ScrollRequestOf(WPARAM wp) {
  // SB_LINEUP is SB_LINELEFT, SB_TOP is SB_LEFT and so on: one table for both directions.
  switch (LOWORD(wp)) {
    case SB_LINEUP: return ScrollRequest::LineBack;
    case SB_LINEDOWN: return ScrollRequest::LineOn;
    case SB_PAGEUP: return ScrollRequest::PageBack;
    case SB_PAGEDOWN: return ScrollRequest::PageOn;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Track;
    case SB_TOP: return ScrollRequest::Start;
    case SB_BOTTOM: return ScrollRequest::End;
    default: return ScrollRequest::None;
  }
}

ScrollBarState ReadScrollBar(HWND window, int bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  if (!::GetScrollInfo(window, bar, &si)) return {};
  return ScrollBarState{si.nPos, si.nTrackPos, si.nMax, int(si.nPage)};
}

void SetScrollPosition(HWND window, int bar, int pos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  ::SetScrollInfo(window, bar, &si, TRUE);
}

void SetScrollBar(HWND window, int bar, const ScrollBarState& state) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, state.max, UINT(std::max(0, state.page)), state.pos, 0};
  ::SetScrollInfo(window, bar, &si, TRUE);
}

}  // namespace flk::win
