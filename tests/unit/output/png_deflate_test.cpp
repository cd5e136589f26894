// The PNG writer's two ways (libdeflate in memory, zlib through libpng row by
// row) and its row filters: every file decodes to the same pixels in libpng
// and ImageMagick, the fallback is the zlib way itself, and the in-memory way
// is no bigger than zlib on the screen corpus.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "decoders.h"
#include "output/png_filters.h"
#include "output/png_writer.h"
#include "output/save_file.h"

namespace flk {
namespace {

using namespace flk::testing;
namespace fs = std::filesystem;

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed, int spread) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  int level = 128;
  for (auto& b : v) {
    level = (level + int(rng() % unsigned(2 * spread + 1)) - spread) & 255;
    b = uint8_t(level);
  }
  return v;
}

TEST(PngFilters, EveryFilterUndoesExactlyWithAndWithoutARowAbove) {
  const PngRowFilter filters[] = {PngRowFilter::kNone, PngRowFilter::kSub, PngRowFilter::kUp, PngRowFilter::kAverage,
                                  PngRowFilter::kPaeth};
  for (int bpp : {3, 4})
    for (size_t pixels : {size_t(1), size_t(2), size_t(57)})
      for (PngRowFilter f : filters)
        for (bool withAbove : {false, true}) {
          const size_t n = pixels * size_t(bpp);
          auto row = RandomBytes(n, uint32_t(n * 7 + int(f)), 40);
          auto above = RandomBytes(n, uint32_t(n * 11), 90);
          std::vector<uint8_t> filtered(n + 1), back(n);
          FilterPngRow(f, row.data(), withAbove ? above.data() : nullptr, n, bpp, filtered.data());
          EXPECT_EQ(filtered[0], uint8_t(f));
          UnfilterPngRow(filtered.data(), withAbove ? above.data() : nullptr, n, bpp, back.data());
          EXPECT_EQ(back, row) << "bpp " << bpp << " pixels " << pixels << " filter " << int(f) << " above "
                               << withAbove;
        }
}

