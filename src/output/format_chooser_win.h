// TfrmGrFormat, "File Format Selection": the format chooser that Save As shows
// before the save dialog unless NsaSaveAsFormat silences it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace flk {

// Shows the chooser modally at the mouse (its left edge half its width left
// of the cursor, its top at the cursor, kept on the screen). It is created on
// first use for `owner`, with the radio button of the remembered name's format
// selected, and kept for the rest of the process: later uses show the last
// choice. OK stores the check box in NsaSaveAsFormat and returns the save
// dialog's filter index (BMP 2, GIF 3, JPG 4, PNG 5); Cancel returns nothing.
std::optional<int> ShowFormatChooser(HWND owner, const std::string& rememberedName);

}  // namespace flk
