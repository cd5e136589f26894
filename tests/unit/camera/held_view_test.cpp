#include "camera/held_view.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

const Size kBars{17, 17};

TEST(HeldView, BarsAppearOnlyWhenThePictureIsLargerThanTheRoomLeft) {
  struct Case {
    Size picture, window;
    bool h, v;
    Size page;
  } cases[] = {
      {{300, 200}, {300, 200}, false, false, {300, 200}},  // fits exactly
      {{301, 100}, {300, 200}, true, false, {300, 183}},
      {{100, 201}, {300, 200}, false, true, {283, 200}},
      // Only 10 rows too wide, but the horizontal bar then takes the room the height needed.
      {{290, 190}, {300, 200}, false, false, {300, 200}},
      {{290, 190}, {285, 200}, true, true, {268, 183}},
  };
  for (const Case& k : cases) {
    HeldViewPlan p = PlanHeldView(k.picture, k.window, kBars, Point{});
    EXPECT_EQ(p.horizontal, k.h) << k.picture.width << "x" << k.picture.height;
    EXPECT_EQ(p.vertical, k.v) << k.picture.width << "x" << k.picture.height;
    EXPECT_EQ(p.page, k.page);
  }
}

TEST(HeldView, ThePositionStaysInsideThePictureWhenTheViewGrows) {
  HeldViewPlan p = PlanHeldView({400, 300}, {350, 290}, kBars, Point{120, 90});
  EXPECT_EQ(p.pos, (Point{67, 27}));  // 400 - 333, 300 - 273
  EXPECT_EQ(PlanHeldView({400, 300}, {500, 400}, kBars, Point{120, 90}).pos, (Point{0, 0}));
}

TEST(HeldView, ScrollRequestsAreClampedToThePicture) {
  // A 400-pixel picture, 100 in sight: positions 0..300.
  EXPECT_EQ(HeldScrollTo(ScrollRequest::LineDown, 0, 100, 400, 0), kHeldLineStep);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::LineUp, 5, 100, 400, 0), 0);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::PageDown, 250, 100, 400, 0), 300);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::Bottom, 0, 100, 400, 0), 300);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::Top, 200, 100, 400, 0), 0);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::Position, 0, 100, 400, 50), 50);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::Track, 0, 100, 400, 999), 300);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::Other, 42, 100, 400, 0), 42);
  EXPECT_EQ(HeldScrollTo(ScrollRequest::PageDown, 0, 500, 400, 0), 0);  // all in sight
}

TEST(HeldScrollCodes, EachBarCodeAndTheWheelsNotches) {
  using R = ScrollRequest;
  const R want[] = {R::LineUp, R::LineDown, R::PageUp, R::PageDown, R::Position, R::Track, R::Top, R::Bottom};
  for (int code = 0; code < 8; ++code) EXPECT_EQ(ScrollRequestOf(code), want[code]) << code;
  EXPECT_EQ(ScrollRequestOf(8), R::Other);  // SB_ENDSCROLL
  EXPECT_EQ(ScrollRequestOf(-1), R::Other);
  const struct {
    int delta;
    R request;
    int count;
  } wheel[] = {{120, R::LineUp, 1}, {-360, R::LineDown, 3}, {60, R::Other, 0}, {250, R::LineUp, 2}};
  for (const auto& w : wheel) {
    WheelSteps s = WheelStepsOf(w.delta);
    EXPECT_EQ(s.count, w.count) << w.delta;
    if (w.count) {
      EXPECT_EQ(s.request, w.request) << w.delta;
    }
  }
}

}  // namespace
}  // namespace flk
