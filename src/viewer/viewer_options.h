// The viewer options dialog's rules: its two check lists, what each row stands
// for in the viewer's look, and what a click on a row makes of the look.
//
// Win32 side: TfrmViewerOptions (viewer_options_win) ticks the rows from the
// viewer's present look, hands each click's new look to the viewer at once,
// and enables the button list by ButtonListEnabled.
#pragma once

#include <array>

#include "base/dpi.h"
#include "base/form_controls.h"
#include "base/geometry.h"
#include "viewer/viewer_look.h"

namespace flk {

inline constexpr char kViewerOptionsCaption[] = "Customize Viewer";
inline constexpr char kPanelsGroupCaption[] = "Show these panels:";
inline constexpr char kButtonsGroupCaption[] = "Show these buttons:";

enum class PanelRow { ToolbarIcons, ToolbarText, ImageMemo, StatusBar };
inline constexpr int kPanelRowCount = 4;
inline constexpr std::array<const char*, kPanelRowCount> kPanelRowTexts = {"Toolbar Icons", "Toolbar Text",
                                                                            "Image Memo", "Status Bar"};
// Row i of the button list is ViewerButton(i); two columns of eight.
inline constexpr std::array<const char*, kViewerButtonCount> kButtonRowTexts = {
    "Camera", "Paste", "Save",   "Save+1", "Print",  "Print Fit", "Copy", "Editor",
    "Email",  "Sticky", "Delete", "Invert", "Crop", "Mirror",    "Flip", "Property"};
inline constexpr int kButtonRowsPerColumn = 8;

// A memo panel shown again is at least this high, however low it was dragged.
inline constexpr int kMinShownMemoHeight = 15;

bool PanelChecked(const ViewerLook& look, int row);
bool ButtonChecked(const ViewerLook& look, int row);
// One click on a row: that row turned over, everything else as it was.
// Rows outside the list change nothing.
ViewerLook WithPanelToggled(ViewerLook look, int row);
ViewerLook WithButtonToggled(ViewerLook look, int row);
// With neither icons nor captions the tool bar is hidden: its buttons cannot be chosen.
inline bool ButtonListEnabled(const ViewerLook& look) { return look.ToolBarShown(); }

// The memo panel's height when the memo is shown again.
inline int ShownMemoHeight(int height) { return height < kMinShownMemoHeight ? kMinShownMemoHeight : height; }

// What the dialog needs of the viewer.
class ViewerOptionsHost {
 public:
  virtual ~ViewerOptionsHost() = default;
  virtual ViewerLook Look() const = 0;                // the viewer's present state
  virtual void ApplyLook(const ViewerLook& look) = 0;  // the viewer shows it (panels, layout, buttons, "More")
};

// What the dialog shows: the viewer's look as the viewer has it after each
// click. A click's new look goes to the viewer at once, and the dialog then
// shows what the viewer made of it (a memo shown again, say).
class ViewerOptionsModel {
 public:
  void Attach(ViewerOptionsHost& host) {
    host_ = &host;
    look_ = host.Look();
  }
  const ViewerLook& look() const { return look_; }
  bool PanelChecked(int row) const { return flk::PanelChecked(look_, row); }
  bool ButtonChecked(int row) const { return flk::ButtonChecked(look_, row); }
  bool ButtonListEnabled() const { return flk::ButtonListEnabled(look_); }
  void TogglePanel(int row) { Apply(WithPanelToggled(look_, row)); }
  void ToggleButton(int row) { Apply(WithButtonToggled(look_, row)); }

 private:
  void Apply(const ViewerLook& look);

  ViewerOptionsHost* host_ = nullptr;
  ViewerLook look_;
};

// The dialog at 96 DPI, in creation (and tab) order: each group box, then
// its check list inside it (rows of kOptionsRowHeight), then OK.
inline constexpr int kOptionsClientWidth = 305, kOptionsClientHeight = 196, kOptionsRowHeight = 15;
enum ViewerOptionsId { kOptionsPanelsGroup = 401, kOptionsPanelList, kOptionsButtonsGroup, kOptionsButtonList };
struct ViewerOptionsForm {
  FormControl panelsGroup;
  Rect panels;
  FormControl buttonsGroup;
  Rect buttons;
  FormControl ok;
};
ViewerOptionsForm ViewerOptionsLayout();

// A check list of `rows` in columns of rowsPerColumn (0: one column).
int CheckListColumns(int rows, int rowsPerColumn);
// A key in a check list (key: Windows' virtual key, or the character typed):
// Space turns the caret's row over, Esc is the dialog's cancel (also where
// the system's dialog keys leave it to the list), a typed space searches for
// no row; the rest is the list box's.
enum class CheckListKey { Pass, Toggle, Cancel, Swallow };
CheckListKey CheckListKeyAction(bool typed, unsigned key);
// The row a press or Space turns over: that row when it is one of `count`, else -1.
inline int CheckListRowToToggle(int row, int count) { return row >= 0 && row < count ? row : -1; }
// One row of a check list: its box at the left, its text after a gap, and
// the mark (selection and focus) just around the text, cut at the row's end.
struct CheckRowParts {
  Rect box, text, mark;
};
CheckRowParts LayOutCheckRow(const Rect& row, int textWidth, const DpiScale& s);

// A dialog opened at the pointer: centred on it across, its top at the pointer.
inline Point PlaceAtPointer(Point pointer, int dialogWidth) { return Point{pointer.x - dialogWidth / 2, pointer.y}; }

}  // namespace flk
