// TfrmCamCustom, "Customize Framelark", and the camera's side of it: its
// appearance as one record, applied at once while the dialog is open.
#include "camera/cam_custom_win.h"

#include <array>
#include <string>

#include "camera/cam_custom.h"
#include "camera/camera_win.h"
#include "output/picture_store.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/startup_settings.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

// ---- the camera's side ------------------------------------------------------------------

CamAppearance TfrmCam::Appearance() const {
  CamAppearance a;
  a.title = values_.camTitle;
  a.images = values_.camToolImages;
  a.captions = values_.camToolText;
  a.status = values_.camStatus;
  for (int i = 0; i < kToolButtonCount; ++i) a.buttons[size_t(i)] = ButtonVisible(i);
  a.bevel = values_.camBevelWidth;
  return a;
}

void TfrmCam::SetAppearance(const CamAppearance& a) {
  values_.camTitle = a.title;
  values_.camToolImages = a.images;
  values_.camToolText = a.captions;
  values_.camStatus = a.status;
  for (int i = 0; i < kToolButtonCount; ++i) values_.buttons[size_t(ButtonSettingIndex(i))] = a.buttons[size_t(i)];
  values_.camBevelWidth = SanitizeBevel(a.bevel);
  ApplyToolbarLayout();
  ArrangeControls();
  ::InvalidateRect(hwnd(), nullptr, FALSE);  // the frame, the toolbar and, floating, the panel's labels
}

void TfrmCam::GrowForControlPanel() {
  for (;;) {
    int h = WindowRectNow().height();
    if (!CustomNeedsGrowth(h, layout_.controlHeight)) return;
    GrowBy(0, kCustomGrowthStep);
    if (WindowRectNow().height() <= h) return;  // the screen's edge: no more room
  }
}

namespace {

class TfrmCamCustom : public win::Window {
 public:
  TfrmCamCustom(TfrmCam& cam, StartupValues& values) : cam_(cam), values_(values) {}
  bool FormCreate(HWND owner);
  void Execute();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  int Px(int v) const { return scale_(v); }
  HWND Add(const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h);
  void Group(const char* caption, int x, int y, int w, int h, int id = 0);
  void Advice(CustomAdvice topic, int x, int y);
  void Load();
  CamCustomChoices Choices() const;
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void Check(int id, bool on) { ::CheckDlgButton(hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED); }
  void EnableButtonList(bool on);
  void PanelsClick();
  void ButtonsClick();
  void BorderClick();
  void btnOKClick();
  void btnRestoreClick();

