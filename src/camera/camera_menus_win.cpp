#include "camera/camera_menus_win.h"

#include "output/folder_menu.h"
#include "camera/capture_modes.h"
#include "win32/window.h"

namespace flk {

namespace {

std::wstring EntryText(const MenuEntry& e) { return win::Widen(MenuEntryText(e)); }

}  // namespace

void CamMenus::Build() {
  auto fill = [this](HMENU menu, MenuId id) {
    for (const MenuEntry& e : MenuEntries(id)) {
      if (e.kind == EntryKind::Hidden) continue;  // mnuForAll only holds "More"
      if (e.separatorBefore) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      if (e.kind == EntryKind::Submenu) {
        HMENU sub = ::CreatePopupMenu();
        if (e.command == CommandId::StoreMenu) {
          ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);  // the fixed separator before the folders
          int slot = id == MenuId::File ? 0 : id == MenuId::More ? 1 : 2;
          storeMenus_[slot] = sub;
        } else if (e.command == CommandId::ColorDepthMenu) {
          for (const ColorDepthEntry& d : ColorDepthEntries())
            ::AppendMenuW(sub, MF_STRING, UINT_PTR(kCmdDepthBase + d.value), win::Widen(d.caption).c_str());
          depthMenu_ = sub;
        }
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), EntryText(e).c_str());
        continue;
      }
      UINT id2 = UINT(CommandControlId(e.command));
      ::AppendMenuW(menu, MF_STRING, id2, EntryText(e).c_str());
      if (e.kind == EntryKind::Radio) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        mi.fType = MFT_STRING | MFT_RADIOCHECK;
        ::SetMenuItemInfoW(menu, id2, FALSE, &mi);
      }
    }
  };
  mainMenu_.reset(::CreatePopupMenu());
  int i = 0;
  for (const MenuInfo& m : MainMenus()) {
    HMENU sub = ::CreatePopupMenu();
    fill(sub, m.id);
    ::AppendMenuW(mainMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), win::Widen(m.caption).c_str());
    subMenus_[i++] = sub;
  }
  moreHolder_.reset(::CreatePopupMenu());
  moreMenu_ = ::CreatePopupMenu();
  fill(moreMenu_, MenuId::More);
  ::AppendMenuW(moreHolder_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(moreMenu_), L"More");
  popup_.reset(::CreatePopupMenu());
  fill(popup_.get(), MenuId::ViewPopup);
}

void CamMenus::UpdateCommands(HMENU menu, CameraModes modes, PanelAlign align) const {
  if (menu == popup_.get()) {
    // mnuEdgeOff shows only in edge-to-edge mode.
    UINT edgeOff = UINT(CommandControlId(CommandId::EdgeOff));
    ::DeleteMenu(menu, edgeOff, MF_BYCOMMAND);
    if (align == PanelAlign::Floating) ::AppendMenuW(menu, MF_STRING, edgeOff, L"Edge To Edge Off");
  }
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
    UINT id = ::GetMenuItemID(menu, i);
    MenuItemState state = MenuItemStateOf(int(id), modes, align);
    if (!state.command) continue;
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool CamMenus::IsStoreMenu(HMENU menu) const {
  for (HMENU store : storeMenus_)
    if (menu == store) return true;
  return false;
}

void CamMenus::CheckDepth(HMENU menu, int value) const {
  for (const ColorDepthEntry& d : ColorDepthEntries()) {
    UINT id = UINT(kCmdDepthBase + d.value);
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE;
    mi.fType = MFT_STRING | MFT_RADIOCHECK;
    mi.fState = d.value == value ? MFS_CHECKED : MFS_UNCHECKED;
    ::SetMenuItemInfoW(menu, id, FALSE, &mi);
  }
}

bool CamMenus::FillFolderMenu(HMENU menu, StoreFileSystem& fs, const std::string& baseFolder) {
  FolderMenu built = BuildFolderMenu(fs, baseFolder, lastFolderName_);
  folders_ = built.folders;  // lstViewFolders: the list the entries' tags index
  // The folder entries of last time go; the fixed separator stays.
  while (::GetMenuItemCount(menu) > 1) ::DeleteMenu(menu, 1, MF_BYPOSITION);
  for (const FolderMenuEntry& e : built.entries) {
    FolderMenuItem item = FolderMenuItemOf(e);
    if (item.kind == FolderMenuItem::Separator) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    if (item.kind == FolderMenuItem::Item)
      ::AppendMenuW(menu, MF_STRING | (item.enabled ? 0 : MF_GRAYED), UINT_PTR(item.id), win::Widen(e.caption).c_str());
  }
  return built.createdFirstFolder;
}

}  // namespace flk
