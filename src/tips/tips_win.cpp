// TfrmTips: the tips book with its tabs at the bottom, the tool bar at the
// right (Next, Previous, Contents, Close), the switch-off box and the "N of M"
// position. Closing in any way stores the page to show at the next start.
#include "tips/tips_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "shell/app_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "shell/point_hint_win.h"
#include "shell/settings.h"
#include "support/contact_win.h"
#include "tips/tip_page_win.h"
#include "tips/tips_book.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

class TfrmTips : public win::Window {
 public:
  TfrmTips(Settings& settings, ContactChoices& contact) : settings_(settings), contact_(contact) {}
  bool FormCreate();
  void ShowTipPage(int index);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void OnDestroyed() override { ::PostQuitMessage(0); }

 private:
  int Px(int v) const { return scale_(v); }
  HWND Child(const wchar_t* cls, const std::string& text, DWORD style, int id);
  void Layout();
  void FormDestroy();
  int ActiveIndex() const { return int(::SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)); }

  Settings& settings_;
  ContactChoices& contact_;
  DpiScale scale_;
  HWND tabs_ = nullptr, nsa_ = nullptr, position_ = nullptr;
  HWND buttons_[7]{};  // btnNext, S1, btnPrev, S2, btnHome, S3, btnClose
  TTipPage page_;
  win::UniqueFont font_;
  bool stored_ = false;
};

HWND TfrmTips::Child(const wchar_t* cls, const std::string& text, DWORD style, int id) {
  return win::CreateChild(hwnd(), cls, text, style, Rect{0, 0, 10, 10}, id, font_.get());
}