  TfrmCam& cam_;
  StartupValues& values_;
  DpiScale scale_;
  int modalResult_ = 0;
  win::UniqueFont font_, questionFont_;
};

HWND TfrmCamCustom::Add(const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w,
                        int h) {
  return win::CreateChild(hwnd(), cls, text, style, scale_(Rect::FromXYWH(x, y, w, h)), id, font_.get());
}

void TfrmCamCustom::Group(const char* caption, int x, int y, int w, int h, int id) {
  Add(L"BUTTON", caption, BS_GROUPBOX, id, x, y, w, h);
}

void TfrmCamCustom::Advice(CustomAdvice topic, int x, int y) {
  HWND q = Add(L"STATIC", "?", SS_CENTER | SS_NOTIFY | SS_SUNKEN, kCustomAdviceBase + int(topic), x, y, 16, 16);
  ::SendMessageW(q, WM_SETFONT, reinterpret_cast<WPARAM>(questionFont_.get()), FALSE);
}

bool TfrmCamCustom::FormCreate(HWND owner) {
  scale_ = win::WindowScale(owner);
  // Centred on the cursor with its top at the cursor (kept on the screen when shown).
  if (!win::CreateDialogForm(*this, L"TfrmCamCustom", kCamCustomCaption, Size{kCamCustomWidth, kCamCustomHeight},
                             scale_, win::FormPlace::BelowMouse, owner))
    return false;
  LOGFONTW lf{};
  lf.lfHeight = -Px(11);
  lf.lfCharSet = DEFAULT_CHARSET;
  wcscpy(lf.lfFaceName, L"MS Shell Dlg 2");
  font_.reset(::CreateFontIndirectW(&lf));
  lf.lfHeight = -Px(13);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  wcscpy(lf.lfFaceName, L"Arial");
  questionFont_.reset(::CreateFontIndirectW(&lf));

  // Three columns of groups. Each "?" sits in its group's top right corner,
  // below the title and clear of the frame; the first row stops short of it.
  constexpr int kLeft = 8, kLeftW = 164, kMid = 180, kMidW = 190, kRight = 378, kRightW = 168;
  auto advice = [&](CustomAdvice topic, int groupX, int groupY, int groupW) {
    Advice(topic, groupX + groupW - 22, groupY + 14);
  };
  const int kFirstRowRoom = 26;  // what the "?" takes from a group's first row

  // Panel1 with Memo1: the advice.
  Add(L"EDIT", kCamCustomIntro, ES_MULTILINE | ES_READONLY | ES_CENTER | WS_BORDER, kCustomMemoId, 8, 8,
      kCamCustomWidth - 16, 75);

  Group("Show These Panels", kLeft, 92, kLeftW, 96);
  advice(CustomAdvice::Panels, kLeft, 92, kLeftW);
  for (int i = 0; i < 4; ++i)
    Add(L"BUTTON", CustomPanelItems()[size_t(i)], BS_AUTOCHECKBOX | WS_TABSTOP, kCustomPanelBase + i, kLeft + 8,
        110 + 18 * i, kLeftW - 14 - (i == 0 ? kFirstRowRoom : 0), 17);

  Group("Show These Buttons", kMid, 92, kMidW, 178, kCustomButtonsGroupId);
  advice(CustomAdvice::Buttons, kMid, 92, kMidW);
  for (int i = 0; i < kToolButtonCount; ++i) {
    int col = i < 9 ? 0 : 1, row = i < 9 ? i : i - 9;
    Add(L"BUTTON", CustomButtonItems()[size_t(i)], BS_AUTOCHECKBOX | WS_TABSTOP, kCustomButtonBase + i,
        kMid + 8 + 90 * col, 108 + 17 * row, col == 1 && row == 0 ? 90 - kFirstRowRoom : 86, 16);
  }

  Group("# Last Captures to Keep", kRight, 92, kRightW, 110);
  advice(CustomAdvice::LastCaptures, kRight, 92, kRightW);
  for (int i = 0; i < 5; ++i)
    Add(L"BUTTON", CustomLastCapturesItems()[size_t(i)], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
        kCustomLastCapturesBase + i, kRight + 8, 110 + 18 * i, kRightW - 14 - (i == 0 ? kFirstRowRoom : 0), 17);

  Group("Outside Border Width", kLeft, 194, kLeftW, 76);
  advice(CustomAdvice::Border, kLeft, 194, kLeftW);
  for (int i = 0; i < 3; ++i)
    Add(L"BUTTON", CustomBorderItems()[size_t(i)], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
        kCustomBorderBase + i, kLeft + 4, 212 + 18 * i, kLeftW - 8 - (i == 0 ? kFirstRowRoom - 6 : 0), 17);

  Group("Main Close Button", kRight, 208, kRightW, 62);
  advice(CustomAdvice::CloseExit, kRight, 208, kRightW);
  for (int i = 0; i < 2; ++i)
    Add(L"BUTTON", CustomCloseItems()[size_t(i)], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
        kCustomCloseBase + i, kRight + 8, 226 + 18 * i, kRightW - 14 - (i == 0 ? kFirstRowRoom - 6 : 0), 17);

  Add(L"STATIC", "Wait For Other Programs:", SS_LEFT | WS_GROUP, 0, kLeft, 283, kMid - kLeft - 4, 16);
  HWND wait = Add(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCustomWaitId, kMid, 279, kMidW - 24,
                  200);
  for (const char* item : CustomWaitItems())
    ::SendMessageW(wait, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(item).c_str()));
  Advice(CustomAdvice::Wait, kMid + kMidW - 20, 281);

  Add(L"BUTTON", "&Restore defaults", BS_PUSHBUTTON | WS_TABSTOP, kCustomRestoreId, 8, 322, 110, 26);
  Add(L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, kCamCustomWidth - 88, 322, 80, 26);
  Load();
  return true;
}

void TfrmCamCustom::Load() {
  CamCustomChoices c = LoadCamCustom(cam_.Appearance(), cam_.RefreshDelay(), values_.lastCapturesNum,
                                     values_.closeBtnExits);
  for (int i = 0; i < 4; ++i) Check(kCustomPanelBase + i, c.panels[size_t(i)]);
  for (int i = 0; i < kToolButtonCount; ++i) Check(kCustomButtonBase + i, c.buttons[size_t(i)]);
  for (int i = 0; i < 5; ++i) Check(kCustomLastCapturesBase + i, i == c.lastCaptures);
  for (int i = 0; i < 3; ++i) Check(kCustomBorderBase + i, i == c.border);
  for (int i = 0; i < 2; ++i) Check(kCustomCloseBase + i, i == c.close);
  ::SendDlgItemMessageW(hwnd(), kCustomWaitId, CB_SETCURSEL, WPARAM(c.wait), 0);
  EnableButtonList(c.buttonsEnabled);
}

