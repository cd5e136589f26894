// Move and resize steps of the camera against a fake screen: after any
// sequence of steps the copy of the screen beneath the camera must equal the
// screen under the window's new rectangle, and only uncovered strips may be
// fetched.
#include "camera/move_resize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace flk {
namespace {

constexpr uint32_t kUnwritten = 0xDEADBEEF;

// A known image; pixels outside it read as black, like a grab past the edge.
struct FakeScreen {
  int width, height;
  uint32_t at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u ^ 0x1234u;
  }
};

struct Copy {
  int width = 0, height = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[size_t(y) * size_t(width) + size_t(x)]; }
};

Copy Grab(const FakeScreen& s, const Rect& r) {
  Copy c{r.width(), r.height(), {}};
  c.px.resize(size_t(c.width) * size_t(c.height));
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) c.px[size_t(y) * size_t(c.width) + size_t(x)] = s.at(r.left + x, r.top + y);
  return c;
}

// Performs a step the way the window code does; returns the pixels fetched.
long Apply(Copy& bk, const FakeScreen& s, const Rect& to, const BkgndStep& step) {
  Copy next{step.size.width, step.size.height, {}};
  next.px.assign(size_t(next.width) * size_t(next.height), kUnwritten);
  if (step.keep) {
    for (int y = step.kept.top; y < step.kept.bottom; ++y)
      for (int x = step.kept.left; x < step.kept.right; ++x) {
        int ox = x - step.keepAt.x, oy = y - step.keepAt.y;
        EXPECT_TRUE(ox >= 0 && oy >= 0 && ox < bk.width && oy < bk.height);
        next.px[size_t(y) * size_t(next.width) + size_t(x)] = bk.at(ox, oy);
      }
  }
  long fetched = 0;
  for (const Rect& r : step.fetch) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        size_t i = size_t(y - to.top) * size_t(next.width) + size_t(x - to.left);
        EXPECT_EQ(next.px[i], kUnwritten) << "fetched twice at " << x << "," << y;
        next.px[i] = s.at(x, y);
      }
    fetched += long(r.width()) * r.height();
  }
  bk = std::move(next);
  return fetched;
}

long Area(const Rect& r) { return r.empty() ? 0 : long(r.width()) * r.height(); }

void ExpectMatches(const Copy& bk, const FakeScreen& s, const Rect& r) {
  ASSERT_EQ(bk.width, r.width());
  ASSERT_EQ(bk.height, r.height());
  Copy want = Grab(s, r);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      ASSERT_EQ(bk.at(x, y), want.at(x, y)) << "at " << x << "," << y << " of " << r.left << "," << r.top;
}

TEST(MoveResizeStrips, UncoveredPartsAreDisjointAndExact) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(-20, 60), len(0, 40);
  for (int n = 0; n < 400; ++n) {
    Rect from = Rect::FromXYWH(pos(rng), pos(rng), len(rng), len(rng));
    Rect to = Rect::FromXYWH(pos(rng), pos(rng), len(rng), len(rng));
    std::vector<Rect> parts = Uncovered(from, to);
    EXPECT_LE(parts.size(), 4u);
    for (int y = -30; y < 110; ++y)
      for (int x = -30; x < 110; ++x) {
        Point p{x, y};
        int hits = 0;
        for (const Rect& r : parts) hits += r.contains(p) ? 1 : 0;
        bool want = to.contains(p) && !from.contains(p);
        ASSERT_EQ(hits, want ? 1 : 0) << x << "," << y;
      }
  }
}

TEST(MoveResizeStrips, OneStepRightFetchesOneColumn) {
  BkgndStep s = PlanBkgndStep(Rect::FromXYWH(100, 50, 300, 200), Rect::FromXYWH(101, 50, 300, 200));
  ASSERT_TRUE(s.keep);
  EXPECT_EQ(s.keepAt, (Point{-1, 0}));
  ASSERT_EQ(s.fetch.size(), 1u);
  EXPECT_EQ(s.fetch[0], (Rect{400, 50, 401, 250}));
}

TEST(MoveResizeStrips, StepsLargerThanTheCameraFetchTheWholeArea) {
  Rect from = Rect::FromXYWH(100, 100, 50, 40);
  for (Point d : {Point{50, 0}, Point{-50, 0}, Point{0, 40}, Point{0, -41}, Point{-600, 300}}) {
    Rect to = from.offset(d.x, d.y);
    BkgndStep s = PlanBkgndStep(from, to);
    EXPECT_TRUE(s.whole());
    ASSERT_EQ(s.fetch.size(), 1u);
    EXPECT_EQ(s.fetch[0], to);
  }
}

