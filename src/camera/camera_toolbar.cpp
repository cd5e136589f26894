#include "camera/camera_toolbar.h"

#include <algorithm>

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

}  // namespace flk
