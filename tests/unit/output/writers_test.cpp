// Every writer's file is read back by an independent decoder (libpng, libjpeg,
// giflib, and our own bitmap reader for BMP) and compared pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <set>

#include "base/bmp.h"
#include "decoders.h"
#include "output/gif_writer.h"
#include "output/jpeg_writer.h"
#include "output/png_writer.h"
#include "output/save_file.h"

namespace flk {
namespace {

using namespace flk::testing;
namespace fs = std::filesystem;

const int kDepths[] = {1, 4, 8, 15, 16, 24, 32};

Picture RandomPicture(int w, int h, int bpp, uint32_t seed) {
  Picture p = *Picture::Create(w, h, bpp);
  std::mt19937 rng(seed);
  for (auto& e : p.palette()) e = PaletteEntry{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.setRawPixel(x, y, rng() & (bpp == 24 || bpp == 32 ? 0xFFFFFF : (bpp >= 15 ? 0xFFFF : (1u << bpp) - 1)));
  return p;
}

// ---- PNG -------------------------------------------------------------------

TEST(PngWriter, EveryDepthDecodesExactlyAsEightBitRgbTopRowFirst) {
  ScratchFolder dir;
  for (int bpp : kDepths) {
    Picture p = RandomPicture(37, 23, bpp, uint32_t(bpp));
    SaveError err;
    ASSERT_TRUE(WritePng(dir / "a.png", p, kNoTransparentColour, &err)) << err.message;
    PngFacts facts;
    auto img = ReadPng(dir / "a.png", &facts);
    ASSERT_TRUE(img) << bpp;
    EXPECT_EQ(facts.bitDepth, 8);
    EXPECT_EQ(facts.colourType, 2);  // RGB
    EXPECT_EQ(facts.interlace, 0);
    ASSERT_EQ(facts.texts.size(), 1u);
    EXPECT_EQ(facts.texts[0].first, "Software");
    EXPECT_FALSE(facts.texts[0].second.empty());
    EXPECT_EQ(FirstDifference(p, *img), "") << bpp;
  }
}

TEST(PngWriter, EveryFilterChoiceIsLosslessOnScreenAndPhotoContent) {
  ScratchFolder dir;
  Picture screen = MakeScreenLike(301, 97, 32, 5), photo = MakePhotoLike(203, 61, 9);
  for (auto choice : {PngFilterChoice::kAuto, PngFilterChoice::kNone, PngFilterChoice::kPaeth, PngFilterChoice::kAdaptive})
    for (const Picture* p : {&screen, &photo}) {
      std::FILE* f = OpenForWriting(dir / "f.png");
      ASSERT_TRUE(f);
      PngTuning t;
      t.filter = choice;
      SaveError err;
      EXPECT_TRUE(WritePngStream(f, *p, kNoTransparentColour, &err, t)) << err.message;
      std::fclose(f);
      auto img = ReadPng(dir / "f.png");
      ASSERT_TRUE(img);
      EXPECT_EQ(FirstDifference(*p, *img), "") << int(choice);
    }
}

TEST(PngWriter, PhotoRowsAreFilteredSoPhotosDoNotBloat) {
  // Unfiltered photo data compresses far worse; the automatic choice must be
  // close to Paeth there and close to unfiltered on screen content, both ways.
  // (The synthetic screen's dense "text" makes the in-memory way sample it as
  // busy and filter its rows: 2.4 % over unfiltered, where the corpus shows none.)
  ScratchFolder dir;
  for (PngDeflater way : {PngDeflater::kZlib, PngDeflater::kLibdeflate}) {
    auto size = [&](const Picture& p, PngFilterChoice c) {
      std::FILE* f = OpenForWriting(dir / "s.png");
      PngTuning t;
      t.filter = c;
      t.deflater = way;
      WritePngStream(f, p, kNoTransparentColour, nullptr, t);
      std::fclose(f);
      return double(fs::file_size(dir / "s.png"));
    };
    const double screenSlack = way == PngDeflater::kZlib ? 1.02 : 1.03;
    Picture photo = MakePhotoLike(400, 300, 3);
    EXPECT_LT(size(photo, PngFilterChoice::kAuto), 1.02 * size(photo, PngFilterChoice::kPaeth)) << int(way);
    EXPECT_LT(size(photo, PngFilterChoice::kPaeth), 0.95 * size(photo, PngFilterChoice::kNone)) << int(way);
    Picture screen = MakeScreenLike(400, 300, 24, 3);
    EXPECT_LE(size(screen, PngFilterChoice::kAuto), screenSlack * size(screen, PngFilterChoice::kNone)) << int(way);
  }
}

TEST(PngWriter, TransparentColourGivesAnAlphaChannel) {
  ScratchFolder dir;
  Picture p = MakeScreenLike(40, 30, 24, 1);
  const Rgb key = p.pixel(5, 5);
  SaveError err;
  ASSERT_TRUE(WritePng(dir / "t.png", p, key, &err));
  PngFacts facts;
  int checked = 0;
  ASSERT_TRUE(ReadPngRows(dir / "t.png", &facts, [&](int y, const uint8_t* row) {
    for (int x = 0; x < p.width(); ++x) {
      Rgb c = p.pixel(x, y);
      ASSERT_EQ(MakeRgb(row[4 * x], row[4 * x + 1], row[4 * x + 2]), c);
      ASSERT_EQ(row[4 * x + 3], c == key ? 0 : 255);
      ++checked;
    }
  }));
  EXPECT_EQ(facts.colourType, 6);
  EXPECT_EQ(checked, 40 * 30);
}

TEST(PngWriter, TallRoboCapture1248x60000IsExact) {
  ScratchFolder dir;
  // 8-bit keeps the test's own memory small; the writer sees every row.
  Picture p = *Picture::Create(1248, 60000, 8);
  std::mt19937 rng(7);
  for (auto& e : p.palette()) e = PaletteEntry{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
  for (int y = 0; y < p.height(); ++y) {
    uint8_t* r = p.row(y);
    for (int x = 0; x < p.width(); ++x) r[x] = uint8_t((x / 16 + y / 9 + (x * y) % 7) & 0xFF);
  }
  SaveError err;
  ASSERT_TRUE(WritePng(dir / "tall.png", p, kNoTransparentColour, &err)) << err.message;
  PngFacts facts;
  int rows = 0;
  bool same = true;
  ASSERT_TRUE(ReadPngRows(dir / "tall.png", &facts, [&](int y, const uint8_t* row) {
    ++rows;
    for (int x = 0; x < p.width() && same; ++x)
      same = MakeRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]) == p.pixel(x, y);
  }));
  EXPECT_EQ(facts.height, 60000);
  EXPECT_EQ(rows, 60000);
  EXPECT_TRUE(same);
}

// ---- BMP -------------------------------------------------------------------

TEST(BmpOutput, EveryDepthIsWrittenAtItsOwnDepthAndReadsBackExactly) {
  ScratchFolder dir;
  for (int bpp : kDepths) {
    Picture p = RandomPicture(29, 11, bpp, uint32_t(100 + bpp));
    SaveError err;
    ASSERT_TRUE(WritePictureFile(dir / "a.bmp", 2, p, &err)) << err.message;
    auto bytes = ReadAll(dir / "a.bmp");
    ASSERT_GE(bytes.size(), 30u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28] | (bytes[29] << 8), bpp == 15 ? 16 : bpp);  // biBitCount
    std::string why;
    auto back = DecodeBmp(bytes, &why);
    ASSERT_TRUE(back) << why;
    ASSERT_EQ(back->width(), p.width());
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x) ASSERT_EQ(back->pixel(x, y), p.pixel(x, y)) << bpp;
  }
}

