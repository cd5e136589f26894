#include "win32/monitors_win.h"

#include "win32/dpi_win.h"
#include "win32/system_dll_win.h"

namespace flk::win {

namespace {

Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

int MonitorDpi(HMONITOR monitor, int fallback) {
  // shcore's GetDpiForMonitor (Windows 8.1 and later); MDT_EFFECTIVE_DPI = 0.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const GetDpiForMonitorFn getDpi = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpi && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && y) return int(y);
  return fallback;
}

struct Enumeration {
  MonitorTable table;
  int systemDpi = 0;  // 0: the DPI is not asked for
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* e = reinterpret_cast<Enumeration*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  Monitor m{FromRECT(info.rcMonitor), FromRECT(info.rcWork),
            e->systemDpi ? MonitorDpi(monitor, e->systemDpi) : kBaseDpi};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    e->table.insert(e->table.begin(), m);
  else
    e->table.push_back(m);
  return TRUE;
}

MonitorTable Enumerate(bool withDpi) {
  Enumeration e;
  if (withDpi) e.systemDpi = WindowScale(nullptr).dpi;  // where the system has no DPI per monitor
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&e));
  MonitorTable& table = e.table;
  if (table.empty()) {
    // No answer: the primary screen as the system metrics give it.
    Rect area = Rect::FromXYWH(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    RECT work{};
    Rect w = ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) ? FromRECT(work) : area;
    table.push_back(Monitor{area, w, withDpi ? e.systemDpi : kBaseDpi});
  }
  return std::move(table);
}

}  // namespace

MonitorTable CurrentMonitors() { return Enumerate(true); }

std::vector<Rect> MonitorAreas() {
  std::vector<Rect> areas;
  for (const Monitor& m : Enumerate(false)) areas.push_back(m.area);
  return areas;
}

Rect VirtualScreenRect() { return VirtualScreen(CurrentMonitors()); }

Rect WindowRectOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return FromRECT(r);
}

Monitor MonitorOfWindow(HWND hwnd) { return MonitorFor(CurrentMonitors(), WindowRectOf(hwnd)); }

}  // namespace flk::win
