// libFuzzer target for the clipboard's packed DIBs (CF_DIB and CF_DIBV5 as
// other programs put them there): any bytes behind a header of any of the
// sizes those formats use. What is accepted must be a consistent picture that
// our own writer and reader reproduce exactly; what is refused says why.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/bmp.h"

namespace {

constexpr size_t kFuzzMaxBytes = size_t(4) << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void Decode(const uint8_t* data, size_t size) {
  std::string error;
  std::optional<flk::Picture> p = flk::DecodePackedDib(data, size, &error, kFuzzMaxBytes);
  if (!p) {
    Check(!error.empty());
    return;
  }
  Check(p->width() > 0 && p->height() > 0);
  Check(p->bitsSize() == p->stride() * size_t(p->height()));
  if (p->bitsSize() > (size_t(1) << 14)) return;
  std::vector<uint8_t> again = flk::EncodeBmp(*p);
  std::optional<flk::Picture> back = flk::DecodeBmp(again.data(), again.size(), nullptr, kFuzzMaxBytes);
  Check(back.has_value() && back->bitsPerPixel() == p->bitsPerPixel() && back->palette() == p->palette());
  for (int y = 0; y < p->height(); ++y) Check(std::memcmp(back->row(y), p->row(y), p->stride()) == 0);
}

}  // namespace

// The first byte picks a header size the clipboard formats use (40: CF_DIB's
// BITMAPINFOHEADER, 52/56: with masks, 108: V4, 124: CF_DIBV5) and is written
// into biSize, so that the search spends its time behind valid-looking headers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Decode(data, size);  // as it came
  if (size < 2) return 0;
  static const uint32_t kSizes[] = {40, 52, 56, 64, 108, 124, 12};
  std::vector<uint8_t> dib(data + 1, data + size);
  const uint32_t headerSize = kSizes[data[0] % 7];
  if (dib.size() < 4) dib.resize(4);
  std::memcpy(dib.data(), &headerSize, 4);
  Decode(dib.data(), dib.size());
  return 0;
}
