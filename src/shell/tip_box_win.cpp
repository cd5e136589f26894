#include "shell/tip_box_win.h"

#include <algorithm>

#include "shell/settings.h"
#include "shell/tip_modal_win.h"
#include "shell/tips_layout.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr UINT_PTR kTimer1Id = 1;
constexpr int kPanelBorder = 10;   // pnlTp's border width around Memo1
constexpr int kBottomHeight = 50;  // pnlBt
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

std::unique_ptr<TfrmNSA> g_tipBox;

HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
  HWND h = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(INT_PTR(id)), win::ModuleInstance(), nullptr);
  if (h) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(TipFont()), FALSE);
  return h;
}

// Memo text: the tip's line breaks as the edit control wants them.
std::wstring MemoText(const std::string& text) {
  std::wstring w = win::Widen(text), out;
  out.reserve(w.size());
  for (size_t i = 0; i < w.size(); ++i) {
    if (w[i] == L'\n' && (i == 0 || w[i - 1] != L'\r')) out += L'\r';
    out += w[i];
  }
  return out;
}
}  // namespace

bool TfrmNSA::FormCreate() {
  RECT r{0, 0, kTipBoxClientWidth, kTipBoxClientHeight};
  ::AdjustWindowRectEx(&r, kFormStyle, FALSE, kFormExStyle);
  if (!Create(kTipBoxClass, L"", kFormStyle, kFormExStyle, 0, 0, r.right - r.left, r.bottom - r.top)) return false;
  memo_ = MakeChild(hwnd(), L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kTipMemoId);
  check_ = MakeChild(hwnd(), L"BUTTON", win::Widen(kTipCheckBoxCaption).c_str(), BS_AUTOCHECKBOX | WS_TABSTOP,
                     kTipCheckBoxId);
  ok_ = MakeChild(hwnd(), L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
  ArrangeChildren();
  return memo_ && check_ && ok_;
}

int TfrmNSA::LetterHeight() const {
  win::WindowDC dc(hwnd());
  win::SelectedObject font(dc.get(), TipFont());
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), L"A", 1, &size);
  return size.cy > 0 ? size.cy : 13;
}

void TfrmNSA::ArrangeChildren() {
  RECT c;
  ::GetClientRect(hwnd(), &c);
  const int bottomTop = c.bottom - kBottomHeight;
  ::MoveWindow(memo_, kPanelBorder, kPanelBorder, std::max(0, int(c.right) - 2 * kPanelBorder),
               std::max(0, bottomTop - 2 * kPanelBorder), TRUE);
  ::MoveWindow(check_, 88, bottomTop, 168, 17, TRUE);
  ::MoveWindow(ok_, 135, bottomTop + 20, 75, 25, TRUE);
}

int TfrmNSA::Execute(const std::string& key, const std::string& caption, const std::string& text, int helpContext,
                     bool corner) {
  ::SetWindowTextW(hwnd(), win::Widen(caption).c_str());
  ::SetWindowTextW(memo_, MemoText(text).c_str());
  key_ = key;
  ::SendMessageW(check_, BM_SETCHECK, BST_UNCHECKED, 0);
  helpContext_ = helpContext;

  RECT wr;
  ::GetWindowRect(hwnd(), &wr);
  const int width = wr.right - wr.left;
  const int height = TipBoxHeight(text, LetterHeight());
  const Point at =
      TipBoxPosition(corner, width, height, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeChildren();
  if (corner) ::SetTimer(hwnd(), kTimer1Id, kTipBoxTopmostMs, nullptr);

  modalResult_ = 0;
  // Key preview: Esc anywhere in the form closes it with 2 and stores nothing.
  int result = RunTipModal(hwnd(), &modalResult_, [this](const MSG& m) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE && (m.hwnd == hwnd() || ::IsChild(hwnd(), m.hwnd))) {
      modalResult_ = 2;
      return true;
    }
    // F1 as the system's WM_HELP would have it (not every system sends that).
    if (m.message == WM_KEYDOWN && m.wParam == VK_F1 && (m.hwnd == hwnd() || ::IsChild(hwnd(), m.hwnd))) {
      ShowTipHelp(hwnd(), helpContext_);
      return true;
    }
    return false;
  });

  if (corner && hwnd()) {
    ::KillTimer(hwnd(), kTimer1Id);
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kTipBoxTopmostFlags);
  }
  return result;
}

void TfrmNSA::btnOkClick() {
  bool ticked = ::SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  AppSettings().WriteSingleSetting(key_, ticked);
  modalResult_ = 1;
}

void TfrmNSA::Timer1Timer() { ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kTipBoxTopmostFlags); }

bool TfrmNSA::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
        btnOkClick();
      } else if (LOWORD(wp) == IDCANCEL) {
        modalResult_ = 2;
      }
      *result = 0;
      return true;
    case DM_GETDEFID: *result = MAKELRESULT(IDOK, DC_HASDEFID); return true;
    case WM_CLOSE:  // the close box: result 2, the form stays for the next tip
      modalResult_ = 2;
      *result = 0;
      return true;
    case WM_TIMER:
      if (wp == kTimer1Id) Timer1Timer();
      *result = 0;
      return true;
    case WM_CTLCOLORSTATIC:  // the read-only memo on the button face
      if (reinterpret_cast<HWND>(lp) == memo_) {
        HDC dc = reinterpret_cast<HDC>(wp);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        return true;
      }
      return false;
    case WM_HELP:
      ShowTipHelp(hwnd(), helpContext_);
      *result = TRUE;
      return true;
    default: return false;
  }
}

int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int helpContext, bool corner) {
  if (AppSettings().ReadSingleSetting(key, false)) return 1;
  if (!g_tipBox) {
    auto box = std::make_unique<TfrmNSA>();
    if (!box->FormCreate()) return 1;
    g_tipBox = std::move(box);
  }
  // One box at a time: a tip asked for while another is up (from a timer, say)
  // counts as not shown.
  if (::IsWindowVisible(g_tipBox->hwnd())) return 1;
  return g_tipBox->Execute(key, caption, text, helpContext, corner);
}

void FreeTipBox() { g_tipBox.reset(); }

int ShowColorDepthTipIfPaletteScreen() {
  bool palette;
  {
    win::WindowDC screen(nullptr);
    if (!screen) return 0;
    palette = IsPaletteScreen(::GetDeviceCaps(screen.get(), RASTERCAPS), ::GetDeviceCaps(screen.get(), NUMCOLORS));
  }
  if (!palette) return 0;
  return ShowTip(kColorDepthTipKey, kColorDepthTipCaption, kColorDepthTipText, kColorDepthTipHelpContext, false);
}

}  // namespace flk
