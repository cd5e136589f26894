// The one way into the program's help: every help button, F1 and help menu
// entry of every role calls ShowHelp with its help context.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace flk {

// Writes the built-in pages to the user's help folder where they are missing
// or out of date, then opens the context's page in the browser. A page that
// cannot be written or opened gets a message box owned by `owner`.
void ShowHelp(HWND owner, int helpContext);

// The key preview of a modal dialog's loop: F1 anywhere in the window opens
// its help page (not every system sends WM_HELP) and, when onEscape is given,
// Esc closes it (not every system's dialog keys reach a plain window).
std::function<bool(const MSG&)> DialogKeys(HWND window, int helpContext, std::function<void()> onEscape = {});

// The folder the pages are written to (with a trailing backslash).
std::string UserHelpFolder();

}  // namespace flk
