#include "setup/install_dir_win.h"

#include <shlobj.h>

#include "output/save_file.h"
#include "setup/install_rules.h"
#include "setup/install_steps.h"
#include "shell/app_win.h"
#include "shell/names.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_form_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

enum Id { kEdit1 = 601, kBrowse };
constexpr int kClientWidth = 360, kClientHeight = 150;

class TfrmInstalDir : public win::ModalForm {
 public:
  explicit TfrmInstalDir(uint64_t needed) : needed_(needed) {}

  std::optional<std::string> Execute(HWND owner, const std::string& proposal) {
    DpiScale s = win::WindowScale(owner);
    if (!win::CreateDialogForm(*this, L"TfrmInstalDir", kInstallDirCaption, Size{kClientWidth, kClientHeight}, s,
                               win::FormPlace::ScreenCentre, owner))
      return std::nullopt;
    font_ = win::MakeSystemFont(win::SystemFont::Message, s);
    HFONT font = win::FontOrDefault(font_);
    win::CreateChild(hwnd(), L"STATIC", kInstallDirText, SS_LEFT, s(Rect::FromXYWH(12, 10, 336, 48)), 0, font);
    edit_ = win::CreateChild(hwnd(), L"EDIT", proposal, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                             s(Rect::FromXYWH(12, 66, 250, 22)), kEdit1, font);
    win::CreateChild(hwnd(), L"BUTTON", "&Browse", BS_PUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(270, 65, 78, 24)),
                     kBrowse, font);
    win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(184, 112, 78, 26)),
                     IDOK, font);
    win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(270, 112, 78, 26)),
                     IDCANCEL, font);
    win::ModalOptions options;
    options.owner = owner;
    options.focus = edit_;
    RunModal(options);
    return result_;
  }

 protected:
  bool OnCommand(int id, int) override {
    if (id == kBrowse) Browse();
    else if (id == IDOK) Ok();
    else return false;
    return true;
  }

 private:
  win::UniqueFont font_;  // the controls' font, at the window's scale
  void Browse() {
    BROWSEINFOW bi{};
    bi.hwndOwner = hwnd();
    const std::wstring title = win::Widen(kBrowseTitle);
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    win::UniqueCoTaskMem item(::SHBrowseForFolderW(&bi));
    if (!item) return;
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(item.get()), path))
      ::SetWindowTextW(edit_, win::Widen(BrowseProposal(win::Narrow(path))).c_str());
  }

  void Ok() {
    std::string folder = FolderWithBackslash(win::WindowText(edit_));
    const bool made = CreateFolderChain(folder + "Pro\\");
    ULARGE_INTEGER free{};
    std::optional<uint64_t> freeBytes;
    if (made && ::GetDiskFreeSpaceExW(win::Widen(folder).c_str(), &free, nullptr, nullptr)) freeBytes = free.QuadPart;
    FolderVerdict verdict = JudgeInstallFolder(folder, made, freeBytes, needed_);
    if (!verdict.accept) {
      MessageBoxText(hwnd(), verdict.message, kProgramName, MB_OK | MB_ICONWARNING);
      return;
    }
    result_ = folder;
    EndModal();
  }

  uint64_t needed_;
  HWND edit_ = nullptr;
  std::optional<std::string> result_;
};

}  // namespace

std::optional<std::string> AskInstallFolder(HWND owner, const std::string& proposal, uint64_t neededBytes) {
  TfrmInstalDir form(neededBytes);
  return form.Execute(owner, proposal);
}

}  // namespace flk
