#include "shell/tip_modal_win.h"

#include <map>
#include <string>
#include <vector>

#include "shell/names.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

int RunTipModal(HWND form, const int* modalResult, const std::function<bool(const MSG&)>& keyPreview) {
  win::ModalOptions options;
  options.disableThreadWindows = true;
  options.keyPreview = keyPreview;
  bool finished = win::RunModalLoop(form, [modalResult] { return *modalResult != 0; }, options);
  if (::IsWindow(form)) ::ShowWindow(form, SW_HIDE);
  return finished ? *modalResult : 2;
}

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
