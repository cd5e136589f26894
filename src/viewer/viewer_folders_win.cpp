// The recall viewer's window and its dialogs: file dates as the user's locale
// writes them, a dialog placed under the pointer, the settings at the end.
#include <windows.h>

#include "shell/common_services_win.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_settings.h"
#include "viewer/viewer_win.h"
#include "win32/monitors_win.h"

namespace flk {

namespace {

// "dddddd     tt": the long date and the long time of the user's locale.
std::string LongDateTime(const SYSTEMTIME& t) {
  wchar_t date[128] = L"", time[64] = L"";
  ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &t, nullptr, date, 128, nullptr);
  ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, time, 64);
  return win::Narrow(date) + "     " + win::Narrow(time);
}

}  // namespace

void PlaceUnderPointer(HWND dialog) {
  POINT mouse{};
  ::GetCursorPos(&mouse);
  RECT r{};
  ::GetWindowRect(dialog, &r);
  const Point at = PlaceAtPointer(Point{mouse.x, mouse.y}, r.right - r.left);
  ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnScreen(dialog);
}

std::string FileDateText(const std::string& path) {
  SYSTEMTIME t;
  WIN32_FILE_ATTRIBUTE_DATA d{};
  FILETIME local;
  if (::GetFileAttributesExW(win::Widen(path).c_str(), GetFileExInfoStandard, &d) &&
      ::FileTimeToLocalFileTime(&d.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &t))
    return LongDateTime(t);
  ::GetLocalTime(&t);
  return LongDateTime(t);
}

void TfrmViewer::SaveViewerSettings() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ::GetWindowPlacement(hwnd(), &wp);
  const RECT& n = wp.rcNormalPosition;
  const Rect place = placement_.ToStore(win::WindowRectOf(hwnd()), Rect{n.left, n.top, n.right, n.bottom},
                                        ::IsIconic(hwnd()) || ::IsZoomed(hwnd()));
  WriteViewerSettings(settings_, SettingsToWrite(place, arrangement_.look(), arrangement_.thumbHeight(),
                                                 arrangement_.memoHeight()));
  if (flow_) flow_->SavePictures(true);
}

}  // namespace flk
