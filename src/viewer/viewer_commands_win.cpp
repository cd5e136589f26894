// The recall viewer's commands on the shown picture: edits, clipboard,
// delete, properties, the camera, and the outputs.
#include "viewer/viewer_commands_win.h"

#include <windows.h>

#include "base/bmp.h"
#include "base/pixel_format.h"
#include "output/picture_outputs_win.h"
#include "output/print_win.h"
#include "shell/app_win.h"
#include "output/output_session_win.h"
#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "stickies/make_sticky_win.h"
#include "support/contact_win.h"
#include "viewer/picture_edits.h"
#include "viewer/viewer_folder.h"
#include "viewer/viewer_memo_win.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_rules.h"
#include "win32/clipboard_win.h"
#include "win32/screen_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr char kNoClipboardPicture[] = "The clipboard holds no picture now.";
constexpr int kViewerHelpContext = 5;

// The picture on the clipboard, through the same careful reader as picture files.
std::optional<Picture> ClipboardPicture(HWND owner) {
  win::OpenedClipboard clip(owner);
  if (!clip.open()) return std::nullopt;
  for (UINT format : {UINT(CF_DIBV5), UINT(CF_DIB)}) {
    HANDLE h = ::GetClipboardData(format);
    if (!h) continue;
    win::GlobalLockScope lock(h);
    if (!lock.get()) continue;
    if (std::optional<Picture> p = DecodePackedDib(static_cast<const uint8_t*>(lock.get()), lock.size()))
      return p;
  }
  return std::nullopt;
}
}  // namespace

class ViewerCommands::Impl {
 public:
  Impl(ViewerCommandHost& host, Settings& settings, TfrmCommon* common, ViewerFolder& folder, ViewerMemo& memo)
      : host_(host), settings_(settings), common_(common), folder_(folder), memo_(memo) {}

  SaveGate& gate() { return gate_; }

  void Run(ViewerCommand c) {
    if (gate_.Refuses(CommandKindOf(c))) {
      ShowStillSaving(hwnd());
      return;
    }
    switch (c) {
      case ViewerCommand::Camera: Camera(); return;
      case ViewerCommand::Crop: AskCamera(0); return;
      case ViewerCommand::Paste: Paste(); return;
      case ViewerCommand::SaveAs: {
        HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        RunOutput(PictureOutput::SaveAs);
        ::SetCursor(old);
        return;
      }
      case ViewerCommand::IncSave: RunOutput(PictureOutput::SaveSamePlusOne); return;
      case ViewerCommand::MakeEmailAttachment: RunOutput(PictureOutput::EmailAttachment); return;
      case ViewerCommand::Print: RunOutput(PictureOutput::Print); return;
      case ViewerCommand::PrintFit: RunOutput(PictureOutput::PrintFit); return;
      case ViewerCommand::PrinterSetup:
        if (common_) ShowPrinterSetup(*common_, hwnd());
        return;
      case ViewerCommand::Edit: RunOutput(PictureOutput::Edit); return;
      case ViewerCommand::Copy: Copy(); return;
      case ViewerCommand::Cut:
        // The picture goes only once it is safely on the clipboard.
        if (Copy()) Delete();
        return;
      case ViewerCommand::Delete: Delete(); return;
      case ViewerCommand::Mirror: Edit(MirrorPicture); return;
      case ViewerCommand::Flip: Edit(FlipPicture); return;
      case ViewerCommand::Invert: Edit(InvertPicture); return;
      case ViewerCommand::Properties: Properties(); return;
      case ViewerCommand::FolderWiz: host_.OpenFolderManager(); return;
      case ViewerCommand::Exit: ::DestroyWindow(hwnd()); return;
      case ViewerCommand::Options: host_.ShowOptions(); return;
      case ViewerCommand::Help: ShowHelp(hwnd(), kViewerHelpContext); return;
      case ViewerCommand::About:
        MessageBoxText(hwnd(),
                       std::string(kProgramName) + " Recall Viewer, version " + kProgramVersion +
                           "\r\n\r\nHollowbrook\r\n" + kMakerAddress,
                       kViewerAboutCaption, MB_OK | MB_ICONINFORMATION);
        return;
      case ViewerCommand::Email:
        RunOutput(PictureOutput::Email);
        host_.EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
        return;
      case ViewerCommand::Sticky:
        if (auto p = Shown(); p && common_) MakeSticky(*p, StickySource{hwnd(), {}}, *common_);
        return;
      case ViewerCommand::None: return;
    }
  }

