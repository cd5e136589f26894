#include "shell/common_form_win.h"

#include <commdlg.h>

#include "shell/common_services_win.h"
#include "win32/screen_win.h"
#include "win32/unique_handle.h"


namespace flk {

namespace {
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kTimerAnimationId = 2;
constexpr int kFormSize = 25;  // Image1's size; the animation resizes the form as it needs
constexpr int kBorderWidth = 2;

}  // namespace

TfrmCommon::TfrmCommon() = default;

TfrmCommon::~TfrmCommon() {
  if (hwnd()) {
    ::KillTimer(hwnd(), kTimer1Id);
    ::KillTimer(hwnd(), kTimerAnimationId);
  }
}

bool TfrmCommon::FormCreate() {
  // A bare popup without caption or border icons: it paints its own 2-pixel
  // frame around the animation's picture, so that the window is exactly the
  // picture's width plus 4 whatever frame sizes the system uses.
  return Create(kCommonFormClass, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, kFormSize, kFormSize);
}

// ---- printer setup ----------------------------------------------------------

bool TfrmCommon::PrinterSetupDialog1Execute(HWND owner, DWORD* error) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_PRINTSETUP;
  // The dialog may free and reallocate the memory it is given; whatever it
  // hands back is ours again.
  pd.hDevMode = devMode_.release();
  pd.hDevNames = devNames_.release();
  BOOL ok = ::PrintDlgW(&pd);
  DWORD code = ok ? 0 : ::CommDlgExtendedError();
  devMode_.reset(pd.hDevMode);
  devNames_.reset(pd.hDevNames);
  if (error) *error = code;
  return ok != FALSE;
}

// ---- hover watch ------------------------------------------------------------

void TfrmCommon::SetTimer1(bool on) {
  if (!hwnd()) return;
  if (on)
    ::SetTimer(hwnd(), kTimer1Id, kCommonTimer1Ms, nullptr);
  else
    ::KillTimer(hwnd(), kTimer1Id);
  timer1On_ = on;
}

void TfrmCommon::WatchHover(HoverTarget* button, int offsetX, int offsetY, int width, int height) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  if (hover_.Enter(button, cursor.x, cursor.y, offsetX, offsetY, width, height) == HoverWatch::Timer::Start)
    SetTimer1(true);
}

void TfrmCommon::ForgetHover(HoverTarget* button) {
  if (hover_.Forget(button) == HoverWatch::Timer::Stop) SetTimer1(false);
}

void TfrmCommon::Timer1Timer() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  if (hover_.Poll(cursor.x, cursor.y) == HoverWatch::Timer::Stop) SetTimer1(false);
}

// ---- animation timer ----------------------------------------------------------

void TfrmCommon::StartTimerAnimation() {
  if (!hwnd()) return;
  ::SetTimer(hwnd(), kTimerAnimationId, kCommonTimerAnimationMs, nullptr);
  animationOn_ = true;
}

void TfrmCommon::StopTimerAnimation() {
  if (hwnd()) ::KillTimer(hwnd(), kTimerAnimationId);
  animationOn_ = false;
}

void TfrmCommon::SetImage1(std::optional<Picture> picture) {
  image1_ = std::move(picture);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmCommon::Paint() {
  win::PaintDC paint(hwnd());
  HDC dc = paint.get();
  RECT rc = clientRect();
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  if (image1_) win::DrawPicture(dc, *image1_, kBorderWidth, kBorderWidth);
  DrawThickFrame(dc, true, rc.right, kBorderWidth, rc.bottom);
}

bool TfrmCommon::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  if (msg == WM_ERASEBKGND) {
    *result = 1;
    return true;
  }
  if (msg == WM_PAINT) {
    Paint();
    *result = 0;
    return true;
  }
  if (msg == WM_TIMER) {
    if (wp == kTimer1Id) {
      Timer1Timer();
    } else if (wp == kTimerAnimationId) {
      if (onAnimationTick) onAnimationTick();
    }
    *result = 0;
    return true;
  }
  return false;
}

}  // namespace flk
