#include <gtest/gtest.h>

#include "base/picture_testing.h"
#include "output/print.h"

namespace flk {
namespace {

using flk::testing::RandomPicture;
using flk::testing::SamePixels;

class PrintSourceDepths : public ::testing::TestWithParam<int> {};

TEST_P(PrintSourceDepths, TrueColourSourceShowsEveryPixelUnchanged) {
  Picture picture = RandomPicture(37, 11, GetParam(), 1234);
  Picture source = PrintSourcePicture(picture, nullptr);
  EXPECT_EQ(source.bitsPerPixel(), 24);
  EXPECT_TRUE(source.palette().empty());
  EXPECT_TRUE(SamePixels(source, picture));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PrintSourceDepths, ::testing::Values(1, 4, 8, 15, 16, 24, 32));

std::vector<PaletteEntry> GreyPalette() {
  std::vector<PaletteEntry> table(256);
  for (int i = 0; i < 256; ++i) table[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  return table;
}

TEST(PrintSource, PaletteScreenGivesEightBitsWithTheSystemPalette) {
  std::vector<PaletteEntry> system = GreyPalette();
  system[7] = PaletteEntry{0, 0, 255, 0};  // pure red at 7
  system[9] = PaletteEntry{255, 0, 0, 0};  // pure blue at 9
  Picture picture = *Picture::Create(4, 2, 24);
  picture.setPixel(0, 0, MakeRgb(255, 0, 0));
  picture.setPixel(1, 0, MakeRgb(0, 0, 255));
  picture.setPixel(2, 0, MakeRgb(100, 100, 100));
  picture.setPixel(3, 0, MakeRgb(250, 10, 5));  // nearest: red
  picture.setPixel(0, 1, MakeRgb(0, 0, 0));
  picture.setPixel(1, 1, MakeRgb(255, 255, 255));
  picture.setPixel(2, 1, MakeRgb(101, 99, 100));
  picture.setPixel(3, 1, MakeRgb(255, 0, 0));

  Picture source = PrintSourcePicture(picture, &system);
  ASSERT_EQ(source.bitsPerPixel(), 8);
  EXPECT_EQ(source.palette(), system);
  EXPECT_EQ(source.rawPixel(0, 0), 7u);
  EXPECT_EQ(source.rawPixel(1, 0), 9u);
  EXPECT_EQ(source.rawPixel(2, 0), 100u);
  EXPECT_EQ(source.rawPixel(3, 0), 7u);
  EXPECT_EQ(source.rawPixel(0, 1), 0u);
  EXPECT_EQ(source.rawPixel(1, 1), 255u);
  EXPECT_EQ(source.rawPixel(2, 1), 100u);
  EXPECT_EQ(source.rawPixel(3, 1), 7u);
}

TEST(PrintSource, ShortSystemPaletteIsCompletedWithBlack) {
  std::vector<PaletteEntry> system(16, PaletteEntry{10, 20, 30, 99});
  Picture picture = RandomPicture(5, 5, 24, 9);
  Picture source = PrintSourcePicture(picture, &system);
  ASSERT_EQ(source.palette().size(), 256u);
  EXPECT_EQ(source.palette()[3], (PaletteEntry{10, 20, 30, 0}));
  EXPECT_EQ(source.palette()[200], (PaletteEntry{0, 0, 0, 0}));
}

TEST(PrintSource, EightBitPictureOnPaletteScreenKeepsColoursThatThePaletteHas) {
  std::vector<PaletteEntry> system = GreyPalette();
  Picture picture = *Picture::Create(16, 1, 8);
  for (int i = 0; i < 256; ++i) picture.palette()[i] = system[255 - i];
  for (int x = 0; x < 16; ++x) picture.setRawPixel(x, 0, uint32_t(x * 16));
  Picture source = PrintSourcePicture(picture, &system);
  EXPECT_TRUE(SamePixels(source, picture));
}

TEST(PrintSource, EmptyPictureGivesEmptySource) { EXPECT_TRUE(PrintSourcePicture(Picture(), nullptr).empty()); }

}  // namespace
}  // namespace flk
