// Opening files, links and programs through the shell (ShellExecute "open").
#pragma once

#include <windows.h>

#include <string>

namespace flk::win {

// True when the shell started something (its result above 32). The last
// error is cleared first, so a caller's warning names only this failure.
bool ShellOpen(HWND owner, const std::string& file, const std::string& parameters = {}, int show = SW_SHOWNORMAL);

}  // namespace flk::win
