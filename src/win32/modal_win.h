// The one modal loop of the program's own forms: the owner (or every other
// window of the thread) is disabled while the form is up, dialog keys work,
// and the loop ends when the form says it is done or disappears. A WM_QUIT
// that arrives meanwhile is posted again for the outer loop.
#pragma once

#include <windows.h>

#include <functional>

namespace flk::win {

struct ModalOptions {
  HWND owner = nullptr;               // disabled while the form is up, active again after
  bool disableThreadWindows = false;  // disable every other visible window of the thread instead
  HWND focus = nullptr;               // first focus; nullptr: the first tab stop, else the form
  // Sees each message first; true when it took it.
  std::function<bool(const MSG&)> keyPreview;
};

// Shows the form and runs until done() is true. False when the form went away
// or the program is quitting (the form did not finish).
bool RunModalLoop(HWND form, const std::function<bool()>& done, const ModalOptions& options = {});

}  // namespace flk::win