TEST(BmpOutput, TallPicture1248x60000) {
  ScratchFolder dir;
  Picture p = *Picture::Create(1248, 60000, 8);
  for (int y = 0; y < p.height(); ++y) p.row(y)[y % 1248] = uint8_t(y);
  SaveError err;
  ASSERT_TRUE(WritePictureFile(dir / "tall.bmp", 2, p, &err)) << err.message;
  auto back = DecodeBmp(ReadAll(dir / "tall.bmp"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->height(), 60000);
  EXPECT_EQ(0, std::memcmp(back->bits(), p.bits(), p.bitsSize()));
}

// ---- JPEG ------------------------------------------------------------------

TEST(JpegWriter, BaselineColourQuality75FromEveryDepth) {
  ScratchFolder dir;
  for (int bpp : kDepths) {
    Picture p = MakeScreenLike(160, 120, bpp, 4);
    SaveError err;
    ASSERT_TRUE(WriteJpeg(dir / "a.jpg", p, &err)) << err.message;
    JpegFacts facts;
    auto img = ReadJpeg(dir / "a.jpg", &facts);
    ASSERT_TRUE(img);
    EXPECT_FALSE(facts.progressive);
    EXPECT_EQ(facts.components, 3);
    // Quality 75 on sharp-edged screen content: measured 27-33 dB.
    EXPECT_GT(Psnr(p, *img), 25.0) << bpp;
  }
}

TEST(JpegWriter, SmoothPicturesComeBackClose) {
  ScratchFolder dir;
  Picture p = MakePhotoLike(320, 200, 2);
  ASSERT_TRUE(WriteJpeg(dir / "p.jpg", p, nullptr));
  auto img = ReadJpeg(dir / "p.jpg");
  ASSERT_TRUE(img);
  EXPECT_GT(Psnr(p, *img), 30.0);
}

// ---- GIF -------------------------------------------------------------------

TEST(GifWriter, PaletteHoldsTheStaticColoursAtBothEnds) {
  ScratchFolder dir;
  Picture p = MakePhotoLike(64, 64, 1);
  ASSERT_TRUE(WriteGif(dir / "a.gif", p, nullptr));
  GifFacts facts;
  ASSERT_TRUE(ReadGif(dir / "a.gif", &facts));
  EXPECT_EQ(facts.frames, 1);
  ASSERT_EQ(facts.paletteSize, 256);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(facts.palette[size_t(i)], kDefaultStaticColours[size_t(i)]);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(facts.palette[size_t(246 + i)], kDefaultStaticColours[size_t(10 + i)]);
}

TEST(GifWriter, UpTo236ColoursPlusStaticOnesAreExact) {
  ScratchFolder dir;
  Picture p = *Picture::Create(236 + 20, 9, 24);
  std::mt19937 rng(11);
  std::set<Rgb> used;
  while (used.size() < 236) {
    Rgb c = rng() & 0xFFFFFF;
    if (std::find(kDefaultStaticColours.begin(), kDefaultStaticColours.end(), c) == kDefaultStaticColours.end())
      used.insert(c);
  }
  std::vector<Rgb> colours(used.begin(), used.end());
  colours.insert(colours.end(), kDefaultStaticColours.begin(), kDefaultStaticColours.end());
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x) p.setPixel(x, y, colours[size_t(x + y) % colours.size()]);
  QuantizeStats stats;
  std::FILE* f = OpenForWriting(dir / "e.gif");
  ASSERT_TRUE(WriteGifStream(f, p, nullptr, kDefaultStaticColours, &stats));
  std::fclose(f);
  EXPECT_TRUE(stats.exact);
  auto img = ReadGif(dir / "e.gif");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");
}

