// TfrmCam: creation, settings, layout, and the window procedure (the refresh
// cycle is in camera_refresh_win.cpp).
#include "camera/camera_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/atomic_file.h"
#include "camera/camera_host.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/names.h"
#include "shell/point_hint_win.h"
#include "shell/tips_layout.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_win.h"

namespace flk {

TfrmCam::TfrmCam(CameraHost& role) : role_(role) {}

TfrmCam::~TfrmCam() = default;

bool TfrmCam::FormCreate() {
  // No caption bar and no border: the camera draws its own frame and title.
  if (!Create(win::Widen(kCameraClass).c_str(), win::Widen(kCameraCaption).c_str(), WS_POPUP | WS_CLIPCHILDREN,
              WS_EX_TOOLWINDOW, 150, 100, 345, 222))
    return false;
  // It hides itself before every grab: a fading camera must never be in the picture.
  win::DisableTransitions(hwnd());
  scale_ = win::WindowScale(hwnd());
  capture_.Attach(hwnd());
  if (!CreateFolderChain(PictureFoldersOf(BaseFolder()))) {
    ShowWarning("Couldn't create Folders directory.", "Framelark Warning");
    return false;
  }
  ::SetLastError(0);

  CreateFonts();

  lblStatus_ = win::CreateChild(hwnd(), L"STATIC", "", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, Rect{0, 0, 10, 10},
                                kLblStatusId, uiFont_.get());
  // Hints of the toolbar buttons.
  toolbar_.CreateHints(hwnd());
  menus_.Build();
  bk_.NoteDepth(win::ScreenBitsPerPixel());
  ArrangeControls();
  return true;
}

void TfrmCam::CreateFonts() {
  // The system's menu font at this window's DPI; the view's font is 9 point Arial Black.
  uiFont_ = win::MakeSystemFont(win::SystemFont::Menu, scale_);
  boldFont_ = win::MakeSystemFont(win::SystemFont::Menu, scale_, FW_BOLD);
  viewFont_.reset(::CreateFontW(win::FontHeightForPoints(9, scale_), 0, 0, 0, FW_BLACK, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"Arial Black"));
  win::WindowDC dc(hwnd());
  win::SelectedObject font(dc.get(), viewFont_.get());
  SIZE a{};
  ::GetTextExtentPoint32W(dc.get(), L"A", 1, &a);
  textHeightA_ = a.cy > 0 ? a.cy : scale_(16);
  if (lblStatus_) ::SendMessageW(lblStatus_, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);
}

void TfrmCam::OnDpiChanged(int dpi) {
  DpiScale next = DpiScaleOf(dpi);
  if (next == scale_) return;
  // The camera keeps its physical size and place (it is a hole in the screen);
  // only its own controls follow the new scale.
  scale_ = next;
  CreateFonts();
  ArrangeControls();
}

void TfrmCam::ApplySettings(const CameraSaveValues& v) {
  values_ = v;
  values_.camBevelWidth = SanitizeBevel(v.camBevelWidth);
  align_ = PanelAlignOf(v.cPanelAlign);
  Size s = OpeningSize(v.width, v.height);
  ::SetWindowPos(hwnd(), nullptr, v.left, v.top, s.width, s.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeControls();
  AdaptToScreen();
  ArrangeControls();
}

CameraSaveValues TfrmCam::CurrentValues() const {
  CameraSaveValues v = values_;
  Rect r = WindowRectNow();
  v.left = r.left;
  v.top = r.top;
  v.width = r.width();
  v.height = r.height();
  v.cPanelAlign = static_cast<int>(align_);
  return v;
}

void TfrmCam::SetStatus(const std::string& text) {
  status_ = text;
  if (lblStatus_) ::SetWindowTextW(lblStatus_, win::Widen(text).c_str());
}

Rect TfrmCam::WindowRectNow() const {
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void TfrmCam::SetWindowRect(const Rect& r) {
  ::SetWindowPos(hwnd(), nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- layout -------------------------------------------------------------------

void TfrmCam::ArrangeControls() {
  if (arranging_ || !hwnd()) return;
  arranging_ = true;
  RECT rc = clientRect();
  LayoutInput in = LayoutInputOf(values_, align_, capture_.hold(), scale_);
  in.width = rc.right;
  in.height = rc.bottom;
  in.textHeightA = textHeightA_;
  in.panelRowsWidth =
      CamToolbar::PanelRowsWidthFor(hwnd(), uiFont_.get(), boldFont_.get(), values_.camTitle, scale_);
  layout_ = flk::ArrangeControls(in);
  if (layout_.needsGrowth()) {
    Rect from = WindowRectNow();
    Rect to =
        flk::GrowBy(from, layout_.growDx, layout_.growDy, MonitorNow().area.size(), layout_.minWidth, layout_.minHeight)
            .window;
    bk_.Shift(from, to);
    SetWindowRect(to);
    rc = clientRect();
    in.width = rc.right;
    in.height = rc.bottom;
    layout_ = flk::ArrangeControls(in);
  }
  const bool statusShown = layout_.controlVisible && !layout_.status.empty();
  if (statusShown) {
    Rect s = StatusLabelRect(layout_, scale_);
    ::MoveWindow(lblStatus_, s.left, s.top, s.width(), s.height(), TRUE);
  }
  ::ShowWindow(lblStatus_, statusShown ? SW_SHOWNA : SW_HIDE);
  capture_.PlaceHeld(layout_.viewPanel, scale_(kHoldBorder));  // inside the Hold panel's red border
  bool visible[kToolButtonCount];
  const CamAppearance look = AppearanceOf(values_);  // the switches in the toolbar's order
  for (int i = 0; i < kToolButtonCount; ++i) visible[i] = look.buttons[size_t(i)];
  toolbar_.Layout(hwnd(), layout_, uiFont_.get(), values_.camToolText, visible, scale_);
  // The floating panel's labels are laid out with the view font.
  win::WindowDC dc(hwnd());
  win::SelectedObject font(dc.get(), viewFont_.get());
  floatLayout_ = LayoutFloatingPanel(layout_.control.width(), layout_.control.height(), visible,
                                     [&](std::string_view text) {
                                       std::wstring w = win::Widen(std::string(text));
                                       SIZE sz{};
                                       ::GetTextExtentPoint32W(dc.get(), w.c_str(), int(w.size()), &sz);
                                       return int(sz.cx);
                                     });
  floatInput_.SetLayout(floatLayout_, align_ == PanelAlign::Floating);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  arranging_ = false;
}

Monitor TfrmCam::MonitorNow() const { return win::MonitorOfWindow(hwnd()); }

bool TfrmCam::ScreenChanged() const { return !(win::CurrentMonitors() == lastMonitors_); }

bool TfrmCam::AdaptToScreen() {
  MonitorTable now = win::CurrentMonitors();
  const Rect was = WindowRectNow();
  AdaptResult a = flk::AdaptToMonitors(was, lastMonitors_, now);
  if (!a.changed) return false;
  lastMonitors_ = std::move(now);
  if (!(a.window == was)) SetWindowRect(a.window);
  ArrangeControls();
  return !(a.window.topLeft() == was.topLeft());
}

void TfrmCam::ToggleMaximize() {
  MaximizeResult m = flk::ToggleMaximize(WindowRectNow(), MonitorNow().area, maximize_);
  maximize_ = m.state;
  SetWindowRect(m.window);
  if (m.adaptToScreen) AdaptToScreen();
  ArrangeControls();
  RequestCapture(true, kModeRefresh);
}

void TfrmCam::SetPanelAlign(PanelAlign to) {
  Rect from = WindowRectNow();
  PanelSwitch s = SwitchControlPanel(align_, to, from.topLeft(), layout_.controlHeight);
  if (s.moved) {
    // MoveDirect: the view stays over the same part of the screen.
    MoveDirect(s.windowPos.x, s.windowPos.y);
  }
  align_ = s.align;
  ArrangeControls();
}

void TfrmCam::ControlsFloat() {
  bool wasHold = capture_.hold();
  if (wasHold) capture_.ToggleHold();
  SetPanelAlign(PanelAlign::Floating);
  if (wasHold) return;
  Rect r = WindowRectNow();
  int answer = ShowPointHint(kHintKeyEdgeOff, kHintEdgeOffText, r.left + r.width() / 2, r.top + 3, hwnd());
  if (answer == 2) SetPanelAlign(PanelAlign::Top);
}

void TfrmCam::CloseButton() {
  if (role_.values().closeBtnExits)
    role_.ExitProgram();
  else
    role_.HideCameraToTray();
}

// ---- window procedure -------------------------------------------------------------

bool TfrmCam::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      Paint(dc.get(), dc.dirty());
      return true;
    }
    case WM_SIZE: ArrangeControls(); return true;
    case WM_DISPLAYCHANGE:
      // A camera whose monitor went is moved onto the nearest one and shows what lies there.
      if (AdaptToScreen() && ::IsWindowVisible(hwnd())) {
        MarkStale();
        RequestCapture(true, kModeRefresh);  // clamped, unlike RefreshView
      }
      return false;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wp)); return true;
    case WM_WINDOWPOSCHANGING: {
      // A hidden camera that is shown without a fresh copy of the screen
      // beneath it takes one now, while it is still out of the way.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if ((pos->flags & SWP_SHOWWINDOW) && !::IsWindowVisible(hwnd()) && !bk_.grabbedSinceHide()) {
        Rect r = RectAfterChange(WindowRectNow(), !(pos->flags & SWP_NOMOVE), Point{pos->x, pos->y},
                                 !(pos->flags & SWP_NOSIZE), Size{pos->cx, pos->cy});
        bk_.Grab(r, role_.controller().started());
        cycle_.ClearStale();
      }
      return false;
    }
    case WM_SHOWWINDOW:
      if (!wp) {
        bk_.Hidden();
      } else {
        // The first paint after showing is of a fresh copy, whoever is active.
        suppressStaleCheck_ = true;
      }
      return false;
    case WM_ACTIVATE: OnActivate(LOWORD(wp) != WA_INACTIVE); return false;
    case WM_CTLCOLORSTATIC:
      *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp),
                                       ::GetSysColor(controlsEnabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      return true;
    case WM_TIMER:
      if (wp == kTimerRestart) {
        PerformTimerWork();
      } else if (wp == kTimerCpBtn) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(hwnd(), &p);
        ApplyFloatingReaction(floatInput_.Tick(Point{p.x - layout_.view.left, p.y - layout_.view.top}));
      }
      return true;
    case kWmCameraSelf:
      if (auto r = DecodeSelfRequest(static_cast<long long>(wp), static_cast<long long>(lp)))
        RequestCapture(r->clamp, r->mode);
      return true;
    case WM_INITMENUPOPUP: UpdateMenu(reinterpret_cast<HMENU>(wp)); return true;
    case WM_COMMAND:
      if (HIWORD(wp) == 0 || HIWORD(wp) == 1) OnCommand(LOWORD(wp));
      return true;
    case WM_LBUTTONDOWN: OnLeftDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), false); return true;
    case WM_LBUTTONDBLCLK: OnLeftDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), true); return true;
    case WM_LBUTTONUP: OnLeftUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return true;
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_LBUTTON) != 0); return true;
    case WM_RBUTTONDOWN: OnRightDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return true;
    case WM_MOUSELEAVE:
      if (toolbar_.hot() != -1) {
        toolbar_.SetHot(-1);
        ::InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return true;
    case WM_CAPTURECHANGED:
      // The window takes the ghost's place even when the capture is lost.
      if (drag_.CaptureLost()) EndMove();
      return false;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(hwnd(), &p);
        ::SetCursor(::LoadCursorW(nullptr, CursorAt(p.x, p.y)));
        *result = TRUE;
        return true;
      }
      return false;
    case WM_KEYDOWN:
      if (OnKeyDown(wp)) return true;
      return false;
    case WM_SYSKEYDOWN:
      if (wp == VK_F10) return true;  // no menu loop for F10
      return false;
    case WM_CHAR:
      if (swallowChar_) return true;
      return false;
    case WM_SYSCHAR: {
      // Alt + the underlined letter drops the menu row's menu down.
      int menu = MenuRowOfAccelerator(int(wp), layout_.controlVisible);
      if (menu >= 0) DropMenuRow(menu);
      return menu >= 0;
    }
    case WM_CLOSE: CloseButton(); return true;
    case WM_QUERYENDSESSION: *result = TRUE; return true;
    case WM_ENDSESSION:
      if (wp) role_.SaveRoleSettings();
      return true;
  }
  return false;
}

}  // namespace flk
