#include "base/icon_size.h"

namespace flk {

namespace {
constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64};
}  // namespace

int ToolIconSize(int size96, const DpiScale& s) {
  const int scaled = s(size96);
  if (scaled < kIconSizes[0]) return scaled;
  if (scaled >= 64) return scaled / 16 * 16;
  int best = kIconSizes[0];
  for (int size : kIconSizes)
    if (size <= scaled) best = size;
  return best;
}

DpiScale ArtScale(int art, int size) {
  if (art <= 0 || size <= 0) return DpiScale{};
  return DpiScale{(size * kBaseDpi + art / 2) / art};
}

}  // namespace flk