bool TfrmTips::FormCreate() {
  // Centred on the camera's monitor (the camera role starts it), and made there
  // so that it has that monitor's scale from the start.
  const Rect screen = CameraScreen();
  const Point middle = CentredIn(screen, Size{100, 100});
  if (!Create(win::Widen(kTipsClass).c_str(), L"", kStyle, 0, middle.x, middle.y, 100, 100)) return false;
  ::SetWindowTextW(hwnd(), win::Widen(kTipsCaption).c_str());
  scale_ = win::WindowScale(hwnd());
  font_ = win::MakeFaceFont(L"Arial", 11, scale_);  // 8 points

  // Client 520 x 340, centred on the work area.
  RECT r{0, 0, Px(kTipsWidth), Px(kTipsHeight)};
  ::AdjustWindowRectExForDpi(&r, kStyle, FALSE, 0, UINT(scale_.dpi));
  const Size size{r.right - r.left, r.bottom - r.top};
  const Point at = CentredIn(screen, size);
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);

  nsa_ = Child(L"BUTTON", kTipsSwitchOffText, BS_AUTOCHECKBOX | WS_TABSTOP, kTipsSwitchOffId);
  position_ = Child(L"STATIC", "1 of 30", SS_CENTER | SS_CENTERIMAGE, kTipsPositionId);
  tabs_ = Child(WC_TABCONTROLW, "", TCS_BOTTOM | TCS_HOTTRACK | WS_CLIPSIBLINGS | WS_TABSTOP, kTipsTabsId);
  for (int i = 0; i < TipPageCount(); ++i) {
    std::wstring caption = win::Widen(TipPageAt(i).caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    ::SendMessageW(tabs_, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  }
  for (int i = 0; i < 7; ++i) {
    const TipsToolButton& b = TipsToolButtons()[size_t(i)];
    buttons_[i] = b.id ? Child(L"BUTTON", b.caption, BS_PUSHBUTTON | WS_TABSTOP, b.id)
                       : Child(L"STATIC", "", WS_DISABLED, 0);
  }
  if (!page_.Create(hwnd(), kTipsPageId,
                    {[this](const std::string& text) {
                       int i = GoToTipPage(text);
                       if (i >= 0) ShowTipPage(i);
                     },
                     [] { AskForCamera(0); },
                     [this] { SendSupportMail(SuggestionMail(), hwnd(), MailHost{.kept = &contact_}); }}))
    return false;
  ::SetWindowPos(page_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Layout();

  // 2: where this start opens.
  TipsStart start = TipsStartOf(settings_.ReadSingleInt("NextTip"));
  ::SendMessageW(nsa_, BM_SETCHECK, start.switchedOff ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowTipPage(start.page);
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(buttons_[0]);
  return true;
}

void TfrmTips::Layout() {
  RECT rc = clientRect();
  const TipsFrameLayout l = LayOutTipsFrame({rc.right, rc.bottom}, scale_);
  auto place = [](HWND w, const Rect& r) { ::MoveWindow(w, r.left, r.top, r.width(), r.height(), TRUE); };
  place(nsa_, l.switchOff);
  place(position_, l.position);
  for (int i = 0; i < 7; ++i) {
    ::ShowWindow(buttons_[i], l.shown[i] ? SW_SHOW : SW_HIDE);
    if (l.shown[i]) place(buttons_[i], l.buttons[i]);
  }
  place(tabs_, l.tabs);
  RECT display{0, 0, l.tabs.width(), l.tabs.height()};
  ::SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  ::OffsetRect(&display, l.tabs.left, l.tabs.top);
  page_.SetBounds(display);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void TfrmTips::ShowTipPage(int index) {
  ::SendMessageW(tabs_, TCM_SETCURSEL, WPARAM(index), 0);
  page_.Show(index);
  ::SetWindowTextW(position_, win::Widen(TipPositionText(ActiveIndex())).c_str());
}

void TfrmTips::FormDestroy() {
  if (stored_) return;
  stored_ = true;
  bool off = ::SendMessageW(nsa_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  settings_.WriteSingleSetting("NextTip", NextTipAtClose(ActiveIndex(), off));
}

bool TfrmTips::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_SIZE:
      if (tabs_) Layout();
      return true;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize = {Px(kTipsMinWidth), Px(kTipsMinHeight)};
      return true;
    }
    case WM_ERASEBKGND: {
      RECT rc = clientRect();
      ::FillRect(reinterpret_cast<HDC>(wp), &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      // pnlBottom's lowered bevel.
      const Rect panel = LayOutTipsFrame({rc.right, rc.bottom}, scale_).bottomPanel;
      RECT bottom{panel.left, panel.top, panel.right, panel.bottom};
      ::FillRect(reinterpret_cast<HDC>(wp), &bottom, ::GetSysColorBrush(COLOR_BTNFACE));
      ::DrawEdge(reinterpret_cast<HDC>(wp), &bottom, BDR_SUNKENOUTER, BF_RECT);
      *result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp)); return true;
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<NMHDR*>(lp);
      if (n->hwndFrom == tabs_ && n->code == TCN_SELCHANGE) ShowTipPage(ActiveIndex());  // PageControl1Change
      return true;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kTipsNextId: ShowTipPage(NextTipIndex(ActiveIndex(), true)); break;
        case kTipsPrevId: ShowTipPage(NextTipIndex(ActiveIndex(), false)); break;
        case kTipsHomeId: ShowTipPage(0); break;
        case kTipsCloseId: ::DestroyWindow(hwnd()); break;
        case kTipsSwitchOffId:
          if (HIWORD(wp) == BN_CLICKED && ::SendMessageW(nsa_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            MessageBoxText(hwnd(), kTipsSwitchedOffMessage, ApplicationTitleText(), MB_OK | MB_ICONINFORMATION);
            ::DestroyWindow(hwnd());
          }
          break;
      }
      return true;
    case WM_HELP:
      ShowHelp(hwnd(), kTipsHelpContext);
      *result = TRUE;
      return true;
    case WM_CLOSE:
      ::DestroyWindow(hwnd());
      return true;
    case WM_DESTROY:
      FormDestroy();
      return true;
  }
  return false;
}

}  // namespace

int RunTipsRole() {
  // 1: one tips window per user session.
  if (win::BringForwardRunning(kTipsClass, kTipsCaption)) return 0;
  RoleSettings settings;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  ContactChoices contact;
  auto form = std::make_unique<TfrmTips>(settings.settings(), contact);
  if (!form->FormCreate()) return 1;
  HWND h = form->hwnd();
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // KeyPreview: Esc ends the book, F1 opens help, wherever the focus is.
    if (msg.message == WM_KEYDOWN && ::IsWindow(h) && (msg.hwnd == h || ::IsChild(h, msg.hwnd))) {
      if (msg.wParam == VK_ESCAPE) {
        ::DestroyWindow(h);
        continue;
      }
      if (msg.wParam == VK_F1) {
        ShowHelp(h, kTipsHelpContext);
        continue;
      }
    }
    if (::IsWindow(h) && ::IsDialogMessageW(h, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

}  // namespace flk
