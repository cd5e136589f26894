#include "viewer/viewer_screen_win.h"

#include <commctrl.h>

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "viewer/folder_wiz_win.h"
#include "viewer/viewer_bars_win.h"
#include "viewer/viewer_memo_win.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_strip_win.h"
#include "viewer/viewer_tabs_win.h"
#include "win32/window.h"

namespace flk {

ViewerScreenWin::ViewerScreenWin(Parts parts)
    : p_(std::move(parts)), folderWiz_(std::make_unique<TfrmFolderWiz>(p_.window, fs_, BaseFolder())) {}

ViewerScreenWin::~ViewerScreenWin() = default;

void ViewerScreenWin::ShowFolderList(const std::vector<std::string>& folders) {
  p_.tabs->SetFolders(folders);
  p_.bars->SetFolders(folders);
}

void ViewerScreenWin::MarkFolder(int index) {
  p_.tabs->Select(index);
  p_.bars->CheckFolder(index);
}

void ViewerScreenWin::EnableCommand(ViewerCommand c, bool enabled) { p_.bars->Enable(c, enabled); }

void ViewerScreenWin::ShowPictureSize(int width, int height) { p_.pictureBox->SetPictureSize(width, height); }

void ViewerScreenWin::RepaintStrip() { p_.strip->Repaint(); }

void ViewerScreenWin::SetStatus(const std::string& text) {
  ::SendMessageW(p_.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(win::Widen(text).c_str()));
}

void ViewerScreenWin::Warn(const std::string& text) {
  ::SetLastError(0);  // the text names the files and the reasons
  ShowWarning(text);
}

void ViewerScreenWin::FolderGone(const std::string& text) {
  MessageBoxText(p_.window, text, ApplicationTitleText(), MB_OK | MB_ICONWARNING);
  ::DestroyWindow(p_.window);
}

void ViewerScreenWin::Busy(bool busy) {
  if (busy) busyCursor_ = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  else ::SetCursor(busyCursor_);
}

std::string ViewerScreenWin::FileDate(const std::string& path) { return FileDateText(path); }

void ViewerScreenWin::ShowMemo(const std::string& memoPath) { p_.memo->Show(memoPath); }

void ViewerScreenWin::ClearMemo() { p_.memo->Clear(); }

void ViewerScreenWin::SaveMemo(bool pictureShown) { p_.memo->Save(pictureShown); }

std::vector<std::string> ViewerScreenWin::ReadFolderList() {
  folderWiz_->BuildFolderList();
  return folderWiz_->Folders();
}

bool ViewerScreenWin::RunFolderManager(int row) {
  inFolderManager_ = true;
  const bool changed = folderWiz_->ShowFolderManager(row);
  inFolderManager_ = false;
  return changed;
}

void ViewerScreenWin::Restore() {
  if (::IsIconic(p_.window)) ::ShowWindow(p_.window, SW_RESTORE);
}

bool ViewerScreenWin::EndFolderManagerFirst() {
  if (!inFolderManager_) return false;
  ::PostMessageW(folderWiz_->hwnd(), WM_CLOSE, 0, 0);
  return true;
}

}  // namespace flk
