#include "win32/modal_win.h"

#include <vector>

namespace flk::win {

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

bool RunModalLoop(HWND form, const std::function<bool()>& done, const ModalOptions& options) {
  HWND previous = options.owner ? options.owner : ::GetActiveWindow();
  DisabledWindows disabled{form, {}};
  if (options.disableThreadWindows) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
  } else if (options.owner && ::IsWindowEnabled(options.owner)) {
    ::EnableWindow(options.owner, FALSE);
    disabled.windows.push_back(options.owner);
  }

  ::ShowWindow(form, SW_SHOW);
  ::SetForegroundWindow(form);
  ::SetActiveWindow(form);
  HWND focus = options.focus ? options.focus : ::GetNextDlgTabItem(form, nullptr, FALSE);
  ::SetFocus(focus ? focus : form);

  bool finished = false;
  MSG msg;
  for (;;) {
    if (done()) {
      finished = true;
      break;
    }
    if (!::IsWindow(form)) break;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(msg.wParam));  // leave the quit for the outer loop
      break;
    }
    if (got < 0) break;
    if (options.keyPreview && options.keyPreview(msg)) continue;
    if (::IsDialogMessageW(form, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  // Give the other windows back before the form goes, so that activation
  // returns to one of them.
  for (HWND h : disabled.windows)
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  if (previous && previous != form && ::IsWindow(previous)) ::SetActiveWindow(previous);
  return finished;
}

}  // namespace flk::win
