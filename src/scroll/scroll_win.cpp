#include "scroll/scroll_win.h"

#include <windowsx.h>

#include <vector>

#include "scroll/tool_button_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/measure_win.h"
#include "win32/monitors_win.h"

namespace flk {

namespace {
constexpr int kClientHeight = 69, kMemoHeight = 21, kButtonWidth = 141, kButtonHeight = 23, kArrowsHeight = 16;
}  // namespace

bool TfrmScroll::FormCreate(HWND owner) {
  if (!Create(kScrollToolClass, L"Scroll Capture", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
              0, 0, 271, 100, owner))
    return false;
  win::DisableTransitions(hwnd());
  scale_ = win::WindowScale(hwnd());
  font_ = MakeToolFont(scale_);
  arrowBrush_ = MakeArrowBrush();
  memo_ = win::CreateChild(hwnd(), L"STATIC", kScrollHoldText, SS_CENTER | SS_CENTERIMAGE, Rect{}, 101, font_.get());
  ArrangeChildren();
  return true;
}

FlowedForm TfrmScroll::FlowParts(int width) const {
  const int w96 = scale_.ToBase(width);
  const std::vector<Rect> design = {Rect::FromXYWH(0, 0, w96, kMemoHeight),
                                    Rect::FromXYWH(0, kMemoHeight + 2, w96, kButtonHeight),
                                    Rect::FromXYWH(0, kClientHeight - kArrowsHeight, w96, kArrowsHeight)};
  return FlowDown(design, {win::TextHeight(memo_, font_.get(), win::WindowText(memo_), width), 0, 0}, scale_);
}

void TfrmScroll::ArrangeChildren() {
  RECT c = clientRect();
  const int w = c.right;
  const FlowedForm f = FlowParts(w);
  ::MoveWindow(memo_, 0, 0, w, f.rects[0].height(), TRUE);
  const int bw = scale_(kButtonWidth), bh = scale_(kButtonHeight);
  button_ = Rect::FromXYWH((w - bw) / 2, f.rects[1].top, bw, bh);
  arrows_ = Rect{0, c.bottom - scale_(kArrowsHeight), w, c.bottom};
}

void TfrmScroll::Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target) {
  session_ = std::make_unique<ScrollCaptureSession>(area, params);
  target_ = target;
  down_ = false;
  warning_ = false;
  ::SetWindowTextA(memo_, kScrollHoldText);
  const RECT frame = FrameFor(0, scale_(kClientHeight) + FlowParts(area.wd).grownBy);
  const int height = frame.bottom - frame.top;
  // Never above the top of the captured window's monitor.
  const int screenTop = MonitorFor(win::CurrentMonitors(), Rect::FromXYWH(area.ltScn, area.tpScn, area.wd, 1)).area.top;
  PlaceTool(area.ltScn, ToolWindowTop(area.tpScn, height, screenTop), area.wd, height);
  ArrangeChildren();
  ShowWithPointerAt(POINT{(button_.left + button_.right) / 2 + 20, (button_.top + button_.bottom) / 2});
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void TfrmScroll::PerformReaction(const Reaction& r) {
  Perform(r, [this](const action::Status& s) {
    warning_ = s.warning;
    ::SetWindowTextA(memo_, s.text.c_str());
    ::InvalidateRect(memo_, nullptr, TRUE);
  });
}

void TfrmScroll::spbtnScrollDwnMouseDown() {
  if (!session_ || down_) return;
  down_ = true;
  // Esc must reach the tool while the button is held, whichever window had the focus.
  ::SetFocus(hwnd());
  ::SetCapture(hwnd());
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ::UpdateWindow(hwnd());
  TraceLine("MouseDwn");
  PerformReaction(session_->OnPress(screen_));
}

void TfrmScroll::spbtnScrollDwnMouseUp() {
  if (!down_) return;
  down_ = false;
  ::ReleaseCapture();
  StopTicking();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  TraceLine("MouseUp");
  if (session_) PerformReaction(session_->OnRelease(screen_));
}

void TfrmScroll::CloseTool() {
  if (down_) {
    down_ = false;
    ::ReleaseCapture();
  }
  StopTicking();
  if (session_) PerformReaction(session_->OnClose());
  else ::ShowWindow(hwnd(), SW_HIDE);
}

void TfrmScroll::Paint(HDC dc) {
  RECT c = clientRect();
  ::FillRect(dc, &c, ::GetSysColorBrush(COLOR_BTNFACE));
  DrawToolButton(dc, button_, down_, "", 0, font_.get(), true);
  RECT a{arrows_.left, arrows_.top, arrows_.right, arrows_.bottom};
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  ::FillRect(dc, &a, arrowBrush_.get());
}

bool TfrmScroll::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (OnToolMessage(msg, wp, result)) return true;
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      Paint(dc.get());
      return true;
    }
    case WM_CTLCOLORSTATIC:
      *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp),
                                       warning_ ? RGB(255, 0, 0) : ::GetSysColor(COLOR_WINDOWTEXT));
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (button_.contains(Point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) spbtnScrollDwnMouseDown();
      return true;
    case WM_LBUTTONUP: spbtnScrollDwnMouseUp(); return true;
    case WM_CAPTURECHANGED:
      if (down_ && reinterpret_cast<HWND>(lp) != hwnd()) spbtnScrollDwnMouseUp();  // the press ended elsewhere
      return true;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) CloseTool();
      return true;
    case WM_DPICHANGED:
      scale_ = win::WindowScale(hwnd());
      ArrangeChildren();
      return false;
    default: return false;
  }
}

}  // namespace flk
