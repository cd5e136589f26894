// The recall viewer's tool bars (ToolBarMain and ToolBarMore with its one
// button "More") and its menus (main menu, the "More" menu, the picture's
// right-click menu and the folder items of "&Folders").
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_input.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_look.h"
#include "win32/unique_handle.h"

namespace flk {

class ViewerBars {
 public:
  // Every menu, the main menu set on the window (before its children: the
  // menu bar takes room from the client area).
  void CreateMenus(HWND window);
  void CreateToolBars(const DpiScale& scale);
  HWND toolBar() const { return toolBar_; }
  HWND toolBarMore() const { return toolBarMore_; }
  bool Owns(HWND control) const { return control && (control == toolBar_ || control == toolBarMore_); }

  // ApplyViewerToolbarLayout: the buttons the look shows, icons or none,
  // captions or none, button sizes for the tool bar panel's height.
  void ApplyLook(const ViewerLook& look, const DpiScale& scale);
  // The widths of the buttons the look shows, added up.
  int VisibleButtonsWidth() const;
  // Hides the buttons (from the right) that would not fit whole in `width`:
  // a button is shown whole or reached through "More", never cut.
  void FitToWidth(int width);
  void Enable(ViewerCommand c, bool enabled);
  // The radio items of "&Folders", before its separator, in list order.
  void SetFolders(const std::vector<std::string>& folders);
  void CheckFolder(int index);
  // A notice of a tool bar: the step a click asks for (tool tips are
  // answered here); nothing for notices of other controls.
  std::optional<ViewerStep> Notice(const NMHDR& n) const;
  void ShowMoreMenu();
  void ShowPopupMenu(POINT screen);

 private:
  HWND window_ = nullptr;
  HWND toolBar_ = nullptr, toolBarMore_ = nullptr;
  win::UniqueImageList images_, hotImages_;
  win::UniqueMenu mainMenu_, moreMenu_, popupMenu_;
  HMENU foldersMenu_ = nullptr;  // owned by the main menu
  int folderCount_ = 0;
  std::vector<ShownButton> shown_;  // what the look shows, in order
};

}  // namespace flk
