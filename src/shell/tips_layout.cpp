#include "shell/tips_layout.h"

#include <algorithm>

namespace flk {

const char kColorDepthTipText[] =
    "Framelark recommends increasing color depth to 16 bits or more.\r\n\r\n"
    "1  RIGHT-click the desktop.\r\n"
    "2  Click Properties.\r\n"
    "3  Click the Settings tab.\r\n"
    "4  Under Colors, select High Color (16 bit).\r\n"
    "5  Decrease screen area, if required.\r\n\r\n"
    "Tip, when using 8-bit color, clicking Edit/Options/ColorDepth/8 bit\r\n"
    "     may improve color performance.";

int TipBoxLines(std::string_view text) {
  return kTipBoxBaseLines + static_cast<int>(std::count(text.begin(), text.end(), '\r'));
}

int TipBoxHeight(std::string_view text, int letterHeight) { return TipBoxLines(text) * letterHeight; }

Point TipBoxPosition(bool corner, int formWidth, int formHeight, int screenWidth, int screenHeight) {
  if (corner) return {screenWidth - formWidth - 1, 0};
  // Halves drop the remainder; a negative difference rounds the same way.
  auto half = [](int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
  return {half(screenWidth - formWidth), half(screenHeight - formHeight)};
}

Point TipBoxPosition(bool corner, int formWidth, int formHeight, const Rect& screen) {
  Point p = TipBoxPosition(corner, formWidth, formHeight, screen.width(), screen.height());
  return {p.x + screen.left, p.y + screen.top};
}

PointHintPlace PlacePointHint(int x, int y, int formWidth, int formHeight, const Rect& screen, int arrowSize) {
  PointHintPlace p = PlacePointHint(x - screen.left, y - screen.top, formWidth, formHeight, screen.width(),
                                    screen.height(), arrowSize);
  p.left += screen.left;
  p.top += screen.top;
  return p;
}

PointHintPlace PlacePointHint(int x, int y, int W, int H, int SW, int SH, int arrowSize) {
  PointHintPlace p;
  const bool roomRight = x < SW - W;
  const bool roomBelow = y < SH - H;
  if (roomRight && roomBelow) {
    p = {x, y, HintCorner::LeftUp, 0, 0};
  } else if (roomRight) {
    p = {x, y - H, HintCorner::LeftDown, 0, H - arrowSize - 1};
  } else if (roomBelow) {
    p = {x - W, y, HintCorner::RightUp, W - arrowSize - 1, 0};
  } else {
    p = {x - W, y - H, HintCorner::RightDown, W - arrowSize - 1, H - arrowSize - 1};
  }
  return p;
}

std::array<Point, 7> ArrowPolygon(HintCorner corner) {
  // Drawn for the top-left corner, mirrored for the others.
  std::array<Point, 7> pts = {{{0, 0}, {11, 0}, {7, 4}, {19, 16}, {16, 19}, {4, 7}, {0, 11}}};
  const int last = kArrowSize - 1;
  const bool mirrorX = corner == HintCorner::RightUp || corner == HintCorner::RightDown;
  const bool mirrorY = corner == HintCorner::LeftDown || corner == HintCorner::RightDown;
  for (Point& p : pts) {
    if (mirrorX) p.x = last - p.x;
    if (mirrorY) p.y = last - p.y;
  }
  return pts;
}

bool IsPaletteScreen(int rasterCaps, int numColors) {
  return (rasterCaps & kRasterCapsPalette) != 0 || numColors != -1;
}

}  // namespace flk
