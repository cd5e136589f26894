// The public BMP test suite beside the checkout: good files must decode to
// the same pixels as ImageMagick gives, bad ones must be refused, and the
// questionable ones either load sanely or are refused as listed below.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "base/bmp.h"
#include "base/picture_testing.h"

namespace flk {
namespace {

namespace fs = std::filesystem;
using testing::SamePixels;

// Questionable files we refuse, and why (everything else in q/ must load;
// q/pal1p1.bmp loads because its pixels only use the one entry its table has,
// the rgba files load with their alpha dropped).
const std::map<std::string, std::string> kRefusedQuestionable = {
    {"pal1huffmsb.bmp", "Huffman"},         // OS/2 fax compression
    {"rgb24jpeg.bmp", "JPEG"},              // BI_JPEG: a JPEG inside a BMP
    {"rgb24png.bmp", "PNG"},                // BI_PNG: a PNG inside a BMP
    {"rgb24rle24.bmp", "RLE24"},            // OS/2 24-bit RLE
    {"rgba64.bmp", "bit count 64"},         // 64 bits per pixel
};

// Files that show the same picture (the suite's groups; ImageMagick agrees).
const std::vector<std::vector<std::string>> kSamePicture = {
    {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8rle.bmp", "g/pal8topdown.bmp", "g/pal8v4.bmp",
     "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2-hs.bmp", "q/pal8os2-sz.bmp", "q/pal8os2sp.bmp",
     "q/pal8os2v2-16.bmp", "q/pal8os2v2-40sz.bmp", "q/pal8os2v2.bmp", "q/pal8os2v2-sz.bmp", "q/pal8oversizepal.bmp"},
    {"g/rgb24.bmp", "g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgb24largepal.bmp",
     "q/rgb24lprof.bmp", "q/rgb24prof.bmp", "q/rgb32-xbgr.bmp", "q/rgb32h52.bmp", "q/rgb32fakealpha.bmp"},
    {"g/rgb16.bmp", "g/rgb16bfdef.bmp", "q/rgb16faketrns.bmp"},
    {"g/rgb16-565.bmp", "g/rgb16-565pal.bmp"},
    {"g/pal4.bmp", "g/pal4rle.bmp"},
    {"g/pal1.bmp", "g/pal1wb.bmp"},
};

fs::path CorpusDir() {
  fs::path dir = fs::path(FLK_CORPUS_DIR) / "bmp";
#ifdef _WIN32
  if (!fs::exists(dir)) dir = fs::path("Z:" FLK_CORPUS_DIR) / "bmp";
#endif
  return dir;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> FilesIn(const char* folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(CorpusDir() / folder, ec))
    if (e.path().extension() == ".bmp") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<Picture> Load(const fs::path& path, std::string* error) {
  std::vector<uint8_t> data = ReadAll(path);
  return DecodeBmp(data.data(), data.size(), error);
}

TEST(BmpCorpus, IsPresent) {
  ASSERT_TRUE(fs::is_directory(CorpusDir())) << "BMP corpus missing at " << CorpusDir();
  EXPECT_EQ(FilesIn("g").size(), 27u);
  EXPECT_EQ(FilesIn("q").size(), 43u);
  EXPECT_EQ(FilesIn("b").size(), 20u);
  EXPECT_EQ(FilesIn("x").size(), 1u);
}

TEST(BmpCorpus, GoodFilesLoad) {
  for (const auto& f : FilesIn("g")) {
    std::string error;
    auto p = Load(f, &error);
    ASSERT_TRUE(p) << f << ": " << error;
    EXPECT_GE(p->width(), 124) << f;
  }
}

TEST(BmpCorpus, BadFilesAreRefusedWithAReason) {
  auto files = FilesIn("b");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    std::string error;
    EXPECT_FALSE(Load(f, &error)) << f;
    EXPECT_FALSE(error.empty()) << f;
  }
  std::string error;
  EXPECT_FALSE(Load(CorpusDir() / "x" / "ba-bm.bmp", &error));
  EXPECT_NE(error.find("bitmap arrays"), std::string::npos) << error;
}

TEST(BmpCorpus, QuestionableFilesLoadOrAreRefusedAsListed) {
  auto files = FilesIn("q");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    std::string error;
    auto p = Load(f, &error);
    auto refused = kRefusedQuestionable.find(f.filename().string());
    if (refused != kRefusedQuestionable.end()) {
      EXPECT_FALSE(p) << f;
      EXPECT_NE(error.find(refused->second), std::string::npos) << f << ": " << error;
    } else {
      ASSERT_TRUE(p) << f << ": " << error;
      EXPECT_EQ(p->width(), 127) << f;
      EXPECT_EQ(p->height(), 64) << f;
    }
  }
}

TEST(BmpCorpus, VariantsOfOnePictureDecodeAlike) {
  for (const auto& group : kSamePicture) {
    std::string error;
    auto first = Load(CorpusDir() / group[0], &error);
    ASSERT_TRUE(first) << group[0] << ": " << error;
    for (size_t i = 1; i < group.size(); ++i) {
      auto other = Load(CorpusDir() / group[i], &error);
      ASSERT_TRUE(other) << group[i] << ": " << error;
      EXPECT_TRUE(SamePixels(*first, *other)) << group[i] << " differs from " << group[0];
    }
  }
}

#ifndef _WIN32
// ImageMagick's decoding as packed RGB, or empty when convert fails.
std::vector<uint8_t> ImageMagickRgb(const fs::path& file) {
  std::string command = "convert '" + file.string() + "' -depth 8 rgb:- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::vector<uint8_t> out;
  if (!pipe) return out;
  uint8_t buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.insert(out.end(), buffer, buffer + got);
  if (pclose(pipe) != 0) out.clear();
  return out;
}

TEST(BmpCorpus, GoodFilesMatchImageMagick) {
  auto files = FilesIn("g");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    std::string error;
    auto p = Load(f, &error);
    ASSERT_TRUE(p) << f << ": " << error;
    std::vector<uint8_t> want = ImageMagickRgb(f);
    ASSERT_FALSE(want.empty()) << "ImageMagick's convert could not decode " << f
                               << "; this test needs it (apt-get install imagemagick)";
    ASSERT_EQ(want.size(), size_t(p->width()) * size_t(p->height()) * 3) << f;
    size_t differing = 0;
    std::string first;
    for (int y = 0; y < p->height(); ++y)
      for (int x = 0; x < p->width(); ++x) {
        const uint8_t* m = &want[(size_t(y) * size_t(p->width()) + size_t(x)) * 3];
        Rgb c = p->pixel(x, y);
        if (RedOf(c) != m[0] || GreenOf(c) != m[1] || BlueOf(c) != m[2]) {
          if (differing++ == 0)
            first = std::to_string(x) + "," + std::to_string(y) + ": ours " + std::to_string(c) + ", theirs " +
                    std::to_string((m[0] << 16) | (m[1] << 8) | m[2]);
        }
      }
    EXPECT_EQ(differing, 0u) << f << " first difference at " << first;
  }
}
#endif

}  // namespace
}  // namespace flk
