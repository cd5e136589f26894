// Layout arithmetic of the camera window: where the control panel, its rows,
// the view, the latches and the capture area lie for a given window size and
// set of choices, the smallest size the layout allows, the toolbar panel's
// height and "More" area, the growth of a window that fell below its minimum,
// and the move that keeps the view in place when the control panel changes
// sides.
//
// Win32 side: camera_win calls ArrangeControls with the window's client size,
// the current choices and the text height of "A" in the view font, then puts
// each child window at the rectangle it gets back (SetWindowPos / MoveWindow),
// hides what is not shown, and stores ViewRect / CaptureRect for painting and
// capturing. When ArrangeControls asks for growth it calls GrowBy (move_resize.h) and
// applies the rectangle with SetWindowPos (copying the uncovered strips into
// bmpBkgnd as in any resize step). SwitchControlPanel gives the window
// position for MoveDirect and the new alignment.
#pragma once

#include <array>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/monitors.h"
#include "shell/startup_settings.h"

namespace flk {

// Saved as CPanelAlign.
enum class PanelAlign { Floating = 0, Top = 1, Bottom = 2 };

// Fixed heights of the control panel's rows (pixels at 96 DPI).
inline constexpr int kTitleBarHeight = 22;
inline constexpr int kMenuRowHeight = 19;
inline constexpr int kStatusHeight = 18;
inline constexpr int kViewBevel = 2;         // pnlcView's lowered bevel
inline constexpr int kFloatInset = 18;       // floating panel's distance from the view's corner
inline constexpr int kLatchHeight = 5;
inline constexpr int kLatchTopY = 2;         // mirrors the bottom latch (H - 7 .. H - 2)
inline constexpr int kDefaultBevel = 5;      // CamBevelWidth
inline constexpr int kMinStoredWidth = 120;  // a stored Width below this opens at this
inline constexpr int kHoldGrowth = 8;        // Hold adds this to width and height
inline constexpr int kHoldBorder = 3;        // the red border around the held picture
inline constexpr int kToolDropArrow = 12;    // the Store button's drop-down part

// CamBevelWidth values the customisation offers are 2, 5 and 10; anything else
// read from the registry is used as it is, but never below 1.
int SanitizeBevel(int bevel);

// ---- toolbar panel ----------------------------------------------------------

struct ToolbarPanelLayout {
  bool visible = true;           // pnlcToolBar shown
  int height = 44;               // pnlcToolBar height when shown
  bool autoButtonHeight = false;  // both toolbars' button height reset to automatic
};

// ApplyToolbarLayout: images and captions 44; images only 32 (button height
// automatic); captions only 27; neither: panel hidden (height 0).
ToolbarPanelLayout ApplyToolbarLayout(bool images, bool captions);

// pnlcToolBarResize: the "More" area (pnlAll) shows exactly when the panel's
// width minus 2 is less than the total width of the visible items (separators
// included) of the main toolbar.
bool MoreAreaVisible(int toolbarPanelWidth, const std::vector<int>& visibleItemWidths);

// How many of the visible items (from the left) fit completely in the width
// the toolbar keeps; the toolbar does not wrap, so the others are reached
// through "More".
int ItemsThatFit(int availableWidth, const std::vector<int>& visibleItemWidths);

// ---- ArrangeControls ----------------------------------------------------------

struct LayoutInput {
  int width = 345;   // window W
  int height = 222;  // window H
  PanelAlign align = PanelAlign::Top;
  int camBevel = kDefaultBevel;
  bool titleBar = true;
  bool toolImages = true;
  bool toolText = true;
  bool status = true;
  bool hold = false;
  int textHeightA = 16;  // text height of "A" in the view font (physical pixels)
  // What the docked panel's title bar and menu row need to show whole
  // (physical pixels, PanelRowsWidth): a docked camera is never narrower, so
  // no menu title is ever cut away.
  int panelRowsWidth = 0;
  // The window's display scale: every fixed size below is at 96 DPI and multiplied by it.
  DpiScale scale;
};

struct CamLayout {
  int bevel = 0;  // the frame's width (CamBevelWidth at the window's scale)
  int a = 0;  // frame bevel + view bevel
  int b = 0;  // 2a
  bool controlVisible = true;
  Rect control;        // pnlcControl in window coordinates (floating: where the panel is drawn)
  int controlHeight = 0;  // h_c
  // Rows of the docked panel, in the panel's own coordinates; empty when hidden.
  Rect titleBar, menuRow, toolBar, status;
  bool closeOnMenuRow = false;  // pnlCloseBtnOnMenuBar shown (title bar hidden)
  ToolbarPanelLayout toolbar;
  Rect viewPanel;  // pnlcView (bevel included)
  Rect view;       // ViewRect
  Rect capture;    // CaptureRect
  Rect latchTop, latchBottom;
  int minWidth = 0, minHeight = 0;  // MinCamWidth, MinCamHeight
  int growDx = 0, growDy = 0;       // growth ArrangeControls asks for (GrowBy)
  bool needsGrowth() const { return growDx > 0 || growDy > 0; }
};

CamLayout ArrangeControls(const LayoutInput& in);

// CPanelAlign as saved: 0 floating, 2 bottom, anything else top.
PanelAlign PanelAlignOf(int saved);
// The layout's input from the camera's saved choices; the window's size, the
// text height and the rows' width are the window's to fill in.
LayoutInput LayoutInputOf(const CameraSaveValues& values, PanelAlign align, bool hold, const DpiScale& s);

// Where a printed page ends, marked in cyan on the view panel's edges after a
// print: a notch on the top edge when the page is narrower than the view, one
// on the left edge when it is shorter. Window coordinates; a mark that does
// not apply is empty.
struct PageMarkRects {
  Rect widthMark, heightMark;
};
PageMarkRects PageMarkRectsFor(int pageWidth, int pageHeight, const Rect& viewPanel, const Rect& view);

// ---- window growth and moves -----------------------------------------------------


// Size a window takes at opening: the stored size with a width below 120 made 120.
Size OpeningSize(int storedWidth, int storedHeight);

struct PanelSwitch {
  PanelAlign align = PanelAlign::Top;
  Point windowPos;         // where MoveDirect puts the window's top-left
  bool moved = false;      // MoveDirect needed
  bool edgeOffVisible = false;  // mnuEdgeOff shown
};

// Putting the control panel at the top, the bottom or floating. Between top
// and bottom the window moves by the panel's height so that the view stays
// over the same screen area.
PanelSwitch SwitchControlPanel(PanelAlign from, PanelAlign to, Point windowPos, int controlHeight);

// ---- maximize and screen changes ----------------------------------------------------

struct MaximizeState {
  bool maximized = false;
  Rect restore = Rect::FromXYWH(100, 100, 300, 200);  // the restore rectangle
};

struct MaximizeResult {
  Rect window;                // new window rectangle (then ArrangeControls, RequestCapture(true, 0))
  MaximizeState state;        // sbtnMaximize shows imgMaximized exactly when state.maximized
  bool adaptToScreen = false;  // restoring: AdaptToScreen before the layout
};
// ToggleMaximize: a camera at (0, 0) with exactly the screen's size goes back
// to the restore rectangle; any other fills the screen, remembering its
// rectangle when it is both narrower and lower than the screen.
MaximizeResult ToggleMaximize(const Rect& window, Size screen, const MaximizeState& state);
// The same on the monitor the camera is on: its rectangle takes the place of
// (0, 0, screen width, screen height).
MaximizeResult ToggleMaximize(const Rect& window, const Rect& monitor, const MaximizeState& state);

struct AdaptResult {
  bool changed = false;  // the screen size differs from the last one seen
  Rect window;           // width and height cut down to the screen's
};
AdaptResult AdaptToScreen(const Rect& window, Size lastScreen, Size screen);
// On a desktop of several monitors "the screen changed" is a change of the
// monitor layout. After a change (not at the first look, when `last` is
// empty) a camera that no monitor shows any more moves wholly onto the
// nearest monitor's work area; then its width and height are cut down to its
// monitor's.
AdaptResult AdaptToMonitors(const Rect& window, const MonitorTable& last, const MonitorTable& now);

enum class Latch { Top, Bottom };
// A click on a latch: its side, unless the panel is there already, in which
// case floating.
PanelAlign LatchTarget(Latch latch, PanelAlign current);
// A latch press-and-release is a click when the cursor moved at most 3 pixels
// (|dx| + |dy|).
bool IsLatchClick(Point down, Point up);

// ---- painting --------------------------------------------------------------------

// DrawCamFrame: inside the raised 2-pixel edge, the left, right, top and
// bottom strips of the frame in the button-face colour.
std::array<Rect, 4> FrameStrips(Size client, int bevel);
// A paint that reaches the frame (the frame is how the camera notices that
// other programs drew over the screen): not the camera's own ghost or first
// paint after showing (suppressed).
bool FramePaintCounts(const Rect& dirty, Size client, int bevel, bool suppressed);

// What the view panel shows: the held picture's red border and ground, the
// question-mark tiles of a stale (or not yet grabbed) view, or the copy.
enum class ViewFill { Held, Unknown, Copy };
ViewFill ViewFillOf(bool hold, bool stale, bool copyPresent);

// The title bar in window coordinates; empty when it is not shown.
Rect TitleBarInWindow(const CamLayout& layout);

// The status line's label inside its row (window coordinates); empty when the
// row is not shown.
Rect StatusLabelRect(const CamLayout& layout, const DpiScale& s);

}  // namespace flk

