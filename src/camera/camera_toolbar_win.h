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

class CamToolbar : public PanelPlaces {
 public:
  // The tool tips window of the toolbar buttons, owned by (and destroyed with) `owner`.
  void CreateHints(HWND owner);
  // Places everything anew for `layout`; uiFont measures the menu captions.
  // The menu row's caption widths in the font, and the whole panel rows' need (PanelRowsWidth).
  static std::vector<int> MenuCaptionWidths(HWND owner, HFONT uiFont);
  static int PanelRowsWidthFor(HWND owner, HFONT uiFont, HFONT titleFont, bool titleBar, const DpiScale& s);
  void Layout(HWND owner, const CamLayout& layout, HFONT uiFont, bool toolText,
              const bool (&visible)[kToolButtonCount], const DpiScale& s);

 private:
  void UpdateHints(HWND owner);

  HWND tips_ = nullptr;  // destroyed with the owner window
  int hintCount_ = 0;
};

}  // namespace flk
