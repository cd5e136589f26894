// TfrmCam painting: the raised frame (pnlcCamPaint, which also notices that
// the program lost the screen), the docked control panel, the view from
// bmpBkgnd or the question-mark tiles of a stale view, the held picture of
// Hold and the floating panel of edge-to-edge mode. Everything is drawn into
// one buffer and copied to the window at once.
#include <algorithm>

#include "base/icon_size.h"
#include "base/picture.h"
#include "camera/camera_glyphs_win.h"
#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "output/output_session_win.h"
#include "output/print.h"
#include "win32/dpi_win.h"

namespace flk {

namespace {

HBITMAP QuestionTile() {
  static win::UniqueBitmap tile = MakeQuestionTile();
  return tile.get();
}

HBITMAP GlyphStrip(bool maximized) {
  static win::UniqueBitmap normal = MakeMinMaxCloseBw(false);
  static win::UniqueBitmap max = MakeMinMaxCloseBw(true);
  return maximized ? max.get() : normal.get();
}

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void FillColour(HDC dc, const RECT& r, COLORREF c) {
  win::UniqueBrush brush(::CreateSolidBrush(c));
  ::FillRect(dc, &r, brush.get());
}

// DrawCamFrame: a raised edge around the window and the strips inside it in
// the button-face colour.
void DrawCamFrame(HDC dc, Size client, int e) {
  RECT all{0, 0, client.width, client.height};
  ::DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
  for (const Rect& r : FrameStrips(client, e)) {
    RECT strip = ToRECT(r);
    ::FillRect(dc, &strip, ::GetSysColorBrush(COLOR_BTNFACE));
  }
}

void DrawText(HDC dc, const std::string& text, RECT r, UINT format, COLORREF colour) {
  std::wstring w = win::Widen(text);
  ::SetTextColor(dc, colour);
  ::DrawTextW(dc, w.c_str(), int(w.size()), &r, format);
}

}  // namespace

void TfrmCam::InvalidateView() {
  RECT r = ToRECT(layout_.viewPanel);
  ::InvalidateRect(hwnd(), &r, FALSE);
}

void TfrmCam::Paint(HDC dc, const RECT& dirty) {
  RECT rc = clientRect();
  int W = rc.right, H = rc.bottom;
  if (W <= 0 || H <= 0) return;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(dc));
  win::UniqueBitmap buffer(::CreateCompatibleBitmap(dc, W, H));
  if (!mem || !buffer) return;
  win::SelectedObject selBuffer(mem.get(), buffer.get());
  HDC m = mem.get();
  ::SetBkMode(m, TRANSPARENT);
  int e = layout_.bevel;

  // pnlcCamPaint: the frame; a frame painted while the program has no active
  // window means other programs have drawn over the screen: the view is stale.
  DrawCamFrame(m, Size{W, H}, e);
  bool wasStale = cycle_.stale();
  if (FramePaintCounts(Rect{dirty.left, dirty.top, dirty.right, dirty.bottom}, Size{W, H}, e, suppressStaleCheck_)) {
    FramePaintResult fr = cycle_.OnFramePaint(::GetActiveWindow() != nullptr, capture_.hold());
    controlsEnabled_ = fr.enableControls;
    if (fr.statusRestore && status_ != kStatusRestore) SetStatus(kStatusRestore);
  }
  suppressStaleCheck_ = false;
  bool repaintAll = wasStale != cycle_.stale();

  // Latches: thin bumps on the frame.
  if (!capture_.hold()) {
    RECT lt = ToRECT(layout_.latchTop), lb = ToRECT(layout_.latchBottom);
    ::DrawEdge(m, &lt, BDR_RAISEDINNER, BF_RECT);
    ::DrawEdge(m, &lb, BDR_RAISEDINNER, BF_RECT);
  }

