// TfrmCam commands: the menus (mnuMain, "More", the view popup, the Store
// submenus and the colour depth), what each command runs, and GenClick with
// its outputs: the picture store, the clipboard and the save operations.
#include <algorithm>

#include "base/bmp.h"
#include "camera/cam_custom_win.h"
#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "camera/dispatcher.h"
#include "camera/get_text_win.h"
#include "output/folder_menu.h"
#include "output/picture_outputs_win.h"
#include "output/picture_store.h"
#include "output/print_win.h"
#include "output/save_file.h"
#include "output/store_file_system_win.h"
#include "output/viewer_notify_win.h"
#include "setup/startup_links_win.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/file_depth.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "shell/point_hint_win.h"
#include "shell/startup_settings.h"
#include "shell/tips_layout.h"
#include "stickies/make_sticky_win.h"
#include "support/contact_win.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"

namespace flk {

namespace {

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
  int LastCapturesNum() override { return cam_.role().values().lastCapturesNum; }
  bool StoreLastCapture() override {
    PictureWriter writer = [this](const std::string& path) { return WriteBmpFile(path, *picture_); };
    return cam_.Store().StoreLastCapture(&writer).stored;
  }
  void NotifyViewer(int code) override { NotifyViewerCode(code); }
  std::string FolderName(int index) override {
    auto& f = cam_.ViewFolders();
    return index >= 0 && size_t(index) < f.size() ? f[size_t(index)] : std::string();
  }
  bool StoreInFolder(int index) override {
    PictureWriter writer = [this](const std::string& path) { return WriteBmpFile(path, *picture_); };
    FolderStoreResult r = cam_.Store().StoreInFolder(cam_.ViewFolders(), index, writer);
    if (r.stored && !r.status.empty()) cam_.SetStatus(r.status);
    return r.stored;
  }
  void SetLastFolderName(const std::string& name) override { cam_.LastFolderName() = name; }
  bool RunOutput(CommandId command) override {
    if (std::optional<PictureOutput> output = OutputOfCommand(command)) {
      TfrmCam& cam = cam_;
      CameraHost& role = cam_.role();
      OutputCaller caller{
          .owner = cam.hwnd(),
          .settings = &role.settings(),
          .status = [&cam](const std::string& text) { cam.SetStatus(text); },
          .foldersRoot = PictureFoldersOf(BaseFolder()),
          .common = role.common(),
          .email = EmailHost{[&role] { role.PutCameraAway(); }, [&role] { role.HideCameraToTray(); }, SendCommentMail}};
      const bool ok = RunPictureOutput(*output, *picture_, caller);
      if (*output == PictureOutput::Print || *output == PictureOutput::PrintFit)
        ::InvalidateRect(cam.hwnd(), nullptr, FALSE);  // the page marks
      return ok;
    }
    switch (command) {
      case CommandId::Sticky: {
        if (!cam_.role().common()) return false;
        TfrmCam& cam = cam_;
        StickySource source{cam.hwnd(), [&cam](int left, int top) {
                              cam.MoveDirect(left, top);
                              ::InvalidateRect(cam.hwnd(), nullptr, FALSE);
                            }};
        return MakeSticky(*picture_, source, *cam.role().common());
      }
      case CommandId::Hold: cam_.ToggleHold(); return true;
      case CommandId::StoreRing: cam_.SetStatus(kStatusStoredRing); return true;
      default: return false;
    }
  }
  void OfferThaw(bool wasFrozen) override { cam_.OfferThaw(wasFrozen); }
  void FreePicture() override { picture_.reset(); }
  void CountToolUse(int code) override { cam_.role().CountToolUse(code); }

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

PictureStore& TfrmCam::Store() {
  if (!store_) {
    store_ = std::make_unique<PictureStore>(storeFs_, BaseFolder());
    Settings& settings = role_.settings();
    store_->SetNextFileNumberAccess([&settings] { return settings.ReadSingleInt("NxtFileNum"); },
                                    [&settings](int n) { settings.WriteSingleSetting("NxtFileNum", n); });
    store_->SetViewerNotifier(NotifyViewerCode);
  }
  store_->SetLastCapturesNum(role_.values().lastCapturesNum);
  return *store_;
}

// The ring after its size changed: trimmed at once, without a new picture.
void TfrmCam::TrimLastCapturesRing() {
  Store().StoreLastCapture(nullptr);
  NotifyViewerCode(-3);
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
    bool checked = CommandChecked(cmd, modes_.hold(), align_);
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  for (HMENU store : storeMenus_)
    if (menu == store) BuildFolderMenu(menu);
  if (menu == depthMenu_) {
    // mnuColorDepthClick: the stored depth is checked (none for an unknown value).
    int value = FileDepthSetting(role_.settings());
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
  FolderMenu built = flk::BuildFolderMenu(storeFs_, BaseFolder(), lastFolderName_);
  if (built.createdFirstFolder) NotifyViewer(ViewerNotice::FoldersChanged);
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
  MenuChoice c = DecodeMenuId(id);
  switch (c.kind) {
    case MenuChoice::Folder:
      // Folder entries index the list their Store menu showed; before any Store
      // menu was opened that is the list as it is now.
      if (folders_.empty()) folders_ = ListPictureFolders(storeFs_, BaseFolder()).names;
      if (size_t(c.value) < folders_.size()) GenClick(FolderTag(c.value));
      return;
    case MenuChoice::NewFolder: NewFolder(); return;
    case MenuChoice::ColorDepth: ColorDepthChoose(c.value); return;
    case MenuChoice::Command:
      if (CommandEnabled(c.command, Modes())) RunCommand(c.command);
      return;
    case MenuChoice::Nothing: return;
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
    case CommandId::ScrollCap:
    case CommandId::Robo: {
      Point c = CameraCentre();
      if (ShowPointHint(kHintKeyScroll, kHintCentreText, c.x, c.y, hwnd()) == 2) return;
      StartScrollTool(id == CommandId::Robo);
      return;
    }
    case CommandId::ScrollCaptureSettings: ShowScrollSettingsFor(true); return;
    case CommandId::OpenViewer:
      OpenViewerOnLastCaptures();
      role_.CountToolUse(kUsageRecall);
      return;
    case CommandId::Refresh:
      PerformHoldPlan(modes_.Refresh(align_));
      role_.CountToolUse(kUsageRefresh);
      return;
    case CommandId::ToEdge: ControlsFloat(); return;
    case CommandId::EdgeOff:
    case CommandId::ControlsTop: SetPanelAlign(PanelAlign::Top); return;
    case CommandId::ControlsBottom: SetPanelAlign(PanelAlign::Bottom); return;
    case CommandId::CloseToTray: role_.HideCameraToTray(); return;
    case CommandId::Maximize: ToggleMaximize(); return;
    case CommandId::Exit: role_.ExitProgram(); return;
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
    case CommandId::PrinterSetup:
      if (role_.common()) ShowPrinterSetup(*role_.common(), hwnd());
      return;
    case CommandId::RestoreNoShowAgain: RestoreAllNoShowAgainDialogs(role_.settings()); return;
    case CommandId::Help: ShowHelp(); return;
    case CommandId::Website: win::ShellOpen(hwnd(), kMakerAddress); return;
    case CommandId::About: ShowAbout(); return;
    case CommandId::Diagnostics: ShowDiagnostics(); return;
    case CommandId::LaunchSettings: ShowLaunchOptions(hwnd()); return;
    case CommandId::Feedback: SendSupportMail(FeedbackMail(), hwnd(), MailHostOfCamera()); return;
    case CommandId::BugReport: SendSupportMail(BugReportMail(), hwnd(), MailHostOfCamera()); return;
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
    NotifyViewer(ViewerNotice::ShowLastCaptures);
    return;
  }
  StartRole(kRoleViewer, SW_SHOWNORMAL);
}

void TfrmCam::NewFolder() {
  std::string name = AskText(hwnd(), kNewFolderDialogHeight, kNewFolderPrompt, kNewFolderCaption);
  if (name.empty()) return;
  ::SetLastError(0);
  NewFolderResult r = CreatePictureFolder(storeFs_, BaseFolder(), name, NotifyViewerCode);
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
