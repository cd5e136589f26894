// The recall viewer's commands on the shown picture: edits, clipboard,
// delete, properties, the camera, and the outputs.
#include <windows.h>

#include <richedit.h>

#include "base/bmp.h"
#include "base/pixel_format.h"
#include "output/clipboard_win.h"
#include "output/editor_win.h"
#include "output/email_win.h"
#include "output/picture_outputs_win.h"
#include "output/print_win.h"
#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "stickies/make_sticky_win.h"
#include "support/contact_win.h"
#include "viewer/picture_edits.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_win.h"
#include "win32/clipboard_win.h"
#include "win32/files_win.h"
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

class ViewerCommands {
 public:
  explicit ViewerCommands(TfrmViewer& v) : v_(v) {}

  void Run(ViewerCommand c) {
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
        if (v_.common_) ShowPrinterSetup(*v_.common_, v_.hwnd());
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
      case ViewerCommand::FolderWiz: v_.OpenFolderManager(FolderIndex(v_.folders_, v_.currentFolder_)); return;
      case ViewerCommand::Exit: ::DestroyWindow(v_.hwnd()); return;
      case ViewerCommand::Options: v_.ShowViewerOptionsHere(); return;
      case ViewerCommand::Help: ShowHelp(v_.hwnd(), kViewerHelpContext); return;
      case ViewerCommand::About:
        MessageBoxText(v_.hwnd(),
                       std::string(kProgramName) + " Recall Viewer, version " + kProgramVersion +
                           "\r\n\r\nHollowbrook\r\n" + kMakerAddress,
                       kViewerAboutCaption, MB_OK | MB_ICONINFORMATION);
        return;
      case ViewerCommand::Email:
        RunOutput(PictureOutput::Email);
        v_.EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
        return;
      case ViewerCommand::Sticky:
        if (auto p = Shown(); p && v_.common_) MakeSticky(*p, StickySource{v_.hwnd(), {}}, *v_.common_);
        return;
      case ViewerCommand::None: return;
    }
  }

 private:

  std::shared_ptr<Picture> Shown() {
    const int i = v_.pictures_.currentIndex();
    return i < 0 ? nullptr : v_.PictureOf(i);
  }

  bool RunOutput(PictureOutput output) {
    std::shared_ptr<Picture> p = Shown();
    if (!p) return false;
    OutputCaller caller{.owner = v_.hwnd(),
                        .settings = &v_.settings_,
                        .status = [this](const std::string& t) { v_.SetStatus(t); },
                        .common = v_.common_.get(),
                        .email = EmailHost{.sendComment = SendCommentMail}};
    return RunPictureOutput(output, *p, caller);
  }

  template <class Change>
  void Edit(Change change) {
    std::shared_ptr<Picture> p = Shown();
    if (!p) return;
    change(*p);
    // MarkModified: written back when the viewer leaves the folder.
    v_.pictures_.MarkModified(v_.pictures_.currentIndex());
    ::InvalidateRect(v_.pictureBox_->hwnd(), nullptr, FALSE);
    ::InvalidateRect(v_.thumbs_->hwnd(), nullptr, FALSE);
  }

  bool Copy() {
    if (!RunOutput(PictureOutput::Copy)) return false;
    v_.EnableCommand(ViewerCommand::Paste, true);
    return true;
  }

  void Delete() {
    const int i = v_.pictures_.currentIndex();
    if (i < 0) return;
    const std::string file = v_.FolderPath() + v_.pictures_.entries()[size_t(i)].fileName;
    ::DeleteFileW(win::Widen(file).c_str());
    ::DeleteFileW(win::Widen(v_.memoPath_).c_str());
    ::SendMessageW(v_.memo_, EM_SETMODIFY, FALSE, 0);  // its memo went with it
    v_.pictures_.DeleteCurrent();
    v_.UpdateCommands();
  }

  void Paste() {
    v_.SaveMemo();
    std::optional<Picture> picture = ClipboardPicture(v_.hwnd());
    if (!picture) {
      // The clipboard changed since the viewer was last activated.
      v_.SetStatus(kNoClipboardPicture);
      v_.EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
      return;
    }
    const std::string folder = v_.FolderPath();
    PasteName name = NextPasteName(v_.settings_.ReadSingleSetting("NxtFileNum", 1),
                                   [&folder](const std::string& n) { return win::FileExists(folder + n); });
    v_.settings_.WriteSingleSetting("NxtFileNum", name.nextFileNum);
    v_.pictures_.Append(name.fileName, true);
    const int i = v_.pictures_.currentIndex();
    v_.pictures_.Hold(i, std::move(*picture));
    v_.thumbLayout_.position = i;
    v_.UpdateCommands();
    v_.SavePictures(false);
  }

  void Properties() {
    std::shared_ptr<Picture> p = Shown();
    if (!p) return;
    const PictureEntry& e = v_.pictures_.entries()[size_t(v_.pictures_.currentIndex())];
    PictureFacts f;
    f.index = v_.pictures_.currentIndex();
    f.count = int(v_.pictures_.size());
    f.path = v_.FolderPath() + e.fileName;
    f.dateText = FileDateText(f.path);
    f.sizeKiB = e.sizeKiB;
    f.width = p->width();
    f.height = p->height();
    f.depth = ColorDepthOf(*p, false);
    MessageBoxText(v_.hwnd(), PropertiesText(f), "Image Properties", MB_OK | MB_ICONINFORMATION);
  }

  // Parameter 2 shows the camera after its refresh delay, so that the viewer
  // is out of its picture; 1 at once when the two do not overlap.
  void Camera() {
    RECT mine;
    ::GetWindowRect(v_.hwnd(), &mine);
    ::ShowWindow(v_.hwnd(), SW_MINIMIZE);
    HWND cam = ::FindWindowA(kCameraClass, kCameraCaption);
    RECT r, both;
    const bool overlap = !cam || !::GetWindowRect(cam, &r) || ::IntersectRect(&both, &mine, &r);
    AskCamera(overlap ? 2 : 1);
  }

  void AskCamera(int parameter) {
    if (HWND tray = ::FindWindowA(kTrayClass, kTrayCaption)) {
      ::PostMessageW(tray, kWmCameraRequest, WPARAM(parameter), 0);
      ::SetForegroundWindow(tray);
      return;
    }
    StartRole(nullptr, SW_SHOWNORMAL);
  }

  TfrmViewer& v_;
};

void TfrmViewer::RunCommand(ViewerCommand c) { ViewerCommands(*this).Run(c); }

}  // namespace flk
