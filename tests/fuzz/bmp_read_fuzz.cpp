// libFuzzer target for the bitmap reader: any bytes, as a file and as a packed
// DIB. Whatever is accepted must be a consistent picture that our own writer
// and reader reproduce exactly.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/bmp.h"
#include "base/pixel_format.h"

namespace {

// Small enough that a tiny RLE file cannot make each run allocate hundreds of
// megabytes; the limit logic is the same as with Picture::kMaxBytes.
constexpr size_t kFuzzMaxBytes = size_t(4) << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void Consistent(const flk::Picture& p) {
  Check(p.width() > 0 && p.height() > 0);
  Check(flk::IsSupportedDepth(p.bitsPerPixel()));
  Check(p.bitsSize() == p.stride() * size_t(p.height()));
  Check(p.palette().size() == (p.bitsPerPixel() <= 8 ? size_t(1) << p.bitsPerPixel() : 0));
  if (p.bitsSize() > (size_t(1) << 14)) return;  // re-encoding large pictures only slows the search
  std::vector<uint8_t> again = flk::EncodeBmp(p);
  auto back = flk::DecodeBmp(again.data(), again.size(), nullptr, kFuzzMaxBytes);
  Check(back.has_value());
  Check(back->bitsPerPixel() == p.bitsPerPixel() && back->palette() == p.palette());
  for (int y = 0; y < p.height(); ++y) Check(std::memcmp(back->row(y), p.row(y), p.stride()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  if (auto p = flk::DecodeBmp(data, size, &error, kFuzzMaxBytes)) {
    Consistent(*p);
    // Depth conversion of small accepted pictures, to every depth in turn.
    if (int64_t(p->width()) * p->height() <= 256) {
      static const int kDepths[] = {1, 4, 8, 15, 16, 24, 32};
      auto converted = flk::ConvertDepth(*p, kDepths[size % 7]);
      Check(converted.has_value() && converted->width() == p->width());
    }
  } else {
    Check(!error.empty());
  }
  error.clear();
  if (auto p = flk::DecodePackedDib(data, size, &error, kFuzzMaxBytes))
    Consistent(*p);
  else
    Check(!error.empty());
  return 0;
}
