#include "base/monitors.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

// A desktop that Wine cannot show: a 1920 x 1080 primary at 100 %, a 2560 x
// 1440 monitor at 150 % to its left (negative x), and a vertical 1080 x 1920
// monitor above-right of it (negative y). Each has a 40-pixel taskbar.
Monitor Mon(int x, int y, int w, int h, int dpi) {
  Rect area = Rect::FromXYWH(x, y, w, h);
  return Monitor{area, Rect{area.left, area.top, area.right, area.bottom - 40}, dpi};
}
const Monitor kPrimary = Mon(0, 0, 1920, 1080, 96);
const Monitor kLeft = Mon(-2560, -200, 2560, 1440, 144);
const Monitor kTall = Mon(1920, -840, 1080, 1920, 120);
const MonitorTable kDesk{kPrimary, kLeft, kTall};
// The layout of the end-to-end run: a 1024 x 768 monitor left of a 1280 x 1024 primary.
const MonitorTable kWine{Mon(0, 0, 1280, 1024, 96), Mon(-1024, 0, 1024, 768, 96)};

TEST(Monitors, VirtualScreenIsTheBoundingBox) {
  EXPECT_EQ(VirtualScreen(kDesk), (Rect{-2560, -840, 3000, 1240}));
  EXPECT_EQ(VirtualScreen(kWine), Rect::FromXYWH(-1024, 0, 2304, 1024));
  EXPECT_EQ(VirtualScreen({kPrimary}), kPrimary.area);
  EXPECT_TRUE(VirtualScreen({}).empty());
}

TEST(Monitors, ARectangleBelongsToTheMonitorSharingMostOfIt) {
  struct Row {
    Rect r;
    int monitor;
  } rows[] = {
      {Rect::FromXYWH(100, 100, 300, 200), 0},
      {Rect::FromXYWH(-700, 200, 345, 222), 1},   // wholly on the left monitor
      {Rect::FromXYWH(-100, 100, 300, 200), 0},   // 100 px on the left, 200 on the primary
      {Rect::FromXYWH(-250, 100, 300, 200), 1},   // 250 px on the left, 50 on the primary
      {Rect::FromXYWH(2000, -800, 200, 200), 2},  // on the vertical monitor, above the primary's top
      {Rect::FromXYWH(1800, 900, 300, 100), 2},   // 120 x 100 on the primary, 180 x 100 on the vertical
      {Rect::FromXYWH(5000, 5000, 10, 10), 2},    // nowhere: the nearest (the vertical reaches y 1080)
      {Rect::FromXYWH(-4000, 0, 10, 10), 1},      // far left
      {Rect::FromXYWH(500, 1500, 10, 10), 0},     // below the primary
  };
  for (const Row& row : rows) EXPECT_EQ(MonitorOfRect(kDesk, row.r), row.monitor) << row.r.left << "," << row.r.top;
  EXPECT_EQ(MonitorOfRect({}, rows[0].r), -1);
}

TEST(Monitors, APointBelongsToTheMonitorShowingIt) {
  EXPECT_EQ(MonitorOfPoint(kDesk, {0, 0}), 0);
  EXPECT_EQ(MonitorOfPoint(kDesk, {-1, 0}), 1);
  EXPECT_EQ(MonitorOfPoint(kDesk, {1919, -1}), 0);  // in no monitor, touching two: the earlier
  EXPECT_EQ(MonitorOfPoint(kDesk, {1920, -1}), 2);
  EXPECT_EQ(MonitorOfPoint(kDesk, {1920, 1079}), 2);
  EXPECT_EQ(MonitorAt(kDesk, {-5, 5}), kLeft);
  // Without a table there is still a screen.
  EXPECT_EQ(MonitorAt({}, {5, 5}).area, Rect::FromXYWH(0, 0, 1024, 768));
}

