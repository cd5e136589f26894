// The shared set of real screen pictures through every writer.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include "decoders.h"
#include "output/gif_writer.h"
#include "output/jpeg_writer.h"
#include "output/png_writer.h"

namespace flk {
namespace {

using namespace flk::testing;

double GiflibQuantiserPsnr(const Picture& pic) {
  const size_t n = size_t(pic.width()) * size_t(pic.height());
  std::vector<GifByteType> r(n), g(n), b(n), out(n);
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) {
      Rgb c = pic.pixel(x, y);
      size_t i = size_t(y) * size_t(pic.width()) + size_t(x);
      r[i] = RedOf(c);
      g[i] = GreenOf(c);
      b[i] = BlueOf(c);
    }
  int size = 256;
  GifColorType map[256];
  if (GifQuantizeBuffer(unsigned(pic.width()), unsigned(pic.height()), &size, r.data(), g.data(), b.data(),
                        out.data(), map) != GIF_OK)
    return 0;
  DecodedImage img;
  img.width = pic.width();
  img.height = pic.height();
  img.rgb.resize(n * 3);
  for (size_t i = 0; i < n; ++i) {
    img.rgb[3 * i] = map[out[i]].Red;
    img.rgb[3 * i + 1] = map[out[i]].Green;
    img.rgb[3 * i + 2] = map[out[i]].Blue;
  }
  return Psnr(pic, img);
}

TEST(CorpusOutput, PngIsExactGifExactUpTo236ColoursJpegClose) {
  auto files = CorpusScreenFiles();
  ASSERT_GE(files.size(), 12u) << CorpusScreens();
  ScratchFolder dir;
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    auto pic = LoadPngPicture(file);
    ASSERT_TRUE(pic);

    SaveError err;
    ASSERT_TRUE(WritePng(dir / "c.png", *pic, kNoTransparentColour, &err)) << err.message;
    auto png = ReadPng(dir / "c.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(FirstDifference(*pic, *png), "");

    QuantizeStats stats;
    std::FILE* f = OpenForWriting(dir / "c.gif");
    ASSERT_TRUE(WriteGifStream(f, *pic, &err, kDefaultStaticColours, &stats)) << err.message;
    std::fclose(f);
    auto gif = ReadGif(dir / "c.gif");
    ASSERT_TRUE(gif);
    double gifPsnr = Psnr(*pic, *gif);
    if (stats.exact) {
      EXPECT_EQ(FirstDifference(*pic, *gif), "");
    } else {
      // Measured 37.5 dB on the photo, 54-68 dB on the web pages and desktops.
      EXPECT_GT(gifPsnr, 36.0);
      // And clearly better than giflib's own quantiser, even with all 256
      // entries given to it.
      EXPECT_GT(gifPsnr, GiflibQuantiserPsnr(*pic) + 3.0);
    }

    ASSERT_TRUE(WriteJpeg(dir / "c.jpg", *pic, &err)) << err.message;
    auto jpg = ReadJpeg(dir / "c.jpg");
    ASSERT_TRUE(jpg);
    double jpgPsnr = Psnr(*pic, *jpg);
    EXPECT_GT(jpgPsnr, 25.0);
    std::printf("  %-48s gif %s %6.2f dB  jpeg %6.2f dB\n", file.filename().string().c_str(),
                stats.exact ? "exact" : "quant", gifPsnr, jpgPsnr);
  }
}

}  // namespace
}  // namespace flk
