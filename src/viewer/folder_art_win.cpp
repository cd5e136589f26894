#include "viewer/folder_art_win.h"

#include "viewer/viewer_art.h"
#include "win32/art_win.h"
#include "win32/dpi_win.h"

namespace flk {

void DrawFolderArt(HDC dc, int x, int y, const DpiScale& scale) {
  // The DC is scaled for the drawing; its coordinates stay at 96 DPI.
  win::ScaledDrawing at(dc, x, y, scale);
  win::DrawArt(dc, FolderManagerArt(), at.x(), at.y());
}

}  // namespace flk
