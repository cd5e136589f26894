#include "win32/modal_form_win.h"

namespace flk::win {

bool ModalForm::RunModal(const ModalOptions& options, AfterModal after) {
  ended_ = false;
  const bool finished = RunModalLoop(hwnd(), [this] { return ended_; }, options);
  if (hwnd()) {
    if (after == AfterModal::Hide)
      ::ShowWindow(hwnd(), SW_HIDE);
    else
      ::DestroyWindow(hwnd());
  }
  return finished;
}

bool ModalForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  if (OnFormMessage(msg, wp, lp, result)) return true;
  switch (msg) {
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp))) return true;
      if (LOWORD(wp) != IDCANCEL) return false;
      EndModal();
      return true;
    case WM_CLOSE: EndModal(); return true;
    case DM_GETDEFID: *result = MAKELRESULT(defaultId_, DC_HASDEFID); return true;
  }
  return false;
}

}  // namespace flk::win
