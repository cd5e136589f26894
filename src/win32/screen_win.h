// The screen as the camera and the scrolling captures read it: its depth,
// copies of areas in virtual-screen coordinates (clipped to each monitor: a
// BitBlt whose source crosses a monitor's edge may come back all black, and
// what no monitor shows is black), pictures of device contexts, and the
// windows above a given one.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk::win {

int ScreenBitsPerPixel();

// Copies a screen area into dc at (dx, dy); what no monitor shows is black.
void CopyScreenArea(HDC dc, int dx, int dy, const Rect& area, HDC screen = nullptr);

// A part of a device context as a new 32-bit picture.
std::optional<Picture> PictureFromDC(HDC source, const Rect& area);
// Draws a picture onto dc with its top-left at (x, y), at its own size.
void DrawPicture(HDC dc, const Picture& picture, int x, int y);
// A DIB section holding a copy of the picture (for glyphs and masks that GDI
// blits); nullptr when the system refuses it.
HBITMAP BitmapFromPicture(const Picture& picture);

// A screen area as a 32-bit picture (parts no monitor shows black).
std::optional<Picture> PictureOfScreen(const Rect& area);
// The whole desktop, every monitor, as one picture of the virtual screen's size.
std::optional<Picture> PictureOfDesktop();

struct WindowAbove {
  HWND hwnd = nullptr;
  Rect shared;  // the part of the asked rectangle it covers
};
// Visible top-level windows above `below` that cover part of r, top first.
std::vector<WindowAbove> WindowsAbove(HWND below, const Rect& r);

}  // namespace flk::win