CamCustomChoices TfrmCamCustom::Choices() const {
  CamCustomChoices c;
  for (int i = 0; i < 4; ++i) c.panels[size_t(i)] = Checked(kCustomPanelBase + i);
  for (int i = 0; i < kToolButtonCount; ++i) c.buttons[size_t(i)] = Checked(kCustomButtonBase + i);
  auto selected = [this](int base, int n) {
    for (int i = 0; i < n; ++i)
      if (Checked(base + i)) return i;
    return -1;
  };
  c.lastCaptures = selected(kCustomLastCapturesBase, 5);
  c.border = selected(kCustomBorderBase, 3);
  c.close = selected(kCustomCloseBase, 2);
  c.wait = int(::SendDlgItemMessageW(hwnd(), kCustomWaitId, CB_GETCURSEL, 0, 0));
  return c;
}

void TfrmCamCustom::EnableButtonList(bool on) {
  ::EnableWindow(::GetDlgItem(hwnd(), kCustomButtonsGroupId), on);
  for (int i = 0; i < kToolButtonCount; ++i) ::EnableWindow(::GetDlgItem(hwnd(), kCustomButtonBase + i), on);
}

void TfrmCamCustom::PanelsClick() {
  CamCustomChoices c = Choices();
  cam_.SetAppearance(ApplyPanelChoices(cam_.Appearance(), c.panels));
  EnableButtonList(ButtonListEnabled(c.panels[kPanelIcons], c.panels[kPanelText]));
  cam_.GrowForControlPanel();
}

void TfrmCamCustom::ButtonsClick() {
  CamAppearance a = cam_.Appearance();
  a.buttons = Choices().buttons;
  cam_.SetAppearance(a);
}

void TfrmCamCustom::BorderClick() {
  CamAppearance a = cam_.Appearance();
  a.bevel = BorderWidthOfItem(Choices().border);
  cam_.SetAppearance(a);
}

void TfrmCamCustom::btnOKClick() {
  CamCustomOk ok = CamCustomOkResult(Choices(), values_.lastCapturesNum);
  cam_.SetRefreshDelay(ok.intervalMs);
  if (ok.ringChanged) {
    values_.lastCapturesNum = ok.lastCapturesNum;
    cam_.TrimLastCapturesRing();
  }
  values_.closeBtnExits = ok.closeBtnExits;
  modalResult_ = 1;
}

void TfrmCamCustom::btnRestoreClick() {
  CamCustomDefaults d = CamCustomRestoreDefaults();
  cam_.SetAppearance(d.appearance);
  cam_.SetRefreshDelay(d.intervalMs);
  values_.lastCapturesNum = d.lastCapturesNum;  // the next ring store trims
  values_.closeBtnExits = d.closeBtnExits;
  Load();
}

bool TfrmCamCustom::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wp), code = HIWORD(wp);
      if (id == IDOK) {
        btnOKClick();
      } else if (id == IDCANCEL) {
        modalResult_ = 2;  // Esc: the camera keeps what it shows, the rest is dropped
      } else if (id == kCustomRestoreId) {
        btnRestoreClick();
      } else if (code == BN_CLICKED && id >= kCustomPanelBase && id < kCustomPanelBase + 4) {
        PanelsClick();
      } else if (code == BN_CLICKED && id >= kCustomButtonBase && id < kCustomButtonBase + kToolButtonCount) {
        ButtonsClick();
      } else if (code == BN_CLICKED && id >= kCustomBorderBase && id < kCustomCloseBase + 2) {
        BorderClick();  // rdoBorder and rdoCloseBtn share the handler
      } else if (code == BN_CLICKED && id >= kCustomLastCapturesBase && id < kCustomLastCapturesBase + 5) {
        if (RingItemShowsTip(id - kCustomLastCapturesBase))
          MessageBoxText(hwnd(), kRingSizeTip, ApplicationTitleText(), MB_OK | MB_ICONINFORMATION);
      } else if (code == STN_CLICKED && id >= kCustomAdviceBase && id < kCustomAdviceBase + 6) {
        ::SetDlgItemTextW(hwnd(), kCustomMemoId,
                          win::Widen(CustomAdviceText(CustomAdvice(id - kCustomAdviceBase))).c_str());
      }
      return true;
    }
    case DM_GETDEFID: *result = MAKELRESULT(IDOK, DC_HASDEFID); return true;
    case WM_CLOSE: modalResult_ = 2; return true;
    case WM_HELP:
      ShowHelp(hwnd(), kCamCustomHelpContext);
      *result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC:  // the "?" panels and the read-only advice on the dialog's face
      *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp));
      return true;
  }
  return false;
}

void TfrmCamCustom::Execute() {
  KeepOnScreen(hwnd());
  win::ModalOptions options;
  options.owner = cam_.hwnd();
  options.keyPreview = DialogKeys(hwnd(), kCamCustomHelpContext);
  win::RunModalLoop(hwnd(), [this] { return modalResult_ != 0; }, options);
}

}  // namespace

void OpenCamCustom(TfrmCam& camera, StartupValues& values) {
  TfrmCamCustom form(camera, values);
  if (form.FormCreate(camera.hwnd())) form.Execute();
}

}  // namespace flk
