#include "win32/measure_win.h"

#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk::win {

int TextHeight(HWND window, HFONT font, const std::string& text, int width) {
  if (text.empty()) return 0;
  WindowDC dc(window);
  if (!dc) return 0;
  SelectedObject selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  std::wstring w = Widen(text);
  RECT r{0, 0, width, 0};
  ::DrawTextW(dc.get(), w.c_str(), int(w.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
  return int(r.bottom - r.top);
}

}  // namespace flk::win
