#include "scroll/index_code.h"

namespace flk {

Rgb IndexColour(int code) {
  unsigned m = unsigned(code + 1);
  return MakeRgb(uint8_t(16 * (m % 16) + 7), uint8_t(16 * ((m / 16) % 16) + 7), uint8_t(16 * ((m / 256) % 16) + 7));
}

int DecodeIndex(Rgb pixel) {
  int m = 256 * (BlueOf(pixel) / 16) + 16 * (GreenOf(pixel) / 16) + RedOf(pixel) / 16;
  return m - 1;
}

std::vector<Rgb> IndexColumn(int count) {
  std::vector<Rgb> out;
  out.reserve(size_t(count > 0 ? count : 0));
  for (int n = 0; n < count; ++n) out.push_back(IndexColour(n));
  return out;
}

}  // namespace flk
