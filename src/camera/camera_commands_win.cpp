// TfrmCam commands: the menus (mnuMain, "More", the view popup, the Store
// submenus and the colour depth), what each command runs, and GenClick with
// its outputs: the picture store, the clipboard and the save operations.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "base/bmp.h"
#include "camera/cam_custom_win.h"
#include "camera/camera_save_win.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "camera/dispatcher.h"
#include "output/clipboard_win.h"
#include "output/editor_win.h"
#include "output/folder_menu.h"
#include "output/picture_store.h"
#include "output/print_win.h"
#include "output/save_file.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "shell/startup_settings.h"
#include "shell/tray_win.h"

namespace flk {

// From the how-to tips (their header's own Point clashes with the camera's geometry).
int ShowPointHint(const std::string& key, const std::string& text, int x, int y, HWND owner);
void RestoreAllNoShowAgainDialogs(Settings& settings);

namespace {

constexpr char kMakerAddress[] = "https://www.hollowbrook.example/framelark";

// ---- the picture store on the disk ------------------------------------------------

class WinStoreFileSystem : public StoreFileSystem {
 public:
  bool IsDirectory(const std::string& path) override {
    DWORD a = ::GetFileAttributesW(win::Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool IsFile(const std::string& path) override {
    DWORD a = ::GetFileAttributesW(win::Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool MakeDirectory(const std::string& path) override {
    return ::CreateDirectoryW(win::Widen(path).c_str(), nullptr) != FALSE;
  }
  bool MakeDirectories(const std::string& path) override { return CreateFolderChain(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& ext) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW d;
    win::UniqueFindHandle find(::FindFirstFileW(win::Widen(dir + "*" + ext).c_str(), &d));
    if (!find) return names;
    do {
      if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::string name = win::Narrow(d.cFileName);
      if (name.size() >= ext.size() && ::lstrcmpiA(name.substr(name.size() - ext.size()).c_str(), ext.c_str()) == 0)
        names.push_back(name);
    } while (::FindNextFileW(find.get(), &d));
    return names;
  }
  std::vector<std::string> ListDirectories(const std::string& dir) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW d;
    win::UniqueFindHandle find(::FindFirstFileW(win::Widen(dir + "*.*").c_str(), &d));
    if (!find) return names;
    do {
      std::wstring n = d.cFileName;
      if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n != L"." && n != L"..") names.push_back(win::Narrow(n));
    } while (::FindNextFileW(find.get(), &d));
    return names;
  }
  bool RemoveFile(const std::string& path) override { return ::DeleteFileW(win::Widen(path).c_str()) != FALSE; }
  std::optional<uint64_t> FileSize(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!::GetFileAttributesExW(win::Widen(path).c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
    return (uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  }
};

void NotifyViewer(int code) {
  if (HWND viewer = ::FindWindowA(kViewerClass, kViewerCaption))
    ::PostMessageA(viewer, kWmViewerNotify, WPARAM(INT_PTR(code)), 0);
}

PictureStore& Store() {
  static WinStoreFileSystem fs;
  static PictureStore store = [] {
    PictureStore s(fs, BaseFolder());
    s.SetNextFileNumberAccess([] { return AppSettings().ReadSingleSetting("NxtFileNum", 1); },
                              [](int n) { AppSettings().WriteSingleSetting("NxtFileNum", n); });
    s.SetViewerNotifier(NotifyViewer);
    return s;
  }();
  store.SetLastCapturesNum(CameraRoleValues().lastCapturesNum);
  return store;
}

bool WriteBmpFile(const std::string& path, const Picture& picture) {
  std::FILE* f = ::_wfopen(win::Widen(path).c_str(), L"wb");
  if (!f) return false;
  bool ok = WriteBmp(picture, f);
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) ::DeleteFileW(win::Widen(path).c_str());
  return ok;
}

// ---- GenClick on the real camera ------------------------------------------------------

class CameraDispatch : public DispatchOps {
 public:
  explicit CameraDispatch(TfrmCam& cam) : cam_(cam) {}
  void ClearStatus() override { cam_.SetStatus(""); }
  void SetStatus(const std::string& text) override { cam_.SetStatus(text); }
  bool IsDesktopFrozen() override { return cam_.IsDesktopFrozen(); }
  bool MakePicture(bool fileDepth) override {
    picture_ = cam_.MakeViewfinderPicture(fileDepth);
    return picture_.has_value();
  }
  int LastCapturesNum() override { return CameraRoleValues().lastCapturesNum; }
  bool StoreLastCapture() override {
    PictureWriter writer = [this](const std::string& path) { return WriteBmpFile(path, *picture_); };
    return Store().StoreLastCapture(&writer).stored;
  }
  void NotifyViewer(int code) override { flk::NotifyViewer(code); }
  std::string FolderName(int index) override {
    auto& f = cam_.ViewFolders();
    return index >= 0 && size_t(index) < f.size() ? f[size_t(index)] : std::string();
  }
  bool StoreInFolder(int index) override {
    PictureWriter writer = [this](const std::string& path) { return WriteBmpFile(path, *picture_); };
    FolderStoreResult r = Store().StoreInFolder(cam_.ViewFolders(), index, writer);
    if (r.stored && !r.status.empty()) cam_.SetStatus(r.status);
    return r.stored;
  }
  void SetLastFolderName(const std::string& name) override { cam_.LastFolderName() = name; }
  bool RunOutput(CommandId command) override {
    switch (command) {
      case CommandId::Copy:
        if (!CopyToClipboard(*picture_, cam_.hwnd())) return false;
        cam_.SetStatus(kStatusCopied);
        return true;
      case CommandId::Print:
      case CommandId::PrintFit: {
        bool printed = PrintPicture(*picture_, command == CommandId::PrintFit, cam_.hwnd());
        ::InvalidateRect(cam_.hwnd(), nullptr, FALSE);  // the page marks
        return printed;
      }
      case CommandId::Edit: return OpenInEditor(*picture_);
      case CommandId::Hold: cam_.ToggleHold(); return true;
      case CommandId::StoreRing: cam_.SetStatus(kStatusStoredRing); return true;
      case CommandId::SaveAs: {
        CameraSaveServices services(cam_.hwnd());
        SaveAs(*picture_, services);
        return !services.failed();
      }
      case CommandId::IncSave: {
        CameraSaveServices services(cam_.hwnd());
        SaveSameNamePlusOne(*picture_, services);
        return !services.failed();
      }
      case CommandId::MakeEmailAttachment: {
        CameraSaveServices services(cam_.hwnd());
        MakeEmailAttachment(*picture_, ProgramFolder(), services);
        return !services.failed();
      }
      default: return false;  // outputs not in this build
    }
  }
  void OfferThaw(bool wasFrozen) override { cam_.OfferThaw(wasFrozen); }
  void FreePicture() override { picture_.reset(); }
  void CountToolUse(int code) override {
    StartupValues& v = CameraRoleValues();
    v.toolUse = flk::CountToolUse(v.toolUse, code);
  }

 private:
  TfrmCam& cam_;
  std::optional<Picture> picture_;
};

std::wstring EntryText(const MenuEntry& e) {
  std::string text = e.caption;
  std::string shortcut = ShortcutText(e);
  if (!shortcut.empty()) text += "\t" + shortcut;
  return win::Widen(text);
}


}  // namespace

FolderStoreResult StoreWholeCaptureInRing(const Picture& picture) {
  PictureWriter writer = [&picture](const std::string& path) { return WriteBmpFile(path, picture); };
  return Store().StoreInFolder({}, -1, writer);
}

// The ring after its size changed: trimmed at once, without a new picture.
void TrimLastCapturesRing() {
  Store().StoreLastCapture(nullptr);
  NotifyViewer(-3);
}

// ---- menus --------------------------------------------------------------------------

void TfrmCam::BuildMenus() {
  auto fill = [this](HMENU menu, MenuId id) {
    for (const MenuEntry& e : MenuEntries(id)) {
      if (e.kind == EntryKind::Hidden) continue;  // mnuForAll only holds "More"
      if (e.separatorBefore) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      if (e.kind == EntryKind::Submenu) {
        HMENU sub = ::CreatePopupMenu();
        if (e.command == CommandId::StoreMenu) {
          ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);  // the fixed separator before the folders
          int slot = id == MenuId::File ? 0 : id == MenuId::More ? 1 : 2;
          storeMenus_[slot] = sub;
        } else if (e.command == CommandId::ColorDepthMenu) {
          for (const ColorDepthEntry& d : ColorDepthEntries())
            ::AppendMenuW(sub, MF_STRING, UINT_PTR(kCmdDepthBase + d.value), win::Widen(d.caption).c_str());
          depthMenu_ = sub;
        }
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), EntryText(e).c_str());
        continue;
      }
      UINT id2 = UINT(CommandControlId(e.command));
      ::AppendMenuW(menu, MF_STRING, id2, EntryText(e).c_str());
      if (e.kind == EntryKind::Radio) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        mi.fType = MFT_STRING | MFT_RADIOCHECK;
        ::SetMenuItemInfoW(menu, id2, FALSE, &mi);
      }
    }
  };
  mainMenu_.reset(::CreatePopupMenu());
  int i = 0;
  for (const MenuInfo& m : MainMenus()) {
    HMENU sub = ::CreatePopupMenu();
    fill(sub, m.id);
    ::AppendMenuW(mainMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), win::Widen(m.caption).c_str());
    subMenus_[i++] = sub;
  }
  moreHolder_.reset(::CreatePopupMenu());
  moreMenu_ = ::CreatePopupMenu();
  fill(moreMenu_, MenuId::More);
  ::AppendMenuW(moreHolder_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(moreMenu_), L"More");
  popup_.reset(::CreatePopupMenu());
  fill(popup_.get(), MenuId::ViewPopup);
}

