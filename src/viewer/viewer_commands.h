// The recall viewer's commands once: the tool bar's buttons with their
// captions, hints and icons, the menus with their shortcuts, and which
// commands a folder without pictures leaves available.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "output/background_save.h"
#include "viewer/viewer_look.h"

namespace flk {

enum class ViewerCommand {
  None, Camera, Paste, SaveAs, IncSave, Print, PrintFit, Copy, Cut, Edit, Email, Sticky, Delete, Invert, Crop,
  Mirror, Flip, Properties, FolderWiz, MakeEmailAttachment, PrinterSetup, Exit, Options, Help, About,
};

// While a big save runs off the viewer's thread, the commands that read or
// change pictures, write files, manage folders or end the viewer wait for it;
// the camera, properties, options, printer setup and help run.
CommandKind CommandKindOf(ViewerCommand c);

// Menu and accelerator identifiers: commands from 100, folder items from 1000.
inline constexpr int kViewerCommandBase = 100;
inline constexpr int kFolderItemBase = 1000;
inline int CommandMenuId(ViewerCommand c) { return kViewerCommandBase + int(c); }
// The command of a menu or accelerator id; None for folder items and others.
ViewerCommand CommandOfMenuId(int id);
// The folder list index of a Folders menu item id, or nothing.
std::optional<int> FolderOfMenuId(int id);

struct ViewerToolButton {
  ViewerButton button;
  const char* name;     // "btnCamera"
  const char* caption;  // on the button
  const char* hint;
  int image;            // index in the icon lists
  ViewerCommand command;
  bool separatorBefore;
};
// Left to right.
std::span<const ViewerToolButton> ViewerToolButtons();
inline constexpr int kViewerIconCount = 20;

// A menu entry: a separator has no caption; a submenu entry has children.
struct ViewerMenuItem {
  const char* caption;
  const char* shortcut;  // shown after a tab: "Ctrl+S", "Del", "F1"
  ViewerCommand command;
};
struct ViewerMenu {
  const char* caption;  // "&File"
  std::span<const ViewerMenuItem> items;
};
std::span<const ViewerMenu> ViewerMainMenus();
// The "More" menu the tool bar's More button drops down.
std::span<const ViewerMenuItem> ViewerMoreMenu();
// The picture area's right-click menu.
std::span<const ViewerMenuItem> ViewerPopupMenu();

// Keyboard shortcuts: virtual key (Windows' codes), Ctrl held, command.
struct ViewerShortcut {
  unsigned short key;
  bool ctrl;
  ViewerCommand command;
};
std::span<const ViewerShortcut> ViewerShortcuts();
// Keys that edit text (Del, Ctrl+X/C/V/A) stay with the memo while it has
// the focus: a key meant for a word must never delete a picture.
bool MemoKeepsKey(unsigned short key, bool ctrl);

// The command of a key (Windows' virtual key), or None.
ViewerCommand ShortcutCommand(unsigned short key, bool ctrl);
// The tool tip of a tool bar button's id, or nullptr.
const char* ToolButtonHint(int id);

// Available now: picture commands need a picture in the folder.
bool ViewerCommandEnabled(ViewerCommand c, bool hasPictures);

}  // namespace flk
