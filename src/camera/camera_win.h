// The camera window TfrmCam.
#pragma once

#include <windows.h>

#include <string>

#include "shell/startup_settings.h"
#include "win32/window.h"

namespace flk {

class TfrmCam : public win::Window {
 public:
  // Creates the (hidden) window with its caption and the Folders\ folder;
  // false when the folder cannot be made (the user has been warned).
  bool FormCreate();
  void ApplySettings(const CameraSaveValues& values);
  CameraSaveValues CurrentValues() const;
  void SetStatus(const std::string& text);
  const std::string& status() const { return status_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void Paint();
  CameraSaveValues values_;
  std::string status_;
};

TfrmCam* Camera();

}  // namespace flk
