// Display scaling. Every size the program lays out is given in pixels at 96
// DPI; a window multiplies it by its own scale. Captures, pictures and the view
// stay in physical pixels and never pass through here.
#pragma once

#include "base/geometry.h"

namespace flk {

inline constexpr int kBaseDpi = 96;

struct DpiScale {
  int dpi = kBaseDpi;

  // A 96-DPI length in this window's pixels, rounded to the nearest (halves away from zero).
  constexpr int operator()(int px96) const {
    long long n = static_cast<long long>(px96) * dpi;
    return static_cast<int>(n >= 0 ? (n + kBaseDpi / 2) / kBaseDpi : -((-n + kBaseDpi / 2) / kBaseDpi));
  }
  // The other way: a physical length as 96-DPI pixels.
  constexpr int ToBase(int px) const {
    long long n = static_cast<long long>(px) * kBaseDpi;
    return static_cast<int>(n >= 0 ? (n + dpi / 2) / dpi : -((-n + dpi / 2) / dpi));
  }
  constexpr Rect operator()(const Rect& r96) const { return Rect{(*this)(r96.left), (*this)(r96.top), (*this)(r96.right), (*this)(r96.bottom)}; }
  constexpr Size operator()(const Size& s96) const { return Size{(*this)(s96.width), (*this)(s96.height)}; }
  constexpr bool unscaled() const { return dpi == kBaseDpi; }
  friend constexpr bool operator==(const DpiScale&, const DpiScale&) = default;
};

// A DPI the system reported; anything implausible counts as 96.
constexpr DpiScale DpiScaleOf(int dpi) { return DpiScale{dpi >= 48 && dpi <= 960 ? dpi : kBaseDpi}; }

}  // namespace flk
