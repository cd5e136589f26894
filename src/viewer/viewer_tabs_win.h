// The recall viewer's folder tabs: one tab a folder in list order, then
// "Folder Manager". The tab control lies under the strip, splitters, picture
// and memo; what a click on it asks for is the pure TabStep's.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "viewer/viewer_input.h"

namespace flk {

class ViewerTabs {
 public:
  bool Create(HWND parent, int id, HFONT font);
  HWND hwnd() const { return tabs_; }
  void SetFolders(const std::vector<std::string>& folders);
  void Select(int index) const { TabCtrl_SetCurSel(tabs_, index); }
  int Selected() const { return TabCtrl_GetCurSel(tabs_); }
  // The part of `placed` (the control's rectangle in its parent) below the tab rows.
  Rect DisplayArea(const Rect& placed) const;
  // A notice of the tab control: the step a click asks for; nothing for
  // notices of other controls.
  std::optional<ViewerStep> Notice(const NMHDR& n, const ViewerState& s) const;

 private:
  HWND tabs_ = nullptr;
};

}  // namespace flk
