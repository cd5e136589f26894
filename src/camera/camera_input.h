// The camera's input rules that are not layout: what a WM_COMMAND id of its
// menus means, which entries carry a check mark, what a key press does, and
// which part of the frame a press resizes. The window procedure decodes the
// message, asks here and performs the answer.
#pragma once

#include "camera/camera_layout.h"
#include "camera/commands.h"
#include "output/folder_menu.h"
#include "camera/refresh_cycle.h"

#include <vector>

namespace flk {

// Control ids of WM_COMMAND: commands, folder entries of the Store menus and
// the colour-depth entries.
inline constexpr int kCmdBase = 100;          // + CommandId
inline constexpr int kCmdFolderBase = 2000;   // + folder index
inline constexpr int kCmdNewFolder = 1990;
inline constexpr int kCmdDepthBase = 1900;    // + PixelFormatPro value
constexpr int CommandControlId(CommandId id) { return kCmdBase + static_cast<int>(id); }

struct MenuChoice {
  enum Kind { Nothing, Command, Folder, NewFolder, ColorDepth } kind = Nothing;
  CommandId command = CommandId::None;  // Command
  int value = 0;                        // folder index, or PixelFormatPro value
};
MenuChoice DecodeMenuId(int id);

// The check mark of a command's menu entry.
bool CommandChecked(CommandId id, bool hold, PanelAlign align);

// A menu item's state before its menu opens, by its control id; `command` is
// false for the ids that are not commands (folder and colour-depth entries).
struct MenuItemState {
  bool command = false, enabled = false, checked = false;
};
MenuItemState MenuItemStateOf(int id, CameraModes modes, PanelAlign align);

// Virtual-key codes the camera knows (their Windows values).
enum CameraKey : int {
  kKeyEscape = 0x1B, kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28,
  kKeyF10 = 0x79,
};

struct KeyAction {
  bool handled = false;   // false: the system's default handling
  bool swallowChar = false;
  CommandId run = CommandId::None;
  bool thaw = false;      // Esc thaws a frozen desktop
  int growX = 0, growY = 0;  // a modifier with an arrow: GrowBy
  int moveX = 0, moveY = 0;  // a plain arrow moves by one pixel (not while the view is stale)
};
KeyAction CameraKeyDown(int key, ShiftState shift, CameraModes modes, bool viewStale);

// The edges a press on the frame resizes (ResizeEdge bits), 0 when the press
// is not on the frame: the frame is the outer max(2, bevel) pixels; which
// edges move follows ResizeEdgesAt (corner grips reach 23 pixels).
int FrameResizeEdges(int x, int y, int width, int height, int bevel);

// Where the camera's parts lie, in window coordinates, for deciding what a press does.
struct CameraHitMap {
  Size client;
  int bevel = 5;             // the frame's width as laid out
  bool stale = false;        // the view is stale
  bool hold = false;
  PanelAlign align = PanelAlign::Top;
  Rect latchTop, latchBottom;
  bool controlVisible = true;
  Rect control, titleBar, menuRow, toolBar;  // empty when hidden
  Rect titleGlyphs[3];       // minimize, maximize, close
  std::vector<Rect> menuButtons;
  Rect menuRowClose;         // empty unless the title bar is hidden
  std::vector<Rect> toolItems;  // by toolbar item; separators are empty
  std::vector<int> toolButtons;  // by toolbar item: index into ToolButtons(), -1 for a separator
  Rect more;                 // the "More" button, empty when not shown
  Rect status;               // the status line, empty when hidden
  Rect viewPanel;
};

struct PressTarget {
  enum Kind {
    RefreshOnly,   // a press on a stale camera only refreshes the view
    Latch,         // value 1 top, 2 bottom
    Resize,        // value: ResizeEdge bits
    Minimize, Maximize, Close,
    Move,
    MenuButton,    // value: index of the menu row's menu
    ToolItem,      // value: toolbar item (kMoreItem for "More")
    CustomiseToolbar,  // an empty part of the toolbar
    Floating,      // the floating panel decides; a move when it does not take the press
  } kind = Move;
  int value = 0;
};
inline constexpr int kMoreItem = 100;

// The first part that takes a left press at p, in the camera's order:
// latches, frame, title bar (its glyphs, a double click maximizes), menu row,
// toolbar, the rest of the panel, the floating panel, the view.
PressTarget PressAt(const CameraHitMap& map, Point p, bool doubleClick);
// The toolbar item under p (kMoreItem for "More"), -1 for none.
int ToolItemAt(const CameraHitMap& map, Point p);

// ---- what the glue asks of the map ----------------------------------------------

enum class CameraCursor { Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW, SizeAll };
// The cursor over p while no drag runs: the frame's resize cursors, and the
// four-way cursor over the parts a press moves the camera from (the title
// bar, the status line, the view) while a drag may start: not while the view
// is stale, a toolbar item is pressed, or Shift or a mouse button is held
// (keysDown).
CameraCursor CursorAt(const CameraHitMap& map, Point p, bool keysDown, bool toolPressed);

// The release of the left button over the toolbar with item `pressed` held down.
struct ToolRelease {
  enum Kind { Nothing, PopupMore, PopupStore, Run } kind = Nothing;
  Point at;  // the popup's top-left (window coordinates): below the item
  CommandId command = CommandId::None;
};
// Nothing unless the release is over the pressed item; the Store button's
// right 12 pixels drop its folder menu down; a disabled command does nothing.
ToolRelease ReleaseToolItem(const CameraHitMap& map, int pressed, Point p, CameraModes modes);

// A right press: Scroll and Robo open their settings, the control panel the
// customisation, the floating panel decides first (then the view's popup when
// over the view), and the view opens its popup.
struct RightPress {
  enum Kind { Nothing, ScrollSettings, RoboSettings, Customise, Floating, ViewPopup } kind = Nothing;
  bool viewPopupElse = false;  // Floating: when the panel does not take it, the view's popup
};
RightPress RightPressAt(const CameraHitMap& map, Point p);

// Alt + the underlined letter of a menu row caption: the menu's index, -1
// for another letter or when the control panel is hidden.
int MenuRowOfAccelerator(int ch, bool controlVisible);

// ---- what a command runs ------------------------------------------------------------

struct CommandRoute {
  enum Kind {
    Nothing,     // a dialog or tool not in this build (its entry is disabled)
    GenClick,    // tag: the dispatcher's output of the viewfinder picture
    Capture,     // mode: a whole capture by the restart timer
    ScrollTool,  // robo: the robo tool, else the scroll tool
    ScrollSettings, OpenViewer, Refresh, ToEdge,
    Dock,        // align: the control panel docked at the top or bottom
    CloseToTray, Maximize, Exit,
    PopupMore, PopupStore,  // at the cursor
    PrinterSetup, RestoreNoShowAgain, Help, Website, About, Diagnostics, LaunchSettings, Feedback, BugReport,
    DailyTips, GeneralSettings, EditorSetup,
  } kind = Nothing;
  int tag = 0;
  CaptureMode mode = kModeRefresh;
  bool robo = false;
  PanelAlign align = PanelAlign::Top;
  // A window pick shows this point hint first (at the camera centre); the
  // command does not run when the user cancels it.
  const char* hintKey = nullptr;
  int usageCode = 0;  // counted once the command ran
};
CommandRoute RouteOf(CommandId id);

// A Store submenu's folder entry as a menu item: hidden entries are left out,
// the folders and the Same Folder carry their folder index in the id.
struct FolderMenuItem {
  enum Kind { Hidden, Separator, Item } kind = Hidden;
  int id = 0;
  bool enabled = true;
};
FolderMenuItem FolderMenuItemOf(const FolderMenuEntry& entry);

}  // namespace flk
