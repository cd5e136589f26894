// What the scrolling captures need of the screen: rectangles read in one
// block. The Win32 side answers with one BitBlt into a 32-bit DIB per call;
// tests answer from a fake screen that scrolls a known document.
#pragma once

#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk {

// Pixels of a screen rectangle, top row first, 0x00RRGGBB.
struct ScreenBlock {
  int width = 0;
  int height = 0;
  std::vector<Rgb> px;

  const Rgb* row(int y) const { return px.data() + size_t(y) * size_t(width); }
  Rgb at(int x, int y) const { return px[size_t(y) * size_t(width) + size_t(x)]; }
};

class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  // Copies the rectangle (screen coordinates) into out; false when the
  // screen could not be read.
  virtual bool Grab(const Rect& r, ScreenBlock& out) = 0;
};

}  // namespace flk
