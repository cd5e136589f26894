#include "viewer/viewer_tabs_win.h"

#include "viewer/viewer_rules.h"
#include "win32/controls_win.h"
#include "win32/window.h"

namespace flk {

bool ViewerTabs::Create(HWND parent, int id, HFONT font) {
  tabs_ = win::CreateChild(parent, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_FOCUSNEVER, Rect{}, id,
                           font);
  return tabs_ != nullptr;
}

void ViewerTabs::SetFolders(const std::vector<std::string>& folders) {
  TabCtrl_DeleteAllItems(tabs_);
  auto addTab = [this](int i, const std::string& text) {
    std::wstring w = win::Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = w.data();
    ::SendMessageW(tabs_, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  };
  for (size_t i = 0; i < folders.size(); ++i) addTab(int(i), folders[i]);
  addTab(int(folders.size()), kFolderManagerTab);
}

Rect ViewerTabs::DisplayArea(const Rect& placed) const {
  RECT d{placed.left, placed.top, placed.right, placed.bottom};
  TabCtrl_AdjustRect(tabs_, FALSE, &d);
  return Rect{d.left, d.top, d.right, d.bottom};
}

std::optional<ViewerStep> ViewerTabs::Notice(const NMHDR& n, const ViewerState& s) const {
  if (n.hwndFrom != tabs_) return std::nullopt;
  if (n.code == TCN_SELCHANGE) return TabStep(false, Selected(), s);
  if (n.code == NM_RCLICK) {
    TCHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(tabs_, &hit.pt);
    return TabStep(true, TabCtrl_HitTest(tabs_, &hit), s);
  }
  return ViewerStep{ViewerStep::Taken};
}

}  // namespace flk
