#include "setup/setup_form_win.h"

#include "setup/install_steps.h"
#include "shell/names.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
enum Id { kMemo = 501 };
constexpr UINT_PTR kTimer1 = 1;
constexpr int kPicture = kSetupPicture;
}  // namespace

int TfrmSetup::Run() {
  scale_ = win::WindowScale(nullptr);
  const DpiScale& s = scale_;
  if (!win::CreateDialogForm(*this, L"TfrmSetup", texts_.caption + " version " + kProgramVersion,
                             Size{kSetupFormWidth, kSetupFormHeight}, s, win::FormPlace::ScreenCentre, nullptr))
    return 1;
  font_ = win::MakeSystemFont(win::SystemFont::Message, s);
  HFONT font = win::FontOrDefault(font_);
  const SetupFormLayout l = LayOutSetupForm();
  memo_ = win::CreateChild(hwnd(), L"STATIC", texts_.memo, SS_LEFT | SS_NOPREFIX, s(l.memo), kMemo, font);
  win::CreateChild(hwnd(), L"BUTTON", texts_.ok, BS_DEFPUSHBUTTON | WS_TABSTOP, s(l.ok), IDOK, font);
  win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, s(l.cancel), IDCANCEL, font);
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(::GetDlgItem(hwnd(), IDOK));
  MSG msg;
  while (!done_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(hwnd(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::DestroyWindow(hwnd());
  return code_;
}

void TfrmSetup::Finish(int code) {
  code_ = code;
  done_ = true;
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);  // wake the loop
}

void TfrmSetup::SetMemo(const std::string& text) {
  ::SetWindowTextW(memo_, win::Widen(text).c_str());
  ::UpdateWindow(memo_);
}

void TfrmSetup::After(UINT ms, std::function<void()> work) {
  timerWork_ = std::move(work);
  ::SetTimer(hwnd(), kTimer1, ms, nullptr);
}

void TfrmSetup::Paint(HDC dc) {
  // The product picture: the program's icon, large.
  int size = scale_(kPicture);
  win::UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  RECT frame{scale_(12), scale_(12), scale_(12) + size + scale_(8), scale_(12) + size + scale_(8)};
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (icon) ::DrawIconEx(dc, frame.left + scale_(4), frame.top + scale_(4), icon.get(), size, size, 0, nullptr, DI_NORMAL);
}

bool TfrmSetup::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      Paint(dc.get());
      return true;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        if (onOk_) onOk_(*this);
      } else if (LOWORD(wp) == IDCANCEL) {
        Finish(0);
      }
      return true;
    case WM_CLOSE: Finish(0); return true;
    case WM_TIMER:
      if (wp == kTimer1) {
        ::KillTimer(hwnd(), kTimer1);
        if (auto work = std::move(timerWork_)) work();
      }
      return true;
  }
  return false;
}

}  // namespace flk
