#include "shell/tip_box_win.h"

#include <algorithm>

#include "base/strings.h"
#include "shell/help_win.h"
#include "shell/point_hint_win.h"
#include "shell/settings.h"
#include "shell/tip_font_win.h"
#include "shell/tips_layout.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr UINT_PTR kTimer1Id = 1;
constexpr int kPanelBorder = 10;   // pnlTp's border width around Memo1
constexpr int kBottomHeight = 50;  // pnlBt
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

std::unique_ptr<TfrmNSA> g_tipBox;

// Memo text: the tip's line breaks as the edit control wants them.
std::wstring MemoText(const std::string& text) {
  return win::Widen(WithCrLf(text));
}
}  // namespace

bool TfrmNSA::FormCreate() {
  scale_ = win::WindowScale(nullptr);
  RECT r{0, 0, scale_(kTipBoxClientWidth), scale_(kTipBoxClientHeight)};
  ::AdjustWindowRectEx(&r, kFormStyle, FALSE, kFormExStyle);
  if (!Create(kTipBoxClass, L"", kFormStyle, kFormExStyle, 0, 0, r.right - r.left, r.bottom - r.top)) return false;
  HFONT font = TipFont(scale_);
  const Rect any{0, 0, 10, 10};  // ArrangeChildren places them
  memo_ = win::CreateChild(hwnd(), L"EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, any, kTipMemoId, font);
  check_ = win::CreateChild(hwnd(), L"BUTTON", kTipCheckBoxCaption, BS_AUTOCHECKBOX | WS_TABSTOP, any,
                            kTipCheckBoxId, font);
  ok_ = win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, any, IDOK, font);
  ArrangeChildren();
  return memo_ && check_ && ok_;
}

int TfrmNSA::LetterHeight() const {
  win::WindowDC dc(hwnd());
  win::SelectedObject font(dc.get(), TipFont(scale_));
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), L"A", 1, &size);
  return size.cy > 0 ? size.cy : scale_(13);
}

void TfrmNSA::ArrangeChildren() {
  RECT c = clientRect();
  const DpiScale& s = scale_;
  const int border = s(kPanelBorder), bottomTop = c.bottom - s(kBottomHeight);
  ::MoveWindow(memo_, border, border, std::max(0, int(c.right) - 2 * border), std::max(0, bottomTop - 2 * border),
               TRUE);
  ::MoveWindow(check_, s(88), bottomTop, s(168), s(17), TRUE);
  ::ShowWindow(check_, instructions_ ? SW_HIDE : SW_SHOWNA);
  ::MoveWindow(ok_, s(instructions_ ? 98 : 135), bottomTop + s(20), s(75), s(25), TRUE);
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
  const Point at = TipBoxPosition(corner, width, height, BoxScreenOfThisProcess());
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeChildren();
  return RunTipBox(corner);
}

int TfrmNSA::RunTipBox(bool corner) {
  if (corner) ::SetTimer(hwnd(), kTimer1Id, kTipBoxTopmostMs, nullptr);

  modalResult_ = 2;
  win::ModalOptions options;
  options.disableThreadWindows = true;
  // Key preview: Esc anywhere in the form closes it with 2 and stores nothing.
  options.keyPreview = DialogKeys(hwnd(), helpContext_, [this] { EndModal(); });
  // Kept hidden for the next tip.
  const int result = RunModal(options, AfterModal::Hide) ? modalResult_ : 2;

  if (corner && hwnd()) {
    ::KillTimer(hwnd(), kTimer1Id);
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kTipBoxTopmostFlags);
  }
  return result;
}

void TfrmNSA::btnOkClick() {
  modalResult_ = 1;
  EndModal();
  if (key_.empty()) return;  // instructions: nothing to remember
  bool ticked = ::SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  AppSettings().WriteSingleSetting(key_, ticked);
}

void TfrmNSA::Timer1Timer() { ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kTipBoxTopmostFlags); }

bool TfrmNSA::OnCommand(int id, int notification) {
  if (id == IDOK && notification == BN_CLICKED) {
    btnOkClick();
    return true;
  }
  return id != IDCANCEL;  // Cancel ends the box with 2
}

bool TfrmNSA::OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1Id) Timer1Timer();
      *result = 0;
      return true;
    case WM_CTLCOLORSTATIC:  // the read-only memo on the button face
      if (reinterpret_cast<HWND>(lp) == memo_) {
        *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_WINDOWTEXT));
        return true;
      }
      return false;
    case WM_HELP:
      ShowHelp(hwnd(), helpContext_);
      *result = TRUE;
      return true;
    default: return false;
  }
}

namespace {
// The process's box, made at first use; nothing while it is already up: one
// box at a time, and a tip asked for meanwhile (from a timer, say) counts as not shown.
TfrmNSA* FreeTipBoxForm() {
  if (!g_tipBox) {
    auto box = std::make_unique<TfrmNSA>();
    if (!box->FormCreate()) return nullptr;
    g_tipBox = std::move(box);
  }
  return ::IsWindowVisible(g_tipBox->hwnd()) ? nullptr : g_tipBox.get();
}
}  // namespace

int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int helpContext, bool corner) {
  if (AppSettings().ReadSingleBool(key)) return 1;
  TfrmNSA* box = FreeTipBoxForm();
  return box ? box->Execute(key, caption, text, helpContext, corner) : 1;
}

int TfrmNSA::ExecuteInstructions(const std::string& caption, const std::string& text, int width, int height,
                                 int helpContext) {
  ::SetWindowTextW(hwnd(), win::Widen(caption).c_str());
  ::SetWindowTextW(memo_, MemoText(text).c_str());
  key_.clear();
  helpContext_ = helpContext;
  instructions_ = true;
  RECT wr;
  ::GetWindowRect(hwnd(), &wr);
  const int designWidth = wr.right - wr.left;
  const Size size = scale_(Size{width, height});
  const Point at = TipBoxPosition(true, size.width, size.height, BoxScreenOfThisProcess());
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeChildren();
  int result = RunTipBox(true);
  // The box is the how-to tip again: check box back, its own width and OK place.
  instructions_ = false;
  if (hwnd()) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, designWidth, wr.bottom - wr.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeChildren();
  }
  return result;
}

int ShowInstructions(const std::string& caption, const std::string& text, int width, int height, int helpContext) {
  TfrmNSA* box = FreeTipBoxForm();
  return box ? box->ExecuteInstructions(caption, text, width, height, helpContext) : 1;
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
