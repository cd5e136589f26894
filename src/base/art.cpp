#include "base/art.h"

namespace flk {

std::vector<Point> ArtList::Moved(std::initializer_list<Point> pts) const {
  std::vector<Point> p;
  p.reserve(pts.size());
  for (Point q : pts) p.push_back(Point{q.x + at.x, q.y + at.y});
  return p;
}

void ArtList::Add(ArtShape::Kind kind, std::initializer_list<Point> pts, Rgb fill, Rgb line, int width) {
  list_.push_back({kind, Moved(pts), Inked(fill), Inked(line), width});
}

void ArtList::Fill(int x, int y, int w, int h, Rgb colour) {
  Add(ArtShape::Fill, {{x, y}, {x + w, y + h}}, colour, colour, 1);
}

void ArtList::Frame(int x, int y, int w, int h, Rgb fill, Rgb edge) {
  Fill(x, y, w, h, edge);
  if (w > 2 && h > 2) Fill(x + 1, y + 1, w - 2, h - 2, fill);
}

void ArtList::Box(int l, int t, int r, int b, Rgb fill, Rgb line) { Add(ArtShape::Box, {{l, t}, {r, b}}, fill, line, 1); }

void ArtList::Round(int l, int t, int r, int b, Rgb fill, Rgb line) {
  Add(ArtShape::Round, {{l, t}, {r, b}}, fill, line, 1);
}

void ArtList::Poly(std::initializer_list<Point> pts, Rgb fill, Rgb line) { Add(ArtShape::Polygon, pts, fill, line, 1); }

void ArtList::Line(int x0, int y0, int x1, int y1, Rgb colour, int width) {
  Add(ArtShape::Line, {{x0, y0}, {x1, y1}}, 0, colour, width);
}

}  // namespace flk
