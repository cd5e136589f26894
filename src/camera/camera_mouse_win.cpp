// TfrmCam: mouse and keyboard. Presses on the title bar, the empty part of the
// menu row, the status line and the view move the camera; presses on the
// frame resize it; the latches toggle the control panel; the toolbar and the
// menu row run commands; keys go through the exact-Ctrl shortcut rule.
#include <algorithm>

#include "camera/cam_custom_win.h"
#include "camera/camera_win.h"
#include "camera/freeze_win.h"
#include "shell/names.h"
#include "shell/camera_role_win.h"

namespace flk {

namespace {

enum DragKind { kNoDrag = 0, kMove = 1, kResize = 2, kLatchDrag = 3 };

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
bool Inside(const Rect& r, int x, int y) { return r.contains(Point{x, y}); }

}  // namespace

int TfrmCam::ToolItemAt(int x, int y) const {
  if (moreVisible_ && Inside(moreRect_, x, y)) return 100;
  for (size_t i = 0; i < toolItems_.size(); ++i)
    if (toolItems_[i].button >= 0 && Inside(toolItems_[i].rect, x, y)) return int(i);
  return -1;
}

int TfrmCam::MenuButtonAt(int x, int y) const {
  if (!layout_.controlVisible) return -1;
  for (int i = 0; i < 5; ++i)
    if (Inside(menuButtons_[i], x, y)) return i;
  return -1;
}

int TfrmCam::TitleGlyphAt(int x, int y) const {
  if (!layout_.controlVisible || layout_.titleBar.empty()) return -1;
  for (int i = 0; i < 3; ++i)
    if (Inside(titleGlyphs_[i], x, y)) return i;
  return -1;
}

LPCWSTR TfrmCam::CursorAt(int x, int y) const {
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  if (FrameResizeEdges(x, y, rc.right, rc.bottom, values_.camBevelWidth)) {
    switch (FrameCursorAt(x, y, rc.right, rc.bottom, cycle_.stale())) {
      case ResizeCursor::Arrow: return IDC_ARROW;
      case ResizeCursor::SizeWE: return IDC_SIZEWE;
      case ResizeCursor::SizeNS: return IDC_SIZENS;
      case ResizeCursor::SizeNWSE: return IDC_SIZENWSE;
      case ResizeCursor::SizeNESW: return IDC_SIZENESW;
    }
  }
  // Move handles: the four-way cursor while a drag may start.
  bool keys = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0;
  if (cycle_.stale() || keys || pressedItem_ >= 0) return IDC_ARROW;
  if (layout_.controlVisible && Inside(layout_.control, x, y)) {
    Rect title = layout_.titleBar.offset(layout_.control.left, layout_.control.top);
    bool onTitle = !layout_.titleBar.empty() && Inside(title, x, y) && TitleGlyphAt(x, y) < 0;
    Rect status = layout_.status.offset(layout_.control.left, layout_.control.top);
    bool onStatus = !layout_.status.empty() && Inside(status, x, y);
    return onTitle || onStatus ? IDC_SIZEALL : IDC_ARROW;
  }
  return Inside(layout_.viewPanel, x, y) ? IDC_SIZEALL : IDC_ARROW;
}

void TfrmCam::StartDrag(int kind, int edges) {
  POINT p;
  ::GetCursorPos(&p);
  if (kind == kMove) {
    if (ScreenChanged()) {
      // The screen changed size: fit the camera to it and refresh instead.
      AdaptToScreen();
      RequestCapture(true, 0);
      return;
    }
  }
  dragKind_ = kind;
  dragEdges_ = edges;
  dragStart_ = p;
  dragRect_ = WindowRectNow();
  if (kind == kMove) BeginMove(!modes_.hold());
  if (kind == kResize || kind == kLatchDrag) {
    resize_ = BeginResize(edges, Point{p.x, p.y});
  }
  ::SetCapture(hwnd());
}

void TfrmCam::DragTo(int, int) {
  POINT p;
  ::GetCursorPos(&p);
  if (dragKind_ == kMove) {
    int x = p.x - moveOffset_.x, y = p.y - moveOffset_.y;
    if (moveLive_)
      MoveGhost(x, y);
    else
      MoveDirect(x, y);
    return;
  }
  ResizeStepNow();
}

void TfrmCam::OnLeftDown(int x, int y, bool dbl) {
  if (cycle_.stale()) {
    // A click on a stale camera only brings the view up to date.
    ::PostMessageW(hwnd(), kWmCameraSelf, 0, 0);
    return;
  }
  Point viewPoint{x - layout_.view.left, y - layout_.view.top};
  // Latches lie on the frame and come first.
  if (!modes_.hold() && (Inside(layout_.latchTop, x, y) || Inside(layout_.latchBottom, x, y))) {
    dragLatch_ = Inside(layout_.latchTop, x, y) ? 1 : 2;
    StartDrag(kLatchDrag, dragLatch_ == 1 ? kEdgeTop : kEdgeBottom);
    return;
  }
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  if (int edges = FrameResizeEdges(x, y, rc.right, rc.bottom, values_.camBevelWidth)) {
    StartDrag(kResize, edges);
    return;
  }
  if (layout_.controlVisible && Inside(layout_.control, x, y)) {
    Rect title = layout_.titleBar.offset(layout_.control.left, layout_.control.top);
    if (!layout_.titleBar.empty() && Inside(title, x, y)) {
      switch (TitleGlyphAt(x, y)) {
        case 0: role_.HideCameraToTray(); return;
        case 1: ToggleMaximize(); return;
        case 2: CloseButton(); return;
        default: break;
      }
      if (dbl) {
        ToggleMaximize();
        return;
      }
      StartDrag(kMove, 0);
      return;
    }
    if (int m = MenuButtonAt(x, y); m >= 0) {
      DropMenuRow(m);
      return;
    }
    if (layout_.closeOnMenuRow && Inside(menuRowClose_, x, y)) {
      CloseButton();
      return;
    }
    Rect tool = layout_.toolBar.offset(layout_.control.left, layout_.control.top);
    if (!layout_.toolBar.empty() && Inside(tool, x, y)) {
      int item = ToolItemAt(x, y);
      if (item < 0) {
        CamCustomPopup();  // a plain click on an empty part of the toolbar
        return;
      }
      pressedItem_ = item;
      ::SetCapture(hwnd());
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return;
    }
    StartDrag(kMove, 0);
    return;
  }
  if (align_ == PanelAlign::Floating && !modes_.hold()) {
    PanelReaction r = floatInput_.LeftDown(viewPoint);
    if (r.handled) {
      ApplyFloatingReaction(r);
      return;
    }
  }
  StartDrag(kMove, 0);
}

void TfrmCam::OnLeftUp(int x, int y) {
  if (pressedItem_ >= 0) {
    int item = pressedItem_;
    pressedItem_ = -1;
    ::ReleaseCapture();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (ToolItemAt(x, y) != item) return;
    if (item == 100) {
      POINT p{moreRect_.left, moreRect_.bottom};
      ::ClientToScreen(hwnd(), &p);
      PopupMenuAt(moreMenu_, p.x, p.y);
      return;
    }
    const ToolItem& t = toolItems_[size_t(item)];
    const ToolButtonInfo& b = ToolButtons()[size_t(t.button)];
    if (b.button == ToolButton::Store && x >= t.rect.right - 12) {
      POINT p{t.rect.left, t.rect.bottom};
      ::ClientToScreen(hwnd(), &p);
      PopupMenuAt(storeMenus_[0], p.x, p.y);
      return;
    }
    if (CommandEnabled(b.command, Modes())) RunCommand(b.command);
    return;
  }
  if (dragKind_ == kLatchDrag) {
    POINT p;
    ::GetCursorPos(&p);
    int latch = dragLatch_;
    dragKind_ = kNoDrag;
    ::ReleaseCapture();
    if (IsLatchClick(Point{dragStart_.x, dragStart_.y}, Point{p.x, p.y})) {
      PanelAlign to = LatchTarget(latch == 1 ? Latch::Top : Latch::Bottom, align_);
      if (to == PanelAlign::Floating)
        ControlsFloat();
      else
        SetPanelAlign(to);
    }
    return;
  }
  if (dragKind_ != kNoDrag) {
    // The release position counts as the drag's last step (its move may have
    // been merged into the button message).
    if (dragKind_ == kMove || dragKind_ == kResize) DragTo(x, y);
    int kind = dragKind_;
    dragKind_ = kNoDrag;
    ::ReleaseCapture();
    if (kind == kMove) EndMove();
    if (kind == kResize) EndResize();
    return;
  }
  if (align_ == PanelAlign::Floating && !modes_.hold())
    ApplyFloatingReaction(floatInput_.LeftUp(Point{x - layout_.view.left, y - layout_.view.top}));
}

void TfrmCam::OnMouseMove(int x, int y, bool buttonDown) {
  if (dragKind_ == kMove || dragKind_ == kResize || dragKind_ == kLatchDrag) {
    if (dragKind_ == kLatchDrag) {
      POINT p;
      ::GetCursorPos(&p);
      if (IsLatchClick(Point{dragStart_.x, dragStart_.y}, Point{p.x, p.y})) return;
      dragKind_ = kResize;  // a latch dragged further resizes
    }
    DragTo(x, y);
    return;
  }
  if (pressedItem_ >= 0) return;
  int hot = layout_.controlVisible ? ToolItemAt(x, y) : -1;
  if (hot != hotItem_) {
    hotItem_ = hot;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (hot >= 0) {
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd(), 0};
      ::TrackMouseEvent(&tme);
    }
  }
  if (align_ == PanelAlign::Floating && !modes_.hold())
    ApplyFloatingReaction(floatInput_.MouseMove(Point{x - layout_.view.left, y - layout_.view.top}, buttonDown));
}

