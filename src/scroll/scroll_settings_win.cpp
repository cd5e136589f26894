#include "scroll/scroll_settings_win.h"

#include <commctrl.h>

#include <algorithm>

#include "scroll/tool_button_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"

namespace flk {

namespace {

constexpr char kMemoText[] =
    "Go ahead and change these settings -- it won't hurt the computer. But\r\n"
    "they're here mostly so tech support can fix any incompatibilities you find.";
constexpr int kEditIds[] = {kIdEditIndexCol, kIdEditScanLt, kIdEditScanTp, kIdEditScanRt, kIdEditScanBt, kIdEditRtMargin};

constexpr int kScrollSettingsHelp = 2;

struct Layout {
  int num = 1, den = 1;
  int operator()(int v) const { return v * num / den; }
  Rect operator()(int x, int y, int w, int h) const { return Rect{(*this)(x), (*this)(y), (*this)(x + w), (*this)(y + h)}; }
};

}  // namespace

int ShowScrollSettings(HWND owner, ScrollParams& scroll, ScrollParams& robo, bool scrollTab) {
  TfrmScrollSettings form(scroll, robo, scrollTab);
  if (!form.FormCreate(owner)) return 2;
  return form.Execute(owner);
}

bool TfrmScrollSettings::FormCreate(HWND owner) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&icc);
  // Not WS_CLIPCHILDREN: the group boxes are transparent and the tab control
  // beneath them clips its siblings, so only the form's own background can show through them.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (!Create(kScrollSettingsClass, L"Scrolling Capture Fine Tuning", style, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
              0, 0, 514, 389, owner))
    return false;
  font_ = MakeToolFont(win::WindowScale(hwnd()));
  // Layout at design size times the width of "A" over 7, never below the DPI scale.
  Layout L;
  {
    win::WindowDC dc(hwnd());
    win::SelectedObject sel(dc.get(), font_.get());
    SIZE a{7, 13};
    ::GetTextExtentPoint32W(dc.get(), L"A", 1, &a);
    const int dpi = win::WindowScale(hwnd()).dpi;
    L.num = std::max(int(a.cx) * kBaseDpi, 7 * dpi);
    L.den = 7 * kBaseDpi;
  }
  RECT frame{0, 0, L(514), L(389)};
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);

  HFONT f = font_.get();
  HWND tab = win::CreateChild(hwnd(), WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, L(4, 4, 506, 330),
                              kIdTabControl1, f);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Scroll Capture");
  ::SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.pszText = const_cast<wchar_t*>(L"Robo Capture");
  ::SendMessageW(tab, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
  auto child = [&](const wchar_t* cls, const std::string& text, DWORD st, Rect r, int id, DWORD ex = 0) {
    return win::CreateChild(hwnd(), cls, text, st, r, id, f, ex);
  };
  child(L"STATIC", "", SS_CENTER, L(12, 34, 490, 18), kIdLblTop);
  child(L"STATIC", kMemoText, SS_CENTER, L(12, 54, 490, 32), kIdMemo1);
  auto group = [&](const char* caption, Rect r) { child(L"BUTTON", caption, BS_GROUPBOX, r, 0); };
  auto radios = [&](int firstId, const char* const* items, int count, int x, int y, int colWidth) {
    const int rows = (count + 1) / 2;
    for (int i = 0; i < count; ++i)
      child(L"BUTTON", items[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
            L(x + (i / rows) * colWidth, y + (i % rows) * 20, colWidth - 4, 18), firstId + i);
  };
  group("Image size limit", L(14, 92, 150, 88));
  radios(kIdRdoSize, kSizeItems.data(), int(kSizeItems.size()), 22, 110, 70);
  group("Wait", L(172, 92, 170, 108));
  radios(kIdRdoWait, kWaitItems.data(), int(kWaitItems.size()), 180, 110, 80);
  group("Step size", L(350, 92, 150, 88));
  radios(kIdRdoStep, kStepItems.data(), int(kStepItems.size()), 358, 110, 70);
  // The letters tech support names on the telephone, each with what it is.
  child(L"BUTTON", kCaptionA, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, L(22, 208, 250, 20), kIdChkMessage);
  child(L"BUTTON", kCaptionB, BS_AUTOCHECKBOX | WS_TABSTOP, L(22, 232, 250, 20), kIdChkSrchVScroll);
  group(kCaptionC, L(14, 258, 150, 58));
  child(L"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, L(24, 282, 20, 20), kIdChkIndex);
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(56, 280, 60, 22), kIdEditIndexCol, WS_EX_CLIENTEDGE);
  group(kCaptionD, L(172, 258, 108, 58));
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(190, 280, 60, 22), kIdEditRtMargin, WS_EX_CLIENTEDGE);
  group(kCaptionE, L(286, 206, 214, 110));
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(362, 224, 56, 22), kIdEditScanTp, WS_EX_CLIENTEDGE);
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(292, 254, 56, 22), kIdEditScanLt, WS_EX_CLIENTEDGE);
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(434, 254, 56, 22), kIdEditScanRt, WS_EX_CLIENTEDGE);
  child(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, L(362, 284, 56, 22), kIdEditScanBt, WS_EX_CLIENTEDGE);
  child(L"BUTTON", "&Restore defaults", BS_PUSHBUTTON | WS_TABSTOP, L(10, 348, 130, 26), kIdBtnRestore);
  child(L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, L(336, 348, 80, 26), IDOK);
  child(L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, L(424, 348, 80, 26), IDCANCEL);

  // The tab control lies beneath the controls it holds (tab order unchanged otherwise).
  ::SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageW(tab, TCM_SETCURSEL, dlg_.scrollTab() ? 0 : 1, 0);
  WriteControls(dlg_.Load());
  // The horizontal centre at the pointer, the top at it, then fully on the screen.
  POINT p;
  ::GetCursorPos(&p);
  RECT wr;
  ::GetWindowRect(hwnd(), &wr);
  ::SetWindowPos(hwnd(), nullptr, p.x - (wr.right - wr.left) / 2, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  KeepOnScreen(hwnd());
  return true;
}

