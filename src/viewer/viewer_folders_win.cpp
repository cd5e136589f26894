// What the recall viewer's window does with its folders and pictures: the
// tabs and Folders menu, opening and refreshing a folder, showing a picture,
// writing back, the folder manager and the settings at the end.
#include <windows.h>

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "viewer/folder_wiz_win.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_settings.h"
#include "viewer/viewer_win.h"
#include "win32/monitors_win.h"

namespace flk {

namespace {

// "dddddd     tt": the long date and the long time of the user's locale.
std::string LongDateTime(const SYSTEMTIME& t) {
  wchar_t date[128] = L"", time[64] = L"";
  ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &t, nullptr, date, 128, nullptr);
  ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, time, 64);
  return win::Narrow(date) + "     " + win::Narrow(time);
}

// The files that could not be written and why; their changes stay pinned.
void WarnNotSaved(ViewerFolder& folder, int failures) {
  if (!failures) return;
  const std::string text = NotSavedWarning(folder.TakeNotSavedText(), failures);
  ::SetLastError(0);
  ShowWarning(text);
}

}  // namespace

void PlaceUnderPointer(HWND dialog) {
  POINT mouse{};
  ::GetCursorPos(&mouse);
  RECT r{};
  ::GetWindowRect(dialog, &r);
  const Point at = PlaceAtPointer(Point{mouse.x, mouse.y}, r.right - r.left);
  ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnScreen(dialog);
}

std::string FileDateText(const std::string& path) {
  SYSTEMTIME t;
  WIN32_FILE_ATTRIBUTE_DATA d{};
  FILETIME local;
  if (::GetFileAttributesExW(win::Widen(path).c_str(), GetFileExInfoStandard, &d) &&
      ::FileTimeToLocalFileTime(&d.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &t))
    return LongDateTime(t);
  ::GetLocalTime(&t);
  return LongDateTime(t);
}

void TfrmViewer::ShowFolderList() {
  tabs_.SetFolders(folder_.folders());
  bars_.SetFolders(folder_.folders());
  ArrangeControls();  // the tab rows may have changed
}

void TfrmViewer::FoldersChanged() {
  folderWiz_->BuildFolderList();
  const std::string show = folder_.FoldersChanged(folderWiz_->Folders());
  ShowFolderList();
  SelectFolder(show);
}

bool TfrmViewer::LoadShownFolder() {
  HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const bool loaded = folder_.Load();
  ::SetCursor(old);
  if (!loaded) {
    MessageBoxText(hwnd(), folder_.Path() + " disappeared!?", ApplicationTitleText(), MB_OK | MB_ICONWARNING);
    ::DestroyWindow(hwnd());
    return false;
  }
  arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
  return true;
}

void TfrmViewer::OpenFolder(const std::string& name) {
  memo_.Save(folder_.pictures().currentIndex() >= 0);
  int failures = 0;
  const bool left = folder_.Leave(name, &failures);
  WarnNotSaved(folder_, failures);
  if (!left) {
    UpdateCommands();  // the tab and the menu back on the folder still shown
    return;
  }
  if (!LoadShownFolder()) return;
  UpdateCommands();
  if (folder_.pictures().currentIndex() != -1)
    SetStatus(LoadedText(folder_.pictures().currentIndex() + 1, name));
}

void TfrmViewer::SelectFolder(const std::string& name) {
  const int i = FolderIndex(folder_.folders(), name);
  tabs_.Select(i);
  bars_.CheckFolder(i);
  if (name != folder_.name()) OpenFolder(name);
}

void TfrmViewer::RefreshFolder() {
  memo_.Save(folder_.pictures().currentIndex() >= 0);
  const int before = folder_.pictures().currentIndex();
  if (folder_.Refresh()) {
    if (folder_.pictures().currentIndex() != before) arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
    UpdateCommands();
  }
}

void TfrmViewer::PicturesChanged(bool toShown) {
  if (toShown) arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
  UpdateCommands();
}

void TfrmViewer::UpdateCommands() {
  const int index = folder_.index();
  tabs_.Select(index);
  bars_.CheckFolder(index);
  const bool has = !folder_.pictures().empty();
  for (int c = int(ViewerCommand::Camera); c <= int(ViewerCommand::About); ++c)
    bars_.Enable(ViewerCommand(c), ViewerCommandEnabled(ViewerCommand(c), has));
  ArrangeControls();
  if (!has) {
    pictureBox_->SetPictureSize(0, 0);
    SetStatus(kEmptyFolderText);
    memo_.Clear();
  }
  ShowCurrentPicture();
}

void TfrmViewer::ShowCurrentPicture() {
  const int i = folder_.pictures().currentIndex();
  if (i >= 0) {
    const PictureEntry e = folder_.pictures().entries()[size_t(i)];
    std::shared_ptr<Picture> p = folder_.PictureOf(i);
    pictureBox_->SetPictureSize(p ? p->width() : 0, p ? p->height() : 0);
    SetStatus(PictureStatusText(i, int(folder_.pictures().size()), FileDateText(folder_.PathOf(i)), e.fileName,
                                e.sizeKiB));
    memo_.Show(folder_.MemoPath());
  }
  strip_.Repaint();
}

void TfrmViewer::SelectPicture(int index) {
  if (!folder_.Selectable(index)) return;
  memo_.Save(true);
  folder_.Select(index);
  // Keep the shown picture's thumbnail on the strip.
  if (arrangement_.KeepThumbVisible(index)) ArrangeControls();
  ShowCurrentPicture();
}

void TfrmViewer::SavePictures(bool release) {
  memo_.Save(folder_.pictures().currentIndex() >= 0);
  WarnNotSaved(folder_, folder_.WriteBack(release));
}

void TfrmViewer::OpenFolderManagerAt(int index) {
  SavePictures(false);
  inFolderManager_ = true;
  const bool changed = folderWiz_->ShowFolderManager(index);
  inFolderManager_ = false;
  if (changed) FoldersChanged();
  else SelectFolder(folder_.name());
}

void TfrmViewer::SaveViewerSettings() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ::GetWindowPlacement(hwnd(), &wp);
  const RECT& n = wp.rcNormalPosition;
  const Rect place = placement_.ToStore(win::WindowRectOf(hwnd()), Rect{n.left, n.top, n.right, n.bottom},
                                        ::IsIconic(hwnd()) || ::IsZoomed(hwnd()));
  WriteViewerSettings(settings_, SettingsToWrite(place, arrangement_.look(), arrangement_.thumbHeight(),
                                                 arrangement_.memoHeight()));
  SavePictures(true);
}

void TfrmViewer::ReportUnreadable() {
  reportPosted_ = false;
  bool removed = false;
  const std::vector<ViewerFolder::Unreadable> report = folder_.TakeUnreadable(&removed);
  if (removed) UpdateCommands();
  for (const ViewerFolder::Unreadable& u : report) {
    ::SetLastError(0);
    ShowWarning(CouldNotLoadText(u.path, u.why));
  }
}

}  // namespace flk
