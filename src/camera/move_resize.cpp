// Strip arithmetic of camera moves and resizes; see move_resize.h.
#include "camera/move_resize.h"

#include <algorithm>

namespace flk {

std::vector<Rect> Uncovered(const Rect& from, const Rect& to) {
  std::vector<Rect> out;
  if (to.empty()) return out;
  Rect shared = Intersect(from, to);
  if (shared.empty()) {
    out.push_back(to);
    return out;
  }
  if (shared.top > to.top) out.push_back(Rect{to.left, to.top, to.right, shared.top});
  if (shared.bottom < to.bottom) out.push_back(Rect{to.left, shared.bottom, to.right, to.bottom});
  if (shared.left > to.left) out.push_back(Rect{to.left, shared.top, shared.left, shared.bottom});
  if (shared.right < to.right) out.push_back(Rect{shared.right, shared.top, to.right, shared.bottom});
  return out;
}

BkgndStep PlanBkgndStep(const Rect& from, const Rect& to) {
  BkgndStep s;
  s.size = to.size();
  Rect shared = Intersect(from, to);
  if (shared.empty() || to.empty()) {
    // Larger than the camera: nothing of the old copy survives.
    if (!to.empty()) s.fetch.push_back(to);
    return s;
  }
  s.keep = true;
  s.keepAt = Point{from.left - to.left, from.top - to.top};
  s.kept = shared.offset(-to.left, -to.top);
  s.fetch = Uncovered(from, to);
  return s;
}

std::vector<Rect> GhostGiveBack(const Rect& from, const Rect& to) { return Uncovered(to, from); }

int ResizeEdgesAt(int x, int y, int w, int h) {
  int edges = 0;
  if (x < 23) edges |= kEdgeLeft;
  if (y < 23) edges |= kEdgeTop;
  if (x > w - 24 && !(edges & kEdgeLeft)) edges |= kEdgeRight;
  if (y > h - 24 && !(edges & kEdgeTop)) edges |= kEdgeBottom;
  return edges;
}

ResizeCursor FrameCursorAt(int x, int y, int w, int h, bool viewStale) {
  if (viewStale) return ResizeCursor::Arrow;
  if (x <= 22) {
    if (y <= 22) return ResizeCursor::SizeNWSE;
    if (y > h - 24) return ResizeCursor::SizeNESW;
    return ResizeCursor::SizeWE;
  }
  if (x > w - 24) {
    if (y <= 22) return ResizeCursor::SizeNESW;
    if (y > h - 24) return ResizeCursor::SizeNWSE;
    return ResizeCursor::SizeWE;
  }
  return ResizeCursor::SizeNS;
}

ResizeDrag BeginResize(int edges, Point cursor) { return ResizeDrag{edges, cursor}; }

namespace {

// One axis of a resize step: pos/len are the window's left and width (or top
// and height), last the remembered cursor coordinate on that axis.
struct AxisStep {
  bool repaint = false;
};

AxisStep StepAxis(bool nearEdge, bool farEdge, int cursor, int& last, int& pos, int& len, int screenLen,
                  int minLen) {
  AxisStep r;
  int d = cursor - last;
  if (d == 0) return r;
  if (nearEdge) {
    if (d < 0) {
      pos += d;
      len -= d;
      if (len > screenLen) {
        len = screenLen;
        r.repaint = true;
      }
      last = cursor;
    } else if (len - d >= minLen) {
      pos += d;
      len -= d;
      last = cursor;
    }
  } else if (farEdge) {
    if (d > 0) {
      int grown = std::min(len + d, screenLen);
      if (grown < len + d) {
        pos = pos + len + d - grown;  // the far edge ends where it was pushed
        r.repaint = true;
      }
      len = grown;
      last = cursor;
    } else if (len + d >= minLen) {
      len += d;
      last = cursor;
    }
  }
  return r;
}

}  // namespace

ResizeOutcome ResizeStep(ResizeDrag& drag, const Rect& window, Point cursor, Size screen, int minWidth,
                         int minHeight) {
  int l = window.left, t = window.top, w = window.width(), h = window.height();
  AxisStep hx = StepAxis(drag.edges & kEdgeLeft, drag.edges & kEdgeRight, cursor.x, drag.last.x, l, w,
                         screen.width, minWidth);
  AxisStep vy = StepAxis(drag.edges & kEdgeTop, drag.edges & kEdgeBottom, cursor.y, drag.last.y, t, h,
                         screen.height, minHeight);
  ResizeOutcome o;
  o.window = Rect::FromXYWH(l, t, w, h);
  o.repaint = hx.repaint || vy.repaint;
  o.changed = !(o.window == window);
  return o;
}

ResizeOutcome GrowBy(const Rect& window, int dx, int dy, Size screen, int minWidth, int minHeight) {
  ResizeDrag drag = BeginResize(kEdgeRight | kEdgeBottom, Point{0, 0});
  return ResizeStep(drag, window, Point{dx, dy}, screen, minWidth, minHeight);
}

Rect RectAfterChange(const Rect& now, bool moves, Point to, bool sizes, Size size) {
  Rect r = moves ? now.movedTo(to.x, to.y) : now;
  return sizes ? Rect::FromXYWH(r.left, r.top, size.width, size.height) : r;
}

}  // namespace flk

