// Child controls of our forms: one factory, so that every control gets the
// form's font and id the same way. Positions are physical pixels (scale the
// 96-DPI layout with the form's DpiScale first).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/form_controls.h"
#include "base/geometry.h"

namespace flk::win {

HWND CreateChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, const Rect& rect, int id,
                 HFONT font, DWORD exStyle = 0);

// The controls of a form's table at the scale, all in the font; their windows
// in the table's order (null where one could not be made).
std::vector<HWND> CreateControls(HWND parent, const std::vector<FormControl>& controls, const DpiScale& scale,
                                 HFONT font);
// One control of a table, at a place already scaled (a form that moves its
// controls to fit their texts).
HWND CreateControl(HWND parent, const FormControl& control, const Rect& placed, HFONT font);

// Where a dialog form opens.
enum class FormPlace { ScreenCentre, CentredOnMouse, BelowMouse };
// A dialog-framed form with a client area of client96 at the scale, placed as
// asked (the caller keeps it on the screen).
class Window;
bool CreateDialogForm(Window& window, const wchar_t* cls, const std::string& caption, Size client96,
                      const DpiScale& scale, FormPlace place, HWND owner);

// WM_CTLCOLORSTATIC/BTN on a dialog's face: the button-face background (and
// the text colour when one is given); the brush to return.
LRESULT ButtonFaceColours(HDC dc, COLORREF text = CLR_INVALID);

// The text of a control or window (UTF-8).
std::string WindowText(HWND hwnd);

}  // namespace flk::win
