// The recall viewer's folders and pictures: listing, loading on demand,
// showing, the memo, writing back, and the thumbnail strip's drawing.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "base/bmp.h"
#include "output/picture_store.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "viewer/folder_wiz_win.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_win.h"
#include "win32/files_win.h"

namespace flk {

namespace {

// "dddddd     tt": the long date and the long time of the user's locale.
std::string LongDateTime(const SYSTEMTIME& t) {
  wchar_t date[128] = L"", time[64] = L"";
  ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &t, nullptr, date, 128, nullptr);
  ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, time, 64);
  return win::Narrow(date) + "     " + win::Narrow(time);
}

}  // namespace

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

namespace {

// Normal picture files of a folder: no hidden or system files, no folders.
std::vector<win::FoundFile> PictureFiles(const std::string& folder) {
  std::vector<win::FoundFile> files;
  for (win::FoundFile& f : win::FindFiles(folder + "*.bmp")) {
    if (f.directory || f.hiddenOrSystem || f.name.size() < 4 || ::lstrcmpiA(f.name.substr(f.name.size() - 4).c_str(), ".bmp"))
      continue;
    files.push_back(std::move(f));
  }
  return files;
}

DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
  auto* src = reinterpret_cast<std::pair<const std::vector<uint8_t>*, size_t>*>(cookie);
  const size_t n = std::min(size_t(want), src->first->size() - src->second);
  std::copy_n(src->first->data() + src->second, n, buffer);
  src->second += n;
  *got = LONG(n);
  return 0;
}

DWORD CALLBACK StreamOut(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(size));
  *done = size;
  return 0;
}
}  // namespace

std::string TfrmViewer::FolderPath() const { return base_ + kFoldersDir + currentFolder_ + "\\"; }

