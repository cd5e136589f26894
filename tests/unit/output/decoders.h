// Independent readers for the files our writers produce: libpng, libjpeg and
// giflib reading code, used only by tests, plus pictures to feed the writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/picture.h"

namespace flk::testing {

struct DecodedImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first, R,G,B
  Rgb at(int x, int y) const {
    const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return MakeRgb(p[0], p[1], p[2]);
  }
};

struct PngFacts {
  int width = 0, height = 0, bitDepth = 0, colourType = -1, interlace = -1;
  std::vector<std::pair<std::string, std::string>> texts;
};

// Reads a PNG row by row (libpng, expanded to 8-bit RGB or RGBA as stored);
// the callback gets each row top first. False when libpng refuses the file.
bool ReadPngRows(const std::filesystem::path& file, PngFacts* facts,
                 const std::function<void(int y, const uint8_t* row)>& onRow);
std::optional<DecodedImage> ReadPng(const std::filesystem::path& file, PngFacts* facts = nullptr);

struct JpegFacts {
  bool progressive = true;
  int components = 0;
};
std::optional<DecodedImage> ReadJpeg(const std::filesystem::path& file, JpegFacts* facts = nullptr);

struct GifFacts {
  int frames = 0;
  int paletteSize = 0;
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;
};
std::optional<DecodedImage> ReadGif(const std::filesystem::path& file, GifFacts* facts = nullptr);

// A PNG from the shared corpus as a 32-bit picture.
std::optional<Picture> LoadPngPicture(const std::filesystem::path& file);

// Peak signal-to-noise ratio over R, G and B, in dB (infinity when equal).
double Psnr(const Picture& original, const DecodedImage& decoded);
// First pixel where they differ, "" when none.
std::string FirstDifference(const Picture& original, const DecodedImage& decoded);

// Synthetic inputs: a window-like picture of few colours, and a photo-like one
// (smooth gradients with noise) of many.
Picture MakeScreenLike(int width, int height, int bitsPerPixel, uint32_t seed);
Picture MakePhotoLike(int width, int height, uint32_t seed);

std::filesystem::path CorpusScreens();
std::vector<std::filesystem::path> CorpusScreenFiles();

// A fresh, empty folder under the system's temporary folder, removed at exit.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::vector<uint8_t> ReadAll(const std::filesystem::path& file);
void WriteAll(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

}  // namespace flk::testing
