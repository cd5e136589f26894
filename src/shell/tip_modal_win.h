// The modal loop of the how-to tip forms: every other window of the thread is
// disabled while the form is up, dialog keys (Tab, Enter, Esc) work, and the
// loop ends when the form sets its result (or is destroyed).
#pragma once

#include <windows.h>

#include <functional>

#include "base/dpi.h"

namespace flk {

// Runs until *modalResult becomes non-zero or the form disappears (result 2).
// keyPreview sees each message first and returns true when it took it.
int RunTipModal(HWND form, const int* modalResult, const std::function<bool(const MSG&)>& keyPreview = {});

// The font of the tip forms at a display scale (created once per scale and process).
HFONT TipFont(const DpiScale& scale);

}  // namespace flk
