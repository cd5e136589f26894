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
#include "win32/modal_form_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

// ---- the camera's side ------------------------------------------------------------------

CamAppearance TfrmCam::Appearance() const { return AppearanceOf(values_); }

void TfrmCam::SetAppearance(const CamAppearance& a) {
  SetAppearanceIn(values_, a);
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

class TfrmCamCustom : public win::ModalForm {
 public:
  TfrmCamCustom(TfrmCam& cam, StartupValues& values) : cam_(cam), values_(values) {}
  bool FormCreate(HWND owner);
  void Execute();

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int notification) override;

 private:
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
  win::UniqueFont font_, questionFont_;
};

bool TfrmCamCustom::FormCreate(HWND owner) {
  scale_ = win::WindowScale(owner);
  // Centred on the cursor with its top at the cursor (kept on the screen when shown).
  if (!win::CreateDialogForm(*this, L"TfrmCamCustom", kCamCustomCaption, Size{kCamCustomWidth, kCamCustomHeight},
                             scale_, win::FormPlace::BelowMouse, owner))
    return false;
  font_ = win::MakeFaceFont(L"MS Shell Dlg 2", 11, scale_);
  questionFont_ = win::MakeFaceFont(L"Arial", 13, scale_, {.weight = FW_BOLD, .italic = true});

  const std::vector<FormControl> controls = CamCustomControls();
  const std::vector<HWND> made = win::CreateControls(hwnd(), controls, scale_, font_.get());
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].kind == FormControl::HelpMark)
      ::SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(questionFont_.get()), FALSE);
  for (const char* item : CustomWaitItems())
    ::SendDlgItemMessageW(hwnd(), kCustomWaitId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(item).c_str()));
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
  EndModal();
}

void TfrmCamCustom::btnRestoreClick() {
  CamCustomDefaults d = CamCustomRestoreDefaults();
  cam_.SetAppearance(d.appearance);
  cam_.SetRefreshDelay(d.intervalMs);
  values_.lastCapturesNum = d.lastCapturesNum;  // the next ring store trims
  values_.closeBtnExits = d.closeBtnExits;
  Load();
}

bool TfrmCamCustom::OnCommand(int id, int notification) {
  CustomClick click = DecodeCustomClick(id, notification);
  switch (click.kind) {
    case CustomClick::None: break;
    case CustomClick::Ok: btnOKClick(); break;
    case CustomClick::Cancel: return false;  // the form's own Cancel handling ends it
    case CustomClick::Restore: btnRestoreClick(); break;
    case CustomClick::Panels: PanelsClick(); break;
    case CustomClick::Buttons: ButtonsClick(); break;
    case CustomClick::Border: BorderClick(); break;
    case CustomClick::RingSize:
      if (RingItemShowsTip(click.item))
        MessageBoxText(hwnd(), kRingSizeTip, ApplicationTitleText(), MB_OK | MB_ICONINFORMATION);
      break;
    case CustomClick::Advice:
      ::SetDlgItemTextW(hwnd(), kCustomMemoId, win::Widen(CustomAdviceText(CustomAdvice(click.item))).c_str());
      break;
  }
  return true;
}

bool TfrmCamCustom::OnFormMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
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
  RunModal(options);
}

}  // namespace

void OpenCamCustom(TfrmCam& camera, StartupValues& values) {
  TfrmCamCustom form(camera, values);
  if (form.FormCreate(camera.hwnd())) form.Execute();
}

}  // namespace flk
