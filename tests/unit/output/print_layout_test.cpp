#include <gtest/gtest.h>

#include "output/print.h"

namespace flk {
namespace {

PrintPageInput Page(int printerDpi, int pageWidth, int pageHeight, int pictureWidth, int pictureHeight, bool fit) {
  PrintPageInput in;
  in.printerDpiX = in.printerDpiY = printerDpi;
  in.screenDpiX = in.screenDpiY = 96;
  in.pageWidth = pageWidth;
  in.pageHeight = pageHeight;
  in.pictureWidth = pictureWidth;
  in.pictureHeight = pictureHeight;
  in.fit = fit;
  return in;
}

// A4 at 600 dpi: 4960 x 7016 printer pixels.
TEST(PrintLayout, ScreenSizeOn600DpiKeepsOnScreenSize) {
  auto l = ComputePrintLayout(Page(600, 4960, 7016, 200, 100, false));
  ASSERT_TRUE(l);
  EXPECT_DOUBLE_EQ(l->scaleX, 6.25);
  EXPECT_EQ(l->marginLeft, 156);  // 25 x 6.25 = 156.25
  EXPECT_EQ(l->marginTop, 156);
  EXPECT_EQ(l->marginRight, 156);
  EXPECT_EQ(l->marginBottom, 156);
  EXPECT_EQ(l->destLeft, 156);
  EXPECT_EQ(l->destTop, 156);
  EXPECT_EQ(l->destWidth, 1250);
  EXPECT_EQ(l->destHeight, 625);
  EXPECT_DOUBLE_EQ(l->zoom, 1.0);
  EXPECT_EQ(l->printableWidth, 4960 - 312);
  EXPECT_EQ(l->printableHeight, 7016 - 312);
  // 4648 / 6.25 = 743.68, 6704 / 6.25 = 1072.64
  EXPECT_EQ(l->marks, (PageMarks{743, 1072}));
}

TEST(PrintLayout, StretchFitFillsPrintableWidthAndKeepsProportions) {
  auto l = ComputePrintLayout(Page(600, 4960, 7016, 200, 100, true));
  ASSERT_TRUE(l);
  EXPECT_EQ(l->destWidth, l->printableWidth);
  EXPECT_EQ(l->destWidth, 4648);
  EXPECT_EQ(l->destHeight, 2324);  // half the width, as the picture
  EXPECT_EQ(l->destLeft, 156);
  EXPECT_EQ(l->destTop, 156);
  EXPECT_GT(l->zoom, 1.0);
}

TEST(PrintLayout, StretchFitShrinksAPictureWiderThanThePage) {
  auto l = ComputePrintLayout(Page(96, 800, 1100, 3000, 300, true));
  ASSERT_TRUE(l);
  EXPECT_EQ(l->destWidth, 750);
  EXPECT_EQ(l->destHeight, 75);
}

TEST(PrintLayout, TallPictureShrinksToPrintableHeight) {
  // 300 dpi A4 as Wine's PostScript driver reports it.
  auto l = ComputePrintLayout(Page(300, 2479, 3508, 300, 2000, false));
  ASSERT_TRUE(l);
  EXPECT_EQ(l->marginTop, 78);  // 25 x 3.125 = 78.125
  EXPECT_EQ(l->printableHeight, 3508 - 156);
  EXPECT_EQ(l->destHeight, l->printableHeight);
  EXPECT_LT(l->zoom, 1.0);
  // Width shrinks by the same zoom: 300 x 3.125 x (3352 / 6250)
  EXPECT_EQ(l->destWidth, 502);
}

TEST(PrintLayout, PictureThatFitsExactlyIsNotScaled) {
  // Printable 4648 x 6704 printer pixels hold 743.68 x 1072.64 screen pixels.
  auto l = ComputePrintLayout(Page(600, 4960, 7016, 743, 1072, false));
  ASSERT_TRUE(l);
  EXPECT_DOUBLE_EQ(l->zoom, 1.0);
  EXPECT_EQ(l->destWidth, 4643);  // 743 x 6.25 = 4643.75
  auto wider = ComputePrintLayout(Page(600, 4960, 7016, 744, 100, false));
  ASSERT_TRUE(wider);
  EXPECT_LT(wider->zoom, 1.0);
  EXPECT_EQ(wider->destWidth, 4648);
}

TEST(PrintLayout, FitOfPictureAlreadyFittingEnlargesItToTheBindingSide) {
  auto l = ComputePrintLayout(Page(300, 2479, 3508, 200, 100, true));
  ASSERT_TRUE(l);
  EXPECT_EQ(l->destWidth, 2323);
  EXPECT_EQ(l->destHeight, 1161);  // 2323 / 2 = 1161.5
}

TEST(PrintLayout, DifferentResolutionsInXAndY) {
  PrintPageInput in = Page(600, 4960, 3508, 200, 100, false);
  in.printerDpiY = 300;
  auto l = ComputePrintLayout(in);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->marginLeft, 156);
  EXPECT_EQ(l->marginTop, 78);
  EXPECT_EQ(l->destWidth, 1250);
  EXPECT_EQ(l->destHeight, 312);  // 100 x 3.125 = 312.5
}

TEST(PrintLayout, RefusesWhatCannotBePrinted) {
  std::string error;
  EXPECT_FALSE(ComputePrintLayout(Page(600, 4960, 7016, 0, 100, false), &error));
  EXPECT_EQ(error, "There is no picture to print.");
  EXPECT_FALSE(ComputePrintLayout(Page(0, 4960, 7016, 10, 10, false), &error));
  EXPECT_EQ(error, "The printer reports no resolution.");
  // A page no larger than its margins.
  EXPECT_FALSE(ComputePrintLayout(Page(96, 50, 500, 10, 10, false), &error));
  EXPECT_EQ(error, "The page has no room inside its margins.");
}

}  // namespace
}  // namespace flk