void TfrmCam::UpdateMenu(HMENU menu) {
  CameraModes modes = Modes();
  if (menu == popup_.get()) {
    // mnuEdgeOff shows only in edge-to-edge mode.
    UINT edgeOff = UINT(CommandControlId(CommandId::EdgeOff));
    ::DeleteMenu(menu, edgeOff, MF_BYCOMMAND);
    if (align_ == PanelAlign::Floating) ::AppendMenuW(menu, MF_STRING, edgeOff, L"Edge To Edge Off");
  }
  for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
    UINT id = ::GetMenuItemID(menu, i);
    if (id == UINT(-1) || id < UINT(kCmdBase) || id >= UINT(kCmdDepthBase)) continue;
    auto cmd = static_cast<CommandId>(int(id) - kCmdBase);
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (CommandEnabled(cmd, modes) ? MF_ENABLED : MF_GRAYED));
    bool checked = false;
    if (cmd == CommandId::Hold) checked = hold_;
    if (cmd == CommandId::ControlsTop) checked = align_ == PanelAlign::Top;
    if (cmd == CommandId::ControlsBottom) checked = align_ == PanelAlign::Bottom;
    if (cmd == CommandId::ToEdge) checked = align_ == PanelAlign::Floating;
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  for (HMENU store : storeMenus_)
    if (menu == store) BuildFolderMenu(menu);
  if (menu == depthMenu_) {
    // mnuColorDepthClick: the stored depth is checked (none for an unknown value).
    int value = AppSettings().ReadSingleSetting("PixelFormatPro", kDefaultPixelFormatPro);
    for (const ColorDepthEntry& d : ColorDepthEntries()) {
      UINT id = UINT(kCmdDepthBase + d.value);
      MENUITEMINFOW mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_FTYPE | MIIM_STATE;
      mi.fType = MFT_STRING | MFT_RADIOCHECK;
      mi.fState = d.value == value ? MFS_CHECKED : MFS_UNCHECKED;
      ::SetMenuItemInfoW(menu, id, FALSE, &mi);
    }
  }
}

