// The camera's drags: a move (live, with a ghost drawn over the screen while
// the real window waits, or direct when Hold is on), a resize from the frame,
// and a press on a latch, which toggles the control panel when released
// within click distance and turns into a resize when dragged further.
// Positions are screen coordinates; the window code performs the steps.
#pragma once

#include <optional>

#include "base/geometry.h"
#include "camera/camera_layout.h"
#include "camera/move_resize.h"

namespace flk {

enum class DragKind { None, Move, Resize, Latch };

// What one mouse position asks of the window.
struct DragStep {
  enum class Kind { None, MoveGhost, MoveDirect, Resize };
  Kind kind = Kind::None;
  Point from;  // MoveGhost: where the ghost was drawn
  Point to;    // MoveGhost, MoveDirect: the window's new top-left
};

// What the release of the button asks of the window, in this order: the last
// step, the capture released, then the drag's ending.
struct DragEnd {
  bool dragged = false;  // a drag ran (otherwise the release is the floating panel's)
  DragStep step;
  bool latchClick = false;  // a latch was clicked: the panel goes to LatchTarget(latch)
  Latch latch = Latch::Top;
  bool endMove = false;
  bool endResize = false;
};

class CamDrag {
 public:
  // cursor: the press; window: the camera's rectangle; live: a ghost moves, not the window.
  void BeginMove(Point cursor, const Rect& window, bool live);
  void BeginResize(int edges, Point cursor);
  // A press on the top or bottom latch (its frame edge resizes if dragged on).
  void BeginLatch(Latch latch, int edges, Point cursor);

  bool active() const { return kind_ != DragKind::None; }
  DragKind kind() const { return kind_; }

  DragStep Moved(Point cursor);
  DragEnd Released(Point cursor);
  // The mouse capture went elsewhere: the drag stops; true when it was a move
  // (the window takes the ghost's place all the same).
  bool CaptureLost();

  // The last move's ghost: live or direct, and where it stands.
  bool live() const { return live_; }
  Point ghost() const { return ghost_; }
  ResizeDrag& resize() { return resize_; }

 private:
  DragStep MoveStep(Point cursor);

  DragKind kind_ = DragKind::None;
  Latch latch_ = Latch::Top;
  Point start_;
  bool live_ = false;
  Point offset_;  // cursor offset from the camera's top-left at the press
  Point ghost_;   // where the live move's ghost is drawn
  ResizeDrag resize_;
};

// The how-to tips a drag's ending may offer, each at most once a run (and
// not at all once its "don't show again" box was ticked, which the tip box
// itself keeps).
struct HowToTip {
  const char* key;  // the tip's no-show-again setting
  const char* caption;
  const char* text;
};

class HowToTips {
 public:
  // After a move: the docked-top control panel went off the top of the
  // monitor by more than a caption bar's height.
  std::optional<HowToTip> AfterMove(PanelAlign align, int windowTop, int monitorTop, int captionHeight);
  // After a resize: the camera reached the monitor's height, the most it grows.
  std::optional<HowToTip> AfterResize(int windowHeight, int monitorHeight);

 private:
  bool hiddenControlsOffered_ = false;
  bool resizeLimitOffered_ = false;
};

}  // namespace flk

