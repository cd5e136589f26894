// The camera role's composition root: it owns the role's settings, the values
// read at start, the camera controller, the common form, the camera window and
// the tray controller, and performs what concerns them all (opening the
// camera, showing and hiding it, the end of the role). Nothing of the role is
// process-wide; its windows reach each other through this object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "camera/camera_host.h"
#include "camera/camera_win.h"
#include "shell/app_win.h"
#include "camera/camera_controller.h"
#include "output/output_session_win.h"
#include "shell/common_form_win.h"
#include "support/contact_win.h"
#include "shell/startup_settings.h"
#include "tray_win.h"

namespace flk {

class CameraRole : public CameraHost {
 public:
  CameraRole();
  ~CameraRole() override;
  CameraRole(const CameraRole&) = delete;
  CameraRole& operator=(const CameraRole&) = delete;

  // Creates the windows and runs the message loop; the process's exit code.
  int Run();

  Settings& settings() override { return settings_.settings(); }
  StartupValues& values() override { return values_; }
  CameraController& controller() override { return controller_; }
  TfrmCam& camera() { return camera_; }
  TfrmFramelark& tray() { return tray_; }
  // Exists from the camera's first opening to the end of the role.
  TfrmCommon* common() override { return common_.get(); }
  OutputSession& outputs() override { return outputs_; }
  ContactChoices& contactChoices() override { return contactChoices_; }

  void OpenCamera() override;
  void ShowCamera() override;
  void PutCameraAway() override;
  void HideCameraToTray() override;
  void ExitProgram() override;
  // May the camera take a request now? With beep, a refusal beeps and brings
  // the program's open dialog to the front.
  bool CameraAvailable(bool beep);
  void CountToolUse(int code) override;
  // The exit-time save (also on WM_ENDSESSION).
  void SaveRoleSettings() override;
  // Shows "FramelarkPro Installation Error"; OK starts the installer. Never returns.
  [[noreturn]] void InstallationError(const std::string& message);

 private:
  void Teardown();

  RoleSettings settings_;
  StartupValues values_;
  CameraController controller_;
  std::unique_ptr<TfrmCommon> common_;
  OutputSession outputs_;
  ContactChoices contactChoices_;
  TfrmCam camera_;
  TfrmFramelark tray_;
};

// Today in the program's date form, and the other facts the settings' start needs.
SystemServices RealSystem();

}  // namespace flk
