#include "shell/tip_modal_win.h"

#include <string>
#include <vector>

#include "shell/help_win.h"
#include "shell/names.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {
struct DisabledWindows {
  HWND form;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<DisabledWindows*>(lp);
  if (hwnd != d->form && ::IsWindowEnabled(hwnd) && ::IsWindowVisible(hwnd)) {
    ::EnableWindow(hwnd, FALSE);
    d->windows.push_back(hwnd);
  }
  return TRUE;
}
}  // namespace

int RunTipModal(HWND form, const int* modalResult, const std::function<bool(const MSG&)>& keyPreview) {
  HWND previous = ::GetActiveWindow();
  DisabledWindows disabled{form, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));

  ::ShowWindow(form, SW_SHOW);
  ::SetForegroundWindow(form);
  ::SetActiveWindow(form);
  HWND first = ::GetNextDlgTabItem(form, nullptr, FALSE);
  ::SetFocus(first ? first : form);

  int result = 0;
  MSG msg;
  while (!(result = *modalResult)) {
    if (!::IsWindow(form)) {
      result = 2;
      break;
    }
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(msg.wParam));  // leave the quit for the outer loop
      result = 2;
      break;
    }
    if (got < 0) {
      result = 2;
      break;
    }
    if (keyPreview && keyPreview(msg)) continue;
    if (::IsDialogMessageW(form, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  // Give the other windows back before the form goes, so that activation
  // returns to one of them.
  for (HWND h : disabled.windows)
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  if (previous && previous != form && ::IsWindow(previous)) ::SetActiveWindow(previous);
  if (::IsWindow(form)) ::ShowWindow(form, SW_HIDE);
  return result;
}

HFONT TipFont() {
  // The forms' texts were laid out for MS Sans Serif at 8 points (11 pixels
  // at 96 DPI); the message-box font stands in where it is missing.
  static win::UniqueFont font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"MS Sans Serif");
    win::UniqueFont f(::CreateFontIndirectW(&lf));
    if (f) return f;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
      return win::UniqueFont(::CreateFontIndirectW(&ncm.lfMessageFont));
    return win::UniqueFont();
  }();
  return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void ShowTipHelp(HWND window, int helpContext) { ShowHelp(window, helpContext); }

}  // namespace flk
