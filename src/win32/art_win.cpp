#include "win32/art_win.h"

#include <algorithm>

#include "win32/unique_handle.h"

namespace flk::win {

void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, const std::function<int(int)>& at,
             const std::function<int(int)>& pen) {
  for (const ArtShape& shape : shapes) {
    std::vector<POINT> p;
    for (Point q : shape.points) p.push_back({at(q.x), at(q.y)});
    if (shape.kind == ArtShape::Fill) {
      UniqueBrush fill(::CreateSolidBrush(ColourOf(shape.fill)));
      RECT r{p[0].x, p[0].y, p[1].x, p[1].y};
      ::FillRect(dc, &r, fill.get());
      continue;
    }
    if (shape.kind == ArtShape::Line) {
      UniquePen line(::CreatePen(PS_SOLID, std::max(1, pen(shape.width)), ColourOf(shape.line)));
      SelectedObject selected(dc, line.get());
      ::MoveToEx(dc, p[0].x, p[0].y, nullptr);
      ::LineTo(dc, p[1].x, p[1].y);
      continue;
    }
    UniquePen outline(::CreatePen(PS_SOLID, std::max(1, pen(1)), ColourOf(shape.line)));
    UniqueBrush fill(::CreateSolidBrush(ColourOf(shape.fill)));
    SelectedObject selectedPen(dc, outline.get()), selectedBrush(dc, fill.get());
    switch (shape.kind) {
      case ArtShape::Box: ::Rectangle(dc, p[0].x, p[0].y, p[1].x, p[1].y); break;
      case ArtShape::Round: ::Ellipse(dc, p[0].x, p[0].y, p[1].x, p[1].y); break;
      case ArtShape::Polygon: ::Polygon(dc, p.data(), int(p.size())); break;
      case ArtShape::Fill:
      case ArtShape::Line: break;
    }
  }
}

void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, int x, int y) {
  // Two maps, one per axis, would need two passes: offset the points instead.
  std::vector<ArtShape> moved = shapes;
  for (ArtShape& s : moved)
    for (Point& p : s.points) p = Point{p.x + x, p.y + y};
  DrawArt(dc, moved, [](int v) { return v; }, [](int w) { return w; });
}

}  // namespace flk::win
