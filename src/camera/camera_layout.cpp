// Layout arithmetic of the camera window; see camera_layout.h for what the
// Win32 side does with the results.
#include "camera/camera_layout.h"

#include <algorithm>
#include <cstdlib>

namespace flk {

int SanitizeBevel(int bevel) { return bevel < 1 ? 1 : bevel; }

ToolbarPanelLayout ApplyToolbarLayout(bool images, bool captions) {
  ToolbarPanelLayout t;
  if (images && captions) {
    t.height = 44;
  } else if (images) {
    t.height = 32;
    t.autoButtonHeight = true;
  } else if (captions) {
    t.height = 27;
  } else {
    t.visible = false;
    t.height = 0;
  }
  return t;
}

static long long SumWidths(const std::vector<int>& widths) {
  long long sum = 0;
  for (int w : widths) sum += w;
  return sum;
}

bool MoreAreaVisible(int toolbarPanelWidth, const std::vector<int>& visibleItemWidths) {
  return static_cast<long long>(toolbarPanelWidth) - 2 < SumWidths(visibleItemWidths);
}

int ItemsThatFit(int availableWidth, const std::vector<int>& visibleItemWidths) {
  long long used = 0;
  int count = 0;
  for (int w : visibleItemWidths) {
    if (used + w > availableWidth) break;
    used += w;
    ++count;
  }
  return count;
}

CamLayout ArrangeControls(const LayoutInput& in) {
  CamLayout out;
  const int W = in.width;
  const int H = in.height;
  const DpiScale& s = in.scale;
  const int e = s(SanitizeBevel(in.camBevel));
  out.bevel = e;
  out.a = e + s(kViewBevel);
  out.b = 2 * out.a;
  out.toolbar = ApplyToolbarLayout(in.toolImages, in.toolText);
  out.toolbar.height = s(out.toolbar.height);
  out.closeOnMenuRow = !in.titleBar;

  // A floating panel cannot coexist with Hold; Hold wins and the panel docks at the top.
  PanelAlign align = in.align;
  if (in.hold && align == PanelAlign::Floating) align = PanelAlign::Top;
  const bool docked = align != PanelAlign::Floating;

  if (docked) {
    int y = 0;
    const int panelWidth = std::max(0, W - 2 * e);
    auto stack = [&](bool shown, int height) {
      if (!shown) return Rect{};
      Rect r{0, y, panelWidth, y + height};
      y += height;
      return r;
    };
    out.titleBar = stack(in.titleBar, s(kTitleBarHeight));
    out.menuRow = stack(true, s(kMenuRowHeight));
    out.toolBar = stack(out.toolbar.visible, out.toolbar.height);
    out.status = stack(in.status, s(kStatusHeight));
    out.controlHeight = y;
    out.controlVisible = true;
    if (align == PanelAlign::Top) {
      out.control = Rect{e, e, W - e, e + out.controlHeight};
      out.viewPanel = Rect{e, e + out.controlHeight, W - e, H - e};
    } else {
      out.control = Rect{e, H - e - out.controlHeight, W - e, H - e};
      out.viewPanel = Rect{e, e, W - e, H - e - out.controlHeight};
    }
  } else {
    const int t = in.textHeightA;
    out.controlVisible = false;
    const int inset = s(kFloatInset);
    out.control = Rect{out.a + inset, out.a + inset, W - out.a - inset, out.a + 2 * t + s(24)};
    out.controlHeight = 2 * t + s(6);
    out.viewPanel = Rect{e, e, W - e, H - e};
  }

  // Latches: 15 % of the width, centred.
  const int c = static_cast<int>(static_cast<long long>(W) * 15 / 100);
  const int latchLeft = (W - c) / 2;
  out.latchTop = Rect::FromXYWH(latchLeft, s(kLatchTopY), c, s(kLatchHeight));
  out.latchBottom = Rect::FromXYWH(latchLeft, H - s(kLatchTopY + kLatchHeight), c, s(kLatchHeight));

  if (docked) {
    const int y = align == PanelAlign::Top ? out.a + out.controlHeight : out.a;
    out.view = Rect::FromXYWH(out.a, y, W - out.b, H - out.b - out.controlHeight);
    out.capture = out.view;
  } else {
    out.view = Rect::FromXYWH(out.a, out.a, W - out.b, H - out.b);
    out.capture = Rect::FromXYWH(0, 0, W, H);
  }

  if (in.hold) {
    out.minWidth = s(100);
    out.minHeight = out.controlHeight + s(100);
  } else if (docked) {
    out.minWidth = std::max(out.b + 1, in.panelRowsWidth + 2 * e);
    out.minHeight = out.controlHeight + out.b + 1;
  } else {
    out.minWidth = out.b + s(90);
    out.minHeight = out.b + s(70);
  }
  out.growDx = std::max(0, out.minWidth - W);
  out.growDy = std::max(0, out.minHeight - H);
  return out;
}

Size OpeningSize(int storedWidth, int storedHeight) {
  return Size{std::max(storedWidth, kMinStoredWidth), storedHeight};
}

PanelSwitch SwitchControlPanel(PanelAlign from, PanelAlign to, Point windowPos, int controlHeight) {
  PanelSwitch s;
  s.align = to;
  s.windowPos = windowPos;
  s.edgeOffVisible = to == PanelAlign::Floating;
  if (from == PanelAlign::Bottom && to == PanelAlign::Top) {
    s.windowPos.y -= controlHeight;
    s.moved = true;
  } else if (from == PanelAlign::Top && to == PanelAlign::Bottom) {
    s.windowPos.y += controlHeight;
    s.moved = true;
  }
  return s;
}

MaximizeResult ToggleMaximize(const Rect& window, Size screen, const MaximizeState& state) {
  MaximizeResult r;
  r.state = state;
  const Rect full = Rect::FromXYWH(0, 0, screen.width, screen.height);
  if (window == full) {
    r.state.maximized = false;
    r.window = state.restore;
    r.adaptToScreen = true;
  } else {
    r.state.maximized = true;
    if (window.width() < screen.width && window.height() < screen.height) r.state.restore = window;
    r.window = full;
  }
  return r;
}

MaximizeResult ToggleMaximize(const Rect& window, const Rect& monitor, const MaximizeState& state) {
  // The rule is the same on every monitor, measured from the monitor's top-left.
  const int dx = monitor.left, dy = monitor.top;
  MaximizeState local = state;
  local.restore = state.restore.offset(-dx, -dy);
  MaximizeResult r = ToggleMaximize(window.offset(-dx, -dy), monitor.size(), local);
  r.window = r.window.offset(dx, dy);
  r.state.restore = r.state.restore.offset(dx, dy);
  return r;
}

AdaptResult AdaptToMonitors(const Rect& window, const MonitorTable& last, const MonitorTable& now) {
  AdaptResult r;
  r.window = window;
  if (now == last) return r;
  r.changed = true;
  // The first look (at opening) leaves the place to KeepOnScreen.
  const Rect placed = last.empty() ? window : RestoredRect(now, window);
  const Size screen = MonitorFor(now, placed).area.size();
  r.window = Rect::FromXYWH(placed.left, placed.top, std::min(placed.width(), screen.width),
                            std::min(placed.height(), screen.height));
  return r;
}

AdaptResult AdaptToScreen(const Rect& window, Size lastScreen, Size screen) {
  AdaptResult r;
  r.window = window;
  if (screen == lastScreen) return r;
  r.changed = true;
  r.window = Rect::FromXYWH(window.left, window.top, std::min(window.width(), screen.width),
                            std::min(window.height(), screen.height));
  return r;
}

PanelAlign LatchTarget(Latch latch, PanelAlign current) {
  const PanelAlign side = latch == Latch::Top ? PanelAlign::Top : PanelAlign::Bottom;
  return current == side ? PanelAlign::Floating : side;
}

bool IsLatchClick(Point down, Point up) { return std::abs(up.x - down.x) + std::abs(up.y - down.y) <= 3; }

PageMarkRects PageMarkRectsFor(int pageWidth, int pageHeight, const Rect& viewPanel, const Rect& view) {
  PageMarkRects m;
  if (pageWidth > 0 && pageWidth < view.width()) {
    int x = viewPanel.left + pageWidth + 6;
    m.widthMark = Rect{x - 2, viewPanel.top, x + 3, viewPanel.top + 2};
  }
  if (pageHeight > 0 && pageHeight < view.height()) {
    int y = viewPanel.top + pageHeight + 6;
    m.heightMark = Rect{viewPanel.left - 2, y - 2, viewPanel.left + 2, y + 3};
  }
  return m;
}

PanelAlign PanelAlignOf(int saved) {
  return saved == 0 ? PanelAlign::Floating : saved == 2 ? PanelAlign::Bottom : PanelAlign::Top;
}

LayoutInput LayoutInputOf(const CameraSaveValues& v, PanelAlign align, bool hold, const DpiScale& s) {
  return LayoutInput{.align = align,
                     .camBevel = v.camBevelWidth,
                     .titleBar = v.camTitle,
                     .toolImages = v.camToolImages,
                     .toolText = v.camToolText,
                     .status = v.camStatus,
                     .hold = hold,
                     .scale = s};
}

std::array<Rect, 4> FrameStrips(Size client, int e) {
  const int w = client.width, h = client.height;
  return {Rect{2, 2, e, h - 2}, Rect{w - e, 2, w - 2, h - 2}, Rect{e, 2, w - e, e}, Rect{e, h - e, w - e, h - 2}};
}

bool FramePaintCounts(const Rect& dirty, Size client, int e, bool suppressed) {
  if (suppressed) return false;
  return dirty.left < e || dirty.top < e || dirty.right > client.width - e || dirty.bottom > client.height - e;
}

ViewFill ViewFillOf(bool hold, bool stale, bool copyPresent) {
  if (hold) return ViewFill::Held;
  return stale || !copyPresent ? ViewFill::Unknown : ViewFill::Copy;
}

Rect TitleBarInWindow(const CamLayout& l) {
  if (!l.controlVisible || l.titleBar.empty()) return Rect{};
  return l.titleBar.offset(l.control.left, l.control.top);
}

Rect StatusLabelRect(const CamLayout& l, const DpiScale& s) {
  if (!l.controlVisible || l.status.empty()) return Rect{};
  Rect r = l.status.offset(l.control.left, l.control.top);
  return Rect::FromXYWH(r.left + s(4), r.top + s(1), std::max(0, r.width() - s(8)), std::max(0, r.height() - s(2)));
}

}  // namespace flk

