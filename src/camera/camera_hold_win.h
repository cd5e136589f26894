// The held picture of Hold (imgLockView's picture) and the lock view that
// shows it inside the Hold panel's red border.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "base/geometry.h"
#include "base/picture.h"
#include "camera/lock_view_win.h"

namespace flk {

class CamHold {
 public:
  // Hold goes on: the picture that is held from now (nothing when the view had none).
  void Keep(std::optional<Picture> picture) { held_ = std::move(picture); }
  // Shows the held picture in the lock view, a child of `camera` made on first use.
  void ShowIn(HWND camera);
  // Hold goes off: the view is emptied and hidden, the picture dropped.
  void Release();
  // At each arrangement: inside the red border while Hold is on, hidden otherwise.
  void Place(const Rect& viewPanel, int border, bool hold);

  const std::optional<Picture>& held() const { return held_; }

 private:
  std::optional<Picture> held_;
  std::unique_ptr<TLockView> lockView_;  // shows held_ while Hold is on
};

}  // namespace flk
