#include "win32/dpi_win.h"

#include "win32/system_dll_win.h"
#include "win32/unique_handle.h"

namespace flk::win {

DpiScale WindowScale(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const GetDpiForWindowFn getDpi = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (getDpi && hwnd) {
    UINT dpi = getDpi(hwnd);
    if (dpi) return DpiScaleOf(int(dpi));
  }
  WindowDC screen(nullptr);
  return DpiScaleOf(::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

int FontHeightForPoints(int points, const DpiScale& scale) { return -::MulDiv(points, scale.dpi, 72); }

ScaledDrawing::ScaledDrawing(HDC dc, int x, int y, const DpiScale& scale) : dc_(dc), x_(x), y_(y) {
  if (scale.unscaled()) return;
  oldMode_ = ::SetGraphicsMode(dc, GM_ADVANCED);
  if (!oldMode_ || !::GetWorldTransform(dc, &old_)) return;
  float f = float(scale.dpi) / float(kBaseDpi);
  XFORM t{f, 0, 0, f, float(x), float(y)};
  transformed_ = ::SetWorldTransform(dc, &t) != FALSE;
  if (transformed_) x_ = y_ = 0;
}

ScaledDrawing::~ScaledDrawing() {
  if (transformed_) ::SetWorldTransform(dc_, &old_);
  if (oldMode_) ::SetGraphicsMode(dc_, oldMode_);
}

void DisableTransitions(HWND hwnd) {
  using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static const DwmSetWindowAttributeFn set =
      SystemFunction<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
  constexpr DWORD kTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED
  BOOL on = TRUE;
  if (set && hwnd) set(hwnd, kTransitionsForceDisabled, &on, sizeof on);
}

}  // namespace flk::win
