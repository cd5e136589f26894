// The tool bar's twenty 20 x 20 icons, drawn here at the window's scale:
// full colour for the hot list, a paler copy for the normal one.
#include "viewer/viewer_icons_win.h"

#include <algorithm>
#include <vector>

namespace flk {

namespace {
constexpr COLORREF kMask = RGB(255, 0, 255);

class Pen {
 public:
  Pen(HDC dc, const DpiScale& s, int size) : dc_(dc), s_(s), size_(size) {}
  int P(int v) const { return v * size_ / 20; }
  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF line = RGB(40, 40, 40)) {
    Select(fill, line);
    ::Rectangle(dc_, P(l), P(t), P(r), P(b));
  }
  void Round(int l, int t, int r, int b, COLORREF fill, COLORREF line = RGB(40, 40, 40)) {
    Select(fill, line);
    ::Ellipse(dc_, P(l), P(t), P(r), P(b));
  }
  void Poly(std::initializer_list<POINT> pts, COLORREF fill, COLORREF line = RGB(40, 40, 40)) {
    std::vector<POINT> p;
    for (POINT q : pts) p.push_back({P(q.x), P(q.y)});
    Select(fill, line);
    ::Polygon(dc_, p.data(), int(p.size()));
  }
  void Line(int x0, int y0, int x1, int y1, COLORREF c, int width = 1) {
    win::UniquePen pen(::CreatePen(PS_SOLID, std::max(1, s_(width)), c));
    HGDIOBJ old = ::SelectObject(dc_, pen.get());
    ::MoveToEx(dc_, P(x0), P(y0), nullptr);
    ::LineTo(dc_, P(x1), P(y1));
    ::SelectObject(dc_, old);
  }

 private:
  void Select(COLORREF fill, COLORREF line) {
    brush_.reset(::CreateSolidBrush(fill));
    pen_.reset(::CreatePen(PS_SOLID, std::max(1, s_(1)), line));
    ::SelectObject(dc_, brush_.get());
    ::SelectObject(dc_, pen_.get());
  }
  HDC dc_;
  DpiScale s_;
  int size_;
  win::UniqueBrush brush_;
  win::UniquePen pen_;
};

void DrawIcon(Pen& g, int i) {
  const COLORREF white = RGB(255, 255, 255), paper = RGB(250, 250, 240), blue = RGB(40, 90, 200),
                 red = RGB(210, 40, 40), green = RGB(40, 150, 60), yellow = RGB(250, 210, 60), grey = RGB(150, 150, 150);
  switch (i) {
    case 0:   // Print
    case 6:   // PrintFit
      g.Box(5, 2, 15, 9, paper);
      g.Box(2, 8, 18, 15, grey);
      g.Box(5, 13, 15, 19, paper);
      if (i == 6) {
        g.Line(7, 15, 13, 15, blue);
        g.Line(7, 17, 13, 17, blue);
      }
      break;
    case 1:   // Email
      g.Box(2, 5, 18, 16, paper);
      g.Line(2, 5, 10, 11, blue);
      g.Line(18, 5, 10, 11, blue);
      break;
    case 2:   // Copy
      g.Box(3, 3, 12, 14, paper);
      g.Box(8, 7, 17, 18, white);
      break;
    case 3:   // Save
    case 17:  // Save+1
      g.Box(3, 3, 17, 17, blue);
      g.Box(6, 3, 14, 8, white);
      g.Box(5, 11, 15, 17, paper);
      if (i == 17) {
        g.Line(8, 14, 12, 14, red, 2);
        g.Line(10, 12, 10, 16, red, 2);
      }
      break;
    case 5:   // Editor
      g.Poly({{4, 16}, {14, 3}, {17, 6}, {7, 19}}, yellow);
      g.Poly({{4, 16}, {7, 19}, {3, 20}}, grey);
      break;
    case 7:   // Sticky
      g.Poly({{3, 3}, {17, 3}, {17, 13}, {13, 17}, {3, 17}}, yellow);
      g.Line(6, 7, 14, 7, grey);
      g.Line(6, 10, 14, 10, grey);
      break;
    case 10:  // Delete
      g.Line(4, 4, 16, 16, red, 3);
      g.Line(16, 4, 4, 16, red, 3);
      break;
    case 11:  // Paste
      g.Box(4, 4, 16, 19, RGB(190, 140, 80));
      g.Box(7, 2, 13, 6, grey);
      g.Box(7, 9, 17, 18, white);
      break;
    case 12:  // Mirror
      g.Poly({{9, 4}, {9, 16}, {2, 10}}, blue);
      g.Poly({{11, 4}, {11, 16}, {18, 10}}, green);
      break;
    case 13:  // Flip
      g.Poly({{4, 9}, {16, 9}, {10, 2}}, blue);
      g.Poly({{4, 11}, {16, 11}, {10, 18}}, green);
      break;
    case 14:  // Invert
      g.Round(3, 3, 17, 17, white);
      g.Poly({{10, 3}, {10, 17}, {5, 15}, {3, 10}, {5, 5}}, RGB(20, 20, 20));
      break;
    case 16:  // Camera
      g.Box(2, 6, 18, 17, grey);
      g.Box(5, 3, 10, 6, grey);
      g.Round(6, 8, 14, 16, blue);
      break;
    case 18:  // Crop
      g.Line(6, 2, 6, 14, RGB(40, 40, 40), 2);
      g.Line(6, 14, 18, 14, RGB(40, 40, 40), 2);
      g.Line(2, 6, 14, 6, RGB(40, 40, 40), 2);
      g.Line(14, 6, 14, 18, RGB(40, 40, 40), 2);
      break;
    case 19:  // Properties
      g.Round(3, 3, 17, 17, blue);
      g.Line(10, 8, 10, 14, white, 2);
      g.Line(10, 5, 10, 6, white, 2);
      break;
    default:  // unused places of the list
      g.Box(5, 5, 15, 15, grey);
      break;
  }
}
}  // namespace

win::UniqueImageList MakeViewerIcons(const DpiScale& scale, bool hot) {
  const int size = scale(20);
  win::UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kViewerIconCount, 0));
  win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!list || !dc) return list;
  for (int i = 0; i < kViewerIconCount; ++i) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::UniqueBitmap bmp(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) continue;
    HGDIOBJ old = ::SelectObject(dc.get(), bmp.get());
    RECT all{0, 0, size, size};
    win::UniqueBrush mask(::CreateSolidBrush(kMask));
    ::FillRect(dc.get(), &all, mask.get());
    {
      Pen pen(dc.get(), scale, size);
      DrawIcon(pen, i);
    }
    ::GdiFlush();
    if (!hot) {
      // Normal icons are paler; the hot ones show their full colours.
      auto* px = static_cast<uint8_t*>(bits);
      for (int k = 0; k < size * size; ++k, px += 4) {
        if (px[0] == 255 && px[1] == 0 && px[2] == 255) continue;
        for (int c = 0; c < 3; ++c) px[c] = uint8_t((px[c] * 2 + 200) / 3);
      }
    }
    ::SelectObject(dc.get(), old);
    ::ImageList_AddMasked(list.get(), bmp.get(), kMask);
  }
  return list;
}

}  // namespace flk