TEST(PngFilters, KnownValues) {
  // Two RGB pixels under a row of 100s: the numbers worked by hand from the PNG rules.
  const uint8_t row[] = {10, 20, 30, 15, 25, 200};
  const uint8_t above[] = {100, 100, 100, 100, 100, 100};
  struct Case {
    PngRowFilter filter;
    std::vector<uint8_t> want;
  } cases[] = {
      {PngRowFilter::kNone, {0, 10, 20, 30, 15, 25, 200}},
      {PngRowFilter::kSub, {1, 10, 20, 30, 5, 5, 170}},
      {PngRowFilter::kUp, {2, 166, 176, 186, 171, 181, 100}},
      // Average: (left + up) / 2, left 0 on the first pixel.
      {PngRowFilter::kAverage, {3, 216, 226, 236, 216, 221, 135}},
      // Paeth: first pixel predicts from above (100); then p = a + b - c = left, so left wins.
      {PngRowFilter::kPaeth, {4, 166, 176, 186, 5, 5, 170}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> out(7);
    FilterPngRow(c.filter, row, above, 6, 3, out.data());
    EXPECT_EQ(out, c.want) << int(c.filter);
  }
}

TEST(PngFilters, AdaptivePicksTheFilterThatLeavesSmallValues) {
  const size_t n = 60;
  std::vector<uint8_t> ramp(n), flat(n, 77), zeros(n, 0), noise = RandomBytes(n, 3, 120), out(n + 1),
      scratch(n + 1);
  for (size_t i = 0; i < n; ++i) ramp[i] = uint8_t(i / 3 * 4);
  struct Case {
    const char* what;
    const std::vector<uint8_t>* row;
    const std::vector<uint8_t>* above;
    PngRowFilter want;
  } cases[] = {
      {"a row equal to the one above", &noise, &noise, PngRowFilter::kUp},
      {"a horizontal ramp under noise", &ramp, &noise, PngRowFilter::kSub},
      {"a ramp as the first row", &ramp, nullptr, PngRowFilter::kSub},
      {"zeros under noise: None, first among equals", &zeros, &noise, PngRowFilter::kNone},
      {"flat under flat", &flat, &flat, PngRowFilter::kUp},
  };
  for (const Case& c : cases) {
    PngRowFilter got =
        FilterPngRowAdaptive(c.row->data(), c.above ? c.above->data() : nullptr, n, 3, out.data(), scratch.data());
    EXPECT_EQ(got, c.want) << c.what;
    EXPECT_EQ(out[0], uint8_t(got)) << c.what;
    std::vector<uint8_t> back(n);
    UnfilterPngRow(out.data(), c.above ? c.above->data() : nullptr, n, 3, back.data());
    EXPECT_EQ(back, *c.row) << c.what;
  }
}

TEST(PngFilters, BusyShareCountsPixelsThatRepeatNeitherNeighbour) {
  // Rows padded by a pixel: the count reads four bytes at a time.
  std::vector<uint8_t> flat(3 * 11 + 4, 9), above(3 * 11 + 4, 9), stripes(3 * 11 + 4, 0);
  for (int x = 0; x < 11; ++x) stripes[size_t(3 * x)] = uint8_t(x & 1 ? 255 : 0);
  EXPECT_EQ(PngBusyPercent(flat.data(), nullptr, 11, 3), 0);
  EXPECT_EQ(PngBusyPercent(stripes.data(), nullptr, 11, 3), 100);
  EXPECT_EQ(PngBusyPercent(stripes.data(), stripes.data(), 11, 3), 0);  // each repeats the one above
  EXPECT_EQ(PngBusyPercent(stripes.data(), above.data(), 11, 3), 100);
  EXPECT_EQ(PngBusyPercent(stripes.data(), nullptr, 1, 3), 0);
}

TEST(PngPlans, FilterChoiceBusyPictureAndTrialDecideRowsAndCoder) {
  PngTuning runs;
  PngTuning lz;
  lz.photoCoder = PngPhotoCoder::kLibdeflate;
  auto with = [](PngTuning t, PngFilterChoice f) {
    t.filter = f;
    return t;
  };
  const PngPlan byRuns{PngRowRule::kPaeth, 0, PngCoder::kZlibRuns};
  const PngPlan photoLz{PngRowRule::kAdaptiveAbove, 10, PngCoder::kLibdeflate};
  const PngPlan screen{PngRowRule::kAdaptiveAbove, 80, PngCoder::kLibdeflate};
  struct Case {
    const char* what;
    PngTuning tuning;
    bool mostlyBusy;
    size_t runsBytes, lzBytes;
    bool trial;
    PngPlan want;
  } cases[] = {
      {"a calm picture: no trial, screen rows", runs, false, 0, 0, false, screen},
      {"a busy picture where runs win the trial", runs, true, 900, 1000, true, byRuns},
      {"a tie goes to runs, the faster", runs, true, 1000, 1000, true, byRuns},
      {"a busy picture where runs lose (dense text)", runs, true, 1001, 1000, true, photoLz},
      {"a failed trial counts against runs", runs, true, SIZE_MAX, 0, true, photoLz},
      {"runs turned off: no trial", lz, true, 0, 1000, false, photoLz},
      {"runs turned off, calm picture", lz, false, 0, 0, false, screen},
      {"None asked for", with(runs, PngFilterChoice::kNone), true, 0, 1, false,
       PngPlan{PngRowRule::kNone, 0, PngCoder::kLibdeflate}},
      {"Paeth asked for stays with libdeflate", with(runs, PngFilterChoice::kPaeth), true, 0, 1, false,
       PngPlan{PngRowRule::kPaeth, 0, PngCoder::kLibdeflate}},
      {"adaptive asked for", with(runs, PngFilterChoice::kAdaptive), false, 0, 1, false,
       PngPlan{PngRowRule::kAdaptive, 0, PngCoder::kLibdeflate}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PngNeedsTrial(c.tuning, c.mostlyBusy), c.trial) << c.what;
    const PngPlan got = PlanPng(c.tuning, c.mostlyBusy, c.runsBytes, c.lzBytes);
    EXPECT_TRUE(got == c.want) << c.what << ": rows " << int(got.rows) << " above " << got.busyPercent << " coder "
                               << int(got.coder);
  }
}

std::string Write(const fs::path& file, const Picture& p, uint32_t transparent, const PngTuning& t,
                  SaveProgress* progress = nullptr) {
  std::FILE* f = OpenForWriting(file);
  if (!f) return "cannot open";
  SaveError err;
  bool ok = WritePngStream(f, p, transparent, &err, t, progress);
  std::fclose(f);
  return ok ? "" : err.message;
}

#ifndef _WIN32
// ImageMagick's decoding as packed RGB or RGBA, empty when convert fails.
std::vector<uint8_t> ImageMagickBytes(const fs::path& file, const char* layout) {
  std::string command = "convert '" + file.string() + "' -depth 8 " + layout + ":- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::vector<uint8_t> out;
  if (!pipe) return out;
  uint8_t buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + got);
  if (pclose(pipe) != 0) out.clear();
  return out;
}
#endif

