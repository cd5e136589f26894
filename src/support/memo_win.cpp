#include "support/memo_win.h"

#include "base/strings.h"
#include "output/print_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "support/contact.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

enum Id { kMemo = 401, kCopy, kPrint, kSend, kClose };

std::wstring EditText(const std::string& text) { return win::Widen(WithCrLf(text)); }

}  // namespace

TfrmMemo::~TfrmMemo() {
  if (tracing_) SetTraceSink(nullptr);
}

bool TfrmMemo::FormCreate(HWND owner) {
  scale_ = win::WindowScale(nullptr);
  if (!Create(L"TfrmMemo", win::Widen(kDiagnosticsCaption).c_str(), WS_OVERLAPPEDWINDOW, 0, CW_USEDEFAULT,
              CW_USEDEFAULT, scale_(kMemoWidth), scale_(300), owner))
    return false;
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  HFONT font = win::FontOrDefault(font_);
  memo_ = win::CreateChild(hwnd(), L"EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER,
                           Rect{0, 0, 10, 10}, kMemo, font);
  for (int i = 0; i < 4; ++i)
    buttons_[i] = win::CreateChild(hwnd(), L"BUTTON", kMemoButtonCaptions[i], BS_PUSHBUTTON | WS_TABSTOP, Rect{0, 0, 10, 10},
                                   kCopy + i, font);
  // The last report opened receives the lines.
  SetTraceSink([this](const std::string& line) { AppendLine(line); });
  tracing_ = true;
  return memo_ != nullptr;
}

void TfrmMemo::Arrange() {
  RECT c = clientRect();
  MemoLayout l = LayOutMemo({c.right, c.bottom}, scale_);
  ::MoveWindow(memo_, l.memo.left, l.memo.top, l.memo.width(), l.memo.height(), TRUE);
  for (int i = 0; i < 4; ++i)
    ::MoveWindow(buttons_[i], l.buttons[i].left, l.buttons[i].top, l.buttons[i].width(), l.buttons[i].height(), TRUE);
}

bool TfrmMemo::ShowText(const std::string& text, HWND owner) {
  if (!hwnd() && !FormCreate(owner)) return false;
  ::SetWindowTextW(memo_, EditText(text).c_str());
  int letter = 13;
  {
    win::WindowDC dc(memo_);
    win::SelectedObject sel(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(memo_, WM_GETFONT, 0, 0)));
    SIZE a{};
    if (::GetTextExtentPoint32W(dc.get(), L"A", 1, &a) && a.cy > 0) letter = a.cy;
  }
  RECT r;
  ::GetWindowRect(hwnd(), &r);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, DiagnosticsWindowHeight(text, letter),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Arrange();
  KeepOnScreen(hwnd());
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  return true;
}

void TfrmMemo::Hide() {
  // The activation goes back to the window that asked for the report, not to
  // whichever window happens to be next.
  HWND owner = ::GetWindow(hwnd(), GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && ::IsWindowEnabled(owner) && ::GetActiveWindow() == hwnd())
    ::SetActiveWindow(owner);
  ::ShowWindow(hwnd(), SW_HIDE);
}

std::string TfrmMemo::Text() const { return memo_ ? win::WindowText(memo_) : std::string(); }

void TfrmMemo::AppendLine(const std::string& line) {
  if (!memo_) return;
  int end = ::GetWindowTextLengthW(memo_);
  ::SendMessageW(memo_, EM_SETSEL, WPARAM(end), LPARAM(end));
  std::wstring w = EditText("\r\n" + line);
  ::SendMessageW(memo_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(w.c_str()));
}

bool TfrmMemo::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_SIZE: Arrange(); return true;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kCopy: win::PutClipboardText(hwnd(), Text()); return true;
        case kPrint: PrintPlainText(kDiagnosticsCaption, Text(), printer_, hwnd()); return true;
        case kSend:
          if (send_) send_(Text(), hwnd());
          return true;
        case kClose:
        case IDCANCEL: Hide(); return true;
      }
      return false;
    case WM_CLOSE: Hide(); return true;  // hidden, kept for the next report
  }
  return false;
}

}  // namespace flk
