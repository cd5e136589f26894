// The kit's scroll-bar translator: every SB_* code as its request, and a
// position set on a scroll-bar control read back with its range.
#include "win32/scroll_bar_win.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

TEST(ScrollBarWin, EachCodeIsOneRequestInBothDirections) {
  const struct {
    int code;
    ScrollRequest request;
  } cases[] = {{SB_LINEUP, ScrollRequest::LineBack},   {SB_LINELEFT, ScrollRequest::LineBack},
               {SB_LINEDOWN, ScrollRequest::LineOn},   {SB_LINERIGHT, ScrollRequest::LineOn},
               {SB_PAGEUP, ScrollRequest::PageBack},   {SB_PAGELEFT, ScrollRequest::PageBack},
               {SB_PAGEDOWN, ScrollRequest::PageOn},   {SB_PAGERIGHT, ScrollRequest::PageOn},
               {SB_THUMBTRACK, ScrollRequest::Track},  {SB_THUMBPOSITION, ScrollRequest::Track},
               {SB_TOP, ScrollRequest::Start},         {SB_LEFT, ScrollRequest::Start},
               {SB_BOTTOM, ScrollRequest::End},        {SB_RIGHT, ScrollRequest::End},
               {SB_ENDSCROLL, ScrollRequest::None}};
  for (const auto& c : cases)
    EXPECT_EQ(win::ScrollRequestOf(MAKEWPARAM(c.code, 1234)), c.request) << c.code;  // the high word is ignored
}

TEST(ScrollBarWin, APositionSetIsReadBackWithTheRange) {
  HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", SBS_HORZ, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  win::SetScrollBar(bar, SB_CTL, ScrollBarState{7, 0, 99, 10});
  EXPECT_EQ(win::ReadScrollBar(bar, SB_CTL).pos, 7);
  win::SetScrollPosition(bar, SB_CTL, 42);
  const ScrollBarState s = win::ReadScrollBar(bar, SB_CTL);
  EXPECT_EQ(s.pos, 42);
  EXPECT_EQ(s.max, 99);
  EXPECT_EQ(s.page, 10);
  win::SetScrollPosition(bar, SB_CTL, 95);
  EXPECT_EQ(win::ReadScrollBar(bar, SB_CTL).pos, 90) << "the system keeps a whole page showing";
  ::DestroyWindow(bar);
  EXPECT_EQ(win::ReadScrollBar(bar, SB_CTL).pos, 0) << "a window that is gone reads as empty";
}

}  // namespace
}  // namespace flk
