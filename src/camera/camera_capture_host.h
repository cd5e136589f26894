// What the capture flow (CamCapture) needs of the camera window: the window's
// own parts it reads, and the moves of the window it asks for. The capture
// flow does the rest itself.
#pragma once

#include <string>

#include "base/dpi.h"
#include "base/geometry.h"
#include "camera/camera_layout.h"

namespace flk {

class PictureStore;

// What the capture flow needs of the camera window.
class CamCaptureHost {
 public:
  virtual PictureStore& Store() = 0;
  virtual Rect CaptureRect() const = 0;  // the viewfinder's part of the copy
  virtual Point CameraCentre() const = 0;
  virtual PanelAlign Align() const = 0;
  virtual const DpiScale& scale() const = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void ArrangeControls() = 0;
  virtual void SetPanelAlign(PanelAlign to) = 0;
  // The view turns stale and a fresh one is requested.
  virtual void RefreshView() = 0;
  virtual void OpenViewerOnLastCaptures() = 0;
  // Over a frozen desktop: the camera shows its view at once, in front, its controls live.
  virtual void ShowOverFreeze() = 0;

 protected:
  ~CamCaptureHost() = default;
};

}  // namespace flk
