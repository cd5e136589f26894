#include "win32/screen_win.h"

#include <cstring>

#include "win32/monitors_win.h"
#include "win32/unique_handle.h"

namespace flk::win {

int ScreenBitsPerPixel() {
  ScreenDC screen;
  return ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
}

void CopyScreenArea(HDC dc, int dx, int dy, const Rect& area, HDC screen) {
  ::PatBlt(dc, dx, dy, area.width(), area.height(), BLACKNESS);
  std::optional<ScreenDC> own;
  for (const Rect& monitor : MonitorAreas()) {
    Rect visible = Intersect(area, monitor);
    if (visible.empty()) continue;
    if (!screen) screen = own.emplace().get();
    ::BitBlt(dc, dx + visible.left - area.left, dy + visible.top - area.top, visible.width(), visible.height(), screen,
             visible.left, visible.top, SRCCOPY);
  }
}

void DrawPicture(HDC dc, const Picture& picture, int x, int y) {
  if (picture.empty()) return;
  std::vector<uint8_t> info = picture.info();
  ::SetDIBitsToDevice(dc, x, y, DWORD(picture.width()), DWORD(picture.height()), 0, 0, 0, UINT(picture.height()),
                      picture.bits(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
}

HBITMAP BitmapFromPicture(const Picture& picture) {
  if (picture.empty()) return nullptr;
  std::vector<uint8_t> info = picture.info();
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                   nullptr, 0);
  if (!bmp || !bits) return bmp;
  std::memcpy(bits, picture.bits(), picture.stride() * size_t(picture.height()));
  ::GdiFlush();
  return bmp;
}

std::optional<Picture> PictureFromDC(HDC source, const Rect& area) {
  if (area.empty()) return std::nullopt;
  std::optional<Picture> picture = Picture::Create(area.width(), area.height(), 32);
  if (!picture) return std::nullopt;
  UniqueBitmap bitmap(::CreateCompatibleBitmap(source, area.width(), area.height()));
  if (!bitmap) return std::nullopt;
  UniqueMemoryDC mem(::CreateCompatibleDC(source));
  {
    SelectedObject sel(mem.get(), bitmap.get());
    ::BitBlt(mem.get(), 0, 0, area.width(), area.height(), source, area.left, area.top, SRCCOPY);
  }
  std::vector<uint8_t> info = picture->info();
  if (!::GetDIBits(mem.get(), bitmap.get(), 0, UINT(area.height()), picture->bits(),
                   reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS))
    return std::nullopt;
  return picture;
}

std::optional<Picture> PictureOfScreen(const Rect& area) {
  if (area.empty()) return std::nullopt;
  ScreenDC screen;
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), area.width(), area.height()));
  if (!bitmap) return std::nullopt;
  UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  {
    SelectedObject sel(mem.get(), bitmap.get());
    CopyScreenArea(mem.get(), 0, 0, area, screen.get());
  }
  // One copy from the screen, then the bits straight out of the (deselected) bitmap.
  std::optional<Picture> picture = Picture::Create(area.width(), area.height(), 32);
  if (!picture) return std::nullopt;
  std::vector<uint8_t> info = picture->info();
  if (!::GetDIBits(mem.get(), bitmap.get(), 0, UINT(area.height()), picture->bits(),
                   reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS))
    return std::nullopt;
  return picture;
}

std::optional<Picture> PictureOfDesktop() { return PictureOfScreen(VirtualScreenRect()); }

std::vector<WindowAbove> WindowsAbove(HWND below, const Rect& r) {
  std::vector<WindowAbove> above;
  for (HWND w = ::GetTopWindow(nullptr); w && w != below; w = ::GetWindow(w, GW_HWNDNEXT)) {
    RECT wr;
    if (!::IsWindowVisible(w) || !::GetWindowRect(w, &wr)) continue;
    Rect shared = Intersect(Rect{wr.left, wr.top, wr.right, wr.bottom}, r);
    if (!shared.empty()) above.push_back(WindowAbove{w, shared});
  }
  return above;
}

}  // namespace flk::win
