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

constexpr int kEditIds[] = {kIdEditIndexCol, kIdEditScanLt, kIdEditScanTp, kIdEditScanRt, kIdEditScanBt, kIdEditRtMargin};

constexpr int kScrollSettingsHelp = 2;

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
  // Laid out at design size times the width of "A" over 7, never below the DPI scale.
  DpiScale L = win::WindowScale(hwnd());
  {
    win::WindowDC dc(hwnd());
    win::SelectedObject sel(dc.get(), font_.get());
    SIZE a{7, 13};
    ::GetTextExtentPoint32W(dc.get(), L"A", 1, &a);
    L = DpiScaleOf(std::max(int(a.cx) * kBaseDpi / 7, L.dpi));
  }
  const Size client = L(kScrollSettingsClient);
  RECT frame{0, 0, client.width, client.height};
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);

  HWND tab = win::CreateChild(hwnd(), WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, L(kScrollSettingsTabs),
                              kIdTabControl1, font_.get());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Scroll Capture");
  ::SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.pszText = const_cast<wchar_t*>(L"Robo Capture");
  ::SendMessageW(tab, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
  win::CreateControls(hwnd(), ScrollSettingsControls(), L, font_.get());

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
