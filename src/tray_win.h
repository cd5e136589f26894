// The tray controller TfrmFramelark of the camera role: single instance,
// settings at start, tray icon, Print Screen hot key and the camera's first
// opening. Its rules about the camera are the CameraController's.
#pragma once

#include <windows.h>

#include "camera/camera_controller.h"
#include "shell/print_screen_key.h"
#include "win32/window.h"

namespace flk {

class CameraRole;

class TfrmFramelark : public win::Window {
 public:
  explicit TfrmFramelark(CameraRole& role) : role_(role) {}
  // Runs the creation steps; false when this process is to end at once.
  bool FormCreate();
  // Tray icon and hot key go (an orderly end only).
  void Teardown();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  bool AddTrayIcon();
  // Registers the hot key, asking Retry / Cancel while it is taken; false after Cancel.
  bool RegisterPrintScreen();
  int AskAboutPrintScreen(PrintScreenHolder holder, uint32_t windowsBuild);
  void PerformTrayPlan(const TrayPlan& plan);
  void PopupMenuTray();
  void NoteForegroundWindow();
  void OnActivateApp(bool active);
  // Runs f with activation marked as the program's own.
  template <typename F>
  void SelfActivating(F f);

  CameraRole& role_;
  HWND lastForeign_ = nullptr;  // the other program's window in front before the last tray click
  bool trayIconAdded_ = false;
  bool printScreenKeyHeld_ = false;
  UINT taskbarCreated_ = 0;
};

}  // namespace flk
