// The tray controller TfrmFramelark of the camera role: single instance,
// settings at start, tray icon, Print Screen hot key, the camera's first
// opening and the end of the role. The camera state lives here.
#pragma once

#include <windows.h>

#include "shell/startup_settings.h"
#include "win32/window.h"

namespace flk {

enum CameraStateValue : int { kInTray = -1, kBusy = 0, kShown = 1 };

int CameraState();
void SetCameraState(int state);
bool CameraStarted();
bool SkipTeardown();
void SetSkipTeardown();

void ShowCamera();
void PutCameraAway();
void HideCameraToTray();
void ExitProgram();
void OpenCamera();
// May the camera take a request now? With beep, a refusal beeps and brings
// the program's open dialog to the front.
bool CameraAvailable(bool beep);
StartupValues& CameraRoleValues();
// The camera role's exit-time save (also on WM_ENDSESSION).
void SaveCameraRoleSettings();
// Shows "FramelarkPro Installation Error"; OK starts the installer. Never returns.
[[noreturn]] void InstallationError(const std::string& message);

class TfrmFramelark : public win::Window {
 public:
  // Runs the creation steps; false when this process is to end at once.
  bool FormCreate();
  void Teardown();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  bool AddTrayIcon();
  void RegisterPrintScreen();
  void mnuTrayClick(int sender);
  void PopupMenuTray();
  void NoteForegroundWindow();
  void OnActivateApp(bool active);
  HWND lastForeign_ = nullptr;  // the other program's window in front before the last tray click
  bool trayIconAdded_ = false;
  UINT taskbarCreated_ = 0;
};

}  // namespace flk
