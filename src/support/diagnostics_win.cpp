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

namespace {

ScrollParams StoredScrollParams(Settings& s, const std::string& prefix, ScrollParams p) {
  auto n = ScrollParamNames();
  bool* flags[] = {&p.doVScroll, &p.doIndex};
  int* numbers[] = {&p.interval, &p.stepSize, &p.fileLimit, &p.indexLt, &p.scanLt,
                    &p.scanTp,   &p.scanRt,   &p.scanBt,    &p.rtMargin};
  for (int i = 0; i < 2; ++i) *flags[i] = s.ReadSingleSetting(prefix + n[size_t(i)], *flags[i]);
  for (int i = 0; i < 9; ++i) *numbers[i] = s.ReadSingleSetting(prefix + n[size_t(i) + 2], *numbers[i]);
  p.srchVScroll = s.ReadSingleSetting(prefix + n[11], p.srchVScroll);
  return p;
}

}  // namespace

DiagnosticsInput StoredDiagnostics(Settings& s) {
  DiagnosticsInput in;
  in.system = SystemFactsNow();
  in.refreshDelay = s.ReadSingleSetting("RefreshDelay", 255);
  in.mapiClient = s.ReadSingleSetting("MapiClient", 0);
  in.mapiEmail = s.ReadSingleSetting("MapiEmail", 0);
  in.nonMapiOpen = s.ReadSingleSetting("NonMapiOpen", true);
  in.camTitle = s.ReadSingleSetting("CamTitle", true);
  in.camToolImages = s.ReadSingleSetting("CamToolImages", true);
  in.camToolText = s.ReadSingleSetting("CamToolText", true);
  in.camStatus = s.ReadSingleSetting("CamStatus", true);
  in.viewerToolImages = s.ReadSingleSetting("ViewerToolImages", true);
  in.viewerToolText = s.ReadSingleSetting("ViewerToolText", true);
  in.viewerMemo = s.ReadSingleSetting("ViewerMemo", true);
  in.viewerStatus = s.ReadSingleSetting("ViewerStatus", true);
  in.scroll = StoredScrollParams(s, "SS_", in.scroll);
  in.robo = StoredScrollParams(s, "AS_", in.robo);
  in.toolUse = s.ReadSingleSetting("ToolUse", std::string());
  return in;
}

}  // namespace flk