void TfrmCam::OnRightDown(int x, int y) {
  if (cycle_.stale()) return;
  POINT screen{x, y};
  ::ClientToScreen(hwnd(), &screen);
  if (layout_.controlVisible && Inside(layout_.control, x, y)) {
    // The status line, the toolbars and the menu row open the customisation.
    CamCustomPopup();
    return;
  }
  if (align_ == PanelAlign::Floating && !modes_.hold()) {
    PanelReaction r = floatInput_.RightDown(Point{x - layout_.view.left, y - layout_.view.top});
    if (r.handled) {
      ApplyFloatingReaction(r);
      return;
    }
  }
  if (Inside(layout_.viewPanel, x, y)) PopupMenuAt(popup_.get(), screen.x, screen.y);
}

void TfrmCam::ApplyFloatingReaction(const PanelReaction& r) {
  if (!r.paints.empty()) PaintFloatingHover(r.paints);
  if (r.timer == TimerChange::Start) ::SetTimer(hwnd(), 2, 500, nullptr);
  if (r.timer == TimerChange::Stop) ::KillTimer(hwnd(), 2);
  if (r.arrowCursor) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  POINT p;
  ::GetCursorPos(&p);
  switch (r.command) {
    case PanelCommand::None: break;
    case PanelCommand::ClickButton: {
      const ToolButtonInfo& b = ToolButtonOf(r.button);
      if (CommandEnabled(b.command, Modes())) RunCommand(b.command);
      break;
    }
    case PanelCommand::PopupMore: PopupMenuAt(popup_.get(), p.x, p.y); break;
    case PanelCommand::StoreDropDown: PopupMenuAt(storeMenus_[0], p.x, p.y); break;
    case PanelCommand::TopPanel: SetPanelAlign(PanelAlign::Top); break;
    case PanelCommand::Minimize: role_.HideCameraToTray(); break;
    case PanelCommand::Maximize: ToggleMaximize(); break;
    case PanelCommand::Close: CloseButton(); break;
    case PanelCommand::Customise: CamCustomPopup(); break;
  }
}

