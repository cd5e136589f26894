// Texts measured the way a static control draws them, for layouts that give a
// text the lines it takes instead of a fixed height.
#pragma once

#include <windows.h>

#include <string>

namespace flk::win {

// The height `text` (UTF-8) takes in `font`, wrapped at `width` pixels as a
// word-breaking static draws it (no prefix characters); 0 for an empty text.
int TextHeight(HWND window, HFONT font, const std::string& text, int width);

}  // namespace flk::win
