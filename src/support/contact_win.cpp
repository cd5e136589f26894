#include "support/contact_win.h"

#include <mapi.h>

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/tip_box_win.h"
#include "support/contact.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_form_win.h"
#include "win32/shell_win.h"
#include "win32/system_dll_win.h"
#include "win32/window.h"

namespace flk {

namespace {

enum Id { kBtnA = 301, kBtnB, kBtnC, kCheck1, kCheck2, kBtnClose };
constexpr int kInstructionsHelp = 21;

long MapiSend(const MailRequest& r) {
  const auto send = win::SystemFunction<LPMAPISENDMAIL>(L"mapi32.dll", "MAPISendMail");
  if (!send) return win::LoadSystemLibrary(L"mapi32.dll") ? -1 : -2;
  std::string subject = r.subject, body = r.body, address = r.address;
  MapiRecipDesc to{};
  to.ulRecipClass = MAPI_TO;
  to.lpszName = address.data();
  MapiMessage m{};
  m.lpszSubject = subject.data();
  m.lpszNoteText = body.data();
  if (!address.empty()) {
    m.nRecipCount = 1;
    m.lpRecips = &to;
  }
  return long(send(0, 0, &m, MAPI_LOGON_UI | MAPI_DIALOG, 0));
}

class TfrmContact : public win::ModalForm {
 public:
  TfrmContact(MailRequest request, HWND owner, const MailHost& host)
      : session_(std::move(request), host.configuration), owner_(owner), host_(host),
        choices_(host.kept ? *host.kept : ownChoices_) {}

  void Execute() {
    DpiScale s = win::WindowScale(owner_);
    if (!win::CreateDialogForm(*this, L"TfrmContact", ContactCaption(session_.request().address),
                               Size{kContactWidth, kContactHeight}, s, win::FormPlace::CentredOnMouse, owner_))
      return;
    KeepOnScreen(hwnd());
    font_ = win::MakeSystemFont(win::SystemFont::Message, s);
    HFONT font = win::FontOrDefault(font_);
    const ContactLayout l = LayOutContact();
    for (int i = 0; i < 3; ++i) {
      win::CreateChild(hwnd(), L"BUTTON", ContactWays()[size_t(i)].button, BS_PUSHBUTTON | WS_TABSTOP,
                       s(l.buttons[i]), kBtnA + i, font);
      win::CreateChild(hwnd(), L"STATIC", ContactWays()[size_t(i)].text, SS_LEFT | SS_NOPREFIX, s(l.texts[i]), 0,
                       font);
    }
    check1_ = win::CreateChild(hwnd(), L"BUTTON", kShowStepsText, BS_AUTOCHECKBOX | WS_TABSTOP, s(l.showSteps),
                               kCheck1, font);
    ::SendMessageW(check1_, BM_SETCHECK, BST_CHECKED, 0);
    check2_ = win::CreateChild(hwnd(), L"BUTTON", kUseAolText, BS_AUTOCHECKBOX | WS_TABSTOP, s(l.useAol), kCheck2,
                               font);
    ::SendMessageW(check2_, BM_SETCHECK, choices_.useAol ? BST_CHECKED : BST_UNCHECKED, 0);
    win::CreateChild(hwnd(), L"BUTTON", "C&lose", BS_DEFPUSHBUTTON | WS_TABSTOP, s(l.close), kBtnClose, font);
    UpdateButtons();
    SetDefaultButton(kBtnClose);
    win::ModalOptions options;
    options.owner = owner_;
    RunModal(options);
  }

 protected:
  bool OnCommand(int id, int) override {
    switch (id) {
      case kBtnA: TryFirst(); return true;
      case kBtnB: TryNext(); return true;
      case kBtnC: TryLast(); return true;
      case kCheck2:
        choices_.useAol = Checked(check2_);
        UpdateButtons();
        return true;
      case kBtnClose: EndModal(); return true;
    }
    return false;
  }

 private:
  win::UniqueFont font_;  // the controls' font, at the window's scale
  static bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // AOL takes neither Simple MAPI nor mailto links.
  void UpdateButtons() {
    ::EnableWindow(::GetDlgItem(hwnd(), kBtnA), !choices_.useAol);
    ::EnableWindow(::GetDlgItem(hwnd(), kBtnB), !choices_.useAol);
  }

  void TryFirst() {
    long rc = MapiSend(session_.TryFirst());
    if (IsMapiFailure(rc)) MessageBoxText(hwnd(), MapiErrorText(rc), kProgramName, MB_OK | MB_ICONWARNING);
  }

  void TryNext() {
    ContactSession::Next next = session_.TryNext(Checked(check1_));
    if (next.clipboard) win::PutClipboardText(hwnd(), *next.clipboard);
    if (!win::ShellOpen(hwnd(), next.link)) ShowWarning(kNoMailProgramText, kProgramName);
    if (next.steps) Instructions(*next.steps);
  }

  void TryLast() {
    EndModal();  // the dialog closes with OK once the steps are shown
    ContactSession::Last last = session_.TryLast(Checked(check1_));
    win::PutClipboardText(hwnd(), last.clipboard);
    if (last.steps)
      Instructions(*last.steps);
    else
      MessageBoxText(hwnd(), kOnClipboardText, kProgramName, MB_OK | MB_ICONINFORMATION);
  }

  // While the steps show, the dialog, its owner and the camera are out of the way.
  void Instructions(const MailSteps& steps) {
    ::ShowWindow(hwnd(), SW_HIDE);
    if (owner_) ::ShowWindow(owner_, SW_HIDE);
    if (host_.putCameraAway) host_.putCameraAway();
    ShowInstructions(kInstructionsCaption, steps.text, kInstructionsWidth, steps.height, kInstructionsHelp);
    if (host_.showCamera) host_.showCamera();
    if (owner_) ::ShowWindow(owner_, SW_SHOW);
    if (!ended()) ::ShowWindow(hwnd(), SW_SHOW);
  }

  ContactSession session_;
  HWND owner_;
  MailHost host_;
  ContactChoices ownChoices_;  // when the role keeps none
  ContactChoices& choices_;
  HWND check1_ = nullptr, check2_ = nullptr;
};

}  // namespace

void SendSupportMail(const MailRequest& request, HWND owner, const MailHost& host) {
  TfrmContact form(request, owner, host);
  form.Execute();
}

void SendCommentMail(HWND owner, ContactChoices* kept) {
  SendSupportMail(MapiCommentMail(), owner, MailHost{.kept = kept});
}

}  // namespace flk
