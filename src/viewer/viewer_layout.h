// Where the recall viewer's parts go, apart from any window: the tool bar
// panel and its "More" button, the tab area, the thumbnail strip with its
// scroll bar, the splitters, the picture box and the memo, what the two
// splitters may do, how the strip scrolls, and what the strip paints besides
// its thumbnails. Sizes kept here are at 96 DPI; rectangles handed out are in
// the window's own pixels.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/scroll_step.h"
#include "viewer/viewer_look.h"
#include "viewer/viewer_rules.h"

namespace flk {

// 96-DPI measures of the window.
inline constexpr int kViewerSpacer = 7, kViewerScrollThumbHeight = 16, kViewerSplitter = 7, kViewerBevel = 3,
                     kViewerMemoControls = 41, kViewerStatus = 22, kViewerMoreWidth = 31, kViewerMinWidth = 150,
                     kViewerThumbMin = 16, kViewerMemoMin = 18, kViewerButtonWidth = 46, kViewerIconSize = 20;

// pnlToolBar by what its buttons show: 44 with icons and captions, 32 with
// icons only, 27 with captions only, hidden with neither.
struct ToolBarShape {
  bool shown = true;
  int height = 44;  // 96 DPI
};
ToolBarShape ToolBarShapeFor(const ViewerLook& look);
// A tool bar's button size: the main bar's wide enough for the longest
// caption in its font (pixels) and at least kViewerButtonWidth, the More
// bar's its own width; as high as the bar's panel less its border.
Size ToolButtonSize(const ViewerLook& look, const DpiScale& s, bool moreBar, int longestCaption);
// The main bar's buttons as the bar measured them, all the look's shown.
struct MeasuredButton {
  int id = 0;
  bool separator = false, hidden = false;
  int width = 0;  // 0 when the bar did not place it
};
struct ShownButton {
  int id = 0, width = 0;  // width with the separator before it
};
// What each shown button takes; a separator counts with the button after it.
std::vector<ShownButton> ShownButtons(const std::vector<MeasuredButton>& buttons);
int ShownButtonsWidth(const std::vector<ShownButton>& shown);
// How many shown buttons (from the left) fit whole in `width`: a button is
// shown whole or reached through "More", never cut.
size_t ShownButtonsThatFit(int width, const std::vector<ShownButton>& shown);

struct Placed {
  Rect rect;
  bool shown = false;
  friend bool operator==(const Placed&, const Placed&) = default;
};

// The outer parts, from the window's client size.
struct ViewerFrame {
  Placed toolBar, toolBarMore, status, tabs;
  Rect toolBarEdge;               // the lowered bevel of pnlToolBar (empty when hidden)
  Rect moreBevel;                 // bevalAll left of the More button (empty when not shown)
};
// The parts inside the tab control's display area.
struct ViewerPanes {
  Placed strip, scrollBar, splitterTop, pictureBox, splitterBottom, memo, memoLabel;
  // scrollThumb's range when it is shown: 0 .. max, page, position.
  int scrollMax = 0, scrollPage = 1, scrollPos = 0;
};

class ViewerArrangement {
 public:
  ViewerArrangement() = default;
  ViewerArrangement(const ViewerLook& look, int thumbHeight, int memoHeight);

  const ViewerLook& look() const { return look_; }
  // The options dialog's choice; a memo shown again gets back a usable height.
  void ApplyLook(const ViewerLook& look);
  int thumbHeight() const { return thumbHeight_; }  // 96 DPI
  int memoHeight() const { return memoHeight_; }
  ToolBarShape toolBar() const { return ToolBarShapeFor(look_); }
  bool moreShown() const { return moreShown_; }
  // pnlToolBarResize: More is shown when the panel's width minus 2 is less
  // than the visible buttons' widths. True when that changed.
  bool FitButtons(int panelWidth, int buttonsWidth);

  ViewerFrame Frame(Size client, const DpiScale& s) const;
  // Lays out the strip for `count` pictures too (see thumbs()).
  ViewerPanes Panes(const Rect& display, const DpiScale& s, int count, int current);
  const ThumbLayout& thumbs() const { return thumbs_; }

