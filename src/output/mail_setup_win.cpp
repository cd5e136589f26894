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

constexpr int kClientWidth = 392, kClientHeight = 411;
constexpr int kSetupHelp = 21;
constexpr char kMailCompatibilityPage[] = "https://www.hollowbrook.example/framelark/mail";

enum Id : int {
  kMemoTop = 200,
  kMemoDiag,
  kChkMapi,
  kMemo2,
  kChkNonMapi,
  kMemo3,
  kLblClient,
  kCbxClients,
  kChkNonMapiOpen,
  kBtnHelp,
  kLabel1,
  kBtnWeb,
  kLabel2,
  kBtnEmail,
  kLabel3,
  kBtnSend,
};

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

 private:
  std::function<void(HWND)> sendComment_;
  HWND Item(int id) const { return ::GetDlgItem(hwnd(), id); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void ShowMode(MailMode mode) {
    ::CheckRadioButton(hwnd(), kChkMapi, kChkNonMapi, mode == MailMode::PasteAttach ? kChkNonMapi : kChkMapi);
    bool clients = mode == MailMode::PasteAttach;
    for (int id : {kLblClient, kCbxClients, kChkNonMapiOpen}) ::EnableWindow(Item(id), clients);
  }
  void Store(int result) {
    Settings& s = AppSettings();
    s.WriteSingleSetting("MapiEmail", int(Checked(kChkMapi) ? MailMode::Mapi : MailMode::PasteAttach));
    int client = int(::SendMessageW(Item(kCbxClients), CB_GETCURSEL, 0, 0));
    s.WriteSingleSetting("MapiClient", client < 0 ? 0 : client);
    s.WriteSingleSetting("NonMapiOpen", Checked(kChkNonMapiOpen));
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
                             Size{kClientWidth, kClientHeight}, scale_, win::FormPlace::BelowMouse, owner))
    return IDCANCEL;
  KeepOnScreen(hwnd());
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  boldFont_ = win::MakeSystemFont(win::SystemFont::Message, scale_, FW_BOLD);

  Settings& settings = AppSettings();
  auto stored = static_cast<MailMode>(settings.ReadSingleInt("MapiEmail"));
  ClientMatch match = MatchMailClient(SystemMailClient());
  const DWORD memo = ES_MULTILINE | ES_READONLY | WS_VSCROLL;
  struct Part {
    const wchar_t* cls;
    std::string text;
    DWORD style;
    int id;
    Rect at;  // at 96 DPI
    DWORD exStyle = 0;
  };
  std::vector<Part> parts = {
      {L"STATIC", MailSetupHeadline(stored, errorCode), SS_LEFT | SS_NOPREFIX, kMemoTop, Rect::FromXYWH(8, 8, 376, 18)},
      {L"EDIT", MailDiagnosis(errorCode, match), memo, kMemoDiag, Rect::FromXYWH(8, 30, 376, 100), WS_EX_CLIENTEDGE},
      {L"BUTTON", "", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kChkMapi, Rect::FromXYWH(8, 140, 16, 18)},
      {L"STATIC",
       "MAPI Mode - Sending pictures is easy and automatic if your email client is \"Simple MAPI\" compatible.",
       SS_LEFT | SS_NOPREFIX, kMemo2, Rect::FromXYWH(28, 140, 356, 30)},
      {L"BUTTON", "", BS_AUTORADIOBUTTON, kChkNonMapi, Rect::FromXYWH(8, 176, 16, 18)},
      {L"STATIC",
       "Paste/Attach Mode - Framelark opens your email client, places the file path on the clipboard for pasting, "
       "and provides instruction.",
       SS_LEFT | SS_NOPREFIX, kMemo3, Rect::FromXYWH(28, 176, 356, 30)},
      {L"STATIC", "Show instruction for:", SS_LEFT, kLblClient, Rect::FromXYWH(28, 215, 110, 18)},
      {L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kCbxClients,
       Rect::FromXYWH(140, 211, 200, 220)},
      {L"BUTTON", "Automatically open new email. ", BS_AUTOCHECKBOX | WS_TABSTOP, kChkNonMapiOpen,
       Rect::FromXYWH(28, 240, 300, 18)},
  };
  struct Row {
    int button, label;
    const char *caption, *text;
  } rows[] = {{kBtnHelp, kLabel1, "&Help", "Click for detailed assistance from the help file."},
              {kBtnWeb, kLabel2, "&Web", "Click for latest information about MAPI compatibility."},
              {kBtnEmail, kLabel3, "&Email", "Click if you have tips or corrections to share."}};
  int y = 270;
  for (const Row& r : rows) {
    parts.push_back({L"BUTTON", r.caption, BS_PUSHBUTTON | WS_TABSTOP, r.button, Rect::FromXYWH(8, y, 75, 23)});
    parts.push_back({L"STATIC", r.text, SS_LEFT | SS_NOPREFIX, r.label, Rect::FromXYWH(92, y + 4, 292, 18)});
    y += 30;
  }
  parts.push_back({L"STATIC", "", SS_ETCHEDHORZ, 0, Rect::FromXYWH(8, 364, 376, 2)});
  parts.push_back({L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, Rect::FromXYWH(146, 376, 75, 25)});
  parts.push_back({L"BUTTON", "&Send", BS_PUSHBUTTON | WS_TABSTOP, kBtnSend, Rect::FromXYWH(227, 376, 75, 25)});
  parts.push_back({L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, Rect::FromXYWH(308, 376, 75, 25)});

  // Each text gets the lines it takes in its font at this scale; what lies below moves down.
  std::vector<Rect> design;
  std::vector<int> needed;
  for (const Part& part : parts) {
    design.push_back(part.at);
    const bool text = std::wstring(part.cls) == L"STATIC" && !part.text.empty();
    HFONT font = part.id == kMemoTop ? boldFont_.get() : font_.get();
    needed.push_back(text ? win::TextHeight(hwnd(), font, part.text, scale_(part.at.width())) : 0);
  }
  const FlowedForm flowed = FlowDown(design, needed, scale_);
  for (size_t i = 0; i < parts.size(); ++i) {
    const Part& part = parts[i];
    HWND h = win::CreateChild(hwnd(), part.cls, part.text, part.style, flowed.rects[i], part.id, font_.get(),
                              part.exStyle);
    if (part.id == kMemoTop) ::SendMessageW(h, WM_SETFONT, WPARAM(boldFont_.get()), TRUE);
  }
  if (flowed.grownBy > 0) {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top + flowed.grownBy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepOnScreen(hwnd());
  }
  HWND list = Item(kCbxClients), send = Item(kBtnSend);
  for (int i = 0; i < kMailClientCount; ++i)
    ::SendMessageW(list, CB_ADDSTRING, 0, LPARAM(win::Widen(MailClientAt(i).name).c_str()));
  ::EnableWindow(Item(kBtnEmail), sendComment_ != nullptr);

  MailSetupChoice choice = InitialMailSetup(stored, settings.ReadSingleInt("MapiClient"), match);
  ::SendMessageW(list, CB_SETCURSEL, WPARAM(choice.client), 0);
  ::CheckDlgButton(hwnd(), kChkNonMapiOpen, settings.ReadSingleSetting("NonMapiOpen", true) ? BST_CHECKED : 0);
  ShowMode(choice.mode);
  ::ShowWindow(send, errorCode == 0 ? SW_SHOW : SW_HIDE);

  win::ModalOptions options;
  options.owner = owner;
  options.focus = Item(IDOK);
  options.keyPreview = DialogKeys(hwnd(), kSetupHelp);
  RunModal(options);
  return result_;
}

bool TfrmTrouble::OnFormMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp), code = HIWORD(wp);
      switch (id) {
        case kChkMapi: ShowMode(MailMode::Mapi); return true;
        case kChkNonMapi: ShowMode(MailMode::PasteAttach); return true;
        case kCbxClients:
          if (code == CBN_SELCHANGE) AppSettings().WriteSingleSetting("NsaNonMapiMsg", false);
          return true;
        case kBtnHelp: ShowHelp(hwnd(), kSetupHelp); return true;
        case kBtnWeb:
          if (!win::ShellOpen(hwnd(), kMailCompatibilityPage)) ShowWarning("Couldn't open the web page.");
          return true;
        case kBtnEmail:
          if (sendComment_) sendComment_(hwnd());
          return true;
        case IDOK: Store(IDOK); return true;
        case kBtnSend: Store(kMapiSendResult); return true;
      }
      return false;  // Cancel and the close box end it with IDCANCEL
    }
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
