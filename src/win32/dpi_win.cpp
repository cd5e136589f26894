#include "win32/dpi_win.h"

#include <string>

#include "win32/unique_handle.h"

namespace flk::win {

namespace {

// System DLLs are loaded by full path from the system folder, never through the
// search path that starts at the program's own folder.
HMODULE SystemModule(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  std::wstring path = std::wstring(dir, n) + L"\\" + name;
  return ::LoadLibraryW(path.c_str());
}

template <typename F>
F SystemFunction(const wchar_t* module, const char* name) {
  // Kept loaded for the process: the functions are called again and again.
  static_assert(sizeof(F) == sizeof(FARPROC));
  HMODULE m = SystemModule(module);
  if (!m) return nullptr;
  FARPROC p = ::GetProcAddress(m, name);
  F f;
  ::CopyMemory(&f, &p, sizeof f);
  return f;
}

}  // namespace

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

void DisableTransitions(HWND hwnd) {
  using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static const DwmSetWindowAttributeFn set =
      SystemFunction<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
  constexpr DWORD kTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED
  BOOL on = TRUE;
  if (set && hwnd) set(hwnd, kTransitionsForceDisabled, &on, sizeof on);
}

}  // namespace flk::win