 private:
  std::shared_ptr<Picture> Shown() { return folder_.Shown(); }

  bool RunOutput(PictureOutput output) {
    std::shared_ptr<Picture> p = Shown();
    if (!p) return false;
    OutputCaller caller{.owner = hwnd(),
                        .settings = &settings_,
                        .status = [this](const std::string& t) { host_.SetStatus(t); },
                        .common = common_,
                        .email = EmailHost{.sendComment = [](HWND owner) { SendCommentMail(owner); }},
                        .gate = &gate_,
                        .session = &outputs_};
    return RunPictureOutput(output, *p, caller);
  }

  template <class Change>
  void Edit(Change change) {
    std::shared_ptr<Picture> p = Shown();
    if (!p) return;
    change(*p);
    // MarkModified: written back when the viewer leaves the folder.
    folder_.MarkShownModified();
    host_.PictureChanged();
  }

  bool Copy() {
    if (!RunOutput(PictureOutput::Copy)) return false;
    host_.EnableCommand(ViewerCommand::Paste, true);
    return true;
  }

  void Delete() {
    const std::string file = folder_.ShownPath();
    if (file.empty()) return;
    if (std::optional<std::string> why = folder_.DeleteShown()) {
      // Still on disk: the picture stays listed, and the user learns why.
      ::SetLastError(0);
      ShowWarning(CouldNotDeleteText(file, *why));
      return;
    }
    memo_.Forget();  // its memo went with it
    host_.PicturesChanged(false);
  }

  void Paste() {
    memo_.Save(folder_.pictures().currentIndex() >= 0);
    std::optional<Picture> picture = ClipboardPicture(hwnd());
    if (!picture) {
      // The clipboard changed since the viewer was last activated.
      host_.SetStatus(kNoClipboardPicture);
      host_.EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
      return;
    }
    int failures = 0;
    folder_.AddPasted(
        std::move(*picture), settings_.ReadSingleInt("NxtFileNum"),
        [this](int next) { settings_.WriteSingleSetting("NxtFileNum", next); }, &failures);
    host_.PicturesChanged(true);
    if (failures) {
      const std::string text = folder_.TakeNotSavedText();
      ::SetLastError(0);
      ShowWarning(text.empty() ? NotSavedText(failures) : text);
    }
  }

  void Properties() {
    std::shared_ptr<Picture> p = Shown();
    const PictureEntry* e = folder_.pictures().current();
    if (!p || !e) return;
    PictureFacts f;
    f.index = folder_.pictures().currentIndex();
    f.count = int(folder_.pictures().size());
    f.path = folder_.ShownPath();
    f.dateText = FileDateText(f.path);
    f.sizeKiB = e->sizeKiB;
    f.width = p->width();
    f.height = p->height();
    f.depth = ColorDepthOf(*p, false);
    MessageBoxText(hwnd(), PropertiesText(f), "Image Properties", MB_OK | MB_ICONINFORMATION);
  }

  // Parameter 2 shows the camera after its refresh delay, so that the viewer
  // is out of its picture; 1 at once when the two do not overlap.
  void Camera() {
    RECT mine;
    ::GetWindowRect(hwnd(), &mine);
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    HWND cam = ::FindWindowA(kCameraClass, kCameraCaption);
    RECT r, both;
    const bool placeKnown = cam && ::GetWindowRect(cam, &r);
    AskCamera(CameraRequestFor(cam != nullptr, placeKnown, placeKnown && ::IntersectRect(&both, &mine, &r)));
  }

  void AskCamera(int parameter) {
    AskForCamera(parameter);
  }

  HWND hwnd() const { return host_.Window(); }

  ViewerCommandHost& host_;
  Settings& settings_;
  TfrmCommon* common_;
  ViewerFolder& folder_;
  ViewerMemo& memo_;
  SaveGate gate_;
  OutputSession outputs_;  // the chooser and e-mail dialog kept for the viewer's run  // held while a big save runs off the viewer's thread
};

ViewerCommands::ViewerCommands(ViewerCommandHost& host, Settings& settings, TfrmCommon* common,
                               ViewerFolder& folder, ViewerMemo& memo)
    : impl_(std::make_unique<Impl>(host, settings, common, folder, memo)) {}

ViewerCommands::~ViewerCommands() = default;

void ViewerCommands::Run(ViewerCommand c) { impl_->Run(c); }

SaveGate& ViewerCommands::gate() { return impl_->gate(); }

}  // namespace flk
