// The clickable parts of the camera's control panel as placed now (menu row,
// title bar corner buttons, toolbar and "More"), the toolbar item under the
// mouse and the one pressed, and the tool tips of the toolbar buttons. The
// places come from camera_toolbar.h; this room measures the captions and keeps
// the tool tips in step.
#pragma once

#include <windows.h>

#include <vector>

#include "base/dpi.h"
#include "camera/camera_input.h"
#include "camera/camera_layout.h"
#include "camera/camera_toolbar.h"
#include "camera/commands.h"

namespace flk {

// One item of the toolbar as laid out in window coordinates.
struct ToolItem {
  int button = -1;  // index into ToolButtons(), -1 for a separator
  RECT rect{};
};

class CamToolbar {
 public:
  // The tool tips window of the toolbar buttons, owned by (and destroyed with) `owner`.
  void CreateHints(HWND owner);
  // Places everything anew for `layout`; uiFont measures the menu captions.
  // The menu row's caption widths in the font, and the whole panel rows' need (PanelRowsWidth).
  static std::vector<int> MenuCaptionWidths(HWND owner, HFONT uiFont);
  static int PanelRowsWidthFor(HWND owner, HFONT uiFont, HFONT titleFont, bool titleBar, const DpiScale& s);
  void Layout(HWND owner, const CamLayout& layout, HFONT uiFont, bool toolText,
              const bool (&visible)[kToolButtonCount], const DpiScale& s);
  // Adds the panel's parts to the press rules' map (control panel shown).
  void AddTo(CameraHitMap& m, const CamLayout& layout) const;

  const std::vector<ToolItem>& items() const { return items_; }
  bool moreVisible() const { return moreVisible_; }
  const RECT& more() const { return more_; }
  const RECT& menuButton(int i) const { return menuButtons_[i]; }
  const RECT& titleGlyph(int i) const { return titleGlyphs_[i]; }
  const RECT& menuRowClose() const { return menuRowClose_; }

  // Toolbar item under the mouse and the one pressed: index into items(), kMoreItem, -1 for none.
  int hot() const { return hot_; }
  void SetHot(int item) { hot_ = item; }
  int pressed() const { return pressed_; }
  void SetPressed(int item) { pressed_ = item; }

 private:
  void UpdateHints(HWND owner);

  std::vector<ToolItem> items_;
  bool moreVisible_ = false;
  RECT more_{};
  RECT menuButtons_[kMenuRowButtons]{};
  RECT titleGlyphs_[3]{};  // minimize, maximize, close
  RECT menuRowClose_{};
  int hot_ = -1;
  int pressed_ = -1;
  HWND tips_ = nullptr;  // destroyed with the owner window
  int hintCount_ = 0;
};

}  // namespace flk
