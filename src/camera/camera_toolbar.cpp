#include "camera/camera_toolbar.h"

#include <algorithm>

#include "base/icon_size.h"
#include "camera/camera_glyphs.h"

namespace flk {

MenuRowPlacement PlaceMenuRow(const CamLayout& layout, const std::vector<int>& captionWidths, const DpiScale& s) {
  MenuRowPlacement p;
  Rect row = layout.menuRow.offset(layout.control.left, layout.control.top);
  int x = row.left;
  for (int textWidth : captionWidths) {
    int w = textWidth + s(14);
    p.buttons.push_back(Rect{x, row.top, x + w, row.bottom});
    x += w;
  }
  if (layout.controlVisible && !layout.titleBar.empty()) {
    // pnlTopRtCorner: 73 x 14, four from the top and the right; its buttons are 16 x 14.
    Rect t = layout.titleBar.offset(layout.control.left, layout.control.top);
    int cx = t.right - s(73 + 4), cy = t.top + s(4);
    p.titleGlyphs = std::array<Rect, 3>{Rect{cx + s(21), cy, cx + s(37), cy + s(14)},
                                        Rect{cx + s(37), cy, cx + s(53), cy + s(14)},
                                        Rect{cx + s(57), cy, cx + s(73), cy + s(14)}};
  }
  if (layout.closeOnMenuRow) p.close = Rect{row.right - s(19), row.top + s(2), row.right - s(3), row.top + s(16)};
  return p;
}

int PanelRowsWidth(const std::vector<int>& captionWidths, int titleTextWidth, bool titleBar, const DpiScale& s) {
  int menu = s(2);
  for (int w : captionWidths) menu += w + s(14);
  if (!titleBar) return menu + s(22);  // the close button on the menu row
  // Logo 4 + 22, the text, a gap, and the corner buttons from 56 to 4 off the right edge.
  const int title = s(26) + titleTextWidth + s(8) + s(56);
  return std::max(menu, title);
}

ToolbarPlacement PlaceToolbar(const CamLayout& layout, bool toolText, const bool (&visible)[kToolButtonCount],
                              const DpiScale& s) {
  ToolbarPlacement p;
  if (!layout.controlVisible || layout.toolBar.empty()) return p;
  Rect row = layout.toolBar.offset(layout.control.left, layout.control.top);
  int buttonHeight = row.height() - s(4);
  int buttonWidth = s(toolText ? 45 : 30);
  const int pad = s(2);
  std::vector<ToolbarItem> items = VisibleToolbarItems(visible, buttonWidth, s(8), s(kToolDropArrow));
  std::vector<int> widths = WidthsOf(items);
  p.moreVisible = MoreAreaVisible(row.width(), widths);
  int right = row.right - pad;
  if (p.moreVisible) {
    p.more = Rect{row.right - pad - buttonWidth, row.top + pad, row.right - pad, row.top + pad + buttonHeight};
    right = p.more.left - s(6);
  }
  // The toolbar does not wrap: what does not fit is reached through "More".
  int x = row.left + pad;
  int shown = ItemsThatFit(right - x, widths);
  for (int i = 0; i < shown; ++i) {
    const ToolbarItem& item = items[size_t(i)];
    p.items.push_back(PlacedToolItem{item.button, Rect{x, row.top + pad, x + item.width, row.top + pad + buttonHeight}});
    x += item.width;
  }
  return p;
}

void PanelPlaces::Place(const MenuRowPlacement& row, const ToolbarPlacement& bar) {
  for (size_t i = 0; i < row.buttons.size() && i < menuButtons_.size(); ++i) menuButtons_[i] = row.buttons[i];
  if (row.titleGlyphs) titleGlyphs_ = *row.titleGlyphs;
  menuRowClose_ = row.close;
  items_ = bar.items;
  moreVisible_ = bar.moreVisible;
  more_ = bar.more;
}

void PanelPlaces::AddTo(CameraHitMap& m, const CamLayout& layout) const {
  const Rect& c = layout.control;
  if (!layout.titleBar.empty()) {
    m.titleBar = layout.titleBar.offset(c.left, c.top);
    for (int i = 0; i < 3; ++i) m.titleGlyphs[i] = titleGlyphs_[size_t(i)];
  }
  m.menuRow = layout.menuRow.offset(c.left, c.top);
  m.menuButtons.assign(menuButtons_.begin(), menuButtons_.end());
  if (layout.closeOnMenuRow) m.menuRowClose = menuRowClose_;
  if (!layout.toolBar.empty()) m.toolBar = layout.toolBar.offset(c.left, c.top);
  if (!layout.status.empty()) m.status = layout.status.offset(c.left, c.top);
  for (const PlacedToolItem& t : items_) {
    m.toolItems.push_back(t.button >= 0 ? t.rect : Rect{});
    m.toolButtons.push_back(t.button);
  }
  if (moreVisible_) m.more = more_;
}

namespace {

ToolPaint Etched(const Rect& line) {
  ToolPaint p;
  p.kind = ToolPaint::Etched;
  p.rect = line;
  return p;
}

ToolPaint ButtonPaint(const Rect& r, ToolButton button, const char* caption, bool enabled, bool hot, bool down,
                      bool dropArrow, const ToolbarLook& look, const DpiScale& s) {
  ToolPaint p;
  p.rect = r;
  p.button = button;
  p.caption = caption;
  p.edge = down ? ToolPaint::Sunken : hot && enabled && look.controlsEnabled ? ToolPaint::Raised : ToolPaint::Flat;
  p.greyed = !enabled || !look.controlsEnabled;
  p.hotImage = hot && enabled;
  const int face = r.width() - (dropArrow ? s(kToolDropArrow) : 0);
  // The art is drawn at the icon size of this scale rather than stretched.
  const int icon = ToolIconSize(kToolImageSize, s);
  const int imageTop = look.captions ? r.top + s(3) : r.top + (r.height() - icon) / 2;
  if (look.images) p.imageAt = Point{r.left + (face - icon) / 2, imageTop};
  if (look.captions)
    p.captionRect = Rect{r.left, look.images ? imageTop + icon + s(1) : r.top, r.left + face, r.bottom - 1};
  p.captionTop = look.images;
  if (dropArrow) p.arrowAt = Point{r.right - s(9), (r.top + r.bottom) / 2 - s(1)};
  return p;
}

}  // namespace

std::vector<ToolPaint> PlanToolbarPaint(const PanelPlaces& places, const Rect& toolbarRow, const ToolbarLook& look,
                                        const DpiScale& s) {
  std::vector<ToolPaint> out;
  const std::vector<PlacedToolItem>& items = places.items();
  for (size_t i = 0; i < items.size(); ++i) {
    const PlacedToolItem& item = items[i];
    if (item.button < 0) {
      int x = (item.rect.left + item.rect.right) / 2 - 1;
      out.push_back(Etched(Rect{x, item.rect.top + 2, x + 2, item.rect.bottom - 2}));
      continue;
    }
    const ToolButtonInfo& b = ToolButtons()[size_t(item.button)];
    const bool enabled = CommandEnabled(b.command, look.modes);
    const bool down = places.pressed() == int(i) || (b.button == ToolButton::Lock && look.modes.hold);
    out.push_back(ButtonPaint(item.rect, b.button, b.caption, enabled, places.hot() == int(i), down,
                              b.button == ToolButton::Store, look, s));
  }
  if (places.moreVisible()) {
    const Rect& more = places.more();
    out.push_back(Etched(Rect{more.left - 4, toolbarRow.top + 2, more.left - 2, toolbarRow.bottom - 2}));
    out.push_back(ButtonPaint(more, ToolButton::More, "More", true, places.hot() == kMoreItem,
                              places.pressed() == kMoreItem, false, look, s));
  }
  return out;
}

CameraHitMap HitMapOf(const CamLayout& l, Size client, bool stale, bool hold, PanelAlign align,
                      const PanelPlaces& places) {
  CameraHitMap m;
  m.client = client;
  m.bevel = l.bevel;
  m.stale = stale;
  m.hold = hold;
  m.align = align;
  m.latchTop = l.latchTop;
  m.latchBottom = l.latchBottom;
  m.controlVisible = l.controlVisible;
  m.control = l.control;
  m.viewPanel = l.viewPanel;
  if (l.controlVisible) places.AddTo(m, l);
  return m;
}

}  // namespace flk
