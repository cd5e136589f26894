// The pure rules around the captures: index codes, the probe order, the
// capture area and its checks, the big-image text, the tall picture.
#include <gtest/gtest.h>

#include "scroll/capture_area.h"
#include "scroll/index_code.h"
#include "scroll/shift_search.h"
#include "scroll/tall_picture.h"

namespace flk {
namespace {

TEST(IndexCode, RoundTripsAndSurvivesSixteenBitDisplays) {
  EXPECT_EQ(IndexColour(0), MakeRgb(16 + 7, 7, 7));
  EXPECT_EQ(IndexColour(4094), MakeRgb(247, 247, 247));
  EXPECT_EQ(DecodeIndex(MakeRgb(0, 0, 0)), -1);
  for (int code = 0; code < 4095; ++code) {
    Rgb c = IndexColour(code);
    ASSERT_EQ(DecodeIndex(c), code);
    // 5-6-5 reduction and expansion back to 8 bits, as a 16-bit display does.
    auto five = [](int v) { int q = v >> 3; return (q << 3) | (q >> 2); };
    auto six = [](int v) { int q = v >> 2; return (q << 2) | (q >> 4); };
    Rgb reduced = MakeRgb(uint8_t(five(RedOf(c))), uint8_t(six(GreenOf(c))), uint8_t(five(BlueOf(c))));
    ASSERT_EQ(DecodeIndex(reduced), code);
  }
  EXPECT_EQ(IndexColumn(3), (std::vector<Rgb>{IndexColour(0), IndexColour(1), IndexColour(2)}));
}

TEST(ShiftSearch, ProbesCoarseToFineLeftOfTheSpan) {
  // span 80: 1/2, 1/4, 3/4, 1/8, 3/8, 5/8, 7/8 ... shifted by ScanLt, below span only.
  std::vector<int> p = ProbeColumns(120, 20, 20);
  ASSERT_GE(p.size(), 5u);
  EXPECT_EQ((std::vector<int>(p.begin(), p.begin() + 5)), (std::vector<int>{60, 40, 30, 50, 70}));
  for (int x : p) EXPECT_LT(x, 80);
  EXPECT_EQ(std::set<int>(p.begin(), p.end()).size(), p.size());
}

TEST(CaptureArea, ScrollAreaFromViewfinderAndWindow) {
  ScrollParams p;
  const Rect window = TargetRectangle(Rect{100, 50, 918, 650}, 18, {Rect{0, 0, 1280, 1024}, Rect{80, 60, 2000, 640}});
  EXPECT_EQ(window, (Rect{100, 60, 900, 640}));
  auto a = std::get<CaptureArea>(ScrollCaptureArea(window, Rect{50, 200, 700, 400}, p, 32));
  EXPECT_EQ(a.ltScn, 100);
  EXPECT_EQ(a.tpScn, 200);
  EXPECT_EQ(a.wd, 600);
  EXPECT_EQ(a.areaTop, 200);
  EXPECT_EQ(a.areaHeight, 440);
  EXPECT_EQ(a.indexX, 119);
  EXPECT_EQ(a.maxCapHt, 8388608 / 600 * 8 / 32);
  // The viewfinder above the window: the area starts at the window top.
  a = std::get<CaptureArea>(ScrollCaptureArea(window, Rect{150, 10, 700, 400}, p, 16));
  EXPECT_EQ(a.tpScn, 10);
  EXPECT_EQ(a.areaTop, 60);
  EXPECT_EQ(a.maxCapHt, 8388608 / 550 * 8 / 16);
  EXPECT_EQ(std::get<std::string>(ScrollCaptureArea(window, Rect{100, 590, 700, 800}, p, 32)),
            "Capture area is too small.");
  EXPECT_EQ(std::get<std::string>(ScrollCaptureArea(window, Rect{100, 100, 190, 800}, p, 32)),
            "Capture area is too small.");
  auto r = std::get<CaptureArea>(RoboCaptureArea(Rect{0, 0, 1000, 700}, p, 32));
  EXPECT_EQ(r.maxCapHt, 2097);
  EXPECT_EQ(std::get<std::string>(RoboCaptureArea(Rect{0, 0, 90, 700}, p, 32)), "Source Window is too small.");
  EXPECT_EQ(std::get<std::string>(RoboCaptureArea(Rect{0, 0, 900, 50}, p, 32)), "Source Window is too small.");
}

TEST(CaptureArea, ChecksAndPlacement) {
  EXPECT_TRUE(DisplayTooPoor(256, false, 8));
  EXPECT_TRUE(DisplayTooPoor(-1, true, 8));  // Wine reports the palette only in RASTERCAPS
  EXPECT_FALSE(DisplayTooPoor(-1, false, 32));
  EXPECT_TRUE(IsVerticalScrollBar(true, "ScrollBar", 0x1));
  EXPECT_FALSE(IsVerticalScrollBar(true, "ScrollBar", 0x0));
  EXPECT_FALSE(IsVerticalScrollBar(true, "ScrollBar", 0x1 | 0x10));
  EXPECT_FALSE(IsVerticalScrollBar(true, "ScrollBar", 0x1 | 0x8));
  EXPECT_FALSE(IsVerticalScrollBar(false, "ScrollBar", 0x1));
  EXPECT_FALSE(IsVerticalScrollBar(true, "scrollbar", 0x1));
  EXPECT_EQ(ToolWindowTop(200, 100), 98);
  EXPECT_EQ(ToolWindowTop(50, 100), 0);
  EXPECT_EQ(RoboToolLeft(Rect{100, 0, 500, 10}, 111, 3, 105, 1280), 100 + 147 - 3);
  EXPECT_EQ(RoboToolLeft(Rect{-400, 0, 0, 10}, 111, 3, 105, 1280), 0);
  EXPECT_EQ(RoboToolLeft(Rect{1200, 0, 1600, 10}, 111, 3, 105, 1280), 1280 - 111);
  // On a monitor left of the primary (-1024 .. 0) and one above it (top -600).
  const Rect left{-1024, 0, 0, 768};
  EXPECT_EQ(RoboToolLeft(Rect{-900, 0, -500, 10}, 111, 3, 105, left), -900 + 147 - 3);
  EXPECT_EQ(RoboToolLeft(Rect{-1200, 0, -800, 10}, 111, 3, 105, left), -1024);
  EXPECT_EQ(RoboToolLeft(Rect{-200, 0, 200, 10}, 111, 3, 105, left), -111);
  EXPECT_EQ(ToolWindowTop(-500, 100, -600), -600);
  EXPECT_EQ(ToolWindowTop(-400, 100, -600), -502);
}

TEST(CaptureArea, BigImageCautionPrintsOneDecimal) {
  EXPECT_FALSE(BigImageCaution(1000, 1000, 32, 8388608));  // 4000000 bytes: not above half
  EXPECT_EQ(*BigImageCaution(3146, 1000, 32, 8388608),
            "Caution -- This is a pretty large image, 12.0 MB.\r\nIt may slow down your system or cause subtle low "
            "resource errors.");
}

TEST(TallPicture, GrowsByCapacityAndKeepsTheTailLast) {
  TallPicture t;
  std::vector<Rgb> row(3);
  auto fill = [&](Rgb v) { std::fill(row.begin(), row.end(), v); return row.data(); };
  ASSERT_TRUE(t.Reset(3, fill(1), 1));
  ASSERT_TRUE(t.Append(fill(9), 1));  // a footer
  for (Rgb v = 2; v < 2000; ++v) ASSERT_TRUE(t.Insert(fill(v), 1, 1));
  EXPECT_EQ(t.height(), 2000);
  EXPECT_LE(t.capacityRows(), 4000u);
  for (int y = 0; y < 1999; ++y) ASSERT_EQ(t.row(y)[2], Rgb(y + 1));
  EXPECT_EQ(t.row(1999)[0], 9u);
  auto pic = t.ToPicture();
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->pixel(1, 1998), 1999u);
  TallPicture small(3 * 4 * 10);
  ASSERT_TRUE(small.Reset(3, fill(1), 1));
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(small.Append(fill(2), 1));
  EXPECT_FALSE(small.Append(fill(3), 1));
  EXPECT_EQ(small.height(), 10);
}

}  // namespace
}  // namespace flk
