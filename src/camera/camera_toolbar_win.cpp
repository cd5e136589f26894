#include "camera/camera_toolbar_win.h"

#include <commctrl.h>

#include <string>

#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

void CamToolbar::CreateHints(HWND owner) {
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            win::ModuleInstance(), nullptr);
}

namespace {
int TextWidth(HDC dc, const std::wstring& text, UINT flags = 0) {
  RECT calc{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE | flags);
  return calc.right;
}
}  // namespace

std::vector<int> CamToolbar::MenuCaptionWidths(HWND owner, HFONT uiFont) {
  std::vector<int> widths;
  win::WindowDC dc(owner);
  win::SelectedObject font(dc.get(), uiFont);
  for (const MenuInfo& m : MainMenus()) widths.push_back(TextWidth(dc.get(), win::Widen(m.caption)));
  return widths;
}

int CamToolbar::PanelRowsWidthFor(HWND owner, HFONT uiFont, HFONT titleFont, bool titleBar, const DpiScale& s) {
  int title = 0;
  if (titleBar) {
    win::WindowDC dc(owner);
    win::SelectedObject font(dc.get(), titleFont);
    title = TextWidth(dc.get(), L"FramelarkPro", DT_NOPREFIX);
  }
  return PanelRowsWidth(MenuCaptionWidths(owner, uiFont), title, titleBar, s);
}

void CamToolbar::Layout(HWND owner, const CamLayout& layout, HFONT uiFont, bool toolText,
                        const bool (&visible)[kToolButtonCount], const DpiScale& s) {
  Place(PlaceMenuRow(layout, MenuCaptionWidths(owner, uiFont), s), PlaceToolbar(layout, toolText, visible, s));
  UpdateHints(owner);
}

void CamToolbar::UpdateHints(HWND owner) {
  if (!tips_) return;
  for (int i = 0; i < hintCount_; ++i) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = owner;
    ti.uId = UINT_PTR(i + 1);
    ::SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  hintCount_ = 0;
  for (const PlacedToolItem& item : items()) {
    if (item.button < 0) continue;
    const char* hint = ToolButtons()[size_t(item.button)].hint;
    if (!hint || !*hint) continue;
    std::wstring text = win::Widen(hint);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = UINT_PTR(++hintCount_);
    ti.rect = RECT{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
    ti.lpszText = text.data();
    ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

}  // namespace flk
