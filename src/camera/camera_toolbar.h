// Where the camera's control panel puts its clickable parts, in window
// coordinates: the buttons of the menu row, the title bar's corner buttons
// (pnlTopRtCorner), the close button on the menu row, and the toolbar items
// with the "More" area. The window measures the captions; the rest is
// arithmetic at the window's scale.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"
#include "camera/camera_layout.h"
#include "camera/commands.h"

namespace flk {

inline constexpr int kMenuRowButtons = 5;  // File, Grab, Tools, Custom, Help

struct MenuRowPlacement {
  std::vector<Rect> buttons;  // one per caption width, left to right
  // Minimize, maximize, close: only when the title bar shows (otherwise the
  // old places stay, unused).
  std::optional<std::array<Rect, 3>> titleGlyphs;
  Rect close;  // on the menu row when the title bar is hidden; empty otherwise
};
// captionWidths: the menu captions' text widths in this window's pixels.
MenuRowPlacement PlaceMenuRow(const CamLayout& layout, const std::vector<int>& captionWidths, const DpiScale& s);

// The width the title bar (logo, title text, corner buttons) and the menu row
// (every caption, the close button when there is no title bar) need to show
// whole, from the measured text widths.
int PanelRowsWidth(const std::vector<int>& captionWidths, int titleTextWidth, bool titleBar, const DpiScale& s);

struct PlacedToolItem {
  int button = -1;  // index into ToolButtons(), -1 for a separator
  Rect rect;
};
struct ToolbarPlacement {
  std::vector<PlacedToolItem> items;  // the items that fit, left to right
  bool moreVisible = false;
  Rect more;
};
// visible[i]: button i of ToolButtons() is switched on; toolText: captions under the images.
ToolbarPlacement PlaceToolbar(const CamLayout& layout, bool toolText, const bool (&visible)[kToolButtonCount],
                              const DpiScale& s);

}  // namespace flk
