// TfrmCam capture modes: the viewfinder picture, whole-screen and
// whole-window captures into the last-captures ring, Hold, the frozen desktop
// and the colour depth of pictures written to files.
#include <algorithm>

#include "base/pixel_format.h"
#include "camera/camera_save_win.h"
#include "camera/camera_win.h"
#include "camera/capture_modes.h"
#include "camera/freeze_win.h"
#include "shell/app_win.h"
#include "shell/names.h"
#include "shell/startup_settings.h"
#include "shell/tray_win.h"

namespace flk {

namespace {

// Copies (x, y, width, height) of a device context into a new 32-bit picture.
std::optional<Picture> PictureFromDC(HDC source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  std::optional<Picture> picture = Picture::Create(width, height, 32);
  if (!picture) return std::nullopt;
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
  if (!bitmap) return std::nullopt;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(source));
  {
    win::SelectedObject sel(mem.get(), bitmap.get());
    ::BitBlt(mem.get(), 0, 0, width, height, source, x, y, SRCCOPY);
  }
  std::vector<uint8_t> info = picture->info();
  if (!::GetDIBits(mem.get(), bitmap.get(), 0, UINT(height), picture->bits(), reinterpret_cast<BITMAPINFO*>(info.data()),
                   DIB_RGB_COLORS))
    return std::nullopt;
  return picture;
}

}  // namespace

std::optional<Picture> TfrmCam::MakeViewfinderPicture(bool fileDepth) {
  std::optional<Picture> picture;
  if (hold_ && held_) {
    picture = *held_;
  } else if (bkgnd_) {
    Rect r = Intersect(layout_.capture, Rect{0, 0, bkWidth_, bkHeight_});
    if (r.empty()) return std::nullopt;
    win::WindowDC screen(nullptr);
    win::UniqueMemoryDC bk(::CreateCompatibleDC(screen.get()));
    win::SelectedObject sel(bk.get(), bkgnd_.get());
    picture = PictureFromDC(bk.get(), r.left, r.top, r.width(), r.height());
  }
  if (picture && fileDepth) {
    int setting = AppSettings().ReadSingleSetting("PixelFormatPro", kDefaultPixelFormatPro);
    if (!ApplyPixelFormat(*picture, setting, ScreenBitsPerPixel())) return std::nullopt;
  }
  return picture;
}

bool TfrmCam::CaptureWhole(int mode) {
  std::optional<WholeCapture> what = WholeCaptureOf(mode);
  if (!what) return false;
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
  if (!window) return false;
  std::optional<Picture> picture;
  if (what->source == WholeSource::Desktop) {
    win::WindowDC dc(window);
    picture = PictureFromDC(dc.get(), 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  } else if (what->clientArea) {
    RECT r;
    ::GetClientRect(window, &r);
    win::WindowDC dc(window);
    picture = PictureFromDC(dc.get(), 0, 0, r.right - r.left, r.bottom - r.top);
  } else {
    RECT r;
    ::GetWindowRect(window, &r);
    HDC dc = ::GetWindowDC(window);
    if (dc) {
      picture = PictureFromDC(dc, 0, 0, r.right - r.left, r.bottom - r.top);
      ::ReleaseDC(window, dc);
    }
  }
  if (!picture) return false;
  FolderStoreResult stored = StoreWholeCaptureInRing(*picture);
  StartupValues& v = CameraRoleValues();
  v.toolUse = CountToolUse(v.toolUse, what->usageCode);
  // A running viewer comes forward on the ring; without one the camera says
  // where the picture went (see PerformTimerWork).
  if (stored.stored && stored.openViewer && ::FindWindowA(kViewerClass, kViewerCaption)) OpenViewerOnLastCaptures();
  return stored.stored;
}

// ---- Hold ---------------------------------------------------------------------------

void TfrmCam::ToggleHold() {
  Rect r = WindowRectNow();
  if (!hold_) {
    held_ = MakeViewfinderPicture(false);
    if (align_ == PanelAlign::Floating) SetPanelAlign(PanelAlign::Top);
    hold_ = true;
    ThawDesktop(true);
    r = WindowRectNow();
    SetWindowRect(Rect::FromXYWH(r.left, r.top, r.width() + kHoldGrowth, r.height() + kHoldGrowth));
    if (!lockView_) {
      lockView_ = std::make_unique<TLockView>();
      if (!lockView_->Create(hwnd())) lockView_.reset();
    }
    if (lockView_) lockView_->SetPicture(held_ ? &*held_ : nullptr);
    ArrangeControls();
  } else {
    hold_ = false;
    if (lockView_) {
      lockView_->Show(false);
      lockView_->SetPicture(nullptr);
    }
    held_.reset();
    ::SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowRect(Rect::FromXYWH(r.left, r.top, r.width() - kHoldGrowth, r.height() - kHoldGrowth));
    ArrangeControls();
    MarkStale();
    RequestCapture(false, kModeRefresh);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// ---- the frozen desktop -----------------------------------------------------------------

bool TfrmCam::IsDesktopFrozen() const { return freeze_ && freeze_->Visible(); }

void TfrmCam::FreezeDesktop() {
  if (!freeze_) {
    freeze_ = std::make_unique<TfrmFreeze>();
    if (!freeze_->FormCreate()) {
      freeze_.reset();
      return;
    }
  }
  freeze_->TakeStill();
}

bool TfrmCam::ThawDesktop(bool refresh) {
  if (!IsDesktopFrozen()) return false;
  freeze_->Hide();
  if (refresh) {
    MarkStale();
    RequestCapture(false, kModeRefresh);
  }
  SetStatus("");
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  return true;
}

void TfrmCam::OfferThaw(bool wasFrozen) {
  if (!wasFrozen || !IsDesktopFrozen()) return;
  if (MessageBoxText(hwnd(), kThawQuestion, kThawCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
    ThawDesktop(true);
  else
    SetStatus(kStatusStillFrozen);
}

void TfrmCam::PrintScreenKey() {
  bool opened = CameraStarted();
  if (opened && CameraState() == kBusy) {
    ::MessageBeep(MB_OK);
    ::SetForegroundWindow(::GetLastActivePopup(hwnd()));
    return;
  }
  if (IsDesktopFrozen()) {
    ::MessageBeep(MB_OK);
    return;
  }
  if (opened) {
    // A visible camera already holds what lies beneath it; grabbing now would
    // copy the camera itself. What lies above it (a menu dropped over the
    // camera) is part of the still and joins the view.
    if (!::IsWindowVisible(hwnd())) {
      Rect r = WindowRectNow();
      GrabUnderCamera(r.left, r.top, r.width(), r.height());
    } else {
      CopyWindowsAbove();
    }
  } else {
    Settings& s = AppSettings();
    int h = s.ReadSingleSetting("Height", 222), w = s.ReadSingleSetting("Width", 345);
    int t = s.ReadSingleSetting("Top", 100), l = s.ReadSingleSetting("Left", 150);
    GrabUnderCamera(l, t, std::max(w, kMinStoredWidth), h);
  }
  FreezeDesktop();
  if (!freeze_) return;
  freeze_->Show();
  if (!opened)
    OpenCamera();
  else if (hold_)
    ToggleHold();
  cycle_.ClearStale();
  controlsEnabled_ = true;
  ShowCamera();
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
  SetStatus(kStatusFrozen);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// ---- colour depth ---------------------------------------------------------------------

void TfrmCam::ColorDepthChoose(int value) {
  if (!ColorDepthEntryOf(value)) return;
  AppSettings().WriteSingleSetting("PixelFormatPro", value);
}

}  // namespace flk
