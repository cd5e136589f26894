#include <gtest/gtest.h>

#include "base/picture.h"

namespace flk {
namespace {

TEST(Picture, RefusesSizesThatWouldOverflowOrExceedTheLimit) {
  std::string error;
  EXPECT_FALSE(Picture::Create(0, 10, 24, &error));
  EXPECT_FALSE(Picture::Create(100000, 100000, 32, &error));
  EXPECT_NE(error.find("too large"), std::string::npos);
  EXPECT_FALSE(Picture::Create(0x7FFFFFFF, 0x7FFFFFFF, 32, &error));
  EXPECT_FALSE(Picture::Create(10, 10, 12, &error));
}

TEST(Picture, PixelsRoundTripAtEveryDepth) {
  for (int bpp : {1, 4, 8, 15, 16, 24, 32}) {
    auto p = Picture::Create(13, 7, bpp);
    ASSERT_TRUE(p) << bpp;
    EXPECT_EQ(p->stride() % 4, 0u);
    p->setPixel(12, 6, MakeRgb(255, 255, 255));
    p->setPixel(0, 0, MakeRgb(0, 0, 0));
    EXPECT_EQ(p->pixel(12, 6), MakeRgb(255, 255, 255)) << bpp;
    EXPECT_EQ(p->pixel(0, 0), 0u) << bpp;
  }
}

}  // namespace
}  // namespace flk