  COLORREF textColour = ::GetSysColor(controlsEnabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  if (layout_.controlVisible) {
    const Rect& c = layout_.control;
    RECT cr = ToRECT(c);
    ::FillRect(m, &cr, ::GetSysColorBrush(COLOR_BTNFACE));
    // Title bar with the logo and the corner buttons.
    if (!layout_.titleBar.empty()) {
      RECT t = ToRECT(layout_.titleBar.offset(c.left, c.top));
      COLORREF caption = ::GetSysColor(active_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
      FillColour(m, t, caption);
      DrawLogo(m, t, ::GetSysColor(active_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT), boldFont_.get(), scale_);
      const std::array<TitleGlyph, 3> glyphs = TitleGlyphsOf(maximize_.maximized);
      for (int i = 0; i < 3; ++i) {
        win::ScaledDrawing at(m, toolbar_.titleGlyph(i).left, toolbar_.titleGlyph(i).top, scale_);
        DrawTitleButton(m, at.x(), at.y(), glyphs[size_t(i)], false);
      }
    }
    // Menu row.
    {
      win::SelectedObject font(m, uiFont_.get());
      int i = 0;
      for (const MenuInfo& info : MainMenus())
        DrawText(m, info.caption, ToRECT(toolbar_.menuButton(i++)), DT_CENTER | DT_VCENTER | DT_SINGLELINE, textColour);
      if (layout_.closeOnMenuRow) {
        win::ScaledDrawing at(m, toolbar_.menuRowClose().left, toolbar_.menuRowClose().top, scale_);
        DrawTitleButton(m, at.x(), at.y(), TitleGlyph::Close, false);
      }
    }
    // Toolbar.
    if (!layout_.toolBar.empty()) {
      RECT tb = ToRECT(layout_.toolBar.offset(c.left, c.top));
      ::DrawEdge(m, &tb, BDR_SUNKENOUTER, BF_RECT);
      win::SelectedObject font(m, uiFont_.get());
      ToolbarLook look{Modes(), controlsEnabled_, values_.camToolImages, values_.camToolText};
      const DpiScale& s = scale_;
      const int icon = ToolIconSize(kToolImageSize, s);
      for (const ToolPaint& p : PlanToolbarPaint(toolbar_, layout_.toolBar.offset(c.left, c.top), look, s)) {
        RECT br = ToRECT(p.rect);
        if (p.kind == ToolPaint::Etched) {
          ::DrawEdge(m, &br, EDGE_ETCHED, BF_LEFT);
          continue;
        }
        if (p.edge == ToolPaint::Sunken) {
          RECT inner{br.left + 1, br.top + 1, br.right - 1, br.bottom - 1};
          FillColour(m, inner, ::GetSysColor(COLOR_3DHILIGHT));
          ::DrawEdge(m, &br, BDR_SUNKENOUTER, BF_RECT);
        } else if (p.edge == ToolPaint::Raised) {
          ::DrawEdge(m, &br, BDR_RAISEDINNER, BF_RECT);
        }
        if (p.imageAt) {
          win::ScaledDrawing at(m, p.imageAt->x, p.imageAt->y, ArtScale(kToolImageSize, icon));
          DrawToolImage(m, at.x(), at.y(), p.button, p.hotImage, p.greyed);
        }
        if (p.captionRect)
          DrawText(m, p.caption, ToRECT(*p.captionRect),
                   DT_CENTER | (p.captionTop ? DT_TOP : DT_VCENTER) | DT_SINGLELINE | DT_NOPREFIX,
                   ::GetSysColor(p.greyed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        if (p.arrowAt) {
          win::ScaledDrawing at(m, p.arrowAt->x, p.arrowAt->y, s);
          for (int k = 0; k < 3; ++k) {
            RECT a{at.x() + k, at.y() + k, at.x() + 5 - k, at.y() + k + 1};
            FillColour(m, a, textColour);
          }
        }
      }
    }
  }

  // The view.
  const Rect& vp = layout_.viewPanel;
  const Rect& v = layout_.view;
  const ViewFill fill = ViewFillOf(capture_.hold(), cycle_.stale(), bk_.present());
  if (fill == ViewFill::Held) {
    // pnlLockView: the red border; the held picture is the lock view's (a
    // child window inside the border).
    RECT outer = ToRECT(vp);
    FillColour(m, outer, RGB(224, 0, 0));
    const int border = scale_(kHoldBorder);
    RECT inner{vp.left + border, vp.top + border, vp.right - border, vp.bottom - border};
    FillColour(m, inner, kLockViewColour);
  } else {
    RECT vr = ToRECT(vp);
    ::DrawEdge(m, &vr, EDGE_SUNKEN, BF_RECT);
    RECT view = ToRECT(v);
    if (fill == ViewFill::Unknown) {
      win::UniqueBrush pattern(::CreatePatternBrush(QuestionTile()));
      ::SetBrushOrgEx(m, v.left, v.top, nullptr);
      ::FillRect(m, &view, pattern.get());
    } else {
      CamBackground::Source bk(bk_, dc);
      ::FillRect(m, &view, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      Rect copy = Intersect(v, bk_.area());
      if (!copy.empty())
        ::BitBlt(m, copy.left, copy.top, copy.width(), copy.height(), bk.get(), copy.left, copy.top, SRCCOPY);
      if (align_ == PanelAlign::Floating) {
        // The floating panel: the screen beneath, lightened and tinted, with
        // the panel's captions and glyphs on it.
        const Rect& p = layout_.control;
        {
          win::UniqueBrush grey(::CreateSolidBrush(RGB(170, 170, 170)));
          win::SelectedObject sb(m, grey.get());
          ::BitBlt(m, p.left, p.top, p.width(), p.height(), bk.get(), p.left, p.top, 0x00FC008A);
        }
        {
          win::UniqueBrush tint(::CreateSolidBrush(RGB(224, 255, 255)));
          win::SelectedObject sb(m, tint.get());
          ::BitBlt(m, p.left, p.top, p.width(), p.height(), m, p.left, p.top, MERGECOPY);
        }
        FloatingPanelPaint fp = PaintFloatingPanel(floatLayout_, p.left, p.top, textHeightA_, maximize_.maximized);
        RECT frame = ToRECT(fp.frame);
        ::FrameRect(m, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        win::SelectedObject font(m, viewFont_.get());
        ::SetTextColor(m, RGB(0, 0, 0));
        auto text = [&](const FloatingText& t) {
          std::wstring w = win::Widen(t.text);
          ::TextOutW(m, t.at.x, t.at.y, w.c_str(), int(w.size()));
        };
        if (fp.caption) text(*fp.caption);
        {
          win::UniqueMemoryDC gl(::CreateCompatibleDC(dc));
          win::SelectedObject sg(gl.get(), GlyphStrip(fp.maximizedGlyph));
          ::BitBlt(m, fp.glyphAt.x, fp.glyphAt.y, kFloatingGlyphWidth, kFloatingGlyphHeight, gl.get(), 0, 0, SRCAND);
        }
        for (const FloatingText& t : fp.labels) text(t);
      }
    }
    // Where the last printed page ends.
    const PageMarks& pm = role_.outputs().lastPrint.layout.marks;
    PageMarkRects marks = PageMarkRectsFor(pm.width, pm.height, vp, v);
    for (const Rect& r : {marks.widthMark, marks.heightMark}) {
      if (r.empty()) continue;
      RECT mr = ToRECT(r);
      FillColour(m, mr, RGB(0, 255, 255));
    }
  }

  ::BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, m, dirty.left, dirty.top,
           SRCCOPY);
  if (repaintAll) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmCam::PaintFloatingHover(const std::vector<PanelPaintOp>& ops) {
  win::WindowDC dc(hwnd());
  int old = ::SetROP2(dc.get(), R2_NOT);
  win::SelectedObject brush(dc.get(), ::GetStockObject(NULL_BRUSH));
  for (const PanelPaintOp& op : ops) {
    Rect r = op.rect.offset(layout_.view.left, layout_.view.top);
    ::Rectangle(dc.get(), r.left, r.top, r.right, r.bottom);
  }
  ::SetROP2(dc.get(), old);
}

}  // namespace flk
