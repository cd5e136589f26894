#include "base/monitors.h"

#include <algorithm>

namespace flk {

namespace {

long long AreaOf(const Rect& r) { return r.empty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

// Squared distance between two rectangles (0 when they touch or overlap).
long long GapSquared(const Rect& a, const Rect& b) {
  long long dx = std::max({0, b.left - a.right, a.left - b.right});
  long long dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

// The pieces of a that b does not cover: full-width bands above and below,
// then the side pieces between them.
void Subtract(const Rect& a, const Rect& b, std::vector<Rect>& out) {
  const Rect cut = Intersect(a, b);
  if (cut.empty()) {
    out.push_back(a);
    return;
  }
  if (cut.top > a.top) out.push_back(Rect{a.left, a.top, a.right, cut.top});
  if (cut.bottom < a.bottom) out.push_back(Rect{a.left, cut.bottom, a.right, a.bottom});
  if (cut.left > a.left) out.push_back(Rect{a.left, cut.top, cut.left, cut.bottom});
  if (cut.right < a.right) out.push_back(Rect{cut.right, cut.top, a.right, cut.bottom});
}

constexpr Monitor kStandIn{Rect{0, 0, 1024, 768}, Rect{0, 0, 1024, 768}, kBaseDpi};

}  // namespace

Rect VirtualScreen(const MonitorTable& monitors) {
  if (monitors.empty()) return Rect{};
  Rect box = monitors.front().area;
  for (const Monitor& m : monitors) {
    box.left = std::min(box.left, m.area.left);
    box.top = std::min(box.top, m.area.top);
    box.right = std::max(box.right, m.area.right);
    box.bottom = std::max(box.bottom, m.area.bottom);
  }
  return box;
}

int MonitorOfRect(const MonitorTable& monitors, const Rect& r) {
  // A point (or a line) is asked as the one pixel at its top-left.
  const Rect asked = r.empty() ? Rect::FromXYWH(r.left, r.top, 1, 1) : r;
  int best = -1;
  long long bestShared = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    long long shared = AreaOf(Intersect(asked, monitors[i].area));
    if (shared > bestShared) {
      bestShared = shared;
      best = int(i);
    }
  }
  if (best >= 0) return best;
  long long bestGap = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    long long gap = GapSquared(asked, monitors[i].area);
    if (best < 0 || gap < bestGap) {
      bestGap = gap;
      best = int(i);
    }
  }
  return best;
}

int MonitorOfPoint(const MonitorTable& monitors, Point p) {
  return MonitorOfRect(monitors, Rect::FromXYWH(p.x, p.y, 1, 1));
}

Monitor MonitorFor(const MonitorTable& monitors, const Rect& r) {
  int i = MonitorOfRect(monitors, r);
  return i < 0 ? kStandIn : monitors[size_t(i)];
}

Monitor MonitorAt(const MonitorTable& monitors, Point p) {
  int i = MonitorOfPoint(monitors, p);
  return i < 0 ? kStandIn : monitors[size_t(i)];
}

std::vector<Rect> UncoveredParts(const MonitorTable& monitors, const Rect& area) {
  std::vector<Rect> left;
  if (area.empty()) return left;
  left.push_back(area);
  for (const Monitor& m : monitors) {
    std::vector<Rect> next;
    for (const Rect& piece : left) Subtract(piece, m.area, next);
    left.swap(next);
  }
  return left;
}

bool WhollyShown(const MonitorTable& monitors, const Rect& r) { return UncoveredParts(monitors, r).empty(); }

bool ShownSomewhere(const MonitorTable& monitors, const Rect& r) {
  const int needW = std::min(kMinShown, std::max(1, r.width()));
  const int needH = std::min(kMinShown, std::max(1, r.height()));
  const Rect asked = r.empty() ? Rect::FromXYWH(r.left, r.top, std::max(1, r.width()), std::max(1, r.height())) : r;
  return std::any_of(monitors.begin(), monitors.end(), [&](const Monitor& m) {
    Rect shown = Intersect(asked, m.area);
    return !shown.empty() && shown.width() >= needW && shown.height() >= needH;
  });
}

Rect MoveWhollyInto(const Rect& r, const Rect& into) {
  const int w = std::min(r.width(), into.width()), h = std::min(r.height(), into.height());
  const int left = std::clamp(r.left, into.left, into.right - w);
  const int top = std::clamp(r.top, into.top, into.bottom - h);
  return Rect::FromXYWH(left, top, w, h);
}

Rect RestoredRect(const MonitorTable& monitors, const Rect& stored) {
  if (monitors.empty() || ShownSomewhere(monitors, stored)) return stored;
  return MoveWhollyInto(stored, MonitorFor(monitors, stored).work);
}

Rect RectToStore(const Rect& stored, const Rect& opened, const Rect& now) { return now == opened ? stored : now; }

int RescaleLength(int px, int fromDpi, int toDpi) {
  const DpiScale from = DpiScaleOf(fromDpi), to = DpiScaleOf(toDpi);
  if (from == to) return px;
  long long n = static_cast<long long>(px) * to.dpi;
  return static_cast<int>(n >= 0 ? (n + from.dpi / 2) / from.dpi : -((-n + from.dpi / 2) / from.dpi));
}

Placement PlaceOnMonitor(const MonitorTable& monitors, Point at, Size size, int fromDpi) {
  const Monitor m = MonitorAt(monitors, at);
  const Size scaled{RescaleLength(size.width, fromDpi, m.dpi), RescaleLength(size.height, fromDpi, m.dpi)};
  return Placement{MoveWhollyInto(Rect::FromXYWH(at.x, at.y, scaled.width, scaled.height), m.work),
                   DpiScaleOf(m.dpi).dpi};
}

Point CentredIn(const Rect& work, Size size) {
  return Point{work.left + (work.width() - size.width) / 2, work.top + (work.height() - size.height) / 2};
}

}  // namespace flk
