// The tool bar's twenty icons, laid out on 20 x 20 and drawn at the icon size of
// the window's scale: full colour for the hot list, a paler copy for the normal one.
#include "viewer/viewer_icons_win.h"

#include <algorithm>

#include "base/icon_size.h"

namespace flk {

namespace {
constexpr COLORREF kMask = RGB(255, 0, 255);

COLORREF ColourOf(Rgb c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }
}  // namespace

void DrawArt(HDC dc, const std::vector<ArtShape>& shapes, const std::function<int(int)>& at,
             const std::function<int(int)>& pen) {
  for (const ArtShape& shape : shapes) {
    std::vector<POINT> p;
    for (Point q : shape.points) p.push_back({at(q.x), at(q.y)});
    if (shape.kind == ArtShape::Line) {
      win::UniquePen line(::CreatePen(PS_SOLID, std::max(1, pen(shape.width)), ColourOf(shape.line)));
      win::SelectedObject selected(dc, line.get());
      ::MoveToEx(dc, p[0].x, p[0].y, nullptr);
      ::LineTo(dc, p[1].x, p[1].y);
      continue;
    }
    win::UniquePen outline(::CreatePen(PS_SOLID, std::max(1, pen(1)), ColourOf(shape.line)));
    win::UniqueBrush fill(::CreateSolidBrush(ColourOf(shape.fill)));
    win::SelectedObject selectedPen(dc, outline.get()), selectedBrush(dc, fill.get());
    switch (shape.kind) {
      case ArtShape::Box: ::Rectangle(dc, p[0].x, p[0].y, p[1].x, p[1].y); break;
      case ArtShape::Round: ::Ellipse(dc, p[0].x, p[0].y, p[1].x, p[1].y); break;
      case ArtShape::Polygon: ::Polygon(dc, p.data(), int(p.size())); break;
      case ArtShape::Line: break;
    }
  }
}

win::UniqueImageList MakeViewerIcons(const DpiScale& scale, bool hot) {
  // Drawn at the icon size of the scale, the art's lines at that size's thickness.
  const int size = ToolIconSize(kViewerIconArtSize, scale);
  const DpiScale art = ArtScale(kViewerIconArtSize, size);
  win::UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kViewerIconCount, 0));
  win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!list || !dc) return list;
  for (int i = 0; i < kViewerIconCount; ++i) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::UniqueBitmap bmp(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) continue;
    {
      // The bitmap leaves the DC before the image list takes it.
      win::SelectedObject selected(dc.get(), bmp.get());
      RECT all{0, 0, size, size};
      win::UniqueBrush mask(::CreateSolidBrush(kMask));
      ::FillRect(dc.get(), &all, mask.get());
      DrawArt(dc.get(), ViewerIconArt(i), [size](int v) { return v * size / kViewerIconArtSize; },
              [&art](int w) { return art(w); });
      ::GdiFlush();
      if (!hot) PaleIcon(static_cast<uint8_t*>(bits), size_t(size) * size_t(size));
    }
    ::ImageList_AddMasked(list.get(), bmp.get(), kMask);
  }
  return list;
}

}  // namespace flk
