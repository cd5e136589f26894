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

}  // namespace flk::win
