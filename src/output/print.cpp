#include "output/print.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace flk {

namespace {

// Drops the fraction of a non-negative product. A product that is whole in
// exact arithmetic (25 x 6.25 x 2 = 312.5 x 2) may come out a hair below the
// whole number in floating point; such a hair is not a fraction.
int Truncate(double v) {
  if (!(v > 0)) return 0;
  double nearest = std::round(v);
  if (std::fabs(v - nearest) < 1e-9 * std::max(1.0, nearest)) return int(nearest);
  return int(std::floor(v));
}

}  // namespace

std::optional<PrintLayout> ComputePrintLayout(const PrintPageInput& in, std::string* error) {
  auto fail = [&](const char* text) -> std::optional<PrintLayout> {
    if (error) *error = text;
    return std::nullopt;
  };
  if (in.pictureWidth <= 0 || in.pictureHeight <= 0) return fail("There is no picture to print.");
  if (in.printerDpiX <= 0 || in.printerDpiY <= 0 || in.screenDpiX <= 0 || in.screenDpiY <= 0)
    return fail("The printer reports no resolution.");

  PrintLayout l;
  l.scaleX = double(in.printerDpiX) / in.screenDpiX;
  l.scaleY = double(in.printerDpiY) / in.screenDpiY;
  l.marginLeft = l.marginRight = Truncate(kPrintMarginScreenPixels * l.scaleX);
  l.marginTop = l.marginBottom = Truncate(kPrintMarginScreenPixels * l.scaleY);
  l.printableWidth = in.pageWidth - l.marginLeft - l.marginRight;
  l.printableHeight = in.pageHeight - l.marginTop - l.marginBottom;
  if (l.printableWidth <= 0 || l.printableHeight <= 0) return fail("The page has no room inside its margins.");
  l.marks.width = Truncate(l.printableWidth / l.scaleX);
  l.marks.height = Truncate(l.printableHeight / l.scaleY);

  const double W = l.printableWidth, H = l.printableHeight;
  const double pw = in.pictureWidth, ph = in.pictureHeight;
  if (!in.fit && W >= pw * l.scaleX && H >= ph * l.scaleY)
    l.zoom = 1;
  else
    l.zoom = std::min(H / ph / l.scaleY, W / pw / l.scaleX);

  l.destLeft = l.marginLeft;
  l.destTop = l.marginTop;
  l.destWidth = Truncate(pw * l.scaleX * l.zoom);
  l.destHeight = Truncate(ph * l.scaleY * l.zoom);
  return l;
}

Picture PrintSourcePicture(const Picture& picture, const std::vector<PaletteEntry>* systemPalette) {
  if (picture.empty()) return Picture();
  const int w = picture.width(), h = picture.height();
  if (!systemPalette) {
    std::optional<Picture> out = Picture::Create(w, h, 24);
    if (!out) return Picture();
    for (int y = 0; y < h; ++y) {
      uint8_t* row = out->row(y);
      for (int x = 0; x < w; ++x) {
        Rgb c = picture.pixel(x, y);
        row[3 * x] = BlueOf(c);
        row[3 * x + 1] = GreenOf(c);
        row[3 * x + 2] = RedOf(c);
      }
    }
    return std::move(*out);
  }

  std::optional<Picture> out = Picture::Create(w, h, 8);
  if (!out) return Picture();
  std::vector<PaletteEntry>& table = out->palette();
  for (size_t i = 0; i < table.size(); ++i) table[i] = i < systemPalette->size() ? (*systemPalette)[i] : PaletteEntry{};
  for (auto& e : table) e.reserved = 0;
  // Screen pictures repeat few colours many times; remember each answer.
  std::unordered_map<Rgb, uint8_t> nearest;
  for (int y = 0; y < h; ++y) {
    uint8_t* row = out->row(y);
    for (int x = 0; x < w; ++x) {
      Rgb c = picture.pixel(x, y);
      auto it = nearest.find(c);
      if (it == nearest.end()) it = nearest.emplace(c, uint8_t(NearestPaletteIndex(table, c))).first;
      row[x] = it->second;
    }
  }
  return std::move(*out);
}


}  // namespace flk
