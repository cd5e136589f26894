#include "shell/tip_font_win.h"

#include <map>
#include <string>
#include <vector>

#include "shell/names.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

HFONT TipFont(const DpiScale& scale) {
  // The forms' texts were laid out for MS Sans Serif at 8 points (11 pixels
  // at 96 DPI); the message-box font stands in where it is missing.
  static std::map<int, win::UniqueFont> fonts;
  win::UniqueFont& font = fonts[scale.dpi];
  if (!font) {
    font = win::MakeFaceFont(L"MS Sans Serif", 11, scale);
    if (!font) font = win::MakeSystemFont(win::SystemFont::Message, scale);
  }
  return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace flk
