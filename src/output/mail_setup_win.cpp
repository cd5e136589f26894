// TfrmTrouble, "MAPI Email Setup & Troubleshooter": chooses MAPI or
// Paste/Attach mode, predicts from the system's default mail client and
// explains a MAPI error. Created for each use.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/form_flow.h"

#include "output/email_win.h"
#include "output/mail_clients.h"
#include "output/mail_setup.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/measure_win.h"
#include "win32/modal_form_win.h"
#include "win32/shell_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr int kSetupHelp = 21;
constexpr char kMailCompatibilityPage[] = "https://www.hollowbrook.example/framelark/mail";


// The default value of HKLM "\Software\Clients\Mail", read only.
std::optional<std::string> SystemMailClient() {
  DWORD size = 0;
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Clients\\Mail", nullptr, RRF_RT_REG_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = DWORD(value.size() * sizeof(wchar_t));
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Clients\\Mail", nullptr, RRF_RT_REG_SZ, nullptr, value.data(),
                     &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(wcsnlen(value.c_str(), value.size()));
  return win::Narrow(value);
}

class TfrmTrouble : public win::ModalForm {
 public:
  explicit TfrmTrouble(std::function<void(HWND)> sendComment) : sendComment_(std::move(sendComment)) {}
  int Execute(long errorCode, HWND owner);

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int code) override;

 private:
  std::function<void(HWND)> sendComment_;
  HWND Item(int id) const { return ::GetDlgItem(hwnd(), id); }
  HFONT FontOf(const FormControl& c) const { return c.id == kMailMemoTop ? boldFont_.get() : font_.get(); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void ShowMode(MailMode mode) {
    ::CheckRadioButton(hwnd(), kMailChkMapi, kMailChkNonMapi, mode == MailMode::PasteAttach ? kMailChkNonMapi : kMailChkMapi);
    bool clients = mode == MailMode::PasteAttach;
    for (int id : {kMailLblClient, kMailCbxClients, kMailChkNonMapiOpen}) ::EnableWindow(Item(id), clients);
  }
  void Store(int result) {
    Settings& s = AppSettings();
    s.WriteSingleSetting("MapiEmail", int(Checked(kMailChkMapi) ? MailMode::Mapi : MailMode::PasteAttach));
    int client = int(::SendMessageW(Item(kMailCbxClients), CB_GETCURSEL, 0, 0));
    s.WriteSingleSetting("MapiClient", client < 0 ? 0 : client);
    s.WriteSingleSetting("NonMapiOpen", Checked(kMailChkNonMapiOpen));
    Finish(result);
  }
  void Finish(int result) {
    result_ = result;
    EndModal();
  }

  DpiScale scale_;
  win::UniqueFont font_, boldFont_;
  int result_ = IDCANCEL;
};

int TfrmTrouble::Execute(long errorCode, HWND owner) {
  scale_ = win::WindowScale(owner);
  if (!win::CreateDialogForm(*this, L"TfrmTrouble", "MAPI Email Setup & Troubleshooter",
                             Size{kMailSetupWidth, kMailSetupHeight}, scale_, win::FormPlace::BelowMouse, owner))
    return IDCANCEL;
  KeepOnScreen(hwnd());
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  boldFont_ = win::MakeSystemFont(win::SystemFont::Message, scale_, FW_BOLD);

  Settings& settings = AppSettings();
  auto stored = static_cast<MailMode>(settings.ReadSingleInt("MapiEmail"));
  ClientMatch match = MatchMailClient(SystemMailClient());
  const std::vector<FormControl> parts =
      MailSetupControls(MailSetupHeadline(stored, errorCode), MailDiagnosis(errorCode, match));

  // Each text gets the lines it takes in its font at this scale; what lies below moves down.
  std::vector<Rect> design;
  std::vector<int> needed;
  for (const FormControl& part : parts) {
    design.push_back(part.rect);
    const bool text = part.kind == FormControl::Label && !part.text.empty();
    needed.push_back(text ? win::TextHeight(hwnd(), FontOf(part), part.text, scale_(part.rect.width())) : 0);
  }
  const FlowedForm flowed = FlowDown(design, needed, scale_);
  for (size_t i = 0; i < parts.size(); ++i) win::CreateControl(hwnd(), parts[i], flowed.rects[i], FontOf(parts[i]));
  if (flowed.grownBy > 0) {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top + flowed.grownBy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepOnScreen(hwnd());
  }
  HWND list = Item(kMailCbxClients), send = Item(kMailBtnSend);
  for (int i = 0; i < kMailClientCount; ++i)
    ::SendMessageW(list, CB_ADDSTRING, 0, LPARAM(win::Widen(MailClientAt(i).name).c_str()));
  ::EnableWindow(Item(kMailBtnEmail), sendComment_ != nullptr);

  MailSetupChoice choice = InitialMailSetup(stored, settings.ReadSingleInt("MapiClient"), match);
  ::SendMessageW(list, CB_SETCURSEL, WPARAM(choice.client), 0);
  ::CheckDlgButton(hwnd(), kMailChkNonMapiOpen, settings.ReadSingleSetting("NonMapiOpen", true) ? BST_CHECKED : 0);
  ShowMode(choice.mode);
  ::ShowWindow(send, errorCode == 0 ? SW_SHOW : SW_HIDE);

  win::ModalOptions options;
  options.owner = owner;
  options.focus = Item(IDOK);
  options.keyPreview = DialogKeys(hwnd(), kSetupHelp);
  RunModal(options);
  return result_;
}

bool TfrmTrouble::OnCommand(int id, int code) {
  switch (id) {
    case kMailChkMapi: ShowMode(MailMode::Mapi); return true;
    case kMailChkNonMapi: ShowMode(MailMode::PasteAttach); return true;
    case kMailCbxClients:
      if (code == CBN_SELCHANGE) AppSettings().WriteSingleSetting("NsaNonMapiMsg", false);
      return true;
    case kMailBtnHelp: ShowHelp(hwnd(), kSetupHelp); return true;
    case kMailBtnWeb:
      if (!win::ShellOpen(hwnd(), kMailCompatibilityPage)) ShowWarning("Couldn't open the web page.");
      return true;
    case kMailBtnEmail:
      if (sendComment_) sendComment_(hwnd());
      return true;
    case IDOK: Store(IDOK); return true;
    case kMailBtnSend: Store(kMapiSendResult); return true;
  }
  return false;  // Cancel and the close box end it with IDCANCEL
}

bool TfrmTrouble::OnFormMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_HELP:
      ShowHelp(hwnd(), kSetupHelp);
      *result = TRUE;
      return true;
  }
  return false;
}

}  // namespace

int ShowMailSetup(long errorCode, HWND owner, const std::function<void(HWND)>& sendComment) {
  TfrmTrouble form(sendComment);
  return form.Execute(errorCode, owner);
}

}  // namespace flk
