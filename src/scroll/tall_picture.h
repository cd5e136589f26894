// The tall picture a scrolling capture builds: 32-bit rows kept top-down in
// one buffer whose capacity doubles, so a capture of many steps costs linear
// time. Rows come in at the bottom, or just above a fixed footer that must
// stay last.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "base/picture.h"

namespace flk {

class TallPicture {
 public:
  // limitBytes: the largest buffer it may hold; growing beyond fails like an
  // allocation failure.
  explicit TallPicture(size_t limitBytes = Picture::kMaxBytes) : limit_(limitBytes) {}

  // Starts afresh with the rows of a block (width x rows).
  bool Reset(int width, const Rgb* rows, int count);
  // Inserts count rows just above the last tailRows rows. False (picture
  // unchanged) when memory runs out.
  bool Insert(const Rgb* rows, int count, int tailRows);
  bool Append(const Rgb* rows, int count) { return Insert(rows, count, 0); }
  // Drops rows at the bottom so that height rows remain.
  void Truncate(int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const Rgb* row(int y) const { return px_.data() + size_t(y) * size_t(width_); }
  size_t capacityRows() const { return width_ ? px_.capacity() / size_t(width_) : 0; }

  // The picture as a 32-bit DIB; nothing when it cannot be allocated.
  std::optional<Picture> ToPicture() const;

 private:
  bool Reserve(size_t rows);
  size_t limit_;
  int width_ = 0, height_ = 0;
  std::vector<Rgb> px_;
};

}  // namespace flk
