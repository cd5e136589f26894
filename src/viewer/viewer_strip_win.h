// The recall viewer's thumbnail strip with its scroll bar (paintThumbs and
// scrollThumb): the strip draws the folder's pictures as the arrangement lays
// them out, a press on it names the picture under the pointer, and the bar
// scrolls the arrangement's strip.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "viewer/viewer_layout.h"

namespace flk {

class TPaintThumbs;
class ViewerFolder;

class ViewerStrip {
 public:
  ViewerStrip(ViewerFolder& folder, ViewerArrangement& arrangement);
  ~ViewerStrip();
  // pressed: the picture under a press or drag (may lie outside the list).
  bool Create(HWND parent, int barId, std::function<void(int picture)> pressed);
  HWND strip() const;
  HWND bar() const { return bar_; }
  // The bar's range and position after a layout that shows it.
  void SetRange(const ViewerPanes& panes);
  // WM_HSCROLL of the viewer: true when it came from the bar and the strip
  // scrolled (the viewer lays its panes out again).
  bool Scrolled(HWND from, WPARAM wp);
  void Repaint() const;

 private:
  ViewerFolder& folder_;
  ViewerArrangement& arrangement_;
  std::unique_ptr<TPaintThumbs> thumbs_;
  HWND bar_ = nullptr;
  bool settingRange_ = false;  // the viewer itself moves the bar
};

}  // namespace flk
