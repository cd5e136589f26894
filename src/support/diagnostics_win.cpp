#include "support/diagnostics_win.h"

#include <windows.h>

#include "win32/system_dll_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

SystemFacts SystemFactsNow() {
  SystemFacts f;
  RTL_OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  using RtlGetVersionFn = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  static const RtlGetVersionFn getVersion = win::SystemFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
  if (getVersion && getVersion(&v) == 0) {
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
  // One read series for the whole report, with the startup's scroll-parameter reader.
  if (!s.OpenSettingsKey(kAccessRead)) return in;
  in.refreshDelay = s.ReadSetting("RefreshDelay", in.refreshDelay);
  in.mapiClient = s.ReadSetting("MapiClient", in.mapiClient);
  in.mapiEmail = s.ReadSetting("MapiEmail", in.mapiEmail);
  in.nonMapiOpen = s.ReadSetting("NonMapiOpen", in.nonMapiOpen);
  in.camTitle = s.ReadSetting("CamTitle", in.camTitle);
  in.camToolImages = s.ReadSetting("CamToolImages", in.camToolImages);
  in.camToolText = s.ReadSetting("CamToolText", in.camToolText);
  in.camStatus = s.ReadSetting("CamStatus", in.camStatus);
  in.viewerToolImages = s.ReadSetting("ViewerToolImages", in.viewerToolImages);
  in.viewerToolText = s.ReadSetting("ViewerToolText", in.viewerToolText);
  in.viewerMemo = s.ReadSetting("ViewerMemo", in.viewerMemo);
  in.viewerStatus = s.ReadSetting("ViewerStatus", in.viewerStatus);
  ReadScrollParams(s, "SS_", in.scroll);
  ReadScrollParams(s, "AS_", in.robo);
  in.toolUse = s.ReadSetting("ToolUse", in.toolUse);
  s.EndReadSeries();
  return in;
}

}  // namespace flk
