// Child controls of our forms: one factory, so that every control gets the
// form's font and id the same way. Positions are physical pixels (scale the
// 96-DPI layout with the form's DpiScale first).
#pragma once

#include <windows.h>

#include <string>

#include "base/geometry.h"

namespace flk::win {

HWND CreateChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, const Rect& rect, int id,
                 HFONT font, DWORD exStyle = 0);

// The text of a control or window (UTF-8).
std::string WindowText(HWND hwnd);

}  // namespace flk::win