void TfrmCam::BuildFolderMenu(HMENU menu) {
  WinStoreFileSystem fs;
  FolderMenu built = flk::BuildFolderMenu(fs, BaseFolder(), lastFolderName_);
  if (built.createdFirstFolder) NotifyViewer(-2);
  folders_ = built.folders;  // lstViewFolders: the list the entries' tags index
  // The folder entries of last time go; the fixed separator stays.
  while (::GetMenuItemCount(menu) > 1) ::DeleteMenu(menu, 1, MF_BYPOSITION);
  for (const FolderMenuEntry& e : built.entries) {
    if (!e.visible) continue;
    std::wstring caption = win::Widen(e.caption);
    switch (e.kind) {
      case FolderMenuEntry::Separator: ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); break;
      case FolderMenuEntry::CreateFolder:
        ::AppendMenuW(menu, MF_STRING, UINT_PTR(kCmdNewFolder), caption.c_str());
        break;
      case FolderMenuEntry::SameFolder:
      case FolderMenuEntry::Folder:
        ::AppendMenuW(menu, MF_STRING | (e.enabled ? 0 : MF_GRAYED),
                      UINT_PTR(kCmdFolderBase + FolderIndexOfTag(e.tag)), caption.c_str());
        break;
    }
  }
}

void TfrmCam::PopupMenuAt(HMENU menu, int x, int y) {
  if (!menu) return;
  ::SetForegroundWindow(hwnd());
  UINT cmd = UINT(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0,
                                   hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  if (cmd != 0) OnCommand(int(cmd));
}

void TfrmCam::OnCommand(int id) {
  if (id >= kCmdFolderBase) {
    // Folder entries index the list their Store menu showed; before any Store
    // menu was opened that is the list as it is now.
    if (folders_.empty()) {
      WinStoreFileSystem fs;
      folders_ = ListPictureFolders(fs, BaseFolder()).names;
    }
    int index = id - kCmdFolderBase;
    if (index >= 0 && size_t(index) < folders_.size()) GenClick(FolderTag(index));
    return;
  }
  if (id == kCmdNewFolder) {
    NewFolder();
    return;
  }
  if (id >= kCmdDepthBase) {
    ColorDepthChoose(id - kCmdDepthBase);
    return;
  }
  if (id >= kCmdBase) {
    auto cmd = static_cast<CommandId>(id - kCmdBase);
    if (CommandEnabled(cmd, Modes())) RunCommand(cmd);
  }
}

// ---- commands -------------------------------------------------------------------------

void TfrmCam::RunCommand(CommandId id) {
  switch (id) {
    case CommandId::Print:
    case CommandId::PrintFit:
    case CommandId::Email:
    case CommandId::Sticky:
    case CommandId::Copy:
    case CommandId::Edit:
    case CommandId::Hold:
    case CommandId::SaveAs:
    case CommandId::MakeEmailAttachment:
    case CommandId::IncSave:
    case CommandId::StoreRing: GenClick(TagOf(id)); return;
    case CommandId::WinCap:
    case CommandId::WorkArea: {
      Point c = CameraCentre();
      if (ShowPointHint(kHintKeyCentre, kHintCentreText, c.x, c.y, hwnd()) == 2) return;
      RequestCapture(false, id == CommandId::WinCap ? kModeWindowAtCentre : kModeInsideAtCentre);
      return;
    }
    case CommandId::FullScreen: RequestCapture(false, kModeFullScreen); return;
    case CommandId::OpenViewer:
      OpenViewerOnLastCaptures();
      CameraRoleValues().toolUse = CountToolUse(CameraRoleValues().toolUse, kUsageRecall);
      return;
    case CommandId::Refresh:
      if (hold_) {
        ToggleHold();
      } else {
        MarkStale();
        RequestCapture(false, kModeRefresh);
      }
      CameraRoleValues().toolUse = CountToolUse(CameraRoleValues().toolUse, kUsageRefresh);
      return;
    case CommandId::ToEdge: ControlsFloat(); return;
    case CommandId::EdgeOff:
    case CommandId::ControlsTop: SetPanelAlign(PanelAlign::Top); return;
    case CommandId::ControlsBottom: SetPanelAlign(PanelAlign::Bottom); return;
    case CommandId::CloseToTray: HideCameraToTray(); return;
    case CommandId::Maximize: ToggleMaximize(); return;
    case CommandId::Exit: ExitProgram(); return;
    case CommandId::More: {
      POINT p;
      ::GetCursorPos(&p);
      PopupMenuAt(moreMenu_, p.x, p.y);
      return;
    }
    case CommandId::StoreMenu: {
      POINT p;
      ::GetCursorPos(&p);
      PopupMenuAt(storeMenus_[0], p.x, p.y);
      return;
    }
    case CommandId::PrinterSetup: ShowPrinterSetup(hwnd()); return;
    case CommandId::RestoreNoShowAgain: RestoreAllNoShowAgainDialogs(AppSettings()); return;
    case CommandId::Help: ShowHelp(); return;
    case CommandId::Website: ::ShellExecuteA(hwnd(), "open", kMakerAddress, nullptr, nullptr, SW_SHOWNORMAL); return;
    case CommandId::About: ShowAbout(); return;
    case CommandId::DailyTips: StartRole(kRoleWelcome, SW_SHOWNORMAL); return;
    case CommandId::GeneralSettings: CamCustomPopup(); return;
    case CommandId::EditorSetup: OpenEditorSetup(hwnd()); return;
    default: return;  // dialogs and tools not in this build are disabled
  }
}

void TfrmCam::GenClick(int tag) {
  CameraDispatch ops(*this);
  flk::GenClick(tag, ops);
}

void TfrmCam::OpenViewerOnLastCaptures() {
  if (HWND viewer = ::FindWindowA(kViewerClass, kViewerCaption)) {
    ::SetForegroundWindow(viewer);
    NotifyViewer(-1);
    return;
  }
  StartRole(kRoleViewer, SW_SHOWNORMAL);
}

void TfrmCam::NewFolder() {
  std::string name = AskText(hwnd(), kNewFolderDialogHeight, kNewFolderPrompt, kNewFolderCaption);
  if (name.empty()) return;
  WinStoreFileSystem fs;
  ::SetLastError(0);
  NewFolderResult r = CreatePictureFolder(fs, BaseFolder(), name, NotifyViewer);
  if (r.outcome == NewFolderResult::Created)
    MessageBoxText(hwnd(), r.message, kProgramName, MB_OK | MB_ICONINFORMATION);
  else if (r.outcome == NewFolderResult::Failed)
    ShowWarning(r.message, kWarningCaption);
}

void TfrmCam::ShowHelp() { flk::ShowHelp(hwnd(), 1); }

void TfrmCam::ShowAbout() {
  std::string text = std::string(kProgramName) + " version " + kProgramVersion +
                     "\r\n\r\nSome features patent pending.\r\n\r\nHollowbrook\r\n" + kMakerAddress +
                     "\r\n\r\nPNG files are written with libpng (the PNG Development Group) and zlib (Jean-loup "
                     "Gailly and Mark Adler); GIF files with giflib (Eric S. Raymond and the GIFLIB authors).\r\n"
                     "This software is based in part on the work of the Independent JPEG Group.";
  MessageBoxText(hwnd(), text, "About Framelark", MB_OK | MB_ICONINFORMATION);
}

}  // namespace flk
