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
#include "camera/camera_input.h"
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

// The panel's clickable parts as placed now, with the toolbar item under the
// mouse and the one pressed (an index into items(), kMoreItem, -1 for none).
class PanelPlaces {
 public:
  void Place(const MenuRowPlacement& row, const ToolbarPlacement& bar);
  // Adds the panel's parts to the press rules' map (control panel shown).
  void AddTo(CameraHitMap& m, const CamLayout& layout) const;

  const std::vector<PlacedToolItem>& items() const { return items_; }
  bool moreVisible() const { return moreVisible_; }
  const Rect& more() const { return more_; }
  const Rect& menuButton(int i) const { return menuButtons_[size_t(i)]; }
  const Rect& titleGlyph(int i) const { return titleGlyphs_[size_t(i)]; }
  const Rect& menuRowClose() const { return menuRowClose_; }

  int hot() const { return hot_; }
  void SetHot(int item) { hot_ = item; }
  int pressed() const { return pressed_; }
  void SetPressed(int item) { pressed_ = item; }

 private:
  std::vector<PlacedToolItem> items_;
  bool moreVisible_ = false;
  Rect more_;
  std::array<Rect, kMenuRowButtons> menuButtons_{};
  std::array<Rect, 3> titleGlyphs_{};  // minimize, maximize, close: the old places stay while the title bar is hidden
  Rect menuRowClose_;
  int hot_ = -1;
  int pressed_ = -1;
};

// One part of the toolbar as drawn, left to right: the etched separators,
// the buttons, and "More" with the etched bevel before it.
struct ToolPaint {
  enum Kind { Etched, Button } kind = Button;
  Rect rect;  // Etched: the line (its left edge is drawn); Button: the button
  ToolButton button = ToolButton::More;
  const char* caption = "";
  enum Edge { Flat, Raised, Sunken } edge = Flat;  // Sunken: pressed, the inside lit
  bool greyed = false;    // image and caption look disabled
  bool hotImage = false;  // the brighter image under the mouse
  std::optional<Point> imageAt;  // the icon's top-left, at ToolIconSize
  std::optional<Rect> captionRect;
  bool captionTop = false;  // under an image: from the top, otherwise centred
  std::optional<Point> arrowAt;  // the Store button's drop-down arrow
};
struct ToolbarLook {
  CameraModes modes;
  bool controlsEnabled = true;  // false while the view is stale: every button greyed
  bool images = true, captions = true;
};
// toolbarRow: the toolbar's row in window coordinates (the More bevel spans it).
std::vector<ToolPaint> PlanToolbarPaint(const PanelPlaces& places, const Rect& toolbarRow, const ToolbarLook& look,
                                        const DpiScale& s);

// The press rules' map of the camera as laid out now (client: the window's client size).
CameraHitMap HitMapOf(const CamLayout& layout, Size client, bool stale, bool hold, PanelAlign align,
                      const PanelPlaces& places);

}  // namespace flk
