#include "shell/common_form_win.h"

#include <commdlg.h>


namespace flk {

namespace {
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kTimerAnimationId = 2;
constexpr int kFormSize = 25;  // Image1's size; the animation resizes the form as it needs

}  // namespace

TfrmCommon::TfrmCommon() = default;

TfrmCommon::~TfrmCommon() {
  if (hwnd()) {
    ::KillTimer(hwnd(), kTimer1Id);
    ::KillTimer(hwnd(), kTimerAnimationId);
  }
}

bool TfrmCommon::FormCreate() {
  // A sizable form without border icons; it loses its caption once created,
  // leaving a bare frame around the animation's picture.
  if (!Create(kCommonFormClass, L"", WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW, 0, 0, kFormSize,
              kFormSize))
    return false;
  LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
  ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
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

bool TfrmCommon::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
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
