// The camera's command vocabulary as data: commands with their dispatcher
// tags and usage codes, the 17 toolbar buttons
// with their visibility settings, the menus (main menu, "More", view popup)
// with separators and shortcuts, ShortcutItems and the exact-Ctrl shortcut
// rule, whether a command is enabled, and the status-line texts.
//
// Win32 side: camera_win builds its toolbar and menus by walking these tables
// (one HMENU item or toolbar button per entry, the entry's index as the
// control id), sends every click to RunCommand / GenClick with the entry's
// CommandId, greys entries for which CommandEnabled is false, calls
// MatchShortcut from WM_KEYDOWN and swallows WM_CHAR while the result says so.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "output/background_save.h"
#include "output/picture_outputs.h"
#include "shell/usage_codes.h"

namespace flk {

enum class CommandId {
  None,
  // Dispatcher outputs (the tag is the dispatcher's number, see TagOf).
  Print, PrintFit, Email, Sticky, Copy, Edit, Hold, SaveAs, MakeEmailAttachment, IncSave, StoreRing,
  // Captures and viewer.
  WinCap, ScrollCap, Robo, FullScreen, WorkArea, OpenViewer, Refresh,
  // Panel position and window.
  ToEdge, EdgeOff, ControlsTop, ControlsBottom, CloseToTray, Maximize, Exit,
  // Menus that open something else.
  More, StoreMenu, PrinterSetup, GeneralSettings, EditorSetup, LaunchSettings, ScrollCaptureSettings,
  ColorDepthMenu, RestoreNoShowAgain,
  // Help.
  Help, DailyTips, Website, Feedback, BugReport, Diagnostics, About,
};

// Dispatcher tag of a command: 1..8, 10, 11, 19 for the outputs, 0 otherwise.
int TagOf(CommandId id);
// The command a dispatcher tag stands for (None for 0 and unknown tags).
CommandId CommandOfTag(int tag);

// The picture output a dispatcher command runs (Sticky, Hold and StoreRing are the camera's own).
std::optional<PictureOutput> OutputOfCommand(CommandId id);

// While a big save runs off the camera's thread, the commands that take the
// viewfinder picture (every dispatcher tag, folder stores included) and Exit
// wait for it; the captures, menus, settings and help run.
CommandKind CommandKindOf(CommandId id);
// Folder entries of the Store menu (negative tags) take the picture too.
CommandKind CommandKindOfTag(int tag);

struct CameraModes {
  bool hold = false;
  bool desktopFrozen = false;
};
// Enabled state: implemented, and the window picks (Window, Inside, Scroll,
// Robo) are off while Hold is on or the desktop is frozen.
bool CommandEnabled(CommandId id, CameraModes modes);

// ---- toolbar ------------------------------------------------------------------

enum class ToolButton {
  Recall, Store, Save, IncSave, Print, PrintFit, Copy, Edit, Email, Sticky, Lock, ToEdge, FullScreen, Robo,
  Scroll, Window, WorkArea, More,
};
inline constexpr int kToolButtonCount = 17;  // More is not counted: it lives in its own toolbar

struct ToolButtonInfo {
  ToolButton button;
  const char* name;     // "btnRecall"
  const char* caption;  // "Recall"
  const char* hint;
  CommandId command;
  const char* setting;  // "CambtnRecall"; empty for More
  bool separatorBefore;  // a separator stands left of this button in tbarToolBar
};
// The 17 buttons of tbarToolBar, left to right.
std::span<const ToolButtonInfo> ToolButtons();
// Any button, More included.
const ToolButtonInfo& ToolButtonOf(ToolButton b);

// The items of tbarToolBar that are shown (separators included), left to
// right. visible[i] is button i of ToolButtons(). A separator shows only
// between two groups that both have a visible button; the Store button is
// wider by its drop-down arrow.
struct ToolbarItem {
  int button = -1;  // index into ToolButtons(), -1 for a separator
  int width = 0;
};
std::vector<ToolbarItem> VisibleToolbarItems(const bool (&visible)[kToolButtonCount], int buttonWidth,
                                             int separatorWidth, int dropArrowWidth = 0);
std::vector<int> WidthsOf(const std::vector<ToolbarItem>& items);

// ---- menus --------------------------------------------------------------------

enum class MenuId { File, Grab, Tools, Custom, Help, More, ViewPopup };

enum class EntryKind { Command, Submenu, Radio, Hidden };

struct MenuEntry {
  const char* name;     // "mnuSaveAs"
  const char* caption;  // as shown; action captions already filled in
  int key;              // shortcut: Ctrl + letter ('A'..'Z'), or kKeyF1 alone; 0 when none
  CommandId command;
  bool separatorBefore;
  EntryKind kind = EntryKind::Command;
};

struct MenuInfo {
  MenuId id;
  const char* name;     // "mnuFile"
  const char* caption;  // "&File"
};
std::span<const MenuInfo> MainMenus();  // File, Grab, Tools, Custom, Help in order
std::span<const MenuEntry> MenuEntries(MenuId menu);
// F1 (its virtual key code) opens help; it is the only shortcut without Ctrl.
inline constexpr int kKeyF1 = 0x70;
// Text shown at the right of a menu entry for its shortcut ("Ctrl+S"), empty when none.
std::string ShortcutText(const MenuEntry& e);
// The entry's caption with its shortcut after a tab, as the menu shows it.
std::string MenuEntryText(const MenuEntry& e);
// The entry by name in any menu, or nullptr.
const MenuEntry* FindMenuEntry(std::string_view name);

// ---- shortcuts ----------------------------------------------------------------

// ShortcutItems: the 18 entries the camera dispatches itself, in order.
std::span<const MenuEntry* const> ShortcutItems();

struct ShiftState {
  bool shift = false, ctrl = false, alt = false;
};

struct ShortcutMatch {
  bool swallow = false;  // discard the character of this key press
  CommandId run = CommandId::None;  // None when the entry is disabled or nothing matched
  const MenuEntry* entry = nullptr;
};
// Only exactly Ctrl (no Shift, no Alt) is dispatched. The first entry whose
// key equals the pressed key sets the swallow flag and runs when enabled.
// key is the virtual key code: 'A'..'Z' for letters.
ShortcutMatch MatchShortcut(int key, ShiftState shift, CameraModes modes);

// ---- status line --------------------------------------------------------------

inline constexpr char kStatusStoredRing[] = "Stored to LastCaptures folder.";
inline constexpr char kStatusRestore[] = "Click image to restore.";
inline constexpr char kStatusFrozen[] = "Desktop FROZEN. (Click desktop to thaw.)";
inline constexpr char kStatusStillFrozen[] = "Desktop FROZEN. (Click it to un-freeze.)";
inline constexpr char kStatusHelp[] = "  Press F1 for help.";
std::string SizeText(int width, int height);                                 // "Size = %d x %d pixels"
// A refresh clears the status line when it contains "restore".
bool RefreshClearsStatus(std::string_view status);

}  // namespace flk
