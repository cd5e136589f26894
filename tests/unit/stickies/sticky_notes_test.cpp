#include "stickies/sticky_notes.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace flk {
namespace {

TEST(StickyNotes, SizeRulesAtTheirEdges) {
  const Size screen{1024, 768};
  struct Row {
    Size picture;
    int sourceHeight;
    StickyCheck expected;
  } rows[] = {
      {{512, 384}, 200, StickyCheck::Ok},       // half the screen both ways
      {{513, 385}, 200, StickyCheck::TooBig},   // one pixel more in both directions
      {{513, 384}, 200, StickyCheck::Ok},       // the smaller ratio decides
      {{1024, 192}, 200, StickyCheck::Ok},      // screen wide, a quarter high
      {{1025, 10}, 200, StickyCheck::TooBig},   // wider than the screen
      {{10, 769}, 200, StickyCheck::TooBig},    // higher than the screen
      {{300, 768}, 200, StickyCheck::Ok},       // screen high, under half wide
      {{10, 10}, 692, StickyCheck::SourceTooTall},
      {{10, 10}, 691, StickyCheck::Ok},  // 0.9 x 768 = 691.2
  };
  for (const Row& r : rows)
    EXPECT_EQ(CheckSticky(r.picture, screen, r.sourceHeight), r.expected)
        << r.picture.width << "x" << r.picture.height << " source " << r.sourceHeight;
}

TEST(StickyNotes, PlanCentresBelowAndMovesASourceAtTheBottomUp) {
  StickyPlan room = PlanSticky(Rect::FromXYWH(100, 50, 301, 200), Size{100, 80}, 768);
  EXPECT_FALSE(room.moveSource);
  EXPECT_EQ(room.animation, Rect::FromXYWH(100 + (301 - 104) / 2, 251, 104, 0));
  StickyPlan low = PlanSticky(Rect::FromXYWH(10, 600, 300, 200), Size{100, 80}, 768);
  EXPECT_TRUE(low.moveSource);
  EXPECT_EQ(low.sourceTop, 768 - 80 - 200);
  EXPECT_EQ(low.animation.top, 768 - 80 + 1);
  // Wider than its source: the note hangs out on both sides (negative half truncates toward zero).
  EXPECT_EQ(PlanSticky(Rect::FromXYWH(0, 0, 100, 50), Size{101, 10}, 768).animation.left, -2);
  EXPECT_EQ(PlanSticky(Rect::FromXYWH(0, 700, 100, 700), Size{10, 100}, 768).sourceTop, 0);
}

TEST(StickyNotes, PlanMeasuresTheRoomOnTheSourcesMonitor) {
  // A monitor above the primary (y -768 .. 0): the room below ends at its bottom.
  const Rect above{0, -768, 1024, 0};
  StickyPlan room = PlanSticky(Rect::FromXYWH(100, -700, 301, 200), Size{100, 80}, above);
  EXPECT_FALSE(room.moveSource);
  EXPECT_EQ(room.animation.top, -700 + 200 + 1);
  StickyPlan low = PlanSticky(Rect::FromXYWH(10, -250, 300, 200), Size{100, 80}, above);
  EXPECT_TRUE(low.moveSource);
  EXPECT_EQ(low.sourceTop, 0 - 80 - 200);
  EXPECT_EQ(low.animation.top, -80 + 1);
  // A source taller than its monitor allows: up to the monitor's top, not to 0.
  EXPECT_EQ(PlanSticky(Rect::FromXYWH(0, -100, 100, 700), Size{10, 100}, above).sourceTop, -768);
  // The primary alone gives what the screen height did.
  EXPECT_EQ(PlanSticky(Rect::FromXYWH(10, 600, 300, 200), Size{100, 80}, Rect{0, 0, 1024, 768}).sourceTop,
            PlanSticky(Rect::FromXYWH(10, 600, 300, 200), Size{100, 80}, 768).sourceTop);
}

TEST(StickyNotes, AnimationGrowsInSixStepsThenDeliversOrGivesUp) {
  StickyAnimation a;
  a.Start(60);
  std::vector<int> heights;
  for (int i = 0; i < 6; ++i) {
    StickyAnimation::Tick t = a.OnTick(false);
    ASSERT_EQ(t.kind, StickyAnimation::Tick::Grow);
    heights.push_back(t.height);
  }
  EXPECT_EQ(heights, (std::vector<int>{10, 20, 30, 40, 50, 60}));
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.OnTick(false).kind, StickyAnimation::Tick::Wait) << i;
  EXPECT_EQ(a.OnTick(false).kind, StickyAnimation::Tick::GiveUp);
  a.Start(7);
  EXPECT_EQ(a.OnTick(true).height, 7 - 5 * 7 / 6);
  for (int i = 0; i < 5; ++i) a.OnTick(true);
  EXPECT_EQ(a.OnTick(true).kind, StickyAnimation::Tick::Deliver);
}

