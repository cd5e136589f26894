#include "scroll/tall_picture.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace flk {

bool TallPicture::Reserve(size_t rows) {
  size_t need = rows * size_t(width_);
  if (need <= px_.capacity()) return true;
  size_t grown = std::max(need, px_.capacity() * 2);
  if (grown * sizeof(Rgb) > limit_) grown = limit_ / sizeof(Rgb);
  if (grown < need) return false;
  try {
    px_.reserve(grown);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool TallPicture::Reset(int width, const Rgb* rows, int count) {
  width_ = width;
  height_ = 0;
  px_.clear();
  return Insert(rows, count, 0);
}

bool TallPicture::Insert(const Rgb* rows, int count, int tailRows) {
  if (count <= 0) return true;
  tailRows = std::clamp(tailRows, 0, height_);
  if (!Reserve(size_t(height_) + size_t(count))) return false;
  size_t w = size_t(width_);
  px_.resize((size_t(height_) + size_t(count)) * w);
  Rgb* at = px_.data() + (size_t(height_) - size_t(tailRows)) * w;
  if (tailRows) std::memmove(at + size_t(count) * w, at, size_t(tailRows) * w * sizeof(Rgb));
  std::memcpy(at, rows, size_t(count) * w * sizeof(Rgb));
  height_ += count;
  return true;
}

void TallPicture::Truncate(int height) {
  if (height < 0) height = 0;
  if (height >= height_) return;
  height_ = height;
  px_.resize(size_t(height_) * size_t(width_));
}

std::optional<Picture> TallPicture::ToPicture() const {
  if (width_ <= 0 || height_ <= 0) return std::nullopt;
  std::optional<Picture> p;
  try {
    p = Picture::Create(width_, height_, 32);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (!p) return std::nullopt;
  for (int y = 0; y < height_; ++y) std::memcpy(p->row(y), row(y), size_t(width_) * sizeof(Rgb));
  return p;
}

}  // namespace flk
