// TfrmCam capture modes: the viewfinder picture, whole-screen and
// whole-window captures into the last-captures ring, Hold, the frozen desktop
// and the colour depth of pictures written to files.
#include <algorithm>

#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "camera/freeze_win.h"
#include "output/picture_store.h"
#include "output/store_file_system_win.h"
#include "shell/app_win.h"
#include "shell/file_depth.h"
#include "shell/names.h"
#include "shell/startup_settings.h"
#include "win32/screen_win.h"

namespace flk {

std::optional<Picture> TfrmCam::MakeViewfinderPicture(bool fileDepth) {
  std::optional<Picture> picture;
  const std::optional<Picture>& held = hold_.held();
  ViewfinderSource source = ViewfinderSourceFor(modes_.hold() && held, held ? Size{held->width(), held->height()} : Size{},
                                                layout_.capture);
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

std::optional<Picture> TfrmCam::CaptureWhole(CaptureMode mode, int* usageCode) {
  std::optional<WholeCapture> what = WholeCaptureOf(mode);
  if (!what) return std::nullopt;
  HWND window = nullptr;
  switch (what->source) {
    case WholeSource::Desktop: window = ::GetDesktopWindow(); break;
    case WholeSource::ForegroundWindow: window = LastActiveWindow(); break;
    case WholeSource::WindowAtCentre: {
      Point c = CameraCentre();
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

bool TfrmCam::KeepCapture(const Picture& picture, int usageCode) {
  SaveError error;
  PictureWriter writer = [&picture, &error](const std::string& path) { return WriteBmpFile(path, picture, &error); };
  FolderStoreResult stored = Store().StoreInFolder({}, -1, writer);
  role_.CountToolUse(usageCode);
  if (!stored.stored) {
    // Never silent: the capture exists only in memory now.
    OfferCaptureElsewhere(picture, RingNotStoredText(stored.dirMissing, Store().RingPath(), stored.path,
                                                     error.errorClass, error.message));
    return false;
  }
  if (!stored.openViewer) return false;
  role_.HideCameraToTray();
  OpenViewerOnLastCaptures();
  return true;
}

// ---- Hold ---------------------------------------------------------------------------

void TfrmCam::ToggleHold() { PerformHoldPlan(modes_.ToggleHold(align_)); }

void TfrmCam::PerformHoldPlan(const HoldPlan& p) {
  if (p.growBy > 0) {
    hold_.Keep(MakeViewfinderPicture(false));
    if (p.dockTop) SetPanelAlign(PanelAlign::Top);
    if (p.thawWithRefresh) PerformThaw(modes_.ThawDesktop(true));
    Rect r = WindowRectNow();
    SetWindowRect(Rect::FromXYWH(r.left, r.top, r.width() + scale_(p.growBy), r.height() + scale_(p.growBy)));
    hold_.ShowIn(hwnd());
    ArrangeControls();
  } else if (p.growBy < 0) {
    hold_.Release();
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Rect r = WindowRectNow();
    SetWindowRect(Rect::FromXYWH(r.left, r.top, r.width() + scale_(p.growBy), r.height() + scale_(p.growBy)));
    ArrangeControls();
  }
  if (p.refreshView) {
    MarkStale();
    RequestCapture(false, kModeRefresh);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// ---- the frozen desktop -----------------------------------------------------------------

void TfrmCam::FreezeDesktop() {
  if (!freeze_) {
    freeze_ = std::make_unique<TfrmFreeze>([this] { ThawDesktop(true); });
    if (!freeze_->FormCreate()) {
      freeze_.reset();
      return;
    }
  }
  freeze_->TakeStill();
}

void TfrmCam::PerformThaw(const ThawResult& thaw) {
  if (!thaw.thawed) return;
  if (freeze_) freeze_->Hide();
  if (thaw.requestRefresh) {
    MarkStale();
    RequestCapture(false, kModeRefresh);
  }
  if (thaw.clearStatus) SetStatus("");
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool TfrmCam::ThawDesktop(bool refresh) {
  ThawResult thaw = modes_.ThawDesktop(refresh);
  PerformThaw(thaw);
  return thaw.thawed;
}

void TfrmCam::OfferThaw(bool wasFrozen) {
  if (!modes_.OfferThaw(wasFrozen).ask) return;
  bool yes = MessageBoxText(hwnd(), kThawQuestion, kThawCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
  ThawAnswerResult answer = modes_.ThawAnswer(yes);
  PerformThaw(answer.thaw);
  if (answer.setStatus) SetStatus(answer.status);
}

void TfrmCam::PrintScreenKey() {
  CameraController& controller = role_.controller();
  bool opened = controller.started();
  FreezePlan p = modes_.FreezeHotKey(!(opened && controller.state() == CameraState::Busy), opened, align_);
  if (p.beep) ::MessageBeep(MB_OK);
  if (p.bringToFront) ::SetForegroundWindow(::GetLastActivePopup(hwnd()));
  if (!p.freeze) return;
  if (p.grabAtStored) {
    Settings& s = role_.settings();
    int h = s.ReadSingleInt("Height"), w = s.ReadSingleInt("Width");
    int t = s.ReadSingleInt("Top"), l = s.ReadSingleInt("Left");
    bk_.Grab(Rect::FromXYWH(l, t, std::max(w, kMinStoredWidth), h), controller.started());
  } else if (!::IsWindowVisible(hwnd())) {
    Rect r = WindowRectNow();
    bk_.Grab(r, controller.started());
  } else {
    // A visible camera already holds what lies beneath it; grabbing now would
    // copy the camera itself. What lies above it (a menu dropped over the
    // camera) is part of the still and joins the view.
    bk_.CopyWindowsAbove(hwnd(), WindowRectNow());
  }
  FreezeDesktop();
  if (!freeze_) {
    modes_.ThawDesktop(false);  // no still to show: the desktop is not frozen after all
    return;
  }
  freeze_->Show();
  if (p.openCamera) role_.OpenCamera();
  if (p.holdOff.growBy != 0) PerformHoldPlan(p.holdOff);
  if (p.showCamera) {
    cycle_.ClearStale();
    controlsEnabled_ = true;
    role_.ShowCamera();
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(hwnd());
  }
  SetStatus(p.status);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// ---- colour depth ---------------------------------------------------------------------

void TfrmCam::ColorDepthChoose(int value) {
  if (!ColorDepthEntryOf(value)) return;
  role_.settings().WriteSingleSetting("PixelFormatPro", value);
}

}  // namespace flk
