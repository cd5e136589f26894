#include "viewer/folder_art_win.h"

#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

// Pen and brush selected for one shape, put back afterwards.
class Paint {
 public:
  Paint(HDC dc, COLORREF line, COLORREF fill)
      : dc_(dc), pen_(::CreatePen(PS_SOLID, 1, line)), brush_(::CreateSolidBrush(fill)) {
    oldPen_ = ::SelectObject(dc, pen_.get());
    oldBrush_ = ::SelectObject(dc, brush_.get());
  }
  ~Paint() {
    ::SelectObject(dc_, oldPen_);
    ::SelectObject(dc_, oldBrush_);
  }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;

 private:
  HDC dc_;
  win::UniquePen pen_;
  win::UniqueBrush brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

struct Snapshot {
  COLORREF sky, hill;
};

void Polygon(HDC dc, int x, int y, std::initializer_list<POINT> points) {
  POINT p[8];
  int n = 0;
  for (POINT q : points)
    if (n < 8) p[n++] = POINT{x + q.x, y + q.y};
  ::Polygon(dc, p, n);
}

// One folder, 70 x 52, at (x, y): back with its tab, a snapshot, the front flap.
void DrawFolder(HDC dc, int x, int y, const Snapshot& shot) {
  const COLORREF edge = RGB(150, 108, 28);
  {
    Paint back(dc, edge, RGB(220, 170, 64));
    Polygon(dc, x, y, {{2, 8}, {7, 1}, {27, 1}, {32, 8}});
    ::Rectangle(dc, x, y + 7, x + 70, y + 50);
  }
  {
    Paint card(dc, RGB(128, 128, 128), RGB(255, 255, 255));
    ::Rectangle(dc, x + 10, y + 3, x + 60, y + 38);
  }
  {
    Paint sky(dc, shot.sky, shot.sky);
    ::Rectangle(dc, x + 13, y + 6, x + 57, y + 35);
  }
  {
    Paint sun(dc, RGB(240, 200, 40), RGB(255, 226, 70));
    ::Ellipse(dc, x + 42, y + 9, x + 51, y + 18);
  }
  {
    Paint hill(dc, shot.hill, shot.hill);
    Polygon(dc, x, y, {{13, 34}, {13, 27}, {24, 17}, {33, 26}, {39, 22}, {56, 34}});
  }
  {
    Paint front(dc, edge, RGB(248, 208, 100));
    Polygon(dc, x, y, {{0, 22}, {70, 22}, {67, 51}, {3, 51}});
  }
  {
    Paint label(dc, RGB(196, 150, 50), RGB(255, 236, 170));
    ::Rectangle(dc, x + 24, y + 30, x + 46, y + 37);
  }
}

}  // namespace

void DrawFolderArt(HDC dc, int x, int y, const DpiScale& scale) {
  win::ScaledDrawing at(dc, x, y, scale);
  const int ox = at.x(), oy = at.y();
  const Snapshot shots[] = {{RGB(126, 184, 236), RGB(76, 160, 80)},
                            {RGB(250, 176, 118), RGB(150, 110, 70)},
                            {RGB(120, 208, 204), RGB(60, 130, 150)}};
  // Fanned from the top down; the lowest folder lies in front.
  const POINT places[] = {{6, 4}, {2, 62}, {8, 120}};
  for (int i = 0; i < 3; ++i) DrawFolder(dc, ox + places[i].x, oy + places[i].y, shots[i]);
}

}  // namespace flk
