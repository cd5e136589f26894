#include "shell/tips_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace flk {
namespace {

// ---- tip box ----------------------------------------------------------------

TEST(TipBox, ATextWithoutLineBreaksIsNineLettersHigh) {
  EXPECT_EQ(TipBoxLines("Just one line of advice"), 9);
  EXPECT_EQ(TipBoxHeight("Just one line of advice", 13), 117);
}

TEST(TipBox, EachCarriageReturnAddsALine) {
  const char hidden[] =
      "The control panel was moved off screen --\r\nto access Framelark functions:\r\n\r\n"
      "RIGHT-click the transparent viewfinder.";
  EXPECT_EQ(TipBoxLines(hidden), 12);
  EXPECT_EQ(TipBoxHeight(hidden, 13), 156);
  EXPECT_EQ(TipBoxHeight(hidden, 16), 192);
  // Bare line feeds are not counted; only carriage returns are.
  EXPECT_EQ(TipBoxLines("a\nb\nc"), 9);
  EXPECT_EQ(TipBoxLines(kColorDepthTipText), 18);
}

TEST(TipBox, CentredWithHalvesRoundedDown) {
  EXPECT_EQ(TipBoxPosition(false, 350, 157, 1280, 1024), (Point{465, 433}));
  EXPECT_EQ(TipBoxPosition(false, 351, 158, 1281, 1025), (Point{465, 433}));
}

TEST(TipBox, CornerModeParksAtTheTopRight) { EXPECT_EQ(TipBoxPosition(true, 350, 157, 1280, 1024), (Point{929, 0})); }

// ---- point hint ---------------------------------------------------------------

constexpr int W = kPointHintWidth, H = kPointHintHeight, SW = 1280, SH = 1024;

TEST(PointHint, UpperLeftQuarterPutsTheFormBelowRightOfThePoint) {
  EXPECT_EQ(PlacePointHint(100, 200, W, H, SW, SH), (PointHintPlace{100, 200, HintCorner::LeftUp, 0, 0}));
}

TEST(TipBox, PlacedOnTheWorkAreaOfItsMonitor) {
  const Rect left{-1024, 0, 0, 768}, above{0, -600, 800, 0};
  EXPECT_EQ(TipBoxPosition(true, 350, 157, left), (Point{-1024 + 1024 - 350 - 1, 0}));
  EXPECT_EQ(TipBoxPosition(false, 350, 157, left), (Point{-1024 + 337, 305}));
  EXPECT_EQ(TipBoxPosition(false, 350, 157, above), (Point{225, -600 + 221}));
  EXPECT_EQ(TipBoxPosition(false, 350, 157, Rect{0, 0, 1280, 1024}), TipBoxPosition(false, 350, 157, 1280, 1024));
}

TEST(PointHint, LowerLeftQuarterPutsTheFormAboveThePoint) {
  EXPECT_EQ(PlacePointHint(100, 1000, W, H, SW, SH), (PointHintPlace{100, 1000 - H, HintCorner::LeftDown, 0, H - 21}));
}

TEST(PointHint, UpperRightQuarterPutsTheFormLeftOfThePoint) {
  EXPECT_EQ(PlacePointHint(1200, 30, W, H, SW, SH), (PointHintPlace{1200 - W, 30, HintCorner::RightUp, W - 21, 0}));
}

TEST(PointHint, LowerRightQuarterNearTheEdgesPutsTheFormAboveLeftWithTheBottomRightArrow) {
  PointHintPlace p = PlacePointHint(1275, 1020, W, H, SW, SH);
  EXPECT_EQ(p, (PointHintPlace{1275 - W, 1020 - H, HintCorner::RightDown, W - 21, H - 21}));
  // The arrow's corner pixel is the pixel just above-left of the point.
  EXPECT_EQ(p.left + p.arrowLeft + kArrowSize - 1, 1273);
  EXPECT_EQ(p.top + p.arrowTop + kArrowSize - 1, 1018);
}

TEST(PointHint, TheBoundaryItselfCountsAsNoRoom) {
  EXPECT_EQ(PlacePointHint(SW - W, SH - H - 1, W, H, SW, SH).corner, HintCorner::RightUp);
  EXPECT_EQ(PlacePointHint(SW - W - 1, SH - H, W, H, SW, SH).corner, HintCorner::LeftDown);
  EXPECT_EQ(PlacePointHint(SW - W - 1, SH - H - 1, W, H, SW, SH).corner, HintCorner::LeftUp);
}

TEST(PointHint, OnAMonitorLeftOfThePrimaryTheRoomIsMeasuredToItsEdges) {
  const Rect left{-1024, 0, 0, 768};
  // Near the left monitor's right edge (x -100): no room to the right there,
  // although the primary lies beyond it.
  PointHintPlace p = PlacePointHint(-100, 100, 271, 155, left);
  EXPECT_EQ(p.corner, HintCorner::RightUp);
  EXPECT_EQ(p.left, -100 - 271);
  EXPECT_EQ(p.top, 100);
  // Room on both sides: below right of the point.
  EXPECT_EQ(PlacePointHint(-1000, 10, 271, 155, left).corner, HintCorner::LeftUp);
  // Above the primary (negative y), near that monitor's bottom.
  PointHintPlace q = PlacePointHint(100, -50, 271, 155, Rect{0, -600, 800, 0});
  EXPECT_EQ(q.corner, HintCorner::LeftDown);
  EXPECT_EQ(q.top, -50 - 155);
}

TEST(PointHint, ArrowsPointOutOfTheirCorners) {
  struct Case {
    HintCorner corner;
    Point tip;
  } cases[] = {{HintCorner::LeftUp, {0, 0}},
               {HintCorner::RightUp, {19, 0}},
               {HintCorner::LeftDown, {0, 19}},
               {HintCorner::RightDown, {19, 19}}};
  for (const Case& c : cases) {
    auto poly = ArrowPolygon(c.corner);
    EXPECT_EQ(poly[0], c.tip);
    for (const Point& p : poly) {
      EXPECT_GE(p.x, 0);
      EXPECT_LT(p.x, kArrowSize);
      EXPECT_GE(p.y, 0);
      EXPECT_LT(p.y, kArrowSize);
    }
    // The tail lies in the opposite corner's half.
    EXPECT_GT(std::abs(poly[3].x - c.tip.x), 15);
    EXPECT_GT(std::abs(poly[3].y - c.tip.y), 10);
  }
}

// ---- palette screens -------------------------------------------------------------

TEST(PaletteScreen, EitherTheRasterCapsBitOrAColourCountCounts) {
  EXPECT_TRUE(IsPaletteScreen(0x0100 | 0x0001, -1));  // 8 bits where NUMCOLORS stays -1
  EXPECT_TRUE(IsPaletteScreen(0x0001, 256));          // a driver giving only the colour count
  EXPECT_TRUE(IsPaletteScreen(0x0100, 20));
  EXPECT_FALSE(IsPaletteScreen(0x7E99, -1));  // true-colour caps without RC_PALETTE
}

TEST(PaletteScreen, TheRecommendationKeepsItsWording) {
  std::string text = kColorDepthTipText;
  EXPECT_EQ(text.rfind("Framelark recommends increasing color depth to 16 bits or more.\r\n\r\n1  RIGHT-click", 0), 0u);
  EXPECT_NE(text.find("4  Under Colors, select High Color (16 bit).\r\n5  Decrease"), std::string::npos);
  EXPECT_NE(text.find("Edit/Options/ColorDepth/8 bit\r\n     may improve color performance."), std::string::npos);
}

TEST(TipKeys, EveryKeyIsAnNsaSettingAndNoneRepeats) {
  std::set<std::string> seen;
  for (const char* k : kNoShowAgainKeys) {
    EXPECT_EQ(std::string(k).rfind("Nsa", 0), 0u) << k;
    EXPECT_TRUE(seen.insert(k).second) << k;
  }
  EXPECT_EQ(std::string(kNoShowAgainKeys.front()), "NsaColorDepth");
  EXPECT_EQ(std::string(kNoShowAgainKeys.back()), "NsaEteOff");
}

}  // namespace
}  // namespace flk
