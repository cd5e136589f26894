// The frozen desktop TfrmFreeze: a borderless window over the virtual screen
// (every monitor) showing a still of the whole desktop, taken when Print Screen is pressed, so that the
// camera can capture menus, tool tips and other fleeting things from it. Any
// mouse press on it thaws the desktop.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmFreeze : public win::Window {
 public:
  // onPress: a mouse press on the still (the camera thaws the desktop).
  explicit TfrmFreeze(std::function<void()> onPress) : onPress_(std::move(onPress)) {}
  bool FormCreate();
  // Places the window over the virtual screen and copies the desktop into its picture.
  void TakeStill();
  void Show();
  void Hide();
  bool Visible() const;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  std::function<void()> onPress_;
  win::UniqueBitmap still_;
  int width_ = 0, height_ = 0;
};

}  // namespace flk