TEST(MoveResizeStrips, RandomMovesAndResizesKeepTheCopyEqualToTheScreen) {
  FakeScreen screen{640, 480};
  Size ss{screen.width, screen.height};
  const int minW = 60, minH = 50;
  std::mt19937 rng(2024);
  Rect win = Rect::FromXYWH(100, 80, 200, 150);
  Copy bk = Grab(screen, win);
  std::uniform_int_distribution<int> kind(0, 3), small(-12, 12), big(-400, 400), edgeBits(1, 15);
  for (int n = 0; n < 3000; ++n) {
    Rect to = win;
    switch (kind(rng)) {
      case 0: to = win.offset(small(rng), small(rng)); break;  // MoveDirect / MoveGhost
      case 1: to = win.offset(big(rng), big(rng)); break;
      case 2: {  // a resize drag step from a random grip
        int e = edgeBits(rng);
        if ((e & kEdgeLeft) && (e & kEdgeRight)) e &= ~kEdgeRight;
        if ((e & kEdgeTop) && (e & kEdgeBottom)) e &= ~kEdgeBottom;
        ResizeDrag drag = BeginResize(e, Point{300, 300});
        to = ResizeStep(drag, win, Point{300 + small(rng) * 5, 300 + small(rng) * 5}, ss, minW, minH).window;
        break;
      }
      default: to = GrowBy(win, small(rng), small(rng), ss, minW, minH).window; break;
    }
    BkgndStep step = PlanBkgndStep(win, to);
    long fetched = Apply(bk, screen, to, step);
    ExpectMatches(bk, screen, to);
    EXPECT_EQ(fetched, Area(to) - Area(Intersect(win, to)));  // only what the step uncovered
    EXPECT_GE(to.width(), minW);
    EXPECT_GE(to.height(), minH);
    EXPECT_LE(to.width(), ss.width);
    EXPECT_LE(to.height(), ss.height);
    win = to;
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(MoveResizeStrips, GhostGivesBackWhatTheNewAreaLeaves) {
  Rect from = Rect::FromXYWH(10, 10, 100, 80), to = from.offset(30, -20);
  std::vector<Rect> back = GhostGiveBack(from, to);
  long area = 0;
  for (const Rect& r : back) {
    EXPECT_TRUE(Intersect(r, to).empty());
    EXPECT_EQ(Intersect(r, from), r);
    area += Area(r);
  }
  EXPECT_EQ(area, Area(from) - Area(Intersect(from, to)));
}

// ---- edges, cursors and resize rules ----

TEST(MoveResizeEdges, PressPositionChoosesTheEdges) {
  EXPECT_EQ(ResizeEdgesAt(2, 2, 300, 200), kEdgeLeft | kEdgeTop);
  EXPECT_EQ(ResizeEdgesAt(22, 100, 300, 200), kEdgeLeft);
  EXPECT_EQ(ResizeEdgesAt(23, 1, 300, 200), kEdgeTop);
  EXPECT_EQ(ResizeEdgesAt(298, 198, 300, 200), kEdgeRight | kEdgeBottom);
  EXPECT_EQ(ResizeEdgesAt(276, 100, 300, 200), 0);
  EXPECT_EQ(ResizeEdgesAt(277, 100, 300, 200), kEdgeRight);
  EXPECT_EQ(ResizeEdgesAt(150, 177, 300, 200), kEdgeBottom);
}

TEST(MoveResizeEdges, Cursors) {
  EXPECT_EQ(FrameCursorAt(5, 5, 300, 200, true), ResizeCursor::Arrow);
  EXPECT_EQ(FrameCursorAt(5, 5, 300, 200, false), ResizeCursor::SizeNWSE);
  EXPECT_EQ(FrameCursorAt(5, 190, 300, 200, false), ResizeCursor::SizeNESW);
  EXPECT_EQ(FrameCursorAt(5, 100, 300, 200, false), ResizeCursor::SizeWE);
  EXPECT_EQ(FrameCursorAt(295, 5, 300, 200, false), ResizeCursor::SizeNESW);
  EXPECT_EQ(FrameCursorAt(295, 195, 300, 200, false), ResizeCursor::SizeNWSE);
  EXPECT_EQ(FrameCursorAt(295, 100, 300, 200, false), ResizeCursor::SizeWE);
  EXPECT_EQ(FrameCursorAt(150, 2, 300, 200, false), ResizeCursor::SizeNS);
}

constexpr Size kScreen{1280, 1024};

TEST(MoveResizeSteps, LeftEdgeGrowsAndShrinks) {
  Rect w = Rect::FromXYWH(200, 100, 300, 200);
  ResizeDrag d = BeginResize(kEdgeLeft, Point{205, 150});
  ResizeOutcome o = ResizeStep(d, w, Point{195, 150}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(190, 100, 310, 200));
  EXPECT_TRUE(o.changed);
  o = ResizeStep(d, o.window, Point{215, 150}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(210, 100, 290, 200));
}

TEST(MoveResizeSteps, ShrinkingPastTheMinimumLeavesTheEdgeUntilTheCursorReturns) {
  Rect w = Rect::FromXYWH(200, 100, 130, 200);
  ResizeDrag d = BeginResize(kEdgeRight, Point{329, 150});
  ResizeOutcome o = ResizeStep(d, w, Point{300, 150}, kScreen, 120, 80);  // would be 101 wide
  EXPECT_EQ(o.window, w);
  EXPECT_FALSE(o.changed);
  EXPECT_EQ(d.last.x, 329);  // not remembered
  o = ResizeStep(d, w, Point{250, 150}, kScreen, 120, 80);
  EXPECT_EQ(o.window, w);
  o = ResizeStep(d, w, Point{322, 150}, kScreen, 120, 80);  // back within reach: follows
  EXPECT_EQ(o.window, Rect::FromXYWH(200, 100, 123, 200));
  EXPECT_EQ(d.last.x, 322);
  // Top edge likewise.
  ResizeDrag t = BeginResize(kEdgeTop, Point{0, 100});
  o = ResizeStep(t, Rect::FromXYWH(0, 100, 200, 90), Point{0, 120}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(0, 100, 200, 90));
  o = ResizeStep(t, o.window, Point{0, 110}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(0, 110, 200, 80));
}

TEST(MoveResizeSteps, GrowingTheRightEdgePastTheScreenSlidesTheLeftEdge) {
  Rect w = Rect::FromXYWH(100, 0, 1150, 300);
  ResizeDrag d = BeginResize(kEdgeRight, Point{1249, 10});
  ResizeOutcome o = ResizeStep(d, w, Point{1279, 10}, kScreen, 120, 80);  // 1180 wide
  EXPECT_EQ(o.window, Rect::FromXYWH(100, 0, 1180, 300));
  EXPECT_FALSE(o.repaint);
  o = ResizeStep(d, o.window, Point{1379, 10}, kScreen, 120, 80);  // would be 1280 + ...
  EXPECT_EQ(o.window.width(), 1280);
  EXPECT_EQ(o.window.right, 1380);  // the right edge ends where it was pushed
  EXPECT_EQ(o.window.left, 100);
  o = ResizeStep(d, o.window, Point{1479, 10}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(200, 0, 1280, 300));
  EXPECT_TRUE(o.repaint);
}

TEST(MoveResizeSteps, BottomAndLeftCaps) {
  ResizeDrag d = BeginResize(kEdgeBottom, Point{0, 0});
  ResizeOutcome o = ResizeStep(d, Rect::FromXYWH(0, 100, 300, 1000), Point{0, 50}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(0, 126, 300, 1024));
  EXPECT_TRUE(o.repaint);
  ResizeDrag l = BeginResize(kEdgeLeft, Point{100, 0});
  o = ResizeStep(l, Rect::FromXYWH(100, 0, 1250, 300), Point{50, 0}, kScreen, 120, 80);
  EXPECT_EQ(o.window, Rect::FromXYWH(50, 0, 1280, 300));
  EXPECT_TRUE(o.repaint);
}

TEST(MoveResizeSteps, GrowByMovesOnlyTheRightAndBottomEdges) {
  Rect w = Rect::FromXYWH(40, 50, 300, 200);
  EXPECT_EQ(GrowBy(w, 1, 0, kScreen, 120, 80).window, Rect::FromXYWH(40, 50, 301, 200));
  EXPECT_EQ(GrowBy(w, 0, -1, kScreen, 120, 80).window, Rect::FromXYWH(40, 50, 300, 199));
  EXPECT_EQ(GrowBy(w, -200, 0, kScreen, 120, 80).window, w);  // below the minimum: stays
  EXPECT_EQ(GrowBy(w, 2000, 0, kScreen, 120, 80).window, Rect::FromXYWH(2040 + 300 - 1280, 50, 1280, 200));
}

TEST(RectAfterChange, PlaceAndSizeOnlyWhenTheChangeSetsThem) {
  const Rect now{100, 50, 445, 272};
  EXPECT_EQ(RectAfterChange(now, false, Point{0, 0}, false, Size{1, 1}), now);
  EXPECT_EQ(RectAfterChange(now, true, Point{10, 20}, false, Size{1, 1}), (Rect{10, 20, 355, 242}));
  EXPECT_EQ(RectAfterChange(now, false, Point{10, 20}, true, Size{200, 100}), (Rect{100, 50, 300, 150}));
  EXPECT_EQ(RectAfterChange(now, true, Point{10, 20}, true, Size{200, 100}), (Rect{10, 20, 210, 120}));
}

}  // namespace
}  // namespace flk