TEST(PngWays, BothWaysEveryFilterWithAndWithoutAlphaDecodeToTheSamePixels) {
  ScratchFolder dir;
  Picture screen = MakeScreenLike(301, 97, 32, 5), photo = MakePhotoLike(203, 61, 9), tiny = MakeScreenLike(1, 1, 24, 2);
  const uint32_t key = 0x00FFFFFF & screen.pixel(3, 3);
  for (PngDeflater way : {PngDeflater::kLibdeflate, PngDeflater::kZlib})
    for (auto choice :
         {PngFilterChoice::kAuto, PngFilterChoice::kNone, PngFilterChoice::kPaeth, PngFilterChoice::kAdaptive})
      for (const Picture* p : {&screen, &photo, &tiny})
        for (uint32_t transparent : {kNoTransparentColour, key}) {
          SCOPED_TRACE(::testing::Message() << "way " << int(way) << " filter " << int(choice) << " width "
                                            << p->width() << " transparent " << (transparent != kNoTransparentColour));
          PngTuning t;
          t.deflater = way;
          t.filter = choice;
          const fs::path file = dir / "w.png";
          ASSERT_EQ(Write(file, *p, transparent, t), "");
          std::vector<uint8_t> want;
          for (int y = 0; y < p->height(); ++y)
            for (int x = 0; x < p->width(); ++x) {
              Rgb c = p->pixel(x, y);
              want.insert(want.end(), {RedOf(c), GreenOf(c), BlueOf(c)});
              if (transparent != kNoTransparentColour) want.push_back((c & 0xFFFFFF) == transparent ? 0 : 255);
            }
          PngFacts facts;
          std::vector<uint8_t> got;
          ASSERT_TRUE(ReadPngRows(file, &facts, [&](int, const uint8_t* row) {
            got.insert(got.end(), row, row + size_t(p->width()) * (transparent != kNoTransparentColour ? 4 : 3));
          }));
          EXPECT_EQ(facts.colourType, transparent != kNoTransparentColour ? 6 : 2);
          ASSERT_EQ(facts.texts.size(), 1u);
          EXPECT_EQ(facts.texts[0].first, "Software");
          EXPECT_TRUE(got == want) << "libpng decodes other pixels";
#ifndef _WIN32
          EXPECT_TRUE(ImageMagickBytes(file, transparent != kNoTransparentColour ? "rgba" : "rgb") == want)
              << "ImageMagick decodes other pixels";
#endif
        }
}

TEST(PngWays, APictureAboveTheInMemoryLimitIsWrittenTheZlibWayByteForByte) {
  ScratchFolder dir;
  Picture p = MakePhotoLike(120, 90, 4);
  PngTuning zlib;
  zlib.deflater = PngDeflater::kZlib;
  PngTuning limited;
  limited.maxInMemoryBytes = size_t(90) * (120 * 3 + 1) - 1;  // one byte short of the filtered picture
  PngTuning fits = limited;
  fits.maxInMemoryBytes += 1;
  ASSERT_EQ(Write(dir / "z.png", p, kNoTransparentColour, zlib), "");
  ASSERT_EQ(Write(dir / "l.png", p, kNoTransparentColour, limited), "");
  ASSERT_EQ(Write(dir / "f.png", p, kNoTransparentColour, fits), "");
  EXPECT_EQ(ReadAll(dir / "l.png"), ReadAll(dir / "z.png"));
  EXPECT_NE(ReadAll(dir / "f.png"), ReadAll(dir / "z.png"));
  auto img = ReadPng(dir / "f.png");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");
}

