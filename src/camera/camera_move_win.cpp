// TfrmCam: moving and resizing. The view is a copy of the screen beneath the
// camera (bmpBkgnd); every step shifts that copy and fetches only the strips
// that the step uncovers (PlanBkgndStep). A live move leaves the real window
// where it is and draws a ghost of the camera over the screen, giving back
// from the copy what the ghost leaves; the real window is placed once, at the
// release. With Hold on the window itself moves (MoveDirect).
#include <algorithm>
#include <vector>

#include "camera/camera_win.h"
#include "camera/commands.h"
#include "camera/move_resize.h"
#include "shell/tip_box_win.h"

namespace flk {

namespace {

int ScreenW() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenH() { return ::GetSystemMetrics(SM_CYSCREEN); }

// Copies a screen area into dc at (dx, dy); what lies off the screen stays
// black (a BitBlt whose source crosses the screen edge may come back black).
void FetchScreen(HDC dc, HDC screen, int dx, int dy, const Rect& area) {
  ::PatBlt(dc, dx, dy, area.width(), area.height(), BLACKNESS);
  Rect visible = Intersect(area, Rect{0, 0, ScreenW(), ScreenH()});
  if (visible.empty()) return;
  ::BitBlt(dc, dx + visible.left - area.left, dy + visible.top - area.top, visible.width(), visible.height(), screen,
           visible.left, visible.top, SRCCOPY);
}

constexpr const char* kResizeLimitText =
    "This capture mode doesn't go any larger.\r\nBut, you can capture larger images by clicking either:\r\n\r\n"
    "Customize / Edge To Edge. (Great for capturing large areas.)\r\n\r\n"
    "Capture / Window. (Capture an entire window with one click.)\r\n\r\n"
    "Capture / Robo. (Captures entire scrolling window.)\r\n\r\n"
    "Capture / Full Screen. (Captures the full screen.)";
constexpr const char* kHiddenControlsText =
    "The control panel was moved off screen --\r\nto access Framelark functions:\r\n\r\n"
    "RIGHT-click the transparent viewfinder.";

}  // namespace

void TfrmCam::ShiftBackground(const Rect& from, const Rect& to) {
  if (to.empty()) return;
  BkgndStep step = PlanBkgndStep(Rect::FromXYWH(from.left, from.top, bkWidth_, bkHeight_), to);
  win::WindowDC screen(nullptr);
  win::UniqueMemoryDC dst(::CreateCompatibleDC(screen.get()));
  win::UniqueBitmap next;
  bool inPlace = step.keep && bkgnd_ && step.size.width == bkWidth_ && step.size.height == bkHeight_;
  if (!inPlace) {
    next.reset(::CreateCompatibleBitmap(screen.get(), step.size.width, step.size.height));
    if (!next) return;
  }
  {
    win::SelectedObject selDst(dst.get(), inPlace ? bkgnd_.get() : next.get());
    if (step.keep && bkgnd_) {
      // The shared part moves inside the copy (onto itself when the size stays).
      const Rect& k = step.kept;
      if (inPlace) {
        ::BitBlt(dst.get(), k.left, k.top, k.width(), k.height(), dst.get(), k.left - step.keepAt.x,
                 k.top - step.keepAt.y, SRCCOPY);
      } else {
        win::UniqueMemoryDC src(::CreateCompatibleDC(screen.get()));
        win::SelectedObject selSrc(src.get(), bkgnd_.get());
        ::BitBlt(dst.get(), k.left, k.top, k.width(), k.height(), src.get(), k.left - step.keepAt.x,
                 k.top - step.keepAt.y, SRCCOPY);
      }
    }
    for (const Rect& r : step.fetch) FetchScreen(dst.get(), screen.get(), r.left - to.left, r.top - to.top, r);
  }
  if (!inPlace) bkgnd_ = std::move(next);
  bkWidth_ = step.size.width;
  bkHeight_ = step.size.height;
}

// ---- moving ---------------------------------------------------------------------------

void TfrmCam::BeginMove(bool live) {
  POINT p;
  ::GetCursorPos(&p);
  Rect r = WindowRectNow();
  moveLive_ = live;
  moveOffset_ = Point{p.x - r.left, p.y - r.top};
  ghost_ = r.topLeft();
  // Windows above the camera (the taskbar, say) lie over the ghost's path too;
  // the copy takes their look so that the ghost gives it back where it leaves.
  if (live) CopyWindowsAbove();
}

std::vector<Rect> TfrmCam::AreasCoveredAbove(const Rect& r) const {
  std::vector<Rect> covered;
  for (HWND w = ::GetTopWindow(nullptr); w && w != hwnd(); w = ::GetWindow(w, GW_HWNDNEXT)) {
    RECT wr;
    if (!::IsWindowVisible(w) || !::GetWindowRect(w, &wr)) continue;
    Rect shared = Intersect(Rect{wr.left, wr.top, wr.right, wr.bottom}, r);
    if (!shared.empty()) covered.push_back(shared);
  }
  return covered;
}

void TfrmCam::CopyWindowsAbove() {
  if (!bkgnd_) return;
  Rect r = WindowRectNow();
  std::vector<Rect> covered = AreasCoveredAbove(r);
  if (covered.empty()) return;
  win::WindowDC screen(nullptr);
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bkgnd_.get());
  for (const Rect& shared : covered)
    FetchScreen(mem.get(), screen.get(), shared.left - r.left, shared.top - r.top, shared);
}

