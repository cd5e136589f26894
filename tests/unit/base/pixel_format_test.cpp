#include "base/pixel_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "base/picture_testing.h"

namespace flk {
namespace {

using testing::Lcg;
using testing::RandomPicture;
using testing::SamePixels;
using testing::SameStorage;

const int kDepths[] = {1, 4, 8, 15, 16, 24, 32};

long Distance(Rgb a, Rgb b) {
  long dr = long(RedOf(a)) - RedOf(b), dg = long(GreenOf(a)) - GreenOf(b), db = long(BlueOf(a)) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

// A true-colour picture with many colours: gradients plus noise.
Picture ManyColours(int width, int height, uint32_t seed) {
  Lcg rng(seed);
  Picture p = *Picture::Create(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.setPixel(x, y, MakeRgb(uint8_t(x * 255 / width), uint8_t(y * 255 / height), uint8_t(rng.Next())));
  return p;
}

// A picture that uses exactly `count` distinct colours (count <= width*height).
Picture FewColours(int width, int height, int count, uint32_t seed, std::vector<Rgb>* used) {
  Lcg rng(seed);
  std::set<Rgb> distinct;
  while (int(distinct.size()) < count) distinct.insert(rng.Next() & 0xFFFFFF);
  used->assign(distinct.begin(), distinct.end());
  Picture p = *Picture::Create(width, height, 32);
  for (int i = 0; i < width * height; ++i)
    p.setPixel(i % width, i / width, (*used)[size_t(i < count ? i : int(rng.Below(uint32_t(count))))]);
  return p;
}

TEST(PixelFormat, SettingsMapToDepths) {
  const int expected[] = {1, 4, 8, 15, 16, 24, 32};
  for (int setting = 1; setting <= 7; ++setting) EXPECT_EQ(PixelFormatDepth(setting, 16), expected[setting - 1]);
  EXPECT_EQ(PixelFormatDepth(0, 32), 32);
  EXPECT_EQ(PixelFormatDepth(0, 16), 16);
  EXPECT_EQ(PixelFormatDepth(0, 8), 8);
  EXPECT_EQ(PixelFormatDepth(0, 0), 0);   // screen depth unknown: leave as is
  EXPECT_EQ(PixelFormatDepth(0, 12), 0);  // no picture holds 12 bits
  EXPECT_EQ(PixelFormatDepth(8, 24), 0);
  EXPECT_EQ(PixelFormatDepth(9, 24), 0);
  EXPECT_EQ(PixelFormatDepth(-1, 24), 0);
}

TEST(PixelFormat, ApplyWithUnknownSettingLeavesPictureUnchanged) {
  Picture p = RandomPicture(21, 9, 24, 1);
  Picture before = p;
  for (int setting : {8, 9, 100, -1}) {
    EXPECT_TRUE(ApplyPixelFormat(p, setting, 32));
    EXPECT_TRUE(SameStorage(p, before));
  }
}

TEST(PixelFormat, ApplyConvertsToEachSettingsDepth) {
  for (int setting = 0; setting <= 7; ++setting) {
    Picture p = ManyColours(40, 30, 2);
    ASSERT_TRUE(ApplyPixelFormat(p, setting, 16));
    EXPECT_EQ(p.bitsPerPixel(), setting == 0 ? 16 : kDepths[setting - 1]) << setting;
    EXPECT_EQ(p.width(), 40);
    EXPECT_EQ(p.height(), 30);
  }
  Picture empty;
  EXPECT_TRUE(ApplyPixelFormat(empty, 6, 32));
  EXPECT_TRUE(empty.empty());
}

TEST(PixelFormat, DeeperFormatsShowTheSamePixels) {
  for (int from : kDepths) {
    Picture src = RandomPicture(37, 11, from, uint32_t(from));
    for (int to : kDepths) {
      bool deeper = to >= 24 || (from <= 8 && to <= 8 && to >= from) || to == from;
      if (!deeper) continue;
      auto out = ConvertDepth(src, to);
      ASSERT_TRUE(out) << from << "->" << to;
      EXPECT_EQ(out->bitsPerPixel(), to);
      EXPECT_TRUE(SamePixels(src, *out)) << from << "->" << to;
    }
  }
}

TEST(PixelFormat, FifteenAndSixteenBitKeepTheTopBits) {
  Picture src = RandomPicture(64, 16, 24, 7);
  for (int to : {15, 16}) {
    auto out = ConvertDepth(src, to);
    ASSERT_TRUE(out);
    int greenBits = to == 16 ? 6 : 5;
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x) {
        Rgb a = src.pixel(x, y), b = out->pixel(x, y);
        ASSERT_EQ(RedOf(a) >> 3, RedOf(b) >> 3);
        ASSERT_EQ(GreenOf(a) >> (8 - greenBits), GreenOf(b) >> (8 - greenBits));
        ASSERT_EQ(BlueOf(a) >> 3, BlueOf(b) >> 3);
      }
    // and back up to 24 bits nothing more is lost
    auto up = ConvertDepth(*out, 24);
    ASSERT_TRUE(up);
    EXPECT_TRUE(SamePixels(*out, *up));
  }
}

TEST(PixelFormat, FifteenAndSixteenConvertIntoEachOtherByTheirBits) {
  Picture p15 = RandomPicture(50, 5, 15, 3);
  auto p16 = ConvertDepth(p15, 16);
  ASSERT_TRUE(p16);
  auto back = ConvertDepth(*p16, 15);
  ASSERT_TRUE(back);
  EXPECT_TRUE(SameStorage(p15, *back));  // 5 bits widened to 6 and narrowed again
}

TEST(PixelFormat, PaletteReductionsMapEveryPixelToItsNearestEntry) {
  Picture src = ManyColours(96, 64, 11);
  for (int to : {1, 4, 8}) {
    auto out = ConvertDepth(src, to);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->palette().size(), size_t(1) << to);
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x) {
        Rgb want = src.pixel(x, y);
        long best = std::numeric_limits<long>::max();
        for (const auto& e : out->palette()) best = std::min(best, Distance(MakeRgb(e.red, e.green, e.blue), want));
        ASSERT_EQ(Distance(out->pixel(x, y), want), best) << to << " at " << x << "," << y;
        ASSERT_EQ(int(out->rawPixel(x, y)), NearestPaletteIndex(out->palette(), want));
      }
  }
}

TEST(PixelFormat, FixedTablesForOneAndFourBits) {
  Picture src = ManyColours(64, 64, 5);
  auto mono = ConvertDepth(src, 1);
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->palette()[0], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(mono->palette()[1], (PaletteEntry{255, 255, 255, 0}));
  auto vga = ConvertDepth(src, 4);
  ASSERT_TRUE(vga);
  EXPECT_EQ(vga->palette(), StandardPalette16());
  auto vgaColours = StandardPalette16();
  EXPECT_EQ(vgaColours[9], (PaletteEntry{0, 0, 255, 0}));   // red
  EXPECT_EQ(vgaColours[7], (PaletteEntry{192, 192, 192, 0}));  // silver
}

TEST(PixelFormat, FewColoursConvertExactly) {
  struct Case {
    int bpp, colours;
  } cases[] = {{8, 256}, {8, 200}, {8, 1}, {4, 16}, {4, 9}, {1, 2}, {1, 1}};
  for (const auto& c : cases) {
    std::vector<Rgb> used;
    Picture src = FewColours(64, 40, c.colours, uint32_t(c.colours), &used);
    auto out = ConvertDepth(src, c.bpp);
    ASSERT_TRUE(out);
    EXPECT_TRUE(SamePixels(src, *out)) << c.bpp << " bits, " << c.colours << " colours";
  }
}

TEST(PixelFormat, QuantisedPaletteFindsTheClustersOfColour) {
  // 256 tight clusters of colour (about 12000 distinct colours): a quantiser
  // that follows the picture puts one entry at each cluster's centre.
  Lcg rng(31);
  std::set<uint32_t> cells;
  while (cells.size() < 256) cells.insert(rng.Below(32 * 32 * 32));
  std::vector<uint32_t> cellList(cells.begin(), cells.end());
  Picture src = *Picture::Create(256, 256, 24);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      uint32_t cell = cellList[rng.Below(256)];
      auto channel = [&](uint32_t c) { return uint8_t(c * 8 + 1 + rng.Below(6)); };  // stays inside the cell
      src.setPixel(x, y, MakeRgb(channel(cell >> 10), channel((cell >> 5) & 31), channel(cell & 31)));
    }
  std::vector<Rgb> row(256);
  std::set<Rgb> distinct;
  for (int y = 0; y < 256; ++y) {
    RowToRgb(src, y, row.data());
    distinct.insert(row.begin(), row.end());
  }
  ASSERT_GT(distinct.size(), 10000u);
  auto out = ConvertDepth(src, 8);
  ASSERT_TRUE(out);
  double total = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) total += double(Distance(src.pixel(x, y), out->pixel(x, y)));
  // Noise of 6 levels has a variance of about 3 per channel; one wrongly merged
  // cluster would already add hundreds.
  EXPECT_LT(total / (256.0 * 256.0 * 3.0), 6.0);
}

