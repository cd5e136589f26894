// Plain geometry for the pure layer: points, sizes and rectangles in pixels.
// A Rect has the RECT convention (right and bottom are one past the last
// pixel), so the Win32 side converts with a field-by-field copy into a RECT;
// nothing here knows about <windows.h>.
#pragma once

namespace flk {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // From a position and a size, the way the camera's own records are kept
  // (ViewRect, CaptureRect: x, y, width, height).
  static constexpr Rect FromXYWH(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr Point topLeft() const { return Point{left, top}; }
  constexpr Size size() const { return Size{width(), height()}; }
  // Half-open containment: left/top inside, right/bottom outside.
  constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr Rect offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect movedTo(int x, int y) const { return Rect{x, y, x + width(), y + height()}; }

  friend bool operator==(const Rect&, const Rect&) = default;
};

// Overlap of two rectangles; an empty Rect (all zero) when they do not meet.
constexpr Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
         a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  return r.empty() ? Rect{} : r;
}

}  // namespace flk