int TfrmScrollSettings::Execute(HWND owner) {
  modalResult_ = 0;
  win::ModalOptions o;
  o.owner = owner;
  o.focus = Item(IDOK);
  // F1 opens the fine tuning's page, Esc cancels, wherever the focus is.
  o.keyPreview = DialogKeys(hwnd(), kScrollSettingsHelp, [this] { modalResult_ = 2; });
  if (!win::RunModalLoop(hwnd(), [this] { return modalResult_ != 0; }, o)) modalResult_ = 2;
  ::DestroyWindow(hwnd());
  return modalResult_;
}

SettingsControls TfrmScrollSettings::ReadControls() const {
  SettingsControls c;
  auto checked = [&](int id) { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  auto chosen = [&](int first, size_t count) {
    for (int i = 0; i < int(count); ++i)
      if (checked(first + i)) return i;
    return 0;
  };
  c.rdoSize = chosen(kIdRdoSize, kSizeItems.size());
  c.rdoWait = chosen(kIdRdoWait, kWaitItems.size());
  c.rdoStep = chosen(kIdRdoStep, kStepItems.size());
  c.chkMessage = checked(kIdChkMessage);
  c.chkSrchVScroll = checked(kIdChkSrchVScroll);
  c.chkIndex = checked(kIdChkIndex);
  std::string* edits[] = {&c.editIndexCol, &c.editScanLt, &c.editScanTp, &c.editScanRt, &c.editScanBt, &c.editRtMargin};
  for (int i = 0; i < 6; ++i) *edits[i] = win::WindowText(Item(kEditIds[i]));
  return c;
}

void TfrmScrollSettings::WriteControls(const SettingsControls& c) {
  ::SetWindowTextA(Item(kIdLblTop), c.lblTop.c_str());
  auto check = [&](int id, bool on) { ::SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); };
  for (size_t i = 0; i < kSizeItems.size(); ++i) check(kIdRdoSize + int(i), int(i) == c.rdoSize);
  for (size_t i = 0; i < kWaitItems.size(); ++i) check(kIdRdoWait + int(i), int(i) == c.rdoWait);
  for (size_t i = 0; i < kStepItems.size(); ++i) check(kIdRdoStep + int(i), int(i) == c.rdoStep);
  check(kIdChkMessage, c.chkMessage);
  check(kIdChkSrchVScroll, c.chkSrchVScroll);
  check(kIdChkIndex, c.chkIndex);
  const std::string* edits[] = {&c.editIndexCol, &c.editScanLt, &c.editScanTp, &c.editScanRt, &c.editScanBt, &c.editRtMargin};
  for (int i = 0; i < 6; ++i) ::SetWindowTextW(Item(kEditIds[i]), win::Widen(*edits[i]).c_str());
  ::EnableWindow(Item(kIdEditIndexCol), c.editIndexColEnabled);
}

bool TfrmScrollSettings::Refuse(const std::optional<StoreError>& e) {
  if (!e) return false;
  ::MessageBoxW(hwnd(), win::Widen(e->message).c_str(), L"FramelarkPro", MB_OK | MB_ICONERROR);
  HWND edit = Item(kEditIds[std::clamp(e->field, 0, 5)]);
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  return true;
}

void TfrmScrollSettings::btnOKClick() {
  if (!Refuse(dlg_.Ok(ReadControls()))) modalResult_ = 1;
}

bool TfrmScrollSettings::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: btnOKClick(); return true;
        case IDCANCEL: modalResult_ = 2; return true;
        case kIdBtnRestore: WriteControls(dlg_.Restore()); return true;
        case kIdChkIndex:
          ::EnableWindow(Item(kIdEditIndexCol), ::SendMessageW(Item(kIdChkIndex), BM_GETCHECK, 0, 0) == BST_CHECKED);
          return true;
        default: return false;
      }
    case WM_NOTIFY: {
      const NMHDR* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->idFrom != UINT_PTR(kIdTabControl1)) return false;
      if (n->code == TCN_SELCHANGING) {
        *result = Refuse(dlg_.TabChanging(ReadControls())) ? TRUE : FALSE;  // TRUE keeps the tab
        return true;
      }
      if (n->code == TCN_SELCHANGE) {
        int sel = int(::SendMessageW(n->hwndFrom, TCM_GETCURSEL, 0, 0));
        WriteControls(dlg_.TabChange(sel == 0));
        return true;
      }
      return false;
    }
    case WM_CLOSE: modalResult_ = 2; return true;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) modalResult_ = 2;
      return wp == VK_ESCAPE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp)); return true;
    default: return false;
  }
}

}  // namespace flk
