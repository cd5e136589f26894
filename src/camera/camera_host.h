// What the camera window needs of the role that owns it: the role's settings
// and start values, the refresh controller, the common form, and the moves
// that concern the whole role (showing and hiding the camera, the end).
#pragma once

#include "camera/camera_controller.h"
#include "shell/settings.h"
#include "shell/startup_settings.h"

namespace flk {

class TfrmCommon;
struct OutputSession;
struct ContactChoices;

class CameraHost {
 public:
  virtual ~CameraHost() = default;
  virtual Settings& settings() = 0;
  virtual StartupValues& values() = 0;
  virtual CameraController& controller() = 0;
  // Exists from the camera's first opening to the end of the role.
  virtual TfrmCommon* common() = 0;
  // What the outputs and the contact form keep for the rest of the role.
  virtual OutputSession& outputs() = 0;
  virtual ContactChoices& contactChoices() = 0;

  virtual void OpenCamera() = 0;
  virtual void ShowCamera() = 0;
  virtual void PutCameraAway() = 0;
  virtual void HideCameraToTray() = 0;
  virtual void ExitProgram() = 0;
  virtual void CountToolUse(int code) = 0;
  // The exit-time save (also on WM_ENDSESSION).
  virtual void SaveRoleSettings() = 0;
};

}  // namespace flk
