#include "win32/controls_win.h"

#include <vector>

#include "win32/monitors_win.h"
#include "win32/window.h"

namespace flk::win {

HWND CreateChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, const Rect& rect, int id,
                 HFONT font, DWORD exStyle) {
  HWND c = ::CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                             rect.width(), rect.height(), parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                             ModuleInstance(), nullptr);
  if (c && font) ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

namespace {

struct ClassAndStyle {
  const wchar_t* cls;
  DWORD style;
  DWORD exStyle = 0;
};

ClassAndStyle ClassAndStyleOf(const FormControl& c) {
  const DWORD group = c.startsGroup ? DWORD(WS_GROUP) : 0, tabGroup = c.startsGroup ? DWORD(WS_GROUP | WS_TABSTOP) : 0;
  switch (c.kind) {
    case FormControl::GroupBox: return {L"BUTTON", BS_GROUPBOX};
    case FormControl::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | group};
    case FormControl::RadioButton: return {L"BUTTON", BS_AUTORADIOBUTTON | tabGroup};
    case FormControl::PushButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | group};
    case FormControl::DefaultButton: return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | group};
    case FormControl::Label: return {L"STATIC", SS_LEFT | group};
    case FormControl::DropList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | group};
    case FormControl::ReadOnlyNote: return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_CENTER | WS_BORDER};
    case FormControl::HelpMark: return {L"STATIC", SS_CENTER | SS_NOTIFY | SS_SUNKEN};
    case FormControl::ScrollingNote: return {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case FormControl::Rule: return {L"STATIC", SS_ETCHEDHORZ};
    case FormControl::CentredLabel: return {L"STATIC", SS_CENTER | group};
    case FormControl::ChoiceText: return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX | group};
    case FormControl::EditBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | group, WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", SS_LEFT};
}

}  // namespace

std::vector<HWND> CreateControls(HWND parent, const std::vector<FormControl>& controls, const DpiScale& scale,
                                 HFONT font) {
  std::vector<HWND> made;
  made.reserve(controls.size());
  for (const FormControl& c : controls) made.push_back(CreateControl(parent, c, scale(c.rect), font));
  return made;
}

HWND CreateControl(HWND parent, const FormControl& control, const Rect& placed, HFONT font) {
  const ClassAndStyle k = ClassAndStyleOf(control);
  return CreateChild(parent, k.cls, control.text, k.style, placed, control.id, font, k.exStyle);
}

bool CreateDialogForm(Window& window, const wchar_t* cls, const std::string& caption, Size client96,
                      const DpiScale& scale, FormPlace place, HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_DLGMODALFRAME;
  Size client = scale(client96);
  RECT r{0, 0, client.width, client.height};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  POINT mouse{};
  ::GetCursorPos(&mouse);
  // Centred: on the work area of the owner's monitor, else the mouse's.
  const Monitor m = owner ? MonitorOfWindow(owner) : MonitorAt(CurrentMonitors(), Point{mouse.x, mouse.y});
  const Point centre = CentredIn(m.work, Size{w, h});
  int x = centre.x, y = centre.y;
  if (place == FormPlace::CentredOnMouse) x = mouse.x - w / 2, y = mouse.y - h / 2;
  if (place == FormPlace::BelowMouse) x = mouse.x - w / 2, y = mouse.y;
  return window.Create(cls, Widen(caption).c_str(), style, exStyle, x, y, w, h, owner);
}

LRESULT ButtonFaceColours(HDC dc, COLORREF text) {
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  if (text != CLR_INVALID) ::SetTextColor(dc, text);
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

std::string WindowText(HWND hwnd) {
  int n = ::GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::vector<wchar_t> buf(size_t(n) + 1, L'\0');
  int got = ::GetWindowTextW(hwnd, buf.data(), n + 1);
  return Narrow(std::wstring(buf.data(), size_t(got > 0 ? got : 0)));
}

}  // namespace flk::win