void TfrmViewer::BuildFolderList() {
  folderWiz_->BuildFolderList();
  folders_ = folderWiz_->Folders();
  TabCtrl_DeleteAllItems(tabs_);
  auto addTab = [this](int i, const std::string& text) {
    std::wstring w = win::Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = w.data();
    ::SendMessageW(tabs_, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  };
  for (size_t i = 0; i < folders_.size(); ++i) addTab(int(i), folders_[i]);
  addTab(int(folders_.size()), "Folder Manager");
  RebuildFolderMenu();
  ArrangeControls();  // the tab rows may have changed
}

void TfrmViewer::LoadFolder() {
  const std::string folder = FolderPath();
  if (!win::DirectoryExists(folder)) {
    MessageBoxText(hwnd(), folder + " disappeared!?", ApplicationTitleText(), MB_OK | MB_ICONWARNING);
    ::DestroyWindow(hwnd());
    return;
  }
  HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  std::vector<std::string> names;
  std::vector<int64_t> sizes;
  for (const win::FoundFile& f : PictureFiles(folder)) {
    if (unreadable_.count(folder + f.name)) continue;  // reported once this run already
    names.push_back(f.name);
    sizes.push_back(KiBOf(f.size));
  }
  pictures_.Load(std::move(names), sizes);
  thumbLayout_.position = std::max(0, pictures_.currentIndex());
  ::SetCursor(old);
}

void TfrmViewer::OpenFolder(const std::string& name) {
  SavePictures(true);
  currentFolder_ = name;
  LoadFolder();
  if (!hwnd()) return;
  UpdateCommands();
  if (pictures_.currentIndex() != -1) SetStatus(LoadedText(pictures_.currentIndex() + 1, name));
}

void TfrmViewer::SelectFolder(const std::string& name) {
  const int i = FolderIndex(folders_, name);
  TabCtrl_SetCurSel(tabs_, i);
  CheckFolder(i);
  if (name != currentFolder_) OpenFolder(name);
}

void TfrmViewer::RefreshFolder() {
  SaveMemo();
  const std::string folder = FolderPath();
  std::vector<PictureList::Found> found;
  for (const win::FoundFile& f : PictureFiles(folder))
    if (!unreadable_.count(folder + f.name)) found.push_back({f.name, KiBOf(f.size)});
  const int before = pictures_.currentIndex();
  if (pictures_.Refresh(found)) {
    if (pictures_.currentIndex() != before) thumbLayout_.position = std::max(0, pictures_.currentIndex());
    UpdateCommands();
  }
}

void TfrmViewer::UpdateCommands() {
  const int folder = FolderIndex(folders_, currentFolder_);
  TabCtrl_SetCurSel(tabs_, folder);
  CheckFolder(folder);
  const bool has = !pictures_.empty();
  for (int c = int(ViewerCommand::Camera); c <= int(ViewerCommand::About); ++c)
    EnableCommand(ViewerCommand(c), ViewerCommandEnabled(ViewerCommand(c), has));
  ArrangeControls();
  if (!has) {
    pictureBox_->SetPictureSize(0, 0);
    SetStatus(kEmptyFolderText);
    ::SetWindowTextW(memo_, L"");
    ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
  }
  ShowCurrentPicture();
}

void TfrmViewer::ShowCurrentPicture() {
  const int i = pictures_.currentIndex();
  if (i >= 0) {
    const PictureEntry e = pictures_.entries()[size_t(i)];
    std::shared_ptr<Picture> p = PictureOf(i);
    pictureBox_->SetPictureSize(p ? p->width() : 0, p ? p->height() : 0);
    SetStatus(PictureStatusText(i, int(pictures_.size()), FileDateText(FolderPath() + e.fileName), e.fileName,
                                e.sizeKiB));
    memoPath_ = FolderPath() + MemoFileName(e.fileName);
    LoadMemo();
  }
  ::InvalidateRect(thumbs_->hwnd(), nullptr, FALSE);
}

void TfrmViewer::SelectPicture(int index) {
  if (index < 0 || index >= int(pictures_.size()) || index == pictures_.currentIndex()) return;
  SaveMemo();
  pictures_.SetCurrent(index);
  // Keep the shown picture's thumbnail on the strip.
  if (thumbLayout_.paging && (index < thumbLayout_.firstVisible || index > thumbLayout_.lastVisible)) {
    thumbLayout_.position = index < thumbLayout_.firstVisible ? index : index - thumbLayout_.cellsPerPage + 1;
    ArrangeControls();
  }
  ShowCurrentPicture();
}

void TfrmViewer::LoadMemo() {
  std::optional<std::vector<uint8_t>> rtf =
      win::FileExists(memoPath_) ? win::ReadFileBytes(memoPath_, 64u << 20) : std::nullopt;
  ::SetWindowTextW(memo_, L"");
  if (rtf) {
    std::pair<const std::vector<uint8_t>*, size_t> cookie{&*rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, StreamIn};
    ::SendMessageW(memo_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  }
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

bool TfrmViewer::WriteMemo(const std::string& path) {
  std::string rtf;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&rtf), 0, StreamOut};
  ::SendMessageW(memo_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError || rtf.empty()) return false;
  return win::WriteFileAtomic(path, [&rtf](std::FILE* f) { return std::fwrite(rtf.data(), 1, rtf.size(), f) == rtf.size(); });
}

void TfrmViewer::SaveMemo() {
  if (pictures_.currentIndex() < 0 || !::SendMessageW(memo_, EM_GETMODIFY, 0, 0)) return;
  if (::GetWindowTextLengthW(memo_) > 0) {
    ::SetLastError(0);
    if (!WriteMemo(memoPath_)) ShowWarning("Couldn't save the memo " + memoPath_);
  } else {
    ::DeleteFileW(win::Widen(memoPath_).c_str());
  }
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

void TfrmViewer::SavePictures(bool release) {
  SaveMemo();
  const std::string folder = FolderPath();
  if (!pictures_.empty()) fs_.MakeDirectories(folder);
  int failures = 0;
  for (size_t i = 0; i < pictures_.size(); ++i) {
    const PictureEntry& e = pictures_.entries()[i];
    if (!e.modified) continue;
    const std::string path = folder + e.fileName;
    if (!e.picture || !WriteBmpFile(path, *e.picture)) ++failures;
    else if (std::optional<uint64_t> size = win::FileSizeOf(path)) pictures_.SetSize(int(i), KiBOf(*size));
    pictures_.MarkWritten(int(i));
  }
  if (release) pictures_.ReleaseAll();
  if (failures) {
    ::SetLastError(0);
    ShowWarning(NotSavedText(failures));
  }
}

void TfrmViewer::OpenFolderManager(int index) {
  SavePictures(false);
  inFolderManager_ = true;
  const bool changed = folderWiz_->ShowFolderManager(index);
  inFolderManager_ = false;
  if (changed) {
    const bool exists = win::DirectoryExists(FolderPath());
    if (!exists) pictures_.Clear();
    BuildFolderList();
    SelectFolder(FolderToShow(folders_, currentFolder_, exists));
    return;
  }
  SelectFolder(currentFolder_);
}

void TfrmViewer::SaveViewerSettings() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ::GetWindowPlacement(hwnd(), &wp);
  RECT r = wp.rcNormalPosition;
  if (!::IsIconic(hwnd()) && !::IsZoomed(hwnd())) ::GetWindowRect(hwnd(), &r);
  ViewerSettings v;
  v.left = r.left;
  v.top = r.top;
  v.width = r.right - r.left;
  v.height = r.bottom - r.top;
  v.look = look_;
  v.thumbHeight = thumbHeight_;
  v.memoHeight = memoHeight_;
  WriteViewerSettings(settings_, v);
  SavePictures(true);
}

std::shared_ptr<Picture> TfrmViewer::PictureOf(int index) {
  if (std::shared_ptr<Picture> p = pictures_.PictureAt(index)) {
    pictures_.Touch(index);
    return p;
  }
  const std::string path = FolderPath() + pictures_.entries()[size_t(index)].fileName;
  std::string why = "The file cannot be opened or read.";
  if (std::optional<std::vector<uint8_t>> bytes = win::ReadFileBytes(path)) {
    if (std::optional<Picture> p = DecodeBmp(*bytes, &why)) {
      pictures_.Hold(index, std::move(*p));
      return pictures_.PictureAt(index);
    }
  }
  // Not now, in the middle of a paint: the entry goes and the user is told
  // once the paint is done. The file stays where it is.
  if (unreadable_.insert(path).second) toReport_.emplace_back(path, why);
  if (!reportPosted_) reportPosted_ = ::PostMessageW(hwnd(), kWmReportUnreadable, 0, 0);
  return nullptr;
}

void TfrmViewer::ReportUnreadable() {
  reportPosted_ = false;
  const std::string folder = FolderPath();
  bool removed = false;
  for (int i = int(pictures_.size()) - 1; i >= 0; --i)
    if (unreadable_.count(folder + pictures_.entries()[size_t(i)].fileName)) {
      pictures_.Remove(i);
      removed = true;
    }
  if (removed) UpdateCommands();
  std::vector<std::pair<std::string, std::string>> report;
  report.swap(toReport_);
  for (const auto& [path, why] : report) {
    ::SetLastError(0);
    ShowWarning(CouldNotLoadText(path, why));
  }
}

// ---- the thumbnail strip ----

void TfrmViewer::PaintThumbs(HDC dc, const RECT& client) {
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  const int n = int(pictures_.size());
  auto fill = [&](int l, int t, int r, int b) {
    RECT x{l, t, r, b};
    if (r > l && b > t) ::FillRect(dc, &x, face);
  };
  if (n == 0) {
    ::FillRect(dc, &client, face);
    return;
  }
  const ThumbLayout& l = thumbLayout_;
  const int w = client.right, t = l.thumbSize, bottom = l.cellBottom;
  fill(2, kThumbTop, kThumbMargin, bottom);
  int x = kThumbMargin;
  for (int i = l.firstVisible; i <= l.lastVisible && i < n; ++i) {
    std::shared_ptr<Picture> thumb = pictures_.ThumbAt(i, t);
    if (!thumb) {
      if (std::shared_ptr<Picture> p = PictureOf(i)) {
        if (std::optional<Picture> made = MakeThumbnail(*p, t)) {
          pictures_.HoldThumb(i, t, std::move(*made));
          thumb = pictures_.ThumbAt(i, t);
        }
      }
    }
    int tw = 0, th = 0;
    if (thumb) {
      tw = thumb->width();
      th = thumb->height();
      std::vector<uint8_t> info = thumb->info();
      ::SetDIBitsToDevice(dc, x, kThumbTop, DWORD(tw), DWORD(th), 0, 0, 0, UINT(th), thumb->bits(),
                          reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    }
    fill(x + tw, kThumbTop, x + t, kThumbTop + th);
    fill(x, kThumbTop + th, x + t, bottom);
    x += t;
    fill(x, kThumbTop, x + kThumbMargin, bottom);
    x += kThumbMargin;
  }
  fill(x, kThumbTop, w - 1, bottom);
  fill(2, 2, w, kThumbTop);
  fill(0, bottom, w - 2, client.bottom - 2);
  win::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
  for (const Rect& f : CurrentThumbFrames(l, pictures_.currentIndex())) {
    RECT r{f.left, f.top, f.right, f.bottom};
    ::FrameRect(dc, &r, red.get());
  }
  RECT edge = client;
  ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

void TfrmViewer::ThumbPressed(int x) { SelectPicture(ThumbIndexAt(thumbLayout_, x)); }

void TfrmViewer::PaintPicture(HDC dc, const RECT& client, POINT scroll) {
  const int i = pictures_.currentIndex();
  if (i < 0) return;
  std::shared_ptr<Picture> p = pictures_.PictureAt(i);
  if (!p) return;
  const int w = std::min(int(client.right), p->width() - int(scroll.x));
  const int h = std::min(int(client.bottom), p->height() - int(scroll.y));
  if (w <= 0 || h <= 0) return;
  std::vector<uint8_t> info = p->info();
  ::SetDIBitsToDevice(dc, 0, 0, DWORD(w), DWORD(h), scroll.x, p->height() - scroll.y - h, 0, UINT(p->height()),
                      p->bits(), reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
}

}  // namespace flk
