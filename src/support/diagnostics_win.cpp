#include "support/diagnostics_win.h"

#include <windows.h>

#include "win32/system_dll_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

SystemFacts SystemFactsNow() {
  SystemFacts f;
  RTL_OSVERSIONINFOW v;
  if (win::TrueWindowsVersion(&v)) {
    f.platformId = int(v.dwPlatformId);
    f.major = int(v.dwMajorVersion);
    f.minor = int(v.dwMinorVersion);
    f.build = int(v.dwBuildNumber);
    f.servicePack = win::Narrow(v.szCSDVersion);
  }
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  if (::GlobalMemoryStatusEx(&m)) {
    f.totalRam = m.ullTotalPhys;
    f.availableRam = m.ullAvailPhys;
  }
  win::ScreenDC screen;
  f.screenWidth = ::GetDeviceCaps(screen.get(), HORZRES);
  f.screenHeight = ::GetDeviceCaps(screen.get(), VERTRES);
  f.bitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  f.palette = (::GetDeviceCaps(screen.get(), RASTERCAPS) & RC_PALETTE) != 0;
  f.paletteSize = ::GetDeviceCaps(screen.get(), SIZEPALETTE);
  return f;
}

DiagnosticsInput StoredDiagnostics(Settings& s) {
  DiagnosticsInput in;
  in.system = SystemFactsNow();
  ReadStoredDiagnostics(s, in);
  return in;
}

}  // namespace flk
