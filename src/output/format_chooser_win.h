// TfrmGrFormat, "File Format Selection": the format chooser that Save As shows
// before the save dialog unless NsaSaveAsFormat silences it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace flk {

class TfrmGrFormat;

// Shows the chooser modally at the mouse (its left edge half its width left
// of the cursor, its top at the cursor, kept on the screen). It is created on
// first use for `owner`, with the radio button of the remembered name's format
// selected, and kept in `kept` (the role's): later uses show the last choice. OK stores the check box in NsaSaveAsFormat and returns the save
// dialog's filter index (BMP 2, GIF 3, JPG 4, PNG 5); Cancel returns nothing.
std::optional<int> ShowFormatChooser(HWND owner, const std::string& rememberedName,
                                     std::unique_ptr<TfrmGrFormat>& kept);

}  // namespace flk
