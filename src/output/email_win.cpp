// TfrmEmail: the format chooser with "&Setup", writing the e-mail file beside
// the program and handing it to Simple MAPI, or the Paste/Attach way with the
// instruction tip shown from Timer1 once the dialog has closed.
#include "output/email_win.h"

#include <memory>
#include <string>

#include "output/file_formats.h"
#include "output/format_form_win.h"
#include "output/mail_clients.h"
#include "output/picture_outputs_win.h"
#include "output/save_file.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/settings.h"
#include "shell/tip_box_win.h"
#include "win32/clipboard_win.h"
#include "win32/shell_win.h"
#include "win32/system_dll_win.h"

namespace flk {

namespace {

constexpr UINT_PTR kTimer1Id = 1;
constexpr int kEmailHelp = 21, kInstructionHelp = 22;

// MAPISendDocuments of the system's MAPI32.DLL, loaded by full path from the
// system folder (never from the program's own folder, where a planted DLL
// would run with the user's rights).
long MapiSendDocuments(const std::string& path, const std::string& fileName) {
  using SendDocuments = ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG);
  const auto send = win::SystemFunction<SendDocuments>(L"MAPI32.DLL", "MAPISendDocuments");
  if (!send) return win::LoadSystemLibrary(L"MAPI32.DLL") ? kMapiNoProcedure : kMapiNoLibrary;
  std::string delimiter = ";", paths = path, names = fileName;
  return long(send(0, delimiter.data(), paths.data(), names.data(), 0));
}

TfrmGrFormat::Layout EmailLayout() {
  TfrmGrFormat::Layout l;
  l.className = L"TfrmEmail";
  l.caption = L"Email Format Selection";
  l.shape.clientHeight = 203;
  l.shape.rowStep = 36;
  l.shape.buttonsTop = 174;
  l.shape.nsaBox = false;  // the chooser's own box is not used here
  l.shape.setupButton = true;
  l.helpContext = kEmailHelp;
  return l;
}

class TfrmEmail : public TfrmGrFormat {
 public:
  TfrmEmail() : TfrmGrFormat(EmailLayout()) {}

  // The e-mail copy of the picture and the asker's services, for one send.
  void Prepare(const Picture& picture, const EmailHost& host) {
    picture_ = picture;
    host_ = host;
    failed_ = false;
  }
  bool failed() const { return failed_; }
  // After OK (Paste/Attach): clipboard, new message, and the tip from Timer1.
  void PasteAttach();

 protected:
  void btnOKClick() override;
  void btnTroubleClick() override {
    if (ShowMailSetup(0, hwnd(), host_.sendComment) == kMapiSendResult) btnOKClick();
  }
  void Timer1Timer() override;

 private:
  Picture picture_;
  EmailHost host_;
  std::string path_;
  bool failed_ = false;
};

void TfrmEmail::btnOKClick() {
  path_ = EmailFileName(ProgramFolder(), SelectedFormat());
  OutputCaller caller{.owner = hwnd()};
  OutputServices services(caller);
  std::string name = path_;  // SaveBitmapToFile advances a numbered name; ours is fixed
  if (!SaveBitmapToFile(name, picture_, services)) {
    failed_ = true;
    return;  // reported; the dialog stays for another format or a cancel
  }
  failed_ = false;
  Settings& settings = AppSettings();
  auto mode = static_cast<MailMode>(settings.ReadSingleInt("MapiEmail"));
  if (mode == MailMode::Unset) {
    if (ShowMailSetup(0, hwnd(), host_.sendComment) == IDCANCEL) {
      Close(false);
      return;
    }
    mode = static_cast<MailMode>(settings.ReadSingleInt("MapiEmail"));
  }
  if (mode == MailMode::Mapi) {
    size_t slash = path_.find_last_of('\\');
    long rc = MapiSendDocuments(path_, slash == std::string::npos ? path_ : path_.substr(slash + 1));
    if (rc == 0) {
      Close(false);  // the mail program has taken over
      return;
    }
    ShowMailSetup(rc, hwnd(), host_.sendComment);  // the dialog stays open for another try
    return;
  }
  Close(true);
}

void TfrmEmail::PasteAttach() {
  Settings& settings = AppSettings();
  win::PutClipboardText(hwnd(), path_);
  if (settings.ReadSingleSetting("NonMapiOpen", true) && !win::ShellOpen(hwnd(), "mailto:<>"))
    ShowWarning("Couldn't open your email program.");
  if (settings.ReadSingleBool("NsaNonMapiMsg")) return;
  if (host_.putCameraAway) host_.putCameraAway();
  ::SetTimer(hwnd(), kTimer1Id, 1, nullptr);
}

void TfrmEmail::Timer1Timer() {
  ::KillTimer(hwnd(), kTimer1Id);
  int client = AppSettings().ReadSingleInt("MapiClient");
  ShowTip("NsaNonMapiMsg", "Paste/Attach Email Instruction", PasteAttachInstruction(client, path_), kInstructionHelp,
          true);
  if (host_.hideCameraToTray) host_.hideCameraToTray();
}

}  // namespace

bool SendPictureByEmail(const Picture& picture, HWND owner, const EmailHost& host, std::unique_ptr<TfrmGrFormat>& kept) {
  if (!kept || !::IsWindow(kept->hwnd())) {
    auto made = std::make_unique<TfrmEmail>();
    if (!made->FormCreate(owner, kFormatGif)) return false;
    kept = std::move(made);
  }
  // Only this function puts a form there.
  auto* form = static_cast<TfrmEmail*>(kept.get());
  form->Prepare(picture, host);
  if (form->ShowModal(owner)) form->PasteAttach();
  return !form->failed();
}

}  // namespace flk