TEST(Monitors, UncoveredPartsAreWhatNoMonitorShows) {
  // The Wine layout's virtual screen: only the strip below the left monitor is not shown.
  std::vector<Rect> gaps = UncoveredParts(kWine, VirtualScreen(kWine));
  ASSERT_EQ(gaps.size(), 1u);
  EXPECT_EQ(gaps[0], (Rect{-1024, 768, 0, 1024}));
  // Pieces are disjoint and their area adds up to what is missing.
  const Rect box = VirtualScreen(kDesk);
  long long shown = 0, missing = 0;
  for (const Monitor& m : kDesk) shown += 1LL * m.area.width() * m.area.height();
  for (const Rect& g : UncoveredParts(kDesk, box)) {
    missing += 1LL * g.width() * g.height();
    for (const Monitor& m : kDesk) EXPECT_TRUE(Intersect(g, m.area).empty());
  }
  EXPECT_EQ(shown + missing, 1LL * box.width() * box.height());
  EXPECT_TRUE(UncoveredParts(kDesk, kPrimary.area).empty());
}

TEST(Monitors, WhollyShownAcrossMonitors) {
  EXPECT_TRUE(WhollyShown(kWine, Rect::FromXYWH(-100, 100, 300, 200)));   // across the seam
  EXPECT_FALSE(WhollyShown(kWine, Rect::FromXYWH(-100, 700, 300, 200)));  // below the left monitor
  EXPECT_FALSE(WhollyShown(kWine, Rect::FromXYWH(1200, 100, 300, 200)));  // off the right edge
  EXPECT_TRUE(WhollyShown(kWine, Rect::FromXYWH(-1024, 0, 1024, 768)));
}

TEST(Monitors, AStoredRectangleStaysWhereverAMonitorStillShowsIt) {
  const MonitorTable primaryAlone{kWine[0]};
  struct Row {
    MonitorTable table;
    Rect stored;
    Rect opens;
  } rows[] = {
      // Left on the second monitor, which is there: stays.
      {kWine, Rect::FromXYWH(-700, 200, 345, 222), Rect::FromXYWH(-700, 200, 345, 222)},
      // The second monitor is gone: wholly onto the primary's work area, at its left edge.
      {primaryAlone, Rect::FromXYWH(-700, 200, 345, 222), Rect::FromXYWH(0, 200, 345, 222)},
      // A note low on the gone monitor keeps its size and goes up into the work area.
      {primaryAlone, Rect::FromXYWH(-695, 900, 200, 150), Rect::FromXYWH(0, 834, 200, 150)},
      // 40 px still shown on the primary: stays partly off (the user can reach it).
      {primaryAlone, Rect::FromXYWH(-305, 100, 345, 222), Rect::FromXYWH(-305, 100, 345, 222)},
      // Only 20 px shown: too little to take hold of, moved wholly on.
      {primaryAlone, Rect::FromXYWH(-325, 100, 345, 222), Rect::FromXYWH(0, 100, 345, 222)},
      // Larger than the work area: cut to it.
      {primaryAlone, Rect::FromXYWH(-3000, -50, 1500, 1200), Rect::FromXYWH(0, 0, 1280, 984)},
      // Above the primary where the vertical monitor was: onto the nearest, the vertical one.
      {kDesk, Rect::FromXYWH(2500, -2000, 300, 200), Rect::FromXYWH(2500, -840, 300, 200)},
      // In the hole left of the vertical monitor above the primary: onto the nearest.
      {kDesk, Rect::FromXYWH(1000, -700, 300, 200), Rect::FromXYWH(1000, 0, 300, 200)},
      // No table: as stored.
      {{}, Rect::FromXYWH(-700, 200, 345, 222), Rect::FromXYWH(-700, 200, 345, 222)},
  };
  for (const Row& row : rows) {
    Rect got = RestoredRect(row.table, row.stored);
    EXPECT_EQ(got, row.opens) << row.stored.left << "," << row.stored.top << " -> " << got.left << "," << got.top;
    if (!row.table.empty()) {
      EXPECT_TRUE(ShownSomewhere(row.table, got));
    }
  }
}

