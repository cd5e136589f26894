// System DLLs loaded at run time: always by full path from the system folder,
// never through the search path that starts at the program's own folder (a
// DLL planted beside the program would run with the user's rights).
#pragma once

#include <windows.h>

namespace flk::win {

// The module, or nullptr; a caller that keeps using its functions keeps it loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a system DLL that stays loaded for the process; nullptr when missing.
template <typename F>
F SystemFunction(const wchar_t* module, const char* name) {
  static_assert(sizeof(F) == sizeof(FARPROC));
  HMODULE m = LoadSystemLibrary(module);
  if (!m) return nullptr;
  FARPROC p = ::GetProcAddress(m, name);
  F f;
  ::CopyMemory(&f, &p, sizeof f);
  return f;
}

// The true Windows version (RtlGetVersion: GetVersionEx reports at most what
// the manifest names); false when it cannot be read.
bool TrueWindowsVersion(RTL_OSVERSIONINFOW* out);

}  // namespace flk::win