void TfrmCam::CamCustomPopup() { OpenCamCustom(*this, role_.values()); }

void TfrmCam::DropMenuRow(int index) {
  if (index < 0 || index >= 5 || !subMenus_[index]) return;
  RECT r = menuButtons_[index];
  POINT p{r.left, r.bottom};
  ::ClientToScreen(hwnd(), &p);
  PopupMenuAt(subMenus_[index], p.x, p.y);
}

bool TfrmCam::OnKeyDown(WPARAM key) {
  ShiftState s;
  s.shift = ::GetKeyState(VK_SHIFT) < 0;
  s.ctrl = ::GetKeyState(VK_CONTROL) < 0;
  s.alt = ::GetKeyState(VK_MENU) < 0;
  KeyAction a = CameraKeyDown(int(key), s, Modes(), cycle_.stale());
  swallowChar_ = a.swallowChar;
  if (a.run != CommandId::None) RunCommand(a.run);
  if (a.thaw) ThawDesktop(true);
  if (a.growX || a.growY) GrowBy(a.growX, a.growY);
  if (a.moveX || a.moveY) {
    Rect r = WindowRectNow();
    MoveDirect(r.left + a.moveX, r.top + a.moveY);
    InvalidateView();
  }
  return a.handled;
}

}  // namespace flk
