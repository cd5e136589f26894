#include "scroll/capture_area.h"

#include <algorithm>
#include <cstdio>

namespace flk {

Rect TargetRectangle(const Rect& target, int rtMargin, const std::vector<Rect>& ancestors) {
  Rect r = target;
  r.right -= rtMargin;
  if (r.empty()) return Rect{};
  for (const Rect& a : ancestors) r = Intersect(r, a);
  return r;
}

bool DisplayTooPoor(int numColors, bool rasterPalette, int bitsPerPixel) {
  return numColors != -1 || rasterPalette || bitsPerPixel < 15;
}

bool IsVerticalScrollBar(bool visible, const std::string& className, uint32_t style) {
  constexpr uint32_t kSbsVert = 0x1, kSbsSizeBox = 0x8, kSbsSizeGrip = 0x10;
  return visible && className == "ScrollBar" && (style & kSbsVert) && !(style & (kSbsSizeBox | kSbsSizeGrip));
}

int MaxCaptureHeight(int fileLimit, int wd, int bitsPerPixel) {
  if (wd <= 0 || bitsPerPixel <= 0) return 0;
  return int(int64_t(fileLimit) / wd * 8 / bitsPerPixel);
}

namespace {

CaptureArea Finish(CaptureArea a, const Rect& window, const ScrollParams& p, int bpp) {
  a.windowTop = window.top;
  a.areaHeight = window.bottom - a.areaTop;
  a.bitsPerPixel = bpp;
  a.maxCapHt = MaxCaptureHeight(p.fileLimit, a.wd, bpp);
  // The index column stays inside the capture, whatever the setting says.
  a.indexX = a.ltScn + std::clamp(p.indexLt, 0, std::max(a.wd - 1, 0));
  return a;
}

}  // namespace

std::variant<CaptureArea, std::string> ScrollCaptureArea(const Rect& window, const Rect& viewfinder,
                                                         const ScrollParams& p, int bpp) {
  CaptureArea a;
  a.ltScn = std::max(window.left, viewfinder.left);
  a.tpScn = viewfinder.top;
  a.wd = std::min(window.right, viewfinder.right) - a.ltScn;
  a.areaTop = std::max(window.top, a.tpScn);
  a = Finish(a, window, p, bpp);
  if (!(a.areaHeight > 50 && int64_t(p.scanLt) + p.scanRt + 50 < a.wd)) return std::string(kScrollAreaTooSmall);
  return a;
}

std::variant<CaptureArea, std::string> RoboCaptureArea(const Rect& window, const ScrollParams& p, int bpp) {
  CaptureArea a;
  a.ltScn = window.left;
  a.tpScn = window.top;
  a.wd = window.width();
  a.areaTop = window.top;
  a = Finish(a, window, p, bpp);
  if (!(a.areaHeight > 50 && int64_t(p.scanLt) + p.scanRt + 50 < a.wd)) return std::string(kRoboAreaTooSmall);
  return a;
}

std::optional<std::string> BigImageCaution(int height, int wd, int bpp, int fileLimit) {
  int64_t bytes = int64_t(height) * wd * bpp / 8;
  if (bytes <= fileLimit / 2) return std::nullopt;
  char mb[64];
  std::snprintf(mb, sizeof mb, "%.1f", double(bytes) / 1048576.0);
  return std::string("Caution -- This is a pretty large image, ") + mb +
         " MB.\r\nIt may slow down your system or cause subtle low resource errors.";
}

int ToolWindowTop(int tpScn, int toolHeight, int screenTop) { return std::max(tpScn - toolHeight - 2, screenTop); }

int RoboToolLeft(const Rect& window, int toolWidth, int buttonOffset, int buttonWidth, int screenWidth) {
  int left = window.left + (window.width() - buttonWidth) / 2 - buttonOffset;
  return std::clamp(left, 0, std::max(screenWidth - toolWidth, 0));
}

int RoboToolLeft(const Rect& window, int toolWidth, int buttonOffset, int buttonWidth, const Rect& screen) {
  return screen.left +
         RoboToolLeft(window.offset(-screen.left, 0), toolWidth, buttonOffset, buttonWidth, screen.width());
}

}  // namespace flk
