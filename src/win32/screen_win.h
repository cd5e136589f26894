// The screen as the camera and the scrolling captures read it: its size and
// depth, copies of areas (clipped to the screen: a BitBlt whose source crosses
// the screen edge may come back all black), pictures of device contexts, and
// the windows above a given one.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk::win {

Size ScreenSize();
int ScreenBitsPerPixel();

// Copies a screen area into dc at (dx, dy); what lies off the screen is black.
void CopyScreenArea(HDC dc, int dx, int dy, const Rect& area, HDC screen = nullptr);

// A part of a device context as a new 32-bit picture.
std::optional<Picture> PictureFromDC(HDC source, const Rect& area);
// Draws a picture onto dc with its top-left at (x, y), at its own size.
void DrawPicture(HDC dc, const Picture& picture, int x, int y);
// A DIB section holding a copy of the picture (for glyphs and masks that GDI
// blits); nullptr when the system refuses it.
HBITMAP BitmapFromPicture(const Picture& picture);

// A screen area as a 32-bit picture (off-screen parts black).
std::optional<Picture> PictureOfScreen(const Rect& area);

struct WindowAbove {
  HWND hwnd = nullptr;
  Rect shared;  // the part of the asked rectangle it covers
};
// Visible top-level windows above `below` that cover part of r, top first.
std::vector<WindowAbove> WindowsAbove(HWND below, const Rect& r);

}  // namespace flk::win
