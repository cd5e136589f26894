#include "win32/monitors_win.h"

#include "win32/dpi_win.h"
#include "win32/system_dll_win.h"
#include "win32/unique_handle.h"

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

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* table = reinterpret_cast<MonitorTable*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  WindowDC screen(nullptr);
  Monitor m{FromRECT(info.rcMonitor), FromRECT(info.rcWork),
            MonitorDpi(monitor, ::GetDeviceCaps(screen.get(), LOGPIXELSY))};
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    table->insert(table->begin(), m);
  else
    table->push_back(m);
  return TRUE;
}

}  // namespace

MonitorTable CurrentMonitors() {
  MonitorTable table;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&table));
  if (table.empty()) {
    // No answer: the primary screen as the system metrics give it.
    Rect area = Rect::FromXYWH(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    RECT work{};
    Rect w = ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) ? FromRECT(work) : area;
    table.push_back(Monitor{area, w, WindowScale(nullptr).dpi});
  }
  return table;
}

Rect VirtualScreenRect() { return VirtualScreen(CurrentMonitors()); }

Rect WindowRectOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return FromRECT(r);
}

Monitor MonitorOfWindow(HWND hwnd) { return MonitorFor(CurrentMonitors(), WindowRectOf(hwnd)); }

void MoveWindowTo(HWND hwnd, Point at) {
  ::SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RestoreWindowOnMonitors(HWND hwnd) {
  const Rect now = WindowRectOf(hwnd);
  const Rect to = RestoredRect(CurrentMonitors(), now);
  if (to == now) return;
  ::SetWindowPos(hwnd, nullptr, to.left, to.top, to.width(), to.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnMonitor(HWND hwnd, HWND over) {
  const Rect r = WindowRectOf(hwnd);
  const Monitor m = MonitorOfWindow(over ? over : hwnd);
  MoveWindowTo(hwnd, CentredIn(m.work, r.size()));
}

}  // namespace flk::win
