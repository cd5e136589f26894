#include "win32/shell_win.h"

#include <shellapi.h>

#include "win32/window.h"

namespace flk::win {

bool ShellOpen(HWND owner, const std::string& file, const std::string& parameters, int show) {
  std::wstring wfile = Widen(file);
  std::wstring wparams = Widen(parameters);
  ::SetLastError(0);
  HINSTANCE rc = ::ShellExecuteW(owner, L"open", wfile.c_str(), wparams.empty() ? nullptr : wparams.c_str(), nullptr,
                                 show);
  return reinterpret_cast<INT_PTR>(rc) > 32;
}

}  // namespace flk::win
