// Rows of a picture at any depth as the encoders want them: 8-bit B,G,R,X
// (JPEG, quantiser) or R,G,B (PNG). One row at a time, so no encoder needs a
// second copy of the whole picture.
#pragma once

#include <cstdint>
#include <vector>

#include "base/picture.h"

namespace flk {

class RowReader {
 public:
  explicit RowReader(const Picture& picture);

  // Row y as B,G,R,X bytes (4 per pixel). For 32-bit pictures this is the
  // picture's own row; otherwise a converted copy valid until the next call.
  const uint8_t* Bgrx(int y);
  // Row y as R,G,B bytes (3 per pixel), valid until the next call.
  const uint8_t* Rgb(int y);

 private:
  void ToBgrx(int y, uint8_t* out) const;
  const Picture& picture_;
  std::vector<uint8_t> scratch_;
  uint32_t lut_[256] = {};  // palette colours as 0xXXRRGGBB, little-endian BGRX
};

}  // namespace flk
