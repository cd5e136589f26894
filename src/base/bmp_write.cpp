#include "base/bmp.h"

namespace flk {

namespace {

constexpr size_t kFileHeaderBytes = 14;

std::vector<uint8_t> FileHeader(const Picture& p, size_t infoBytes) {
  uint32_t offset = uint32_t(kFileHeaderBytes + infoBytes);
  uint32_t size = offset + uint32_t(p.bitsSize());  // bitsSize() <= kMaxBytes, far below 4 GB
  std::vector<uint8_t> h(kFileHeaderBytes, 0);
  h[0] = 'B';
  h[1] = 'M';
  for (int i = 0; i < 4; ++i) h[2 + i] = uint8_t(size >> (8 * i));
  for (int i = 0; i < 4; ++i) h[10 + i] = uint8_t(offset >> (8 * i));
  return h;
}

}  // namespace

bool WriteBmp(const Picture& p, const ByteSink& sink) {
  if (p.empty()) return false;
  std::vector<uint8_t> info = p.info(false);
  std::vector<uint8_t> header = FileHeader(p, info.size());
  return sink(header.data(), header.size()) && sink(info.data(), info.size()) && sink(p.bits(), p.bitsSize());
}

bool WriteBmp(const Picture& p, std::FILE* file) {
  if (!file) return false;
  return WriteBmp(p, [file](const uint8_t* data, size_t size) { return std::fwrite(data, 1, size, file) == size; });
}

std::vector<uint8_t> EncodeBmp(const Picture& p) {
  std::vector<uint8_t> out;
  if (p.empty()) return out;
  out.reserve(kFileHeaderBytes + 1100 + p.bitsSize());
  WriteBmp(p, [&out](const uint8_t* data, size_t size) {
    out.insert(out.end(), data, data + size);
    return true;
  });
  return out;
}

std::vector<uint8_t> EncodePackedDib(const Picture& p) {
  if (p.empty()) return {};
  std::vector<uint8_t> out = p.info(false);
  out.insert(out.end(), p.bits(), p.bits() + p.bitsSize());
  return out;
}

}  // namespace flk
