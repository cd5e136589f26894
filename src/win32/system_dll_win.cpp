#include "win32/system_dll_win.h"

#include <string>

namespace flk::win {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  std::wstring path = std::wstring(dir, n) + L"\\" + name;
  return ::LoadLibraryW(path.c_str());
}

bool TrueWindowsVersion(RTL_OSVERSIONINFOW* out) {
  *out = RTL_OSVERSIONINFOW{};
  out->dwOSVersionInfoSize = sizeof *out;
  using RtlGetVersionFn = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  static const RtlGetVersionFn getVersion = SystemFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
  return getVersion && getVersion(out) == 0;
}

}  // namespace flk::win
