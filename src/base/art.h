// Drawings made in code, kept as shapes at 96 DPI apart from any device
// context: the window side draws them in order at its own scale.
#pragma once

#include <initializer_list>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk {

struct ArtShape {
  // Fill: a plain rectangle without outline; Box: a rectangle with its outline;
  // Round: the ellipse inside a rectangle; Polygon; Line.
  enum Kind { Fill, Box, Round, Polygon, Line } kind = Box;
  // Fill, Box and Round: the corners (right and bottom outside); Polygon: its
  // corners; Line: its two ends.
  std::vector<Point> points;
  Rgb fill = 0;   // Fill, Box, Round, Polygon
  Rgb line = 0;   // the outline, or the Line itself
  int width = 1;  // a Line's thickness
};

// Builds a drawing; every point is moved by at, and every colour passes
// through ink (for drawings that come in normal, hot and disabled colours).
class ArtList {
 public:
  using Ink = Rgb (*)(Rgb colour, int state);
  explicit ArtList(Rgb outline = MakeRgb(40, 40, 40)) : outline_(outline) {}

  Point at{0, 0};
  int state = 0;  // passed to the ink
  Ink ink = nullptr;

  void Fill(int x, int y, int w, int h, Rgb colour);
  // An outlined rectangle as two fills: the edge colour, then the inside.
  void Frame(int x, int y, int w, int h, Rgb fill, Rgb edge);
  void Box(int l, int t, int r, int b, Rgb fill) { Box(l, t, r, b, fill, outline_); }
  void Box(int l, int t, int r, int b, Rgb fill, Rgb line);
  void Round(int l, int t, int r, int b, Rgb fill) { Round(l, t, r, b, fill, outline_); }
  void Round(int l, int t, int r, int b, Rgb fill, Rgb line);
  void Poly(std::initializer_list<Point> pts, Rgb fill) { Poly(pts, fill, outline_); }
  void Poly(std::initializer_list<Point> pts, Rgb fill, Rgb line);
  void Line(int x0, int y0, int x1, int y1, Rgb colour, int width = 1);

  std::vector<ArtShape> Take() { return std::move(list_); }
  const std::vector<ArtShape>& shapes() const { return list_; }

 private:
  Rgb Inked(Rgb c) const { return ink ? ink(c, state) : c; }
  std::vector<Point> Moved(std::initializer_list<Point> pts) const;
  void Add(ArtShape::Kind kind, std::initializer_list<Point> pts, Rgb fill, Rgb line, int width);

  Rgb outline_;
  std::vector<ArtShape> list_;
};

}  // namespace flk