TEST(GifWriter, ManyColoursAreQuantisedButBlackAndWhiteStayExact) {
  ScratchFolder dir;
  Picture p = MakePhotoLike(300, 200, 5);
  for (int x = 0; x < 300; x += 3) {
    p.setPixel(x, 10, 0);
    p.setPixel(x, 11, MakeRgb(255, 255, 255));
  }
  QuantizeStats stats;
  std::FILE* f = OpenForWriting(dir / "q.gif");
  ASSERT_TRUE(WriteGifStream(f, p, nullptr, kDefaultStaticColours, &stats));
  std::fclose(f);
  EXPECT_FALSE(stats.exact);
  EXPECT_EQ(stats.boxes, 236);
  auto img = ReadGif(dir / "q.gif");
  ASSERT_TRUE(img);
  for (int x = 0; x < 300; x += 3) {
    ASSERT_EQ(img->at(x, 10), 0u);
    ASSERT_EQ(img->at(x, 11), MakeRgb(255, 255, 255));
  }
  // Smooth gradients with +-12 noise: 236 colours give about 33 dB.
  EXPECT_GT(Psnr(p, *img), 31.0);
}

TEST(GifWriter, EveryPixelTakesItsNearestPaletteColour) {
  ScratchFolder dir;
  Picture p = MakePhotoLike(120, 80, 8);
  ASSERT_TRUE(WriteGif(dir / "n.gif", p, nullptr));
  GifFacts facts;
  auto img = ReadGif(dir / "n.gif", &facts);
  ASSERT_TRUE(img);
  auto dist = [](Rgb a, Rgb b) {
    int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
    return dr * dr + dg * dg + db * db;
  };
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x) {
      Rgb c = p.pixel(x, y);
      int best = 1 << 30;
      for (Rgb e : facts.palette) best = std::min(best, dist(c, e));
      ASSERT_EQ(dist(c, img->at(x, y)), best) << x << "," << y;
    }
}

