// TfrmEditSetup, "Editor Setup": the program the Editor command passes
// pictures to. OK writes EditorPath at once.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "camera/cam_custom.h"
#include "camera/cam_custom_win.h"
#include "camera/editor_setup.h"
#include "shell/app_win.h"
#include "shell/help_win.h"
#include "shell/settings.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/files_win.h"
#include "win32/modal_form_win.h"
#include "win32/monitors_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kMemo1Id = 303, kMemo2Id = 304;

std::string WindowsDirectory() {
  wchar_t buf[MAX_PATH];
  UINT n = ::GetWindowsDirectoryW(buf, MAX_PATH);
  return n && n < MAX_PATH ? win::Narrow(std::wstring(buf, n)) : std::string();
}

// The browse dialog's first folder; empty when it cannot be read.
std::wstring ProgramFilesDir() {
  wchar_t buf[MAX_PATH] = {};
  DWORD size = sizeof buf;
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir",
                     RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return {};
  return buf;
}

class TfrmEditSetup : public win::ModalForm {
 public:
  // Creates the form over `owner` and runs it until it is closed.
  void Execute(HWND owner);

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int notification) override;

 private:
  bool FormCreate(HWND owner);
  int Px(int v) const { return scale_(v); }
  HWND Add(const wchar_t* cls, const std::string& text, DWORD style, int id, HFONT font);
  void Layout();
  void btnBrowseClick();
  void btnOkClick();

  DpiScale scale_;
  std::wstring initialDir_;
  win::UniqueFont font_, arial_, fixed_;
};

HWND TfrmEditSetup::Add(const wchar_t* cls, const std::string& text, DWORD style, int id, HFONT font) {
  return win::CreateChild(hwnd(), cls, text, style, Rect{0, 0, 10, 10}, id, font);
}

bool TfrmEditSetup::FormCreate(HWND owner) {
  scale_ = win::WindowScale(owner);
  int w = Px(480), h = Px(270);
  // Centred on the work area of the owner's monitor (the camera's).
  const Point at = CentredIn(win::MonitorOfWindow(owner).work, Size{w, h});
  if (!Create(L"TfrmEditSetup", win::Widen(kEditSetupCaption).c_str(), kStyle, kExStyle, at.x, at.y, w, h, owner))
    return false;
  auto font = [this](const wchar_t* face, int px) { return win::MakeFaceFont(face, px, scale_); };
  font_ = font(L"MS Shell Dlg 2", 11);
  arial_ = font(L"Arial", 13);
  fixed_ = font(L"Fixedsys", 15);
  if (!fixed_) fixed_ = font(L"Courier New", 13);
  Add(L"EDIT", kEditSetupIntro, ES_MULTILINE | ES_READONLY, kMemo1Id, arial_.get());
  HWND edit = Add(L"EDIT", AppSettings().ReadSingleString("EditorPath"),
                  ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kEditSetupPathId, fixed_.get());
  Add(L"EDIT", kEditSetupHowTo, ES_MULTILINE | ES_READONLY | WS_BORDER, kMemo2Id, font_.get());
  Add(L"BUTTON", "&Browse", BS_PUSHBUTTON | WS_TABSTOP, kEditSetupBrowseId, font_.get());
  Add(L"BUTTON", "Tech Detail", BS_PUSHBUTTON | WS_TABSTOP, kEditSetupTechId, font_.get());
  Add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, font_.get());
  Add(L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, font_.get());
  initialDir_ = ProgramFilesDir();
  Layout();
  return edit != nullptr;
}

void TfrmEditSetup::Layout() {
  RECT rc = clientRect();
  const EditorSetupLayout l = LayOutEditorSetup(Size{int(rc.right), int(rc.bottom)}, scale_);
  const std::pair<int, Rect> parts[] = {{kMemo1Id, l.intro},           {kEditSetupPathId, l.path},
                                        {kMemo2Id, l.howTo},           {kEditSetupBrowseId, l.browse},
                                        {kEditSetupTechId, l.tech},    {IDOK, l.ok},
                                        {IDCANCEL, l.cancel}};
  for (const auto& [id, r] : parts) ::MoveWindow(::GetDlgItem(hwnd(), id), r.left, r.top, r.width(), r.height(), TRUE);
}

void TfrmEditSetup::btnBrowseClick() {
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = L"Executables (.exe)\0*.exe\0All Files\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = L"Select Application";
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (::GetOpenFileNameW(&ofn)) ::SetDlgItemTextW(hwnd(), kEditSetupPathId, file);
}

void TfrmEditSetup::btnOkClick() {
  HWND edit = ::GetDlgItem(hwnd(), kEditSetupPathId);
  std::wstring text(size_t(::GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(edit, text.data(), int(text.size()))));
  EditorSetupDecision d = EditorSetupOk(win::Narrow(text), WindowsDirectory(), win::FileExists);
  if (d.kind == EditorSetupDecision::Refuse) {
    MessageBoxText(hwnd(), kEditSetupInvalid, ApplicationTitleText(), MB_OK | MB_ICONWARNING);
    ::SetFocus(edit);
    return;
  }
  AppSettings().WriteSingleSetting("EditorPath", d.path);
  EndModal();
}

bool TfrmEditSetup::OnCommand(int id, int) {
  switch (id) {
    case IDOK: btnOkClick(); return true;
    case kEditSetupBrowseId: btnBrowseClick(); return true;
    case kEditSetupTechId:
      MessageBoxText(hwnd(), kEditSetupTechDetail, ApplicationTitleText(), MB_OK | MB_ICONINFORMATION);
      return true;
  }
  return false;  // Cancel: the form's own handling ends it
}

bool TfrmEditSetup::OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_SIZE: Layout(); return true;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {Px(kEditSetupMinWidth), Px(kEditSetupMinHeight)};
      return true;
    case WM_HELP:
      ShowHelp(hwnd(), kCamCustomHelpContext);
      *result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp)); return true;
  }
  return false;
}

void TfrmEditSetup::Execute(HWND owner) {
  if (!FormCreate(owner)) return;
  win::ModalOptions options;
  options.owner = ::GetWindow(hwnd(), GW_OWNER);
  options.focus = ::GetDlgItem(hwnd(), kEditSetupPathId);
  options.keyPreview = DialogKeys(hwnd(), kCamCustomHelpContext);
  RunModal(options);
}

}  // namespace

void OpenEditorSetup(HWND owner) {
  TfrmEditSetup form;
  form.Execute(owner);
}

}  // namespace flk