  // A splitter dragged by delta window pixels (down is positive); false when refused.
  bool MoveThumbSplitter(int delta, int paintBoxHeight, int pictureBoxHeight, const DpiScale& s);
  bool MoveMemoSplitter(int delta, int pictureBoxHeight, const DpiScale& s);
  // FormCanResize: a lower window is refused while the picture area is at its floor.
  static bool RefusesLowering(int newHeight, int oldHeight, int pictureBoxHeight, const DpiScale& s);

  // The strip's scroll position after a move of scrollThumb: a picture a
  // line, largeChange a page, never past the last of `count` pictures.
  void ScrollThumbs(ScrollRequest request, const ScrollBarState& bar, int count);
  // Back to the start of a list whose shown picture is `current`.
  void ShowThumbOf(int current) { thumbs_.position = current < 0 ? 0 : current; }
  // The shown picture's thumbnail kept on the strip: true when the strip
  // scrolled and must be laid out again.
  bool KeepThumbVisible(int index);

 private:
  ViewerLook look_;
  int thumbHeight_ = 39, memoHeight_ = 32;
  bool moreShown_ = false;
  ThumbLayout thumbs_;
};

// A splitter dragged up or down, in screen rows: each move reports the
// distance from the last row the splitter reached, and only the distance the
// viewer allowed counts as done, so a refused move is asked again whole.
class SplitterDrag {
 public:
  void Press(int y) {
    dragging_ = true;
    last_ = y;
  }
  // The distance to report with the pointer at y; 0 for none.
  int Move(int y) const { return dragging_ ? y - last_ : 0; }
  // The splitter went `moved` rows after the report.
  void Moved(int moved) { last_ += moved; }
  // True when a drag ended.
  bool Release() { return std::exchange(dragging_, false); }

 private:
  bool dragging_ = false;
  int last_ = 0;
};

// ScrollBox1's steps for one of its bars: lines of 16 pixels, pages of the
// visible part less a line, kept where a whole page still shows.
ScrollSteps ScrollBoxSteps(const ScrollBarState& bar);
// What ScrollBox1 paints: the part of the picture that shows from the
// scroll position (nothing when 0 x 0 or less), and the dark rest to its
// right and below it, so that no pixel is painted twice.
struct PictureBoxPaint {
  Size shown;
  Rect right, below;
};
PictureBoxPaint PlanPictureBox(Size client, Size picture, Point scroll);
// Mouse wheel: three lines a notch.
inline constexpr int kWheelLines = 3;

// ScrollBox1's view of the shown picture: the picture's size and the scroll
// position, kept in range whenever the box or the picture changes size.
class PictureBoxView {
 public:
  void SetPictureSize(Size picture) { picture_ = picture; }
  // Both bars for a client area (range 0 .. size - 1, a page the visible
  // length), the position moved back into range first.
  struct Bars {
    ScrollBarState horizontal, vertical;
  };
  Bars Fit(Size client);
  // A move of one bar: the new position, kept.
  int Scroll(bool horizontal, ScrollRequest request, const ScrollBarState& bar);
  Point position() const { return pos_; }
  PictureBoxPaint Paint(Size client) const { return PlanPictureBox(client, picture_, pos_); }
  // The lines a wheel's turn scrolls: back (up) for a turn away from the user.
  static int WheelLines(int delta, int notch) { return delta / notch * kWheelLines; }

 private:
  Size picture_;
  Point pos_;
};

// The folder name dialog (96 DPI): the name on top, the suggestions below
// it filling the rest, the two buttons at the right.
struct NameDialogLayout {
  Rect label1, edit, label2, suggestions, doIt, close;
};
NameDialogLayout LayOutNameDialog(Size client96);

// What the strip paints: button-face rectangles, where each visible
// thumbnail goes, and the red frame. drawnSize: the size of an entry's
// thumbnail (0 x 0 when it has none).
struct ThumbStripPlan {
  struct Cell {
    int index = 0;
    Point at;
  };
  std::vector<Rect> faces;
  std::vector<Cell> cells;
  std::vector<Rect> frames;
};
ThumbStripPlan PlanThumbStrip(const ThumbLayout& layout, Size strip, int count, int current,
                              const std::function<Size(int index)>& drawnSize);

}  // namespace flk
