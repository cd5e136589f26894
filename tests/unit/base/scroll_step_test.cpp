#include "base/scroll_step.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

TEST(ScrollStep, EachRequestMovesByItsStepAndStaysInRange) {
  const ScrollBarState bar{40, 75, 0, 0};
  const ScrollSteps steps{3, 25, 90};
  const struct {
    ScrollRequest request;
    int expected;
  } cases[] = {{ScrollRequest::LineBack, 37}, {ScrollRequest::LineOn, 43}, {ScrollRequest::PageBack, 15},
               {ScrollRequest::PageOn, 65},   {ScrollRequest::Track, 75},  {ScrollRequest::Start, 0},
               {ScrollRequest::End, 90},      {ScrollRequest::None, 40}};
  for (const auto& c : cases) EXPECT_EQ(ScrollPosition(c.request, bar, steps), c.expected) << int(c.request);
  EXPECT_EQ(ScrollPosition(ScrollRequest::PageBack, {10, 0, 0, 0}, steps), 0) << "not before the start";
  EXPECT_EQ(ScrollPosition(ScrollRequest::PageOn, {80, 0, 0, 0}, steps), 90) << "not past the last";
  EXPECT_EQ(ScrollPosition(ScrollRequest::Track, {0, 500, 0, 0}, steps), 90);
  EXPECT_EQ(ScrollPosition(ScrollRequest::End, {5, 0, 0, 0}, ScrollSteps{1, 1, -1}), 0) << "nothing to scroll";
}

TEST(ScrollStep, TheLastPositionShowsAWholePage) {
  EXPECT_EQ(LastScrollPosition(499, 200), 300);
  EXPECT_EQ(LastScrollPosition(99, 100), 0);
  EXPECT_EQ(LastScrollPosition(9, 100), 0) << "a page larger than the range";
  EXPECT_EQ(ClampScroll(350, 500, 200), 300);
  EXPECT_EQ(ClampScroll(-5, 500, 200), 0);
}

}  // namespace
}  // namespace flk