TEST(PngWays, ProgressEndsAtAThousandBothWaysAndOtherFormatsLeaveItAlone) {
  ScratchFolder dir;
  Picture p = MakeScreenLike(200, 300, 32, 8);
  for (PngDeflater way : {PngDeflater::kLibdeflate, PngDeflater::kZlib}) {
    PngTuning t;
    t.deflater = way;
    SaveProgress progress;
    ASSERT_EQ(Write(dir / "p.png", p, kNoTransparentColour, t, &progress), "");
    EXPECT_EQ(progress.permille(), 1000) << int(way);
  }
  SaveProgress photoProgress;
  ASSERT_EQ(Write(dir / "q.png", MakePhotoLike(300, 200, 5), kNoTransparentColour, PngTuning{}, &photoProgress), "");
  EXPECT_EQ(photoProgress.permille(), 1000);
  for (int format : {2, 3, 4}) {
    SaveProgress progress;
    SaveError err;
    ASSERT_TRUE(WritePictureFile(dir / "o", format, p, &err, &progress)) << err.message;
    EXPECT_EQ(progress.permille(), 0) << format;
  }
}

TEST(PngWays, OnTheScreenCorpusLibdeflateIsNoBiggerThanZlib) {
  auto files = CorpusScreenFiles();
  ASSERT_GE(files.size(), 12u);
  ScratchFolder dir;
  uint64_t screenZ = 0, screenL = 0, photoZ = 0, photoL = 0;
  for (const auto& file : files) {
    auto pic = LoadPngPicture(file);
    ASSERT_TRUE(pic);
    const bool photo = file.filename().string().find("photo") != std::string::npos;
    PngTuning zlib;
    zlib.deflater = PngDeflater::kZlib;
    ASSERT_EQ(Write(dir / "z.png", *pic, kNoTransparentColour, zlib), "");
    ASSERT_EQ(Write(dir / "l.png", *pic, kNoTransparentColour, PngTuning{}), "");
    (photo ? photoZ : screenZ) += fs::file_size(dir / "z.png");
    (photo ? photoL : screenL) += fs::file_size(dir / "l.png");
  }
  EXPECT_LE(screenL, screenZ);
  EXPECT_LE(double(photoL), 1.01 * double(photoZ));
}

// The trial: the corpus photo goes by runs (smaller than libdeflate's way,
// and close to ImageMagick's own file of it), while dense synthetic text, which also
// samples as busy, keeps libdeflate's way byte for byte. Both decode exactly.
TEST(PngWays, PhotographicPicturesGoByRunsOnlyWhenTheTrialFindsThemSmaller) {
  ScratchFolder dir;
  PngTuning lz;
  lz.photoCoder = PngPhotoCoder::kLibdeflate;
  fs::path photoFile;
  for (const auto& f : CorpusScreenFiles())
    if (f.filename().string().find("photo") != std::string::npos) photoFile = f;
  ASSERT_FALSE(photoFile.empty());
  auto photo = LoadPngPicture(photoFile);
  ASSERT_TRUE(photo);
  Picture text = MakeScreenLike(400, 300, 24, 3);
  struct Case {
    const char* what;
    const Picture* picture;
    bool runs;
  } cases[] = {{"corpus photo", &*photo, true}, {"dense synthetic text", &text, false}};
  for (const Case& c : cases) {
    ASSERT_EQ(Write(dir / "r.png", *c.picture, kNoTransparentColour, PngTuning{}), "") << c.what;
    ASSERT_EQ(Write(dir / "l.png", *c.picture, kNoTransparentColour, lz), "") << c.what;
    const auto r = ReadAll(dir / "r.png"), l = ReadAll(dir / "l.png");
    if (c.runs) {
      EXPECT_LT(double(r.size()), 0.995 * double(l.size())) << c.what;
      EXPECT_LT(double(r.size()), 1.005 * double(fs::file_size(photoFile))) << c.what;
    } else {
      EXPECT_EQ(r, l) << c.what;
    }
    auto back = ReadPng(dir / "r.png");
    ASSERT_TRUE(back) << c.what;
    EXPECT_EQ(FirstDifference(*c.picture, *back), "") << c.what;
#ifndef _WIN32
    std::vector<uint8_t> want;
    for (int y = 0; y < c.picture->height(); ++y)
      for (int x = 0; x < c.picture->width(); ++x) {
        Rgb px = c.picture->pixel(x, y);
        want.insert(want.end(), {RedOf(px), GreenOf(px), BlueOf(px)});
      }
    EXPECT_TRUE(ImageMagickBytes(dir / "r.png", "rgb") == want) << c.what << ": ImageMagick decodes other pixels";
#endif
  }
}

}  // namespace
}  // namespace flk
