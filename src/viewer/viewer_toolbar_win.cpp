// The recall viewer's tool bars and menus.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <deque>

#include "base/icon_size.h"
#include "viewer/viewer_bars_win.h"
#include "viewer/viewer_icons_win.h"
#include "viewer/viewer_layout.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {
constexpr int kIdToolBar = 10, kIdToolBarMore = 11;
constexpr int kMoreId = 99;
constexpr int kSeparatorWidth = 2;

// Toolbar texts must stay alive while the toolbar exists, and where they are:
// a deque never moves what it holds (a vector would move short strings, whose
// characters live inside the string, and leave the toolbar a dangling pointer).
const std::wstring& WideCaption(const char* text) {
  static std::deque<std::pair<const char*, std::wstring>> kept;
  for (auto& [k, w] : kept)
    if (k == text) return w;
  kept.emplace_back(text, win::Widen(text));
  return kept.back().second;
}

HWND MakeToolBar(HWND parent, int id) {
  HWND tb = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                  TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)), win::ModuleInstance(), nullptr);
  ::SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  return tb;
}

std::wstring MenuText(const ViewerMenuItem& item) {
  std::string t = item.caption;
  if (item.shortcut) t += std::string("\t") + item.shortcut;
  return win::Widen(t);
}

HMENU MakeMenu(std::span<const ViewerMenuItem> items) {
  HMENU m = ::CreatePopupMenu();
  for (const ViewerMenuItem& item : items) {
    if (!item.caption) ::AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    else ::AppendMenuW(m, MF_STRING, UINT_PTR(CommandMenuId(item.command)), MenuText(item).c_str());
  }
  return m;
}
int LongestCaption(HWND tb) {
  win::WindowDC dc(tb);
  auto font = reinterpret_cast<HFONT>(::SendMessageW(tb, WM_GETFONT, 0, 0));
  win::SelectedObject sel(dc.get(), font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  int longest = 0;
  for (const ViewerToolButton& b : ViewerToolButtons()) {
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), WideCaption(b.caption).c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    longest = std::max(longest, int(r.right));
  }
  return longest;
}
}  // namespace

void ViewerBars::CreateMenus(HWND window) {
  window_ = window;
  mainMenu_.reset(::CreateMenu());
  for (const ViewerMenu& m : ViewerMainMenus()) {
    HMENU sub = MakeMenu(m.items);
    if (std::string(m.caption) == "&Folders") foldersMenu_ = sub;
    ::AppendMenuW(mainMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), win::Widen(m.caption).c_str());
  }
  ::SetMenu(window, mainMenu_.get());
  moreMenu_.reset(MakeMenu(ViewerMoreMenu()));
  popupMenu_.reset(MakeMenu(ViewerPopupMenu()));
}

void ViewerBars::CreateToolBars(const DpiScale& scale) {
  toolBar_ = MakeToolBar(window_, kIdToolBar);
  toolBarMore_ = MakeToolBar(window_, kIdToolBarMore);
  images_ = MakeViewerIcons(scale, false);
  hotImages_ = MakeViewerIcons(scale, true);
  std::vector<TBBUTTON> buttons;
  for (const ViewerToolButton& b : ViewerToolButtons()) {
    if (b.separatorBefore) {
      TBBUTTON sep{};
      sep.iBitmap = scale(kSeparatorWidth);
      sep.fsStyle = BTNS_SEP;
      buttons.push_back(sep);
    }
    TBBUTTON t{};
    t.iBitmap = b.image;
    t.idCommand = CommandMenuId(b.command);
    t.fsState = TBSTATE_ENABLED;
    t.fsStyle = BTNS_BUTTON;
    t.iString = reinterpret_cast<INT_PTR>(WideCaption(b.caption).c_str());
    buttons.push_back(t);
  }
  ::SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  TBBUTTON more{};
  more.iBitmap = I_IMAGENONE;
  more.idCommand = kMoreId;
  more.fsState = TBSTATE_ENABLED;
  // A plain button: its 31 pixels hold the caption, not a drop-down arrow as well.
  more.fsStyle = BTNS_BUTTON;
  more.iString = reinterpret_cast<INT_PTR>(WideCaption("More").c_str());
  ::SendMessageW(toolBarMore_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&more));
}

