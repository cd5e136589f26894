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

LOGFONTW SystemFontAt(SystemFont which, const DpiScale& scale) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTW font{};
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
  }
  font = which == SystemFont::Menu ? ncm.lfMenuFont : ncm.lfMessageFont;
  WindowDC screen(nullptr);
  const int systemDpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  if (systemDpi > 0 && systemDpi != scale.dpi) font.lfHeight = ::MulDiv(font.lfHeight, scale.dpi, systemDpi);
  return font;
}

UniqueFont MakeSystemFont(SystemFont which, const DpiScale& scale, LONG weight) {
  LOGFONTW font = SystemFontAt(which, scale);
  if (weight) font.lfWeight = weight;
  return UniqueFont(::CreateFontIndirectW(&font));
}

HFONT FontOrDefault(const UniqueFont& font) {
  return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

UniqueFont MakeFaceFont(const wchar_t* face, int pixels96, const DpiScale& scale, FontLook look) {
  LOGFONTW lf{};
  lf.lfHeight = -scale(pixels96);
  lf.lfWeight = look.weight;
  lf.lfItalic = look.italic;
  lf.lfUnderline = look.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (look.clearType) lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return UniqueFont(::CreateFontIndirectW(&lf));
}

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