TEST(StickyNotes, FileNamesRoundTripAndBadOnesAreRefused) {
  EXPECT_EQ(NoteFileName(3, 120, 455), "3_120_455_.bmp");
  EXPECT_EQ(NoteFileName(12, -40, -7), "12_-40_-7_.bmp");
  EXPECT_EQ(ParseNoteFileName("12_-40_-7_.bmp"), (NoteName{12, -40, -7}));
  EXPECT_EQ(ParseNoteFileName("3_120_455_copy of it.bmp"), (NoteName{3, 120, 455}));
  for (const char* bad : {"abc_1_2_.bmp", "5_10_20.bmp", "5.bmp", "5__20_.bmp", "5_1x_20_.bmp",
                          "99999999999_1_2_.bmp", "5_- 1_2_.bmp"})
    EXPECT_FALSE(ParseNoteFileName(bad)) << bad;
  EXPECT_EQ(NoteNumberText("07_1_2_.bmp"), "07");  // kept as written when the note is renamed
  EXPECT_EQ(NoteFileName(NoteNumberText("07_1_2_.bmp"), 101, 52), "07_101_52_.bmp");
}

TEST(StickyNotes, NextNumberFollowsTheHighestOnDisk) {
  StickyIds ids;
  for (const char* name : {"2_0_0_.bmp", "7_10_10_.bmp", "4_5_5_.bmp"}) ids.Found(ParseNoteFileName(name)->number);
  EXPECT_EQ(ids.TakeNext(), 8);
  EXPECT_EQ(ids.TakeNext(), 9);
  StickyIds none;
  EXPECT_EQ(none.TakeNext(), 1);
}

TEST(StickyNotes, SetAsideNamesNeverOverwrite) {
  std::set<std::string> taken{"abc_1_2_.bmp", "abc_1_2_ (2).bmp"};
  auto isTaken = [&](const std::string& n) { return taken.count(n) > 0; };
  EXPECT_EQ(SetAsideName("5_10_20.bmp", isTaken), "5_10_20.bmp");
  EXPECT_EQ(SetAsideName("abc_1_2_.bmp", isTaken), "abc_1_2_ (3).bmp");
}

TEST(StickyNotes, MenuOpensFiftyPixelsLeftOfItsPoint) {
  NoteMenuInput in{{300, 200}, {42, 3}, {5, 6}, {700, 650}};
  EXPECT_EQ(NoteMenuPosition(NoteMenuTrigger::ButtonRelease, in), (Point{300 + 42 + 5 - 50, 206}));
  EXPECT_EQ(NoteMenuPosition(NoteMenuTrigger::RightClick, in), (Point{255, 206}));
  EXPECT_EQ(NoteMenuPosition(NoteMenuTrigger::DoubleClick, in), (Point{650, 650}));
  EXPECT_EQ(NoteMenuPosition(NoteMenuTrigger::EnterKey, in), (Point{350, 250}));
  EXPECT_EQ(PlaceMenuButton(100, 60, 16).left, 42);
  EXPECT_TRUE(PlaceMenuButton(33, 33, 16).visible);
  EXPECT_FALSE(PlaceMenuButton(32, 100, 16).visible);
  EXPECT_FALSE(PlaceMenuButton(100, 32, 16).visible);
}

}  // namespace
}  // namespace flk
