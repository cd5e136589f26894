#include "viewer/folder_art_win.h"

#include "viewer/viewer_icons_win.h"
#include "win32/dpi_win.h"

namespace flk {

void DrawFolderArt(HDC dc, int x, int y, const DpiScale& scale) {
  // The DC is scaled for the drawing; its coordinates stay at 96 DPI.
  win::ScaledDrawing at(dc, x, y, scale);
  const int ox = at.x(), oy = at.y();
  std::vector<ArtShape> shapes = FolderManagerArt();
  for (ArtShape& s : shapes)
    for (Point& p : s.points) p = Point{p.x + ox, p.y + oy};
  DrawArt(dc, shapes, [](int v) { return v; }, [](int) { return 1; });
}

}  // namespace flk
