// Readers for the PNG and JPEG files the program saves, a distance measure for
// lossy pictures, and the hand-over of saved files to the ImageMagick check
// that scripts/e2e.sh runs after the driver (scripts/wine/check_saved_images.sh).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "camera_scene.h"

namespace flk::e2e {

// What a PNG file says about itself besides its pixels.
struct PngFacts {
  int bitDepth = 0, colourType = -1, interlace = -1;
  std::vector<std::pair<std::string, std::string>> texts;  // keyword, text
};
std::optional<ReadPicture> ReadPngFile(const std::string& path, PngFacts* facts = nullptr);

struct JpegFacts {
  int components = 0;
  bool progressive = false;
  bool quality75 = false;  // the luminance table is libjpeg's at quality 75
};
std::optional<ReadPicture> ReadJpegFile(const std::string& path, JpegFacts* facts = nullptr);

// A smooth colour field (gentle gradients), for lossy formats: the scene's
// pattern changes too sharply from pixel to pixel for any JPEG at quality 75.
uint32_t SmoothColour(int x, int y);

// Peak signal-to-noise ratio in dB of the picture against `colour` under
// `screenRect`, over all three channels; -1 when the sizes differ, 1000 when equal.
double PictureColourPsnr(const ReadPicture& picture, const RECT& screenRect, ColourAt colour);

// Text on the clipboard as CF_TEXT, or nothing.
std::optional<std::string> ClipboardText();

// Folder on drive C: whose files the ImageMagick check compares after the run.
std::string ImageCheckFolder();
// Copies `file` into that folder as `name` and writes beside it
// `name`.expected.ppm with the colours under `screenRect`.
bool HandToImageMagick(const std::string& file, const std::string& name, const RECT& screenRect,
                       ColourAt colour = PatternColour);

}  // namespace flk::e2e