void ViewerBars::ApplyLook(const ViewerLook& look, const DpiScale& scale) {
  for (const ViewerToolButton& b : ViewerToolButtons())
    ::SendMessageW(toolBar_, TB_HIDEBUTTON, CommandMenuId(b.command), MAKELPARAM(!look.Shows(b.button), 0));
  const int icon = ToolIconSize(kViewerIconSize, scale);
  for (HWND tb : {toolBar_, toolBarMore_}) {
    const bool main = tb == toolBar_;
    ::SendMessageW(tb, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(look.toolImages ? images_.get() : nullptr));
    ::SendMessageW(tb, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(look.toolImages ? hotImages_.get() : nullptr));
    ::SendMessageW(tb, TB_SETBITMAPSIZE, 0,
                   look.toolImages ? MAKELPARAM(icon, icon) : MAKELPARAM(0, 0));
    ::SendMessageW(tb, TB_SETMAXTEXTROWS, look.toolText ? 1 : 0, 0);
    // Wide enough for the longest caption in the bar's own font.
    const Size size = ToolButtonSize(look, scale, !main, main ? LongestCaption(tb) : 0);
    ::SendMessageW(tb, TB_SETBUTTONWIDTH, 0, MAKELPARAM(size.width, size.width));
    ::SendMessageW(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.width, size.height));
  }
  // What each shown button takes, measured while all of them are shown.
  std::vector<MeasuredButton> measured;
  const int n = int(::SendMessageW(toolBar_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    TBBUTTON b{};
    ::SendMessageW(toolBar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    RECT r{};
    ::SendMessageW(toolBar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    measured.push_back({b.idCommand, (b.fsStyle & BTNS_SEP) != 0, (b.fsState & TBSTATE_HIDDEN) != 0,
                        int(r.right - r.left)});
  }
  shown_ = ShownButtons(measured);
}

int ViewerBars::VisibleButtonsWidth() const { return ShownButtonsWidth(shown_); }

void ViewerBars::FitToWidth(int width) {
  const size_t fit = ShownButtonsThatFit(width, shown_);
  for (size_t i = 0; i < shown_.size(); ++i)
    ::SendMessageW(toolBar_, TB_HIDEBUTTON, shown_[i].id, MAKELPARAM(i >= fit, 0));
}

void ViewerBars::SetFolders(const std::vector<std::string>& folders) {
  for (int i = ::GetMenuItemCount(foldersMenu_) - 1; i >= 0; --i)
    if (FolderOfMenuId(int(::GetMenuItemID(foldersMenu_, i)))) ::DeleteMenu(foldersMenu_, UINT(i), MF_BYPOSITION);
  for (size_t i = 0; i < folders.size(); ++i) {
    std::wstring text = win::Widen(folders[i]);
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    mi.fType = MFT_STRING | MFT_RADIOCHECK;
    mi.wID = UINT(kFolderItemBase + int(i));
    mi.dwTypeData = text.data();
    ::InsertMenuItemW(foldersMenu_, UINT(i), TRUE, &mi);
  }
  folderCount_ = int(folders.size());
  ::DrawMenuBar(window_);
}

void ViewerBars::CheckFolder(int index) {
  if (folderCount_ == 0) return;
  ::CheckMenuRadioItem(foldersMenu_, kFolderItemBase, kFolderItemBase + folderCount_ - 1,
                       index >= 0 ? UINT(kFolderItemBase + index) : 0, MF_BYCOMMAND);
}

void ViewerBars::Enable(ViewerCommand c, bool enabled) {
  const int id = CommandMenuId(c);
  ::SendMessageW(toolBar_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled, 0));
  const UINT flag = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  ::EnableMenuItem(mainMenu_.get(), UINT(id), flag);
  ::EnableMenuItem(moreMenu_.get(), UINT(id), flag);
  ::EnableMenuItem(popupMenu_.get(), UINT(id), flag);
}

std::optional<ViewerStep> ViewerBars::Notice(const NMHDR& n) const {
  if (!Owns(n.hwndFrom)) return std::nullopt;
  if (n.code == NM_RCLICK || n.code == NM_CLICK)
    return ToolBarStep(n.code == NM_RCLICK, n.hwndFrom == toolBarMore_,
                       reinterpret_cast<const NMMOUSE&>(n).dwItemSpec != DWORD_PTR(-1));
  if (n.code == TTN_GETDISPINFOW) {
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(n));
    if (const char* hint = ToolButtonHint(int(info.hdr.idFrom))) {
      static std::wstring tip;  // read by the tool tip after the notice returns
      tip = win::Widen(hint);
      info.lpszText = tip.data();
    }
  }
  return ViewerStep{ViewerStep::Taken};
}

void ViewerBars::ShowMoreMenu() {
  RECT r;
  ::SendMessageW(toolBarMore_, TB_GETRECT, kMoreId, reinterpret_cast<LPARAM>(&r));
  ::MapWindowPoints(toolBarMore_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  TPMPARAMS tpm{sizeof tpm, r};
  ::TrackPopupMenuEx(moreMenu_.get(), TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_VERTICAL, r.right, r.bottom, window_, &tpm);
}

void ViewerBars::ShowPopupMenu(POINT screen) {
  ::TrackPopupMenu(popupMenu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, window_, nullptr);
}

}  // namespace flk
