// TfrmCam: mouse and keyboard. Presses on the title bar, the empty part of the
// menu row, the status line and the view move the camera; presses on the
// frame resize it; the latches toggle the control panel; the toolbar and the
// menu row run commands; keys go through the exact-Ctrl shortcut rule.
#include <algorithm>

#include "camera/cam_custom_win.h"
#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "shell/names.h"

namespace flk {

namespace {

Point CursorNow() {
  POINT p;
  ::GetCursorPos(&p);
  return Point{p.x, p.y};
}

}  // namespace

CameraHitMap TfrmCam::HitMap() const {
  RECT rc = clientRect();
  return HitMapOf(layout_, Size{rc.right, rc.bottom}, cycle_.stale(), capture_.hold(), align_, toolbar_);
}

LPCWSTR TfrmCam::CursorAt(int x, int y) const {
  bool keys = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0;
  switch (flk::CursorAt(HitMap(), Point{x, y}, keys, toolbar_.pressed() >= 0)) {
    case CameraCursor::Arrow: return IDC_ARROW;
    case CameraCursor::SizeWE: return IDC_SIZEWE;
    case CameraCursor::SizeNS: return IDC_SIZENS;
    case CameraCursor::SizeNWSE: return IDC_SIZENWSE;
    case CameraCursor::SizeNESW: return IDC_SIZENESW;
    case CameraCursor::SizeAll: return IDC_SIZEALL;
  }
  return IDC_ARROW;
}

void TfrmCam::StartMove() {
  if (ScreenChanged()) {
    // The screen changed size: fit the camera to it and refresh instead.
    AdaptToScreen();
    RequestCapture(true, kModeRefresh);
    return;
  }
  Rect r = WindowRectNow();
  drag_.BeginMove(CursorNow(), r, !capture_.hold());
  // Windows above the camera (the taskbar, say) lie over the ghost's path too;
  // the copy takes their look so that the ghost gives it back where it leaves.
  if (drag_.live()) bk_.CopyWindowsAbove(hwnd(), r);
  ::SetCapture(hwnd());
}

void TfrmCam::PerformDragStep(const DragStep& step, Point cursor) {
  switch (step.kind) {
    case DragStep::Kind::None: break;
    case DragStep::Kind::MoveGhost: MoveGhost(step.from, step.to); break;
    case DragStep::Kind::MoveDirect: MoveDirect(step.to.x, step.to.y); break;
    case DragStep::Kind::Resize: ResizeStepNow(cursor); break;
  }
}

void TfrmCam::OnLeftDown(int x, int y, bool dbl) {
  PressTarget t = PressAt(HitMap(), Point{x, y}, dbl);
  switch (t.kind) {
    case PressTarget::RefreshOnly:
      // A click on a stale camera only brings the view up to date.
      ::PostMessageW(hwnd(), kWmCameraSelf, 0, 0);
      return;
    case PressTarget::Latch:
      drag_.BeginLatch(t.value == 1 ? Latch::Top : Latch::Bottom, t.value == 1 ? kEdgeTop : kEdgeBottom, CursorNow());
      ::SetCapture(hwnd());
      return;
    case PressTarget::Resize:
      drag_.BeginResize(t.value, CursorNow());
      ::SetCapture(hwnd());
      return;
    case PressTarget::Minimize: role_.HideCameraToTray(); return;
    case PressTarget::Maximize: ToggleMaximize(); return;
    case PressTarget::Close: CloseButton(); return;
    case PressTarget::MenuButton: DropMenuRow(t.value); return;
    case PressTarget::CustomiseToolbar: CamCustomPopup(); return;
    case PressTarget::ToolItem:
      toolbar_.SetPressed(t.value);
      ::SetCapture(hwnd());
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return;
    case PressTarget::Floating: {
      PanelReaction r = floatInput_.LeftDown(Point{x - layout_.view.left, y - layout_.view.top});
      if (r.handled) {
        ApplyFloatingReaction(r);
        return;
      }
      StartMove();
      return;
    }
    case PressTarget::Move: StartMove(); return;
  }
}

void TfrmCam::OnLeftUp(int x, int y) {
  if (toolbar_.pressed() >= 0) {
    int item = toolbar_.pressed();
    toolbar_.SetPressed(-1);
    ::ReleaseCapture();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ToolRelease r = ReleaseToolItem(HitMap(), item, Point{x, y}, Modes());
    POINT p{r.at.x, r.at.y};
    ::ClientToScreen(hwnd(), &p);
    switch (r.kind) {
      case ToolRelease::Nothing: return;
      case ToolRelease::PopupMore: PopupMenuAt(menus_.more(), p.x, p.y); return;
      case ToolRelease::PopupStore: PopupMenuAt(menus_.store(), p.x, p.y); return;
      case ToolRelease::Run: RunCommand(r.command); return;
    }
    return;
  }
  if (drag_.active()) {
    Point cursor = CursorNow();
    DragEnd end = drag_.Released(cursor);
    PerformDragStep(end.step, cursor);
    ::ReleaseCapture();
    if (end.latchClick) {
      PanelAlign to = LatchTarget(end.latch, align_);
      if (to == PanelAlign::Floating)
        ControlsFloat();
      else
        SetPanelAlign(to);
    }
    if (end.endMove) EndMove();
    if (end.endResize) EndResize();
    return;
  }
  if (align_ == PanelAlign::Floating && !capture_.hold())
    ApplyFloatingReaction(floatInput_.LeftUp(Point{x - layout_.view.left, y - layout_.view.top}));
}

void TfrmCam::OnMouseMove(int x, int y, bool buttonDown) {
  if (drag_.active()) {
    Point cursor = CursorNow();
    PerformDragStep(drag_.Moved(cursor), cursor);
    return;
  }
  if (toolbar_.pressed() >= 0) return;
  int hot = layout_.controlVisible ? flk::ToolItemAt(HitMap(), Point{x, y}) : -1;
  if (hot != toolbar_.hot()) {
    toolbar_.SetHot(hot);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (hot >= 0) {
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd(), 0};
      ::TrackMouseEvent(&tme);
    }
  }
  if (align_ == PanelAlign::Floating && !capture_.hold())
    ApplyFloatingReaction(floatInput_.MouseMove(Point{x - layout_.view.left, y - layout_.view.top}, buttonDown));
}