TEST(GifWriter, PalettePicturesOfEveryDepth) {
  ScratchFolder dir;
  for (int bpp : {1, 4, 8}) {
    Picture p = MakeScreenLike(90, 50, bpp, 2);
    ASSERT_TRUE(WriteGif(dir / "d.gif", p, nullptr));
    auto img = ReadGif(dir / "d.gif");
    ASSERT_TRUE(img);
    EXPECT_EQ(FirstDifference(p, *img), "") << bpp;
  }
}

// ---- formats that cannot describe the picture --------------------------------

TEST(SizeLimits, GifRefusesSidesAbove65535JpegAbove65500AndTheOldFileStays) {
  ScratchFolder dir;
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  struct Case {
    int w, h;
    const char* name;
    int format;
    const char* limit;
  };
  for (Case c : {Case{65536, 2, "big.gif", 3, "65535"}, Case{2, 65536, "big.gif", 3, "65535"},
                 Case{65501, 2, "big.jpg", 4, "65500"}, Case{2, 65501, "big.jpg", 4, "65500"}}) {
    Picture p = *Picture::Create(c.w, c.h, 1);
    WriteAll(dir / c.name, old);
    SaveError err;
    EXPECT_FALSE(WritePictureFile(dir / c.name, c.format, p, &err));
    EXPECT_EQ(err.errorClass, "EInvalidGraphicOperation");
    EXPECT_NE(err.message.find(c.limit), std::string::npos) << err.message;
    EXPECT_EQ(ReadAll(dir / c.name), old);
  }
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"big.gif", "big.jpg"}));
}

TEST(SizeLimits, TheLargestSidesAreWritten) {
  ScratchFolder dir;
  Picture p = *Picture::Create(65535, 3, 1);
  p.palette()[1] = PaletteEntry{0, 0, 255, 0};
  for (int x = 0; x < 65535; x += 5) p.setRawPixel(x, 1, 1);
  ASSERT_TRUE(WriteGif(dir / "w.gif", p, nullptr));
  auto gif = ReadGif(dir / "w.gif");
  ASSERT_TRUE(gif);
  EXPECT_EQ(FirstDifference(p, *gif), "");
  Picture q = *Picture::Create(3, 65500, 1);
  ASSERT_TRUE(WriteJpeg(dir / "h.jpg", q, nullptr));
  auto jpg = ReadJpeg(dir / "h.jpg");
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->height, 65500);
}

}  // namespace
}  // namespace flk
