// The tool bar's twenty icons, laid out on 20 x 20 and drawn at the icon size of
// the window's scale: full colour for the hot list, a paler copy for the normal one.
#include "viewer/viewer_icons_win.h"

#include "base/icon_size.h"
#include "win32/art_win.h"

namespace flk {

namespace {
constexpr COLORREF kMask = RGB(255, 0, 255);
}  // namespace

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
      win::DrawArt(dc.get(), ViewerIconArt(i), [size](int v) { return v * size / kViewerIconArtSize; },
                   [&art](int w) { return art(w); });
      ::GdiFlush();
      if (!hot) PaleIcon(static_cast<uint8_t*>(bits), size_t(size) * size_t(size));
    }
    ::ImageList_AddMasked(list.get(), bmp.get(), kMask);
  }
  return list;
}

}  // namespace flk
