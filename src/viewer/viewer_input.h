// What the recall viewer's window does with its input, decided apart from the
// window: a key, a menu item or accelerator, a folder tab's click, a tool
// bar's click, and a frame dragged smaller. The window reads its state into
// ViewerState, asks here, and performs the step it gets.
#pragma once

#include "base/dpi.h"
#include "base/geometry.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_rules.h"

namespace flk {

// What the window does next.
struct ViewerStep {
  enum Kind { Pass, Taken, SelectPicture, SelectFolder, Run, FolderManager, ShowOptions, ShowMoreMenu } kind = Pass;
  int index = -1;  // the picture or folder to select, or the folder manager's row
  ViewerCommand command = ViewerCommand::None;  // Run
  friend bool operator==(const ViewerStep&, const ViewerStep&) = default;
};

// The viewer as its steps see it.
struct ViewerState {
  int current = -1;      // the shown picture
  int count = 0;         // pictures in the shown folder
  int folderCount = 0;
  int shownFolder = -1;  // the shown folder's list index
  int tab = -1;          // the selected folder tab
};

struct ViewerKeyPress {
  unsigned short key = 0;  // Windows' virtual key
  bool ctrl = false;
  bool modifier = false;    // Shift, Ctrl or Alt
  bool memoShown = false;   // the memo panel is on and visible
  bool memoFocused = false;
};

// The arrow, Home and End keys by their virtual keys.
KeyCode KeyCodeOf(unsigned short key);
// FormKeyDown: the arrows walk the pictures (Left, Right) and the folders
// (Up, Down) unless the memo shows and no modifier is held, Home and End go
// to the ends; then the shortcuts, except the editing keys the focused memo
// keeps. A shortcut of a command not available now is still taken.
ViewerStep KeyStep(const ViewerKeyPress& press, const ViewerState& s);
// A menu item or accelerator: a folder item selects its folder, a command
// runs when it is available; anything else is taken and does nothing.
ViewerStep MenuStep(int id, const ViewerState& s);
// A folder tab clicked (TCN_SELCHANGE, the tab now selected) or right-clicked
// (the tab under the pointer, -1 for none).
ViewerStep TabStep(bool rightClick, int tab, const ViewerState& s);
// A tool bar's click: a right click anywhere, or a click beside the main
// bar's buttons, opens the options; a click on More drops its menu.
ViewerStep ToolBarStep(bool rightClick, bool moreBar, bool onButton);

// WM_SIZING: the frame the user drags, or, while the picture area is down to
// its floor, the same with the dragged horizontal edge kept where it is.
Rect SizingRect(const Rect& proposed, const Rect& now, bool topEdge, int pictureBoxHeight, const DpiScale& s);
// Where the viewer opens: its stored place, no larger than its screen.
Rect OpeningRect(const Rect& stored, Size screen);

}  // namespace flk
