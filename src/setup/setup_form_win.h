// TfrmSetup: the installer's window (and, with other texts, the uninstaller's):
// the product picture, a text, OK and Cancel. OK runs the role's work; Cancel
// ends the role.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/dpi.h"
#include "setup/shortcut_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmSetup : public win::Window {
 public:
  struct Texts {
    std::string caption;  // " version 1.32" is appended
    std::string memo;
    std::string ok = "&OK";
  };
  TfrmSetup(Texts texts, std::function<void(TfrmSetup&)> onOk) : texts_(std::move(texts)), onOk_(std::move(onOk)) {}

  // Shows the form centred and runs until Finish; the role's exit code.
  int Run();
  void Finish(int code);
  void SetMemo(const std::string& text);
  // Runs work once after `ms` on this form's thread.
  void After(UINT ms, std::function<void()> work);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void Paint(HDC dc);

  ComScope com_;
  Texts texts_;
  std::function<void(TfrmSetup&)> onOk_;
  std::function<void()> timerWork_;
  DpiScale scale_;
  win::UniqueFont font_;
  HWND memo_ = nullptr;
  bool done_ = false;
  int code_ = 0;
};

}  // namespace flk
