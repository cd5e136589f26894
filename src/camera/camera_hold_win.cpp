#include "camera/camera_hold_win.h"

namespace flk {

void CamHold::ShowIn(HWND camera) {
  if (!lockView_) {
    lockView_ = std::make_unique<TLockView>();
    if (!lockView_->Create(camera)) lockView_.reset();
  }
  if (lockView_) lockView_->SetPicture(held_ ? &*held_ : nullptr);
}

void CamHold::Release() {
  if (lockView_) {
    lockView_->Show(false);
    lockView_->SetPicture(nullptr);
  }
  held_.reset();
}

void CamHold::Place(const Rect& vp, int border, bool hold) {
  if (!lockView_) return;
  if (hold) lockView_->Place(vp.left + border, vp.top + border, vp.width() - 2 * border, vp.height() - 2 * border);
  lockView_->Show(hold);
}

}  // namespace flk
