#include "viewer/viewer_layout.h"

#include <algorithm>

#include "camera/camera_layout.h"

namespace flk {

ToolBarShape ToolBarShapeFor(const ViewerLook& look) {
  return ToolBarShape{look.ToolBarShown(), look.toolImages ? (look.toolText ? 44 : 32) : 27};
}

Size ToolButtonSize(const ViewerLook& look, const DpiScale& s, bool moreBar, int longestCaption) {
  const int width = moreBar ? s(kViewerMoreWidth) - s(2) : std::max(s(kViewerButtonWidth), longestCaption + s(8));
  return Size{width, s(ToolBarShapeFor(look).height) - 4};
}

std::vector<ShownButton> ShownButtons(const std::vector<MeasuredButton>& buttons) {
  std::vector<ShownButton> shown;
  int separator = 0;
  for (const MeasuredButton& b : buttons) {
    if (b.separator) {
      separator = b.width;
      continue;
    }
    if (b.hidden) continue;  // its separator goes with the next shown button
    shown.push_back({b.id, b.width + separator});
    separator = 0;
  }
  return shown;
}

int ShownButtonsWidth(const std::vector<ShownButton>& shown) {
  int sum = 0;
  for (const ShownButton& b : shown) sum += b.width;
  return sum;
}

size_t ShownButtonsThatFit(int width, const std::vector<ShownButton>& shown) {
  std::vector<int> widths;
  for (const ShownButton& b : shown) widths.push_back(b.width);
  return size_t(ItemsThatFit(width, widths));
}

ViewerArrangement::ViewerArrangement(const ViewerLook& look, int thumbHeight, int memoHeight)
    : look_(look), thumbHeight_(std::max(kViewerThumbMin, thumbHeight)), memoHeight_(std::max(kViewerMemoMin, memoHeight)) {}

void ViewerArrangement::ApplyLook(const ViewerLook& look) {
  if (look.memo && !look_.memo) memoHeight_ = ShownMemoHeight(memoHeight_);
  look_ = look;
}

bool ViewerArrangement::FitButtons(int panelWidth, int buttonsWidth) {
  const bool more = panelWidth - 2 < buttonsWidth;
  const bool changed = more != moreShown_;
  moreShown_ = more;
  return changed;
}

ViewerFrame ViewerArrangement::Frame(Size client, const DpiScale& s) const {
  ViewerFrame f;
  const int w = client.width;
  const ToolBarShape bar = toolBar();
  const int tbh = s(bar.height);
  const int moreW = moreShown_ ? s(kViewerMoreWidth + 4) : 0;
  f.toolBar = {Rect::FromXYWH(2, 2, w - 4 - moreW, tbh - 4), bar.shown};
  f.toolBarMore = {Rect::FromXYWH(w - 2 - s(kViewerMoreWidth), 2, s(kViewerMoreWidth), tbh - 4), bar.shown && moreShown_};
  int top = bar.shown ? tbh : 0, bottom = client.height;
  top += s(kViewerSpacer);
  if (look_.status) bottom -= s(kViewerStatus);
  f.status = {Rect{0, bottom, w, client.height}, look_.status};
  f.tabs = {Rect{0, top, w, bottom}, true};
  if (bar.shown) {
    f.toolBarEdge = Rect{0, 0, w, tbh};
    if (moreShown_) {
      const int x = w - 2 - s(kViewerMoreWidth) - s(4);
      f.moreBevel = Rect{x, 2, x + 2, tbh - 2};
    }
  }
  return f;
}

ViewerPanes ViewerArrangement::Panes(const Rect& d, const DpiScale& s, int count, int current) {
  ViewerPanes p;
  const int stripH = s(thumbHeight_);
  thumbs_ = LayoutThumbs(d.width(), stripH, count, thumbs_.position);
  const bool bar = thumbs_.scrollShown && count > 1;
  const int barH = bar ? s(kViewerScrollThumbHeight) : 0;
  p.strip = {Rect::FromXYWH(d.left, d.top, d.width(), stripH - barH), true};
  p.scrollBar = {Rect::FromXYWH(d.left, d.top + stripH - barH, d.width(), barH), bar};
  p.scrollMax = count - 1;
  p.scrollPage = thumbs_.paging ? thumbs_.pageSize : 1;
  p.scrollPos = thumbs_.paging ? thumbs_.position : current;
  int y = d.top + stripH;
  p.splitterTop = {Rect::FromXYWH(d.left, y, d.width(), s(kViewerSplitter)), true};
  y += s(kViewerSplitter);
  // pnlTextAndPic with its lowered bevel.
  const int b = s(kViewerBevel);
  const int inL = d.left + b, inR = d.right - b, inB = d.bottom - b;
  int picBottom = inB;
  if (look_.memo) {
    const int memoH = s(memoHeight_), memoTop = inB - memoH, controls = s(kViewerMemoControls);
    p.memo = {Rect::FromXYWH(inL, memoTop, inR - inL - controls, memoH), true};
    p.memoLabel = {Rect::FromXYWH(inR - controls, memoTop, controls, memoH), true};
    p.splitterBottom = {Rect::FromXYWH(inL, memoTop - s(kViewerSplitter), inR - inL, s(kViewerSplitter)), true};
    picBottom = memoTop - s(kViewerSplitter);
  }
  p.pictureBox = {Rect{inL, y + b, inR, picBottom}, true};
  return p;
}

bool ViewerArrangement::MoveThumbSplitter(int delta, int paintBoxHeight, int pictureBoxHeight, const DpiScale& s) {
  if (!ThumbSplitterMoves(delta, paintBoxHeight, pictureBoxHeight)) return false;
  thumbHeight_ = std::max(kViewerThumbMin, thumbHeight_ + s.ToBase(delta));
  return true;
}

bool ViewerArrangement::MoveMemoSplitter(int delta, int pictureBoxHeight, const DpiScale& s) {
  if (!MemoSplitterMoves(-delta, pictureBoxHeight)) return false;
  memoHeight_ = std::max(kViewerMemoMin, memoHeight_ - s.ToBase(delta));
  return true;
}

bool ViewerArrangement::RefusesLowering(int newHeight, int oldHeight, int pictureBoxHeight, const DpiScale& s) {
  return newHeight < oldHeight && pictureBoxHeight <= s(kMinPictureBoxHeight);
}

void ViewerArrangement::ScrollThumbs(ScrollRequest request, const ScrollBarState& bar, int count) {
  if (request == ScrollRequest::None) return;
  thumbs_.position = ScrollPosition(request, bar, ScrollSteps{1, thumbs_.largeChange, count - 1});
}

bool ViewerArrangement::KeepThumbVisible(int index) {
  const ThumbLayout& l = thumbs_;
  if (!l.paging || (index >= l.firstVisible && index <= l.lastVisible)) return false;
  thumbs_.position = index < l.firstVisible ? index : index - l.cellsPerPage + 1;
  return true;
}

ScrollSteps ScrollBoxSteps(const ScrollBarState& bar) {
  constexpr int kLine = 16;
  return ScrollSteps{kLine, std::max(1, bar.page - kLine), LastScrollPosition(bar.max, bar.page)};
}

PictureBoxPaint PlanPictureBox(Size client, Size picture, Point scroll) {
  const int w = std::min(client.width, picture.width - scroll.x);
  const int h = std::min(client.height, picture.height - scroll.y);
  return PictureBoxPaint{Size{w, h}, Rect{std::max(0, w), 0, client.width, client.height},
                         Rect{0, std::max(0, h), std::max(0, w), client.height}};
}

PictureBoxView::Bars PictureBoxView::Fit(Size client) {
  pos_.x = ClampScroll(pos_.x, picture_.width, client.width);
  pos_.y = ClampScroll(pos_.y, picture_.height, client.height);
  return Bars{ScrollBarState{pos_.x, 0, std::max(0, picture_.width - 1), client.width},
              ScrollBarState{pos_.y, 0, std::max(0, picture_.height - 1), client.height}};
}

int PictureBoxView::Scroll(bool horizontal, ScrollRequest request, const ScrollBarState& bar) {
  const int p = ScrollPosition(request, bar, ScrollBoxSteps(bar));
  (horizontal ? pos_.x : pos_.y) = p;
  return p;
}

NameDialogLayout LayOutNameDialog(Size c) {
  constexpr int kTopBand = 49, kRightPart = 70;
  auto at = [](int x, int y, int w, int h) { return Rect::FromXYWH(x, y, std::max(0, w), std::max(0, h)); };
  const int right = c.width - kRightPart;
  return NameDialogLayout{at(5, 3, c.width - 10, 15),
                          at(2, 19, c.width - 4, 21),
                          at(2, kTopBand, right - 2, 15),
                          at(2, kTopBand + 16, right - 2, c.height - kTopBand - 18),
                          at(right + 5, kTopBand + 20, 60, 20),
                          at(right + 5, kTopBand + 60, 60, 20)};
}

ThumbStripPlan PlanThumbStrip(const ThumbLayout& l, Size strip, int count, int current,
                              const std::function<Size(int)>& drawnSize) {
  ThumbStripPlan plan;
  auto face = [&](int left, int top, int right, int bottom) {
    if (right > left && bottom > top) plan.faces.push_back(Rect{left, top, right, bottom});
  };
  if (count == 0) {
    face(0, 0, strip.width, strip.height);
    return plan;
  }
  const int t = l.thumbSize, bottom = l.cellBottom;
  face(2, kThumbTop, kThumbMargin, bottom);
  int x = kThumbMargin;
  for (int i = l.firstVisible; i <= l.lastVisible && i < count; ++i) {
    x = ThumbCellLeft(l, i);
    const Size drawn = drawnSize(i);
    plan.cells.push_back({i, Point{x, kThumbTop}});
    // The rest of the cell right of and below the thumbnail, then the gap.
    face(x + drawn.width, kThumbTop, x + t, kThumbTop + drawn.height);
    face(x, kThumbTop + drawn.height, x + t, bottom);
    x += t;
    face(x, kThumbTop, x + kThumbMargin, bottom);
    x += kThumbMargin;
  }
  face(x, kThumbTop, strip.width - 1, bottom);
  face(2, 2, strip.width, kThumbTop);
  face(0, bottom, strip.width - 2, strip.height - 2);
  plan.frames = CurrentThumbFrames(l, current);
  return plan;
}

}  // namespace flk
