#include "support/contact_win.h"

#include <mapi.h>

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/tip_box_win.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"
#include "win32/shell_win.h"
#include "win32/system_dll_win.h"
#include "win32/window.h"

namespace flk {

namespace {

enum Id { kBtnA = 301, kBtnB, kBtnC, kCheck1, kCheck2, kBtnClose };
constexpr int kClientWidth = 420, kClientHeight = 258;  // 96-DPI design size
constexpr int kInstructionsHelp = 21;

// "Use America Online (AOL)" lasts for the rest of the process.
bool g_useAol = false;

long MapiSend(const MailRequest& r) {
  HMODULE mapi = win::LoadSystemLibrary(L"mapi32.dll");
  if (!mapi) return -2;
  FARPROC p = ::GetProcAddress(mapi, "MAPISendMail");
  if (!p) return -1;
  LPMAPISENDMAIL send;
  ::CopyMemory(&send, &p, sizeof send);
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

class TfrmContact : public win::Window {
 public:
  TfrmContact(MailRequest request, HWND owner, const MailHost& host)
      : request_(std::move(request)), owner_(owner), host_(host) {}

  void Execute() {
    DpiScale s = win::WindowScale(owner_);
    std::string caption = request_.address.empty() ? "Send Email" : "Send Email to " + request_.address;
    if (!win::CreateDialogForm(*this, L"TfrmContact", caption, Size{kClientWidth, kClientHeight}, s,
                               win::FormPlace::CentredOnMouse, owner_))
      return;
    KeepOnScreen(hwnd());
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    struct Row {
      int id;
      const char* button;
      const char* text;
    } rows[] = {
        {kBtnA, "Try First",
         "Great for email programs like Outlook, Outlook Express, Exchange and Eudora that are Simple MAPI "
         "compatible. Your email program should open immediately with address, subject and body text filled in."},
        {kBtnB, "Try Next",
         "Works nicely if your default email program is properly configured with Windows. Your email program should "
         "open immediately with the address and subject filled in. Body text may need pasting."},
        {kBtnC, "Try Last", "Copies information to the Windows clipboard for you to paste into an email manually."},
    };
    int y = 10;
    for (const Row& row : rows) {
      win::CreateChild(hwnd(), L"BUTTON", row.button, BS_PUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(10, y + 8, 90, 25)),
                       row.id, font);
      win::CreateChild(hwnd(), L"STATIC", row.text, SS_LEFT | SS_NOPREFIX, s(Rect::FromXYWH(112, y, 298, 44)), 0,
                       font);
      y += 54;
    }
    check1_ = win::CreateChild(hwnd(), L"BUTTON", "Show step by step instructions if appropriate.",
                               BS_AUTOCHECKBOX | WS_TABSTOP, s(Rect::FromXYWH(10, y + 2, 400, 18)), kCheck1, font);
    ::SendMessageW(check1_, BM_SETCHECK, BST_CHECKED, 0);
    check2_ = win::CreateChild(hwnd(), L"BUTTON", "Use America Online (AOL)", BS_AUTOCHECKBOX | WS_TABSTOP,
                               s(Rect::FromXYWH(10, y + 24, 400, 18)), kCheck2, font);
    ::SendMessageW(check2_, BM_SETCHECK, g_useAol ? BST_CHECKED : BST_UNCHECKED, 0);
    win::CreateChild(hwnd(), L"BUTTON", "C&lose", BS_DEFPUSHBUTTON | WS_TABSTOP,
                     s(Rect::FromXYWH(kClientWidth - 90, y + 50, 80, 25)), kBtnClose, font);
    UpdateButtons();
    win::ModalOptions options;
    options.owner = owner_;
    win::RunModalLoop(hwnd(), [this] { return done_; }, options);
    ::DestroyWindow(hwnd());
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
    *result = 0;
    switch (msg) {
      case WM_COMMAND:
        switch (LOWORD(wp)) {
          case kBtnA: TryFirst(); return true;
          case kBtnB: TryNext(); return true;
          case kBtnC: TryLast(); return true;
          case kCheck2:
            g_useAol = Checked(check2_);
            UpdateButtons();
            return true;
          case kBtnClose:
          case IDCANCEL: done_ = true; return true;
        }
        return false;
      case WM_CLOSE: done_ = true; return true;
      case DM_GETDEFID: *result = MAKELRESULT(kBtnClose, DC_HASDEFID); return true;
    }
    return false;
  }

 private:
  static bool Checked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  void UpdateButtons() {
    ::EnableWindow(::GetDlgItem(hwnd(), kBtnA), !g_useAol);
    ::EnableWindow(::GetDlgItem(hwnd(), kBtnB), !g_useAol);
  }

  void AppendConfiguration() {
    if (request_.appendConfiguration && host_.configuration)
      request_.body = WithConfiguration(request_.body, host_.configuration());
  }

  void TryFirst() {
    AppendConfiguration();
    long rc = MapiSend(request_);
    if (rc != 0 && rc != MAPI_USER_ABORT)
      MessageBoxText(hwnd(), MapiErrorText(rc), kProgramName, MB_OK | MB_ICONWARNING);
  }

  void TryNext() {
    std::string body;
    if (request_.byClipboard) {
      AppendConfiguration();
      win::PutClipboardText(hwnd(), request_.body);
      body = kPasteBodyText;
    } else {
      body = EscapeMailtoBody(request_.body);
    }
    if (!win::ShellOpen(hwnd(), MailtoLink(request_.address, request_.subject, body)))
      ShowWarning("Couldn't open your email program.", kProgramName);
    if (request_.byClipboard && Checked(check1_)) Instructions(kTryNextInstructions, 140);
  }

  void TryLast() {
    done_ = true;  // the dialog closes with OK once the steps are shown
    bool bodyOnClipboard = request_.byClipboard || request_.address.empty();
    if (bodyOnClipboard) {
      AppendConfiguration();
      win::PutClipboardText(hwnd(), request_.body);
    } else {
      win::PutClipboardText(hwnd(), request_.address);
    }
    if (Checked(check1_))
      Instructions(TryLastInstructions(bodyOnClipboard, request_.address), 180);
    else
      MessageBoxText(hwnd(), "The information is now on the clipboard.", kProgramName, MB_OK | MB_ICONINFORMATION);
  }

  // While the steps show, the dialog, its owner and the camera are out of the way.
  void Instructions(const std::string& text, int height) {
    ::ShowWindow(hwnd(), SW_HIDE);
    if (owner_) ::ShowWindow(owner_, SW_HIDE);
    if (host_.putCameraAway) host_.putCameraAway();
    ShowInstructions("Email Instructions", text, 250, height, kInstructionsHelp);
    if (host_.showCamera) host_.showCamera();
    if (owner_) ::ShowWindow(owner_, SW_SHOW);
    if (!done_) ::ShowWindow(hwnd(), SW_SHOW);
  }

  MailRequest request_;
  HWND owner_;
  MailHost host_;
  HWND check1_ = nullptr, check2_ = nullptr;
  bool done_ = false;
};

}  // namespace

void SendSupportMail(const MailRequest& request, HWND owner, const MailHost& host) {
  TfrmContact form(request, owner, host);
  form.Execute();
}

void SendCommentMail(HWND owner) { SendSupportMail(MapiCommentMail(), owner, MailHost{}); }

}  // namespace flk