void TfrmCam::OnRightDown(int x, int y) {
  POINT screen{x, y};
  ::ClientToScreen(hwnd(), &screen);
  RightPress press = RightPressAt(HitMap(), Point{x, y});
  switch (press.kind) {
    case RightPress::Nothing: return;
    case RightPress::ScrollSettings: ShowScrollSettingsFor(true); return;
    case RightPress::RoboSettings: ShowScrollSettingsFor(false); return;
    case RightPress::Customise: CamCustomPopup(); return;
    case RightPress::Floating: {
      PanelReaction r = floatInput_.RightDown(Point{x - layout_.view.left, y - layout_.view.top});
      if (r.handled) ApplyFloatingReaction(r);
      else if (press.viewPopupElse) PopupMenuAt(menus_.popup(), screen.x, screen.y);
      return;
    }
    case RightPress::ViewPopup: PopupMenuAt(menus_.popup(), screen.x, screen.y); return;
  }
}

void TfrmCam::ApplyFloatingReaction(const PanelReaction& r) {
  if (!r.paints.empty()) PaintFloatingHover(r.paints);
  if (r.timer == TimerChange::Start) ::SetTimer(hwnd(), kTimerCpBtn, 500, nullptr);
  if (r.timer == TimerChange::Stop) ::KillTimer(hwnd(), kTimerCpBtn);
  if (r.arrowCursor) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  PanelAction a = PanelActionOf(r.command, r.button, Modes());
  if (a.kind == PanelAction::Run) RunCommand(a.command);
  if (a.kind == PanelAction::CloseButton) CloseButton();
  if (a.kind == PanelAction::ViewPopup) {
    POINT p;
    ::GetCursorPos(&p);
    PopupMenuAt(menus_.popup(), p.x, p.y);
  }
}

void TfrmCam::CamCustomPopup() { OpenCamCustom(*this, role_.values()); }

void TfrmCam::DropMenuRow(int index) {
  HMENU menu = menus_.sub(index);
  if (!menu) return;
  const Rect& r = toolbar_.menuButton(index);
  POINT p{r.left, r.bottom};
  ::ClientToScreen(hwnd(), &p);
  PopupMenuAt(menu, p.x, p.y);
}

bool TfrmCam::OnKeyDown(WPARAM key) {
  ShiftState s;
  s.shift = ::GetKeyState(VK_SHIFT) < 0;
  s.ctrl = ::GetKeyState(VK_CONTROL) < 0;
  s.alt = ::GetKeyState(VK_MENU) < 0;
  KeyAction a = CameraKeyDown(int(key), s, Modes(), cycle_.stale());
  swallowChar_ = a.swallowChar;
  if (a.run != CommandId::None) RunCommand(a.run);
  if (a.thaw) capture_.ThawDesktop(true);
  if (a.growX || a.growY) GrowBy(a.growX, a.growY);
  if (a.moveX || a.moveY) {
    Rect r = WindowRectNow();
    MoveDirect(r.left + a.moveX, r.top + a.moveY);
    InvalidateView();
  }
  return a.handled;
}

}  // namespace flk
