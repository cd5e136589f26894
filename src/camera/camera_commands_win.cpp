// TfrmCam commands: the menus (mnuMain, "More", the view popup, the Store
// submenus and the colour depth), what each command runs, and GenClick with
// its outputs: the picture store, the clipboard and the save operations.
#include <algorithm>

#include "base/bmp.h"
#include "camera/cam_custom_win.h"
#include "camera/camera_host.h"
#include "camera/camera_support.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "camera/dispatcher.h"
#include "camera/get_text_win.h"
#include "output/file_formats.h"
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

class CameraDispatch : public StoreDispatch {
 public:
  // The Store menu's folder list and Same Folder, and the big-save gate, are
  // the camera's parts this dispatch works on.
  CameraDispatch(TfrmCam& cam, CamMenus& menus, SaveGate& gate)
      : StoreDispatch(cam.Store(), WriteBmpFile, menus.folders(), menus.lastFolderName(),
                      cam.role().values().lastCapturesNum),
        cam_(cam),
        gate_(gate) {}
  void ClearStatus() override { cam_.SetStatus(""); }
  void SetStatus(const std::string& text) override { cam_.SetStatus(text); }
  bool IsDesktopFrozen() override { return cam_.capture().frozen(); }
  std::optional<Picture> TakePicture(bool fileDepth) override { return cam_.capture().ViewfinderPicture(fileDepth); }
  void Warn(const std::string& text) override {
    MessageBoxText(cam_.hwnd(), text, kSaveFileErrorCaption, MB_OK | MB_ICONWARNING);
  }
  void NotifyViewer(int code) override { NotifyViewerCode(code); }
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
          .email = EmailHost{[&role] { role.PutCameraAway(); }, [&role] { role.HideCameraToTray(); },
                             [&role](HWND owner) { SendCommentMail(owner, &role.contactChoices()); }},
          .gate = &gate_,
          .session = &role.outputs()};
      const bool ok = RunPictureOutput(*output, picture(), caller);
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
        return MakeSticky(picture(), source, *cam.role().common());
      }
      case CommandId::Hold: cam_.capture().ToggleHold(); return true;
      case CommandId::StoreRing: cam_.SetStatus(kStatusStoredRing); return true;
      default: return false;
    }
  }
  void OfferThaw(bool wasFrozen) override { cam_.capture().OfferThaw(wasFrozen); }
  void CountToolUse(int code) override { cam_.role().CountToolUse(code); }

 private:
  TfrmCam& cam_;
  SaveGate& gate_;
};


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

void TfrmCam::UpdateMenu(HMENU menu) {
  menus_.UpdateCommands(menu, Modes(), align_);
  if (menus_.IsStoreMenu(menu) && menus_.FillFolderMenu(menu, storeFs_, BaseFolder()))
    NotifyViewer(ViewerNotice::FoldersChanged);
  if (menus_.IsDepthMenu(menu)) menus_.CheckDepth(menu, FileDepthSetting(role_.settings()));
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
      if (menus_.folders().empty()) menus_.folders() = ListPictureFolders(storeFs_, BaseFolder()).names;
      if (size_t(c.value) < menus_.folders().size()) GenClick(FolderTag(c.value));
      return;
    case MenuChoice::NewFolder: NewFolder(); return;
    case MenuChoice::ColorDepth: capture_.ColorDepthChoose(c.value); return;
    case MenuChoice::Command:
      if (CommandEnabled(c.command, Modes())) RunCommand(c.command);
      return;
    case MenuChoice::Nothing: return;
  }
}

// ---- commands -------------------------------------------------------------------------

void TfrmCam::RunCommand(CommandId id) {
  if (saveGate_.Refuses(CommandKindOf(id))) {
    ShowStillSaving(hwnd());
    return;
  }
  using K = CommandRoute::Kind;
  const CommandRoute r = RouteOf(id);
  if (r.hintKey) {
    Point c = CameraCentre();
    if (ShowPointHint(r.hintKey, kHintCentreText, c.x, c.y, hwnd()) == 2) return;
  }
  POINT cursor;
  ::GetCursorPos(&cursor);
  switch (r.kind) {
    case K::Nothing: return;
    case K::GenClick: GenClick(r.tag); return;
    case K::Capture: RequestCapture(false, r.mode); return;
    case K::ScrollTool: StartScrollTool(r.robo); return;
    case K::ScrollSettings: ShowScrollSettingsFor(true); return;
    case K::OpenViewer: OpenViewerOnLastCaptures(); break;
    case K::Refresh: capture_.Refresh(); break;
    case K::ToEdge: ControlsFloat(); return;
    case K::Dock: SetPanelAlign(r.align); return;
    case K::CloseToTray: role_.HideCameraToTray(); return;
    case K::Maximize: ToggleMaximize(); return;
    case K::Exit: role_.ExitProgram(); return;
    case K::PopupMore: PopupMenuAt(menus_.more(), cursor.x, cursor.y); return;
    case K::PopupStore: PopupMenuAt(menus_.store(), cursor.x, cursor.y); return;
    case K::PrinterSetup:
      if (role_.common()) ShowPrinterSetup(*role_.common(), hwnd());
      return;
    case K::RestoreNoShowAgain: RestoreAllNoShowAgainDialogs(role_.settings()); return;
    case K::Help: ShowHelp(); return;
    case K::Website: win::ShellOpen(hwnd(), kMakerAddress); return;
    case K::About: ShowAbout(); return;
    case K::Diagnostics: ShowDiagnostics(); return;
    case K::LaunchSettings: ShowLaunchOptions(hwnd()); return;
    case K::Feedback: SendSupportMail(FeedbackMail(), hwnd(), MailHostOfCamera()); return;
    case K::BugReport: SendSupportMail(BugReportMail(), hwnd(), MailHostOfCamera()); return;
    case K::DailyTips: StartRole(kRoleWelcome, SW_SHOWNORMAL); return;
    case K::GeneralSettings: CamCustomPopup(); return;
    case K::EditorSetup: OpenEditorSetup(hwnd()); return;
  }
  role_.CountToolUse(r.usageCode);
}

void TfrmCam::GenClick(int tag) {
  if (saveGate_.Refuses(CommandKindOfTag(tag))) {
    ShowStillSaving(hwnd());
    return;
  }
  CameraDispatch ops(*this, menus_, saveGate_);
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

void TfrmCam::ShowAbout() { MessageBoxText(hwnd(), AboutText(), kAboutCaption, MB_OK | MB_ICONINFORMATION); }

}  // namespace flk