void TfrmCam::MoveDirect(int x, int y) {
  Rect from = WindowRectNow();
  Rect to = from.movedTo(x, y);
  if (to == from) return;
  ShiftBackground(from, to);
  ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmCam::MoveGhost(int x, int y) {
  if (x == ghost_.x && y == ghost_.y) return;
  Rect r = WindowRectNow();
  Rect from = Rect::FromXYWH(ghost_.x, ghost_.y, r.width(), r.height());
  Rect to = from.movedTo(x, y);
  if (bkgnd_) {
    // Give back to the screen what the ghost leaves, from the copy.
    win::WindowDC screen(nullptr);
    win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
    win::SelectedObject sel(mem.get(), bkgnd_.get());
    for (const Rect& g : GhostGiveBack(from, to))
      ::BitBlt(screen.get(), g.left, g.top, g.width(), g.height(), mem.get(), g.left - from.left, g.top - from.top,
               SRCCOPY);
  }
  ShiftBackground(from, to);
  DrawGhostCamera(x, y);
  ghost_ = Point{x, y};
}

void TfrmCam::DrawGhostCamera(int x, int y) {
  win::WindowDC screen(nullptr);
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  POINT old;
  ::SetViewportOrgEx(screen.get(), x, y, &old);
  suppressStaleCheck_ = true;  // drawing a ghost says nothing about the view's age
  Paint(screen.get(), rc);
  ::SetViewportOrgEx(screen.get(), old.x, old.y, nullptr);
}

void TfrmCam::EndMove() {
  if (!moveLive_) return;
  Rect was = WindowRectNow();
  Rect now = was.movedTo(ghost_.x, ghost_.y);
  ::SetWindowPos(hwnd(), nullptr, now.left, now.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
  DrawGhostCamera(now.left, now.top);
  // Windows above the camera were drawn over by the ghost; the copy holds
  // their look, so their shared parts go back to the screen.
  if (bkgnd_) {
    win::WindowDC screen(nullptr);
    win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
    win::SelectedObject sel(mem.get(), bkgnd_.get());
    for (const Rect& shared : AreasCoveredAbove(now))
      ::BitBlt(screen.get(), shared.left, shared.top, shared.width(), shared.height(), mem.get(),
               shared.left - now.left, shared.top - now.top, SRCCOPY);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  if (!hiddenControlsOffered_ && align_ == PanelAlign::Top && now.top < -::GetSystemMetrics(SM_CYCAPTION)) {
    hiddenControlsOffered_ = true;
    ShowTip("NsaHiddenControls", "How-to Tip", kHiddenControlsText, 1, false);
  }
}

// ---- resizing ---------------------------------------------------------------------------

void TfrmCam::ApplyResize(const Rect& to, bool repaint) {
  Rect from = WindowRectNow();
  if (!(to == from)) {
    ShiftBackground(from, to);
    ::SetWindowPos(hwnd(), nullptr, to.left, to.top, to.width(), to.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    ArrangeControls();
  }
  if (repaint) ::InvalidateRect(hwnd(), nullptr, FALSE);
  SetStatus(SizeText(layout_.capture.width(), layout_.capture.height()));
  ::UpdateWindow(hwnd());
}

void TfrmCam::ResizeStepNow() {
  POINT p;
  ::GetCursorPos(&p);
  ResizeOutcome o = ResizeStep(resize_, WindowRectNow(), Point{p.x, p.y}, Size{ScreenW(), ScreenH()},
                               layout_.minWidth, layout_.minHeight);
  ApplyResize(o.window, o.repaint);
}

void TfrmCam::GrowBy(int dx, int dy) {
  ResizeOutcome o =
      flk::GrowBy(WindowRectNow(), dx, dy, Size{ScreenW(), ScreenH()}, layout_.minWidth, layout_.minHeight);
  ApplyResize(o.window, o.repaint);
}

void TfrmCam::EndResize() {
  if (!resizeLimitOffered_ && WindowRectNow().height() == ScreenH()) {
    resizeLimitOffered_ = true;
    ShowTip("NsaResizeLimit", "How-to Tip", kResizeLimitText, 1, false);
  }
}

}  // namespace flk