TEST(PixelFormat, ConvertRefusesWhatCannotBeMade) {
  std::string error;
  EXPECT_FALSE(ConvertDepth(Picture(), 24, &error));
  EXPECT_FALSE(error.empty());
  Picture small = RandomPicture(4, 4, 24, 1);
  EXPECT_FALSE(ConvertDepth(small, 12, &error));
  EXPECT_NE(error.find("12"), std::string::npos);
  // 1 bit that would need more than kMaxBytes at 32 bits.
  auto big = Picture::Create(20000, 8000, 1);
  ASSERT_TRUE(big);
  EXPECT_FALSE(ConvertDepth(*big, 32, &error));
  EXPECT_NE(error.find("too large"), std::string::npos);
  Picture copy = *big;
  EXPECT_FALSE(ApplyPixelFormat(copy, 7, 32, &error));
  EXPECT_EQ(copy.bitsPerPixel(), 1);
}

TEST(PixelFormat, ColorDepthOfReportsStoredDepth) {
  for (int bpp : kDepths) {
    Picture p = *Picture::Create(3, 3, bpp);
    EXPECT_EQ(ColorDepthOf(p, false), bpp);
    EXPECT_EQ(ColorDepthOf(p, true), bpp == 15 ? 16 : bpp);
  }
  EXPECT_EQ(ColorDepthOf(Picture(), false), 0);
}

TEST(PixelFormat, RowToRgbAgreesWithPixel) {
  for (int bpp : kDepths) {
    Picture p = RandomPicture(33, 4, bpp, 99);
    std::vector<Rgb> row(33);
    for (int y = 0; y < 4; ++y) {
      RowToRgb(p, y, row.data());
      for (int x = 0; x < 33; ++x) ASSERT_EQ(row[size_t(x)], p.pixel(x, y)) << bpp;
    }
  }
}

}  // namespace
}  // namespace flk