TEST(Monitors, NothingStoredChangesUntilTheUserMovesTheWindow) {
  const Rect stored = Rect::FromXYWH(-695, 469, 200, 150);
  const Rect opened = RestoredRect({kWine[0]}, stored);
  ASSERT_EQ(opened, Rect::FromXYWH(0, 469, 200, 150));
  EXPECT_EQ(RectToStore(stored, opened, opened), stored);
  EXPECT_EQ(RectToStore(stored, opened, opened.offset(5, 0)), opened.offset(5, 0));
  EXPECT_EQ(RectToStore(stored, opened, Rect::FromXYWH(0, 469, 300, 150)), Rect::FromXYWH(0, 469, 300, 150));
  // Opened where it was stored: the same either way.
  EXPECT_EQ(RectToStore(stored, stored, stored), stored);
}

TEST(Monitors, MoveWhollyIntoKeepsTheSizeThatFits) {
  const Rect work = kLeft.work;  // -2560,-200 .. 0,1200
  EXPECT_EQ(MoveWhollyInto(Rect::FromXYWH(-100, 1100, 300, 200), work), Rect::FromXYWH(-300, 1000, 300, 200));
  EXPECT_EQ(MoveWhollyInto(Rect::FromXYWH(-3000, -900, 300, 200), work), Rect::FromXYWH(-2560, -200, 300, 200));
  EXPECT_EQ(MoveWhollyInto(Rect::FromXYWH(-2000, 0, 300, 200), work), Rect::FromXYWH(-2000, 0, 300, 200));
  EXPECT_EQ(MoveWhollyInto(Rect::FromXYWH(5, 5, 3000, 200), work), Rect::FromXYWH(-2560, 5, 2560, 200));
}

TEST(Monitors, PlacingOnAMonitorTakesItsScaleThenKeepsTheBoxOnIt) {
  struct Row {
    Point at;
    Size size;
    int fromDpi;
    Placement want;
  } rows[] = {
      // A 100 % box placed on the 150 % monitor grows by half and is then kept on its work area.
      {{-500, 100}, {400, 300}, 96, {Rect::FromXYWH(-600, 100, 600, 450), 144}},
      // The same box near the 150 % monitor's bottom: pushed up above its taskbar.
      {{-1500, 1100}, {400, 300}, 96, {Rect::FromXYWH(-1500, 750, 600, 450), 144}},
      // A 150 % box moved onto the 100 % primary shrinks.
      {{100, 100}, {600, 450}, 144, {Rect::FromXYWH(100, 100, 400, 300), 96}},
      // The vertical monitor at 125 %: kept within its 1080 px width.
      {{2900, -800}, {400, 300}, 96, {Rect::FromXYWH(2500, -800, 500, 375), 120}},
      // The same scale: only kept on.
      {{1800, 1000}, {400, 300}, 96, {Rect::FromXYWH(1520, 740, 400, 300), 96}},
  };
  for (const Row& row : rows) {
    Placement got = PlaceOnMonitor(kDesk, row.at, row.size, row.fromDpi);
    EXPECT_EQ(got, row.want) << row.at.x << "," << row.at.y << " -> " << got.rect.left << "," << got.rect.top << " "
                             << got.rect.width() << "x" << got.rect.height();
  }
}

TEST(Monitors, RescaleRoundsToNearest) {
  EXPECT_EQ(RescaleLength(345, 96, 144), 518);  // 517.5
  EXPECT_EQ(RescaleLength(518, 144, 96), 345);  // 345.33
  EXPECT_EQ(RescaleLength(-7, 96, 144), -11);   // -10.5, away from zero
  EXPECT_EQ(RescaleLength(100, 96, 96), 100);
  EXPECT_EQ(RescaleLength(100, 0, 144), 150);  // an implausible DPI counts as 96
}

TEST(Monitors, CentredOnAWorkArea) {
  EXPECT_EQ(CentredIn(kLeft.work, Size{400, 300}), (Point{-1480, 350}));
  EXPECT_EQ(CentredIn(kPrimary.work, Size{401, 301}), (Point{759, 369}));
  EXPECT_EQ(CentredIn(Rect::FromXYWH(0, 0, 100, 100), Size{201, 100}), (Point{-50, 0}));
}

}  // namespace
}  // namespace flk
