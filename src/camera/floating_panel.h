// The floating control panel of edge-to-edge mode: the layout of its labels,
// what to draw where, the hit test, the item rectangles, and hover, press and
// release as a state machine that returns what to paint and what to run.
//
// Win32 side: camera_win lays the labels out at each view paint
// (LayoutFloatingPanel with the view font's text widths), draws what
// PaintFloatingPanel lists, and forwards the paint box's mouse messages and
// timerCpBtn's ticks to FloatingPanelInput. It performs the returned paints
// (hover outlines by inverting with R2_NOT and a hollow brush, so the same
// call removes them; pressed outlines likewise), starts or stops timerCpBtn,
// sets the arrow cursor, runs the returned command, and passes every event
// the panel did not take to the move handlers.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "camera/commands.h"

namespace flk {

inline constexpr char kFloatingCaption[] = "Edge To Edge Mode    Off";
inline constexpr int kFloatingGlyphWidth = 51;   // imgMinMaxCloseBw
inline constexpr int kFloatingGlyphHeight = 14;
inline constexpr int kFloatingMaxLabels = 12;

// Hit-test results other than label numbers (labels are 1, 2, ...).
enum FloatingItem : int {
  kFloatNothing = 0,
  kFloatClose = -1,
  kFloatMaximize = -2,
  kFloatMinimize = -3,
  kFloatInert = -4,        // upper half between the caption and the glyphs
  kFloatBeyondLabels = -5,  // lower half right of the last label
  kFloatCaption = -6,      // the caption: leave edge-to-edge mode
};

struct FloatingLabel {
  ToolButton button;
  int start = 0;  // relative to the panel's left
  int next = 0;   // start of the following label
};

struct FloatingPanelLayout {
  int width = 0;   // the panel (pnlcControl) width and height
  int height = 0;
  int captionWidth = 0;  // width of the caption, 0 when it does not fit
  std::vector<FloatingLabel> labels;
};

using TextWidthFn = std::function<int(std::string_view)>;

// The buttons that get labels, in order: Print, PrintFit, Save, Save+1, Copy,
// Editor, Email, Sticky, Store, Recall, Hold (each when visible), then "More"
// when not all fitted. visible[i] is button i of ToolButtons().
FloatingPanelLayout LayoutFloatingPanel(int panelWidth, int panelHeight, const bool (&visible)[kToolButtonCount],
                                        const TextWidthFn& textWidth);

struct FloatingText {
  Point at;
  const char* text;
};
struct FloatingPanelPaint {
  Rect frame;                        // black frame
  std::optional<FloatingText> caption;
  Point glyphAt;                     // glyph picture, combined by SRCAND
  bool maximizedGlyph = false;       // imgMinMaximizedCloseBw instead of imgMinMaxCloseBw
  std::vector<FloatingText> labels;  // second text line
};
// What DrawFloatingPanel draws with the panel's top-left at (x0, y0).
FloatingPanelPaint PaintFloatingPanel(const FloatingPanelLayout& layout, int x0, int y0, int textHeightA,
                                      bool maximized);

// Item under paint-box point (X, Y); kFloatNothing unless floating and inside.
int FloatingHitTest(const FloatingPanelLayout& layout, bool floating, Point p);
// Whether an item reacts to the mouse (labels, caption and the three glyphs).
bool FloatingItemActive(const FloatingPanelLayout& layout, int item);
// Outline rectangle of an active item in paint-box coordinates.
std::optional<Rect> FloatingItemRect(const FloatingPanelLayout& layout, int item);

enum class PanelCommand { None, ClickButton, PopupMore, StoreDropDown, TopPanel, Minimize, Maximize, Close, Customise };

struct PanelPaintOp {
  enum Kind { HoverOn, HoverOff, PressOn, PressOff } kind;
  Rect rect;
  friend bool operator==(const PanelPaintOp&, const PanelPaintOp&) = default;
};

enum class TimerChange { Keep, Start, Stop };

struct PanelReaction {
  bool handled = false;  // false: the event goes on to the move handlers
  std::vector<PanelPaintOp> paints;
  TimerChange timer = TimerChange::Keep;
  bool arrowCursor = false;
  PanelCommand command = PanelCommand::None;
  ToolButton button = ToolButton::More;  // for ClickButton
};

class FloatingPanelInput {
 public:
  // The panel is laid out anew at each view paint; the paint also wipes the
  // hover outline, so it is forgotten here.
  void SetLayout(const FloatingPanelLayout& layout, bool floating);

  PanelReaction MouseMove(Point p, bool buttonDown);
  PanelReaction Tick(Point cursor);  // timerCpBtn
  PanelReaction LeftDown(Point p);
  PanelReaction LeftUp(Point p);
  PanelReaction RightDown(Point p);

  int hovered() const { return hover_; }
  int pressed() const { return pressed_; }
  bool timerRunning() const { return timer_; }

 private:
  PanelReaction Hover(Point p);
  void CommandOf(int item, PanelReaction& r) const;

  FloatingPanelLayout layout_;
  bool floating_ = false;
  int hover_ = kFloatNothing;
  int pressed_ = kFloatNothing;
  bool timer_ = false;
};

// What a floating-panel command runs: a camera command (a disabled button's
// click runs nothing), the view's popup ("More" of the floating panel), or the
// close button's own choice between the tray and the end.
struct PanelAction {
  enum Kind { None, Run, ViewPopup, CloseButton } kind = None;
  CommandId command = CommandId::None;
};
PanelAction PanelActionOf(PanelCommand command, ToolButton button, CameraModes modes);

}  // namespace flk
