// TfrmGetText: asks for one line of text (the name of a new picture folder).
#pragma once

#include <windows.h>

#include <string>

namespace flk {

// The modal box with a prompt and one line of text; the text on OK, empty on Cancel.
std::string AskText(HWND owner, int height, const std::string& prompt, const std::string& caption);

}  // namespace flk
