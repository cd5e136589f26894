// The camera's menus: the menu row's five drop-downs, "More", the view's
// popup, the Store submenus with their folder entries (lstViewFolders) and the
// colour-depth submenu. Which entries show, are enabled and checked comes from
// commands.h and output/folder_menu.h; this room keeps the handles and fills them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "camera/camera_input.h"
#include "camera/camera_layout.h"
#include "camera/commands.h"
#include "camera/camera_toolbar.h"
#include "output/picture_store.h"
#include "win32/unique_handle.h"

namespace flk {

class CamMenus {
 public:
  void Build();
  // Before a menu opens: enabled and checked states, and mnuEdgeOff in the
  // popup only in edge-to-edge mode.
  void UpdateCommands(HMENU menu, CameraModes modes, PanelAlign align) const;
  bool IsStoreMenu(HMENU menu) const;
  bool IsDepthMenu(HMENU menu) const { return menu && menu == depthMenu_; }
  // A Store submenu's folder entries anew; true when the first folder was made for it.
  bool FillFolderMenu(HMENU menu, StoreFileSystem& fs, const std::string& baseFolder);
  // The stored depth is checked (none for an unknown value).
  void CheckDepth(HMENU menu, int value) const;

  HMENU sub(int index) const { return index >= 0 && index < kMenuRowButtons ? subMenus_[index] : nullptr; }
  HMENU more() const { return moreMenu_; }
  HMENU popup() const { return popup_.get(); }
  HMENU store() const { return storeMenus_[0]; }  // the File menu's Store, also the toolbar's drop-down

  // lstViewFolders: the folders the Store entries' tags index.
  std::vector<std::string>& folders() { return folders_; }
  std::string& lastFolderName() { return lastFolderName_; }

 private:
  win::UniqueMenu mainMenu_;
  HMENU subMenus_[kMenuRowButtons]{};
  win::UniqueMenu moreHolder_;
  HMENU moreMenu_ = nullptr;
  win::UniqueMenu popup_;
  HMENU storeMenus_[3]{};  // in File, More and the popup
  HMENU depthMenu_ = nullptr;
  std::vector<std::string> folders_;
  std::string lastFolderName_;
};

}  // namespace flk
