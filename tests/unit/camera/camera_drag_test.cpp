// The camera's drags: which step each mouse position asks for, and what the
// release ends.
#include "camera/camera_drag.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

using K = DragStep::Kind;

TEST(CamDrag, LiveMoveDrawsTheGhostAtTheCursorLessThePressOffset) {
  CamDrag d;
  d.BeginMove({110, 220}, Rect::FromXYWH(100, 200, 300, 200), true);
  EXPECT_EQ(d.kind(), DragKind::Move);
  struct Case { Point cursor; K kind; Point from, to; } cases[] = {
      {{115, 225}, K::MoveGhost, {100, 200}, {105, 205}},
      {{115, 225}, K::None, {}, {}},  // same place: nothing drawn
      {{90, 200}, K::MoveGhost, {105, 205}, {80, 180}},
      {{-10, -20}, K::MoveGhost, {80, 180}, {-20, -40}},
  };
  for (const Case& c : cases) {
    DragStep s = d.Moved(c.cursor);
    EXPECT_EQ(s.kind, c.kind);
    if (c.kind == K::None) continue;
    EXPECT_EQ(s.from, c.from);
    EXPECT_EQ(s.to, c.to);
    EXPECT_EQ(d.ghost(), c.to);
  }
  DragEnd e = d.Released({-10, -20});
  EXPECT_TRUE(e.dragged);
  EXPECT_EQ(e.step.kind, K::None);
  EXPECT_TRUE(e.endMove);
  EXPECT_FALSE(e.endResize);
  EXPECT_FALSE(d.active());
  EXPECT_TRUE(d.live());  // the ending still places the window at the ghost
  EXPECT_EQ(d.ghost(), (Point{-20, -40}));
}

TEST(CamDrag, ReleaseElsewhereIsTheMovesLastStep) {
  CamDrag d;
  d.BeginMove({10, 10}, Rect::FromXYWH(0, 0, 100, 100), true);
  DragEnd e = d.Released({30, 15});
  EXPECT_EQ(e.step.kind, K::MoveGhost);
  EXPECT_EQ(e.step.to, (Point{20, 5}));
  EXPECT_TRUE(e.endMove);
}

TEST(CamDrag, HeldMoveMovesTheWindowEveryStep) {
  CamDrag d;
  d.BeginMove({50, 60}, Rect::FromXYWH(40, 40, 100, 100), false);
  for (Point p : {Point{50, 60}, Point{70, 90}, Point{70, 90}}) {
    DragStep s = d.Moved(p);
    EXPECT_EQ(s.kind, K::MoveDirect);
    EXPECT_EQ(s.to, (Point{p.x - 10, p.y - 20}));
  }
  EXPECT_FALSE(d.live());
}

TEST(CamDrag, ResizeStepsUntilRelease) {
  CamDrag d;
  d.BeginResize(kEdgeRight | kEdgeBottom, {300, 400});
  EXPECT_EQ(d.resize().edges, kEdgeRight | kEdgeBottom);
  EXPECT_EQ(d.resize().last, (Point{300, 400}));
  EXPECT_EQ(d.Moved({310, 400}).kind, K::Resize);
  DragEnd e = d.Released({320, 400});
  EXPECT_EQ(e.step.kind, K::Resize);
  EXPECT_TRUE(e.endResize);
  EXPECT_FALSE(e.endMove);
  EXPECT_FALSE(d.active());
}

TEST(CamDrag, LatchClickTogglesAndLatchDragResizes) {
  struct Case { Latch latch; Point release; bool click; } cases[] = {
      {Latch::Top, {100, 100}, true},
      {Latch::Bottom, {100, 100}, true},
      {Latch::Top, {100, 160}, false},
  };
  for (const Case& c : cases) {
    CamDrag d;
    d.BeginLatch(c.latch, kEdgeTop, {100, 100});
    EXPECT_EQ(d.kind(), DragKind::Latch);
    DragEnd e = d.Released(c.release);
    EXPECT_TRUE(e.dragged);
    EXPECT_EQ(e.latchClick, c.click);
    EXPECT_EQ(e.latch, c.latch);
    EXPECT_EQ(e.step.kind, K::None);
    EXPECT_FALSE(e.endResize);
  }
  CamDrag d;
  d.BeginLatch(Latch::Bottom, kEdgeBottom, {100, 100});
  EXPECT_EQ(d.Moved({100, 100}).kind, K::None);  // still a click
  EXPECT_EQ(d.kind(), DragKind::Latch);
  EXPECT_EQ(d.Moved({100, 160}).kind, K::Resize);
  EXPECT_EQ(d.kind(), DragKind::Resize);
  EXPECT_EQ(d.resize().edges, kEdgeBottom);
  DragEnd e = d.Released({100, 170});
  EXPECT_FALSE(e.latchClick);
  EXPECT_TRUE(e.endResize);
}

TEST(CamDrag, NoDragLeavesTheReleaseToOthers) {
  CamDrag d;
  EXPECT_EQ(d.Moved({1, 1}).kind, K::None);
  EXPECT_FALSE(d.Released({1, 1}).dragged);
  EXPECT_FALSE(d.CaptureLost());
}

TEST(CamDrag, LostCaptureEndsOnlyAMoveWithItsEnding) {
  CamDrag move;
  move.BeginMove({0, 0}, Rect::FromXYWH(0, 0, 10, 10), true);
  EXPECT_TRUE(move.CaptureLost());
  EXPECT_FALSE(move.active());
  EXPECT_FALSE(move.CaptureLost());
  CamDrag resize;
  resize.BeginResize(kEdgeLeft, {0, 0});
  EXPECT_FALSE(resize.CaptureLost());
  EXPECT_FALSE(resize.active());
}

TEST(HowToTips, EachTipOnceWhenItsLimitIsReached) {
  HowToTips tips;
  // A docked-top camera whose top is up to one caption above the monitor keeps its panel in reach.
  EXPECT_FALSE(tips.AfterMove(PanelAlign::Top, -22, 0, 22));
  EXPECT_FALSE(tips.AfterMove(PanelAlign::Bottom, -300, 0, 22));
  std::optional<HowToTip> hidden = tips.AfterMove(PanelAlign::Top, -23, 0, 22);
  ASSERT_TRUE(hidden);
  EXPECT_STREQ(hidden->key, "NsaHiddenControls");
  EXPECT_STREQ(hidden->caption, "How-to Tip");
  EXPECT_NE(std::string(hidden->text).find("RIGHT-click the transparent viewfinder."), std::string::npos);
  EXPECT_FALSE(tips.AfterMove(PanelAlign::Top, -100, 0, 22));  // once a run

  EXPECT_FALSE(tips.AfterResize(1079, 1080));
  std::optional<HowToTip> limit = tips.AfterResize(1080, 1080);
  ASSERT_TRUE(limit);
  EXPECT_STREQ(limit->key, "NsaResizeLimit");
  EXPECT_FALSE(tips.AfterResize(1080, 1080));
}

}  // namespace
}  // namespace flk
