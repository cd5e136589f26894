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

// ---- moving ---------------------------------------------------------------------------

void TfrmCam::MoveDirect(int x, int y) {
  Rect from = WindowRectNow();
  Rect to = from.movedTo(x, y);
  if (to == from) return;
  bk_.Shift(from, to);
  ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmCam::MoveGhost(Point at, Point next) {
  Rect r = WindowRectNow();
  Rect from = Rect::FromXYWH(at.x, at.y, r.width(), r.height());
  Rect to = from.movedTo(next.x, next.y);
  // Give back to the screen what the ghost leaves, from the copy.
  if (bk_.present()) bk_.GiveBack(from.topLeft(), GhostGiveBack(from, to));
  bk_.Shift(from, to);
  DrawGhostCamera(next.x, next.y);
}

void TfrmCam::DrawGhostCamera(int x, int y) {
  win::WindowDC screen(nullptr);
  RECT rc = clientRect();
  POINT old;
  ::SetViewportOrgEx(screen.get(), x, y, &old);
  suppressStaleCheck_ = true;  // drawing a ghost says nothing about the view's age
  Paint(screen.get(), rc);
  ::SetViewportOrgEx(screen.get(), old.x, old.y, nullptr);
}

void TfrmCam::EndMove() {
  if (!drag_.live()) return;
  Rect was = WindowRectNow();
  Rect now = was.movedTo(drag_.ghost().x, drag_.ghost().y);
  ::SetWindowPos(hwnd(), nullptr, now.left, now.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
  DrawGhostCamera(now.left, now.top);
  // Windows above the camera were drawn over by the ghost; the copy holds
  // their look, so their shared parts go back to the screen.
  if (bk_.present()) bk_.GiveBack(now.topLeft(), AreasCoveredAbove(hwnd(), now));
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  if (auto tip = tips_.AfterMove(align_, now.top, MonitorNow().area.top, ::GetSystemMetrics(SM_CYCAPTION)))
    ShowTip(tip->key, tip->caption, tip->text, 1, false);
}

// ---- resizing ---------------------------------------------------------------------------

void TfrmCam::ApplyResize(const Rect& to, bool repaint) {
  Rect from = WindowRectNow();
  if (!(to == from)) {
    bk_.Shift(from, to);
    ::SetWindowPos(hwnd(), nullptr, to.left, to.top, to.width(), to.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    ArrangeControls();
  }
  if (repaint) ::InvalidateRect(hwnd(), nullptr, FALSE);
  SetStatus(SizeText(layout_.capture.width(), layout_.capture.height()));
  ::UpdateWindow(hwnd());
}

void TfrmCam::ResizeStepNow(Point cursor) {
  // The resize limit is the size of the monitor the camera is on.
  ResizeOutcome o = ResizeStep(drag_.resize(), WindowRectNow(), cursor, MonitorNow().area.size(), layout_.minWidth,
                               layout_.minHeight);
  ApplyResize(o.window, o.repaint);
}

void TfrmCam::GrowBy(int dx, int dy) {
  ResizeOutcome o = flk::GrowBy(WindowRectNow(), dx, dy, MonitorNow().area.size(), layout_.minWidth, layout_.minHeight);
  ApplyResize(o.window, o.repaint);
}

void TfrmCam::EndResize() {
  if (auto tip = tips_.AfterResize(WindowRectNow().height(), MonitorNow().area.height()))
    ShowTip(tip->key, tip->caption, tip->text, 1, false);
}

}  // namespace flk
