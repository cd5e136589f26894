#include "base/icon_size.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

struct IconCase {
  int size96, dpi, expected;
};

TEST(IconSizeTest, TheLargestSystemSizeTheScaledArtReaches) {
  const IconCase cases[] = {
      {20, 96, 20},  {20, 120, 24}, {20, 144, 24}, {20, 168, 32}, {20, 192, 40}, {20, 216, 40},
      {20, 240, 48}, {20, 288, 48}, {20, 384, 80}, {16, 96, 16},  {16, 120, 20}, {16, 144, 24},
      {16, 192, 32}, {16, 288, 48}, {16, 384, 64}, {12, 96, 12},  {12, 144, 16},
  };
  for (const IconCase& c : cases)
    EXPECT_EQ(ToolIconSize(c.size96, DpiScale{c.dpi}), c.expected) << c.size96 << " at " << c.dpi;
}

TEST(IconSizeTest, NeverLargerThanAPlainStretchAndNeverSmallerAtBaseScale) {
  for (int dpi = 96; dpi <= 480; dpi += 6)
    for (int size96 : {16, 20, 24}) {
      const int size = ToolIconSize(size96, DpiScale{dpi});
      EXPECT_LE(size, DpiScale{dpi}(size96)) << size96 << " at " << dpi;
      EXPECT_GE(size, size96) << size96 << " at " << dpi;
    }
}

TEST(IconSizeTest, TheArtScaleDrawsTheArtAtExactlyTheIconSize) {
  for (int art : {16, 20})
    for (int size : {16, 20, 24, 32, 40, 48, 64, 80, 96}) {
      const DpiScale s = ArtScale(art, size);
      EXPECT_EQ(s(art), size) << art << " to " << size;
      EXPECT_EQ(s(0), 0);
    }
  EXPECT_TRUE(ArtScale(20, 20).unscaled());
  EXPECT_EQ(ArtScale(0, 24), DpiScale{});
}

}  // namespace
}  // namespace flk
