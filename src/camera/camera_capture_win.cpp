// CamCapture: the viewfinder picture, whole captures into the last-captures
// ring, Hold, the frozen desktop and the colour depth of pictures written to files.
#include "camera/camera_capture_win.h"

#include "camera/camera_background_win.h"
#include "camera/camera_host.h"
#include "camera/freeze_win.h"
#include "output/file_formats.h"
#include "output/output_session_win.h"
#include "output/picture_outputs_win.h"
#include "output/picture_store.h"
#include "output/save_file.h"
#include "output/store_file_system_win.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/file_depth.h"
#include "win32/screen_win.h"

namespace flk {

CamCapture::CamCapture(CamCaptureHost& host, CameraHost& role, CamBackground& background)
    : host_(host), role_(role), bk_(background) {}

CamCapture::~CamCapture() = default;

Rect CamCapture::WindowRect() const {
  RECT r{};
  ::GetWindowRect(camera_, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

std::optional<Picture> CamCapture::ViewfinderPicture(bool fileDepth) {
  std::optional<Picture> picture;
  const std::optional<Picture>& held = hold_.held();
  ViewfinderSource source = ViewfinderSourceFor(modes_.hold() && held, held ? Size{held->width(), held->height()} : Size{},
                                                host_.CaptureRect());
  if (source.fromHeld) {
    picture = *held;
  } else if (bk_.present()) {
    picture = bk_.PictureOf(source.rect);
    if (!picture) return std::nullopt;
  }
  if (picture && fileDepth) {
    if (!ApplyFileDepth(*picture, role_.settings(), win::ScreenBitsPerPixel())) return std::nullopt;
  }
  return picture;
}

HWND CamCapture::LastActiveWindow() const {
  if (lastActive_ && ::IsWindow(lastActive_) && ::IsWindowVisible(lastActive_)) return lastActive_;
  return ::GetForegroundWindow();
}

bool CamCapture::WholeWindowFound(CaptureMode mode) const {
  if (mode == kModeLastWindow || mode == kModeLastWindowClient) {
    HWND w = LastActiveWindow();
    return ForegroundUsable(w != nullptr, w == ::GetDesktopWindow(), w && ::IsIconic(w));
  }
  if (mode == kModeWindowAtCentre || mode == kModeInsideAtCentre) {
    Point c = host_.CameraCentre();
    return ::WindowFromPoint(POINT{c.x, c.y}) != nullptr;
  }
  return true;
}

std::optional<Picture> CamCapture::CaptureWhole(CaptureMode mode, int* usageCode) {
  std::optional<WholeCapture> what = WholeCaptureOf(mode);
  if (!what) return std::nullopt;
  HWND window = nullptr;
  switch (what->source) {
    case WholeSource::Desktop: window = ::GetDesktopWindow(); break;
    case WholeSource::ForegroundWindow: window = LastActiveWindow(); break;
    case WholeSource::WindowAtCentre: {
      Point c = host_.CameraCentre();
      window = ::WindowFromPoint(POINT{c.x, c.y});
      // The top-level window that contains the point.
      while (window && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) && ::GetParent(window))
        window = ::GetParent(window);
      break;
    }
  }
  if (!window) return std::nullopt;
  std::optional<Picture> picture;
  if (what->source == WholeSource::Desktop) {
    // The whole desktop: every monitor, as one picture of the virtual screen.
    picture = win::PictureOfDesktop();
  } else if (what->clientArea) {
    RECT r;
    ::GetClientRect(window, &r);
    win::WindowDC dc(window);
    picture = win::PictureFromDC(dc.get(), Rect::FromXYWH(0, 0, r.right - r.left, r.bottom - r.top));
  } else {
    RECT r;
    ::GetWindowRect(window, &r);
    win::WindowFrameDC dc(window);
    if (dc) picture = win::PictureFromDC(dc.get(), Rect::FromXYWH(0, 0, r.right - r.left, r.bottom - r.top));
  }
  *usageCode = what->usageCode;
  return picture;
}

bool CamCapture::Keep(const Picture& picture, int usageCode) {
  SaveError error;
  PictureWriter writer = [&picture, &error](const std::string& path) { return WriteBmpFile(path, picture, &error); };
  PictureStore& store = host_.Store();
  FolderStoreResult stored = store.StoreInFolder({}, -1, writer);
  role_.CountToolUse(usageCode);
  AfterCapture after = PlanAfterCapture(stored.stored, stored.openViewer);
  if (after.offerElsewhere)
    OfferElsewhere(picture, RingNotStoredText(stored.dirMissing, store.RingPath(), stored.path, error.errorClass,
                                              error.message));
  if (after.openViewer) {
    role_.HideCameraToTray();
    host_.OpenViewerOnLastCaptures();
  }
  return after.openViewer;
}

void CamCapture::OfferElsewhere(const Picture& picture, const std::string& why) {
  if (MessageBoxText(camera_, why, kSaveFileErrorCaption, MB_YESNO | MB_ICONWARNING) != IDYES) return;
  OutputCaller caller{.owner = camera_,
                      .settings = &role_.settings(),
                      .status = [this](const std::string& text) { host_.SetStatus(text); },
                      .foldersRoot = PictureFoldersOf(BaseFolder()),
                      .common = role_.common(),
                      .session = &role_.outputs()};
  RunPictureOutput(PictureOutput::SaveAs, picture, caller);
}

// ---- Hold ---------------------------------------------------------------------------

void CamCapture::PerformHoldPlan(const HoldPlan& p) {
  if (p.growBy != 0) {
    if (p.growBy > 0) {
      hold_.Keep(ViewfinderPicture(false));
      if (p.dockTop) host_.SetPanelAlign(PanelAlign::Top);
      if (p.thawWithRefresh) PerformThaw(modes_.ThawDesktop(true));
    } else {
      hold_.Release();
      ::SetWindowPos(camera_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const Rect r = WindowRect();
    const int d = host_.scale()(p.growBy);
    ::SetWindowPos(camera_, nullptr, r.left, r.top, r.width() + d, r.height() + d, SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.growBy > 0) hold_.ShowIn(camera_);
    host_.ArrangeControls();
  }
  if (p.refreshView) host_.RefreshView();
  ::InvalidateRect(camera_, nullptr, FALSE);
}

// ---- the frozen desktop -----------------------------------------------------------------

void CamCapture::FreezeDesktop() {
  if (!freeze_) {
    freeze_ = std::make_unique<TfrmFreeze>([this] { ThawDesktop(true); });
    if (!freeze_->FormCreate()) {
      freeze_.reset();
      return;
    }
  }
  freeze_->TakeStill();
}

void CamCapture::PerformThaw(const ThawResult& thaw) {
  if (!thaw.thawed) return;
  if (freeze_) freeze_->Hide();
  if (thaw.requestRefresh) host_.RefreshView();
  if (thaw.clearStatus) host_.SetStatus("");
  ::InvalidateRect(camera_, nullptr, FALSE);
}

bool CamCapture::ThawDesktop(bool refresh) {
  ThawResult thaw = modes_.ThawDesktop(refresh);
  PerformThaw(thaw);
  return thaw.thawed;
}

void CamCapture::OfferThaw(bool wasFrozen) {
  if (!modes_.OfferThaw(wasFrozen).ask) return;
  bool yes = MessageBoxText(camera_, kThawQuestion, kThawCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
  ThawAnswerResult answer = modes_.ThawAnswer(yes);
  PerformThaw(answer.thaw);
  if (answer.setStatus) host_.SetStatus(answer.status);
}

void CamCapture::PrintScreenKey() {
  CameraController& controller = role_.controller();
  bool opened = controller.started();
  FreezePlan p = modes_.FreezeHotKey(!(opened && controller.state() == CameraState::Busy), opened, host_.Align());
  if (p.beep) ::MessageBeep(MB_OK);
  if (p.bringToFront) ::SetForegroundWindow(::GetLastActivePopup(camera_));
  if (!p.freeze) return;
  switch (FreezeGrabOf(p, ::IsWindowVisible(camera_) != FALSE)) {
    case FreezeGrab::AtStored: {
      Settings& s = role_.settings();
      int h = s.ReadSingleInt("Height"), w = s.ReadSingleInt("Width");
      int t = s.ReadSingleInt("Top"), l = s.ReadSingleInt("Left");
      bk_.Grab(StoredCameraRect(l, t, w, h), controller.started());
      break;
    }
    case FreezeGrab::UnderCamera: bk_.Grab(WindowRect(), controller.started()); break;
    case FreezeGrab::WindowsAbove: bk_.CopyWindowsAbove(camera_, WindowRect()); break;
  }
  FreezeDesktop();
  if (!freeze_) {
    modes_.ThawDesktop(false);  // no still to show: the desktop is not frozen after all
    return;
  }
  freeze_->Show();
  if (p.openCamera) role_.OpenCamera();
  if (p.holdOff.growBy != 0) PerformHoldPlan(p.holdOff);
  if (p.showCamera) host_.ShowOverFreeze();
  host_.SetStatus(p.status);
  ::InvalidateRect(camera_, nullptr, FALSE);
}

// ---- colour depth ---------------------------------------------------------------------

void CamCapture::ColorDepthChoose(int value) {
  if (!ColorDepthEntryOf(value)) return;
  role_.settings().WriteSingleSetting("PixelFormatPro", value);
}

}  // namespace flk
