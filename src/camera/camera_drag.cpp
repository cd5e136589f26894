#include "camera/camera_drag.h"

namespace flk {

void CamDrag::BeginMove(Point cursor, const Rect& window, bool live) {
  kind_ = DragKind::Move;
  start_ = cursor;
  live_ = live;
  offset_ = Point{cursor.x - window.left, cursor.y - window.top};
  ghost_ = window.topLeft();
}

void CamDrag::BeginResize(int edges, Point cursor) {
  kind_ = DragKind::Resize;
  start_ = cursor;
  resize_ = flk::BeginResize(edges, cursor);
}

void CamDrag::BeginLatch(Latch latch, int edges, Point cursor) {
  BeginResize(edges, cursor);
  kind_ = DragKind::Latch;
  latch_ = latch;
}

DragStep CamDrag::MoveStep(Point cursor) {
  DragStep s;
  if (kind_ != DragKind::Move) {
    s.kind = DragStep::Kind::Resize;
    return s;
  }
  Point to{cursor.x - offset_.x, cursor.y - offset_.y};
  if (!live_) {
    s.kind = DragStep::Kind::MoveDirect;
    s.to = to;
    return s;
  }
  if (to.x == ghost_.x && to.y == ghost_.y) return s;
  s.kind = DragStep::Kind::MoveGhost;
  s.from = ghost_;
  s.to = to;
  ghost_ = to;
  return s;
}

DragStep CamDrag::Moved(Point cursor) {
  if (kind_ == DragKind::None) return {};
  if (kind_ == DragKind::Latch) {
    if (IsLatchClick(start_, cursor)) return {};
    kind_ = DragKind::Resize;  // a latch dragged further resizes
  }
  return MoveStep(cursor);
}

DragEnd CamDrag::Released(Point cursor) {
  DragEnd e;
  if (kind_ == DragKind::None) return e;
  e.dragged = true;
  if (kind_ == DragKind::Latch) {
    kind_ = DragKind::None;
    e.latchClick = IsLatchClick(start_, cursor);
    e.latch = latch_;
    return e;
  }
  // The release position counts as the drag's last step (its move may have
  // been merged into the button message).
  e.step = MoveStep(cursor);
  e.endMove = kind_ == DragKind::Move;
  e.endResize = kind_ == DragKind::Resize;
  kind_ = DragKind::None;
  return e;
}

bool CamDrag::CaptureLost() {
  bool wasMove = kind_ == DragKind::Move;
  kind_ = DragKind::None;
  return wasMove;
}

namespace {

constexpr char kHowToCaption[] = "How-to Tip";
constexpr char kResizeLimitText[] =
    "This capture mode doesn't go any larger.\r\nBut, you can capture larger images by clicking either:\r\n\r\n"
    "Customize / Edge To Edge. (Great for capturing large areas.)\r\n\r\n"
    "Capture / Window. (Capture an entire window with one click.)\r\n\r\n"
    "Capture / Robo. (Captures entire scrolling window.)\r\n\r\n"
    "Capture / Full Screen. (Captures the full screen.)";
constexpr char kHiddenControlsText[] =
    "The control panel was moved off screen --\r\nto access Framelark functions:\r\n\r\n"
    "RIGHT-click the transparent viewfinder.";

}  // namespace

std::optional<HowToTip> HowToTips::AfterMove(PanelAlign align, int windowTop, int monitorTop, int captionHeight) {
  if (hiddenControlsOffered_ || align != PanelAlign::Top || windowTop >= monitorTop - captionHeight) return {};
  hiddenControlsOffered_ = true;
  return HowToTip{"NsaHiddenControls", kHowToCaption, kHiddenControlsText};
}

std::optional<HowToTip> HowToTips::AfterResize(int windowHeight, int monitorHeight) {
  if (resizeLimitOffered_ || windowHeight != monitorHeight) return {};
  resizeLimitOffered_ = true;
  return HowToTip{"NsaResizeLimit", kHowToCaption, kResizeLimitText};
}

}  // namespace flk

