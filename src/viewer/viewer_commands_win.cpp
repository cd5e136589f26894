#include "viewer/viewer_commands_win.h"

#include <windows.h>

#include "base/bmp.h"
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
#include "viewer/viewer_memo_win.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_rules.h"
#include "win32/clipboard_win.h"
#include "win32/monitors_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr int kViewerHelpContext = 5;
}  // namespace

class ViewerCommands::Services : public ViewerServices {
 public:
  Services(HWND window, ViewerCommandHost& host, Settings& settings, TfrmCommon* common, ViewerMemo& memo)
      : window_(window), host_(host), settings_(settings), common_(common), memo_(memo) {}

  bool RunOutput(PictureOutput output, Picture& picture, SaveGate& gate) override {
    OutputCaller caller{.owner = window_,
                        .settings = &settings_,
                        .status = [this](const std::string& t) { host_.SetStatus(t); },
                        .common = common_,
                        .email = EmailHost{.sendComment = [](HWND owner) { SendCommentMail(owner); }},
                        .gate = &gate,
                        .session = &outputs_};
    // Save As reads the folder it offers before its dialog shows.
    HCURSOR old = output == PictureOutput::SaveAs ? ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)) : nullptr;
    const bool done = RunPictureOutput(output, picture, caller);
    if (old) ::SetCursor(old);
    return done;
  }

  bool ClipboardHoldsPicture() override { return win::ClipboardHoldsPicture(); }

  // The picture on the clipboard, through the same careful reader as picture files.
  std::optional<Picture> ClipboardPicture() override {
    win::OpenedClipboard clip(window_);
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

  void Warn(const std::string& text) override {
    ::SetLastError(0);  // the text says it all
    ShowWarning(text);
  }
  void Inform(const std::string& text, const std::string& caption) override {
    MessageBoxText(window_, text, caption, MB_OK | MB_ICONINFORMATION);
  }
  void StillSaving() override { ShowStillSaving(window_); }

  // Parameter 2 shows the camera after its refresh delay, so that the viewer
  // is out of its picture; 1 at once when the two do not overlap.
  void Camera() override {
    const Rect mine = win::WindowRectOf(window_);
    ::ShowWindow(window_, SW_MINIMIZE);
    HWND cam = ::FindWindowA(kCameraClass, kCameraCaption);
    RECT r;
    const bool placeKnown = cam && ::GetWindowRect(cam, &r);
    const bool overlaps = placeKnown && !Intersect(mine, Rect{r.left, r.top, r.right, r.bottom}).empty();
    AskForCamera(CameraRequestFor(cam != nullptr, placeKnown, overlaps));
  }
  void Crop() override { AskForCamera(0); }
  void PrinterSetup() override {
    if (common_) ShowPrinterSetup(*common_, window_);
  }
  void Help() override { ShowHelp(window_, kViewerHelpContext); }
  void Sticky(const Picture& picture) override {
    if (common_) MakeSticky(picture, StickySource{window_, {}}, *common_);
  }
  void Close() override { ::DestroyWindow(window_); }
  std::string FileDate(const std::string& path) override { return FileDateText(path); }
  void SaveMemo(bool pictureShown) override { memo_.Save(pictureShown); }
  void ForgetMemo() override { memo_.Forget(); }

 private:
  HWND window_;
  ViewerCommandHost& host_;
  Settings& settings_;
  TfrmCommon* common_;
  ViewerMemo& memo_;
  OutputSession outputs_;  // the chooser and e-mail dialog kept for the viewer's run
};

namespace {
std::unique_ptr<TfrmCommon> MakeCommonForm() {
  auto common = std::make_unique<TfrmCommon>();
  if (!common->FormCreate()) common.reset();
  return common;
}
}  // namespace

ViewerCommands::ViewerCommands(HWND window, ViewerCommandHost& host, Settings& settings, ViewerFolder& folder,
                               ViewerMemo& memo)
    : common_(MakeCommonForm()),
      services_(std::make_unique<Services>(window, host, settings, common_.get(), memo)),
      runner_(std::make_unique<ViewerCommandRunner>(host, *services_, settings, folder)) {}

ViewerCommands::~ViewerCommands() = default;

void ViewerCommands::Run(ViewerCommand c) { runner_->Run(c); }

SaveGate& ViewerCommands::gate() { return runner_->gate(); }

}  // namespace flk
