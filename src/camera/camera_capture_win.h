// CamCapture, the capture flow: the viewfinder picture, whole captures and
// what becomes of every capture (the ring, the use count, the viewer, or the
// offer to save it elsewhere), Hold with its held picture, the frozen desktop
// with its thaw question, and the colour depth of written pictures. The
// decisions are CaptureModes' (capture_modes.h); this room performs them on
// the camera window through the small host below.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/picture.h"
#include "camera/camera_capture_host.h"
#include "camera/camera_hold_win.h"
#include "camera/camera_layout.h"
#include "camera/capture_modes.h"
#include "camera/commands.h"
#include "camera/refresh_cycle.h"

namespace flk {

class CamBackground;
class CameraHost;
class TfrmFreeze;

class CamCapture {
 public:
  CamCapture(CamCaptureHost& host, CameraHost& role, CamBackground& background);
  ~CamCapture();
  // The camera window, once made.
  void Attach(HWND camera) { camera_ = camera; }

  bool hold() const { return modes_.hold(); }
  bool frozen() const { return modes_.frozen(); }
  CameraModes Modes() const { return CameraModes{modes_.hold(), modes_.frozen()}; }
  // At each arrangement: the held picture inside the Hold panel's red border.
  void PlaceHeld(const Rect& viewPanel, int border) { hold_.Place(viewPanel, border, modes_.hold()); }

  // The picture under the viewfinder (the held one with Hold on), at the file
  // depth when asked; nothing when there is none or the depth failed.
  std::optional<Picture> ViewfinderPicture(bool fileDepth);
  // The window the next last-active capture takes (nothing = the foreground window).
  void SetLastActiveWindow(HWND w) { lastActive_ = w; }
  // Whether the window a whole capture in `mode` needs is there.
  bool WholeWindowFound(CaptureMode mode) const;
  // The picture of a whole-screen or whole-window capture and its usage code.
  std::optional<Picture> CaptureWhole(CaptureMode mode, int* usageCode);
  // The last-active window is noted for one request only, taken or not.
  void RequestDone() { lastActive_ = nullptr; }
  // After a whole, scroll or robo capture: into the ring, its use counted, and
  // the camera waits in the tray while the viewer shows the ring. False when
  // the viewer was not opened (the camera is the user's again).
  bool Keep(const Picture& picture, int usageCode);

  void ToggleHold() { PerformHoldPlan(modes_.ToggleHold(host_.Align())); }
  // mnuRefresh: Hold off, or a fresh view.
  void Refresh() { PerformHoldPlan(modes_.Refresh(host_.Align())); }
  bool ThawDesktop(bool refresh);
  void OfferThaw(bool wasFrozen);
  // The Print Screen hot key.
  void PrintScreenKey();
  void ColorDepthChoose(int value);

 private:
  HWND LastActiveWindow() const;
  Rect WindowRect() const;
  // A capture the ring could not take: the message says which file and why,
  // and the user may still save the picture elsewhere.
  void OfferElsewhere(const Picture& picture, const std::string& why);
  void PerformHoldPlan(const HoldPlan& plan);
  void PerformThaw(const ThawResult& thaw);
  void FreezeDesktop();

  CamCaptureHost& host_;
  CameraHost& role_;
  CamBackground& bk_;
  HWND camera_ = nullptr;
  HWND lastActive_ = nullptr;
  CaptureModes modes_;
  CamHold hold_;  // imgLockView's picture and the lock view
  std::unique_ptr<TfrmFreeze> freeze_;
};

}  // namespace flk
