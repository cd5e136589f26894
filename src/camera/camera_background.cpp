#include "camera/camera_background.h"

namespace flk {

BkgndGrabPlan PlanBkgndGrab(const BkgndHeld& held, bool started, int screenBpp, Size want) {
  BkgndGrabPlan p;
  if (want.width <= 0 || want.height <= 0) return p;
  p.grab = true;
  p.dropForDepth = started && screenBpp != held.bpp;
  bool present = held.present && !p.dropForDepth;
  p.create = !present || held.size.width != want.width || held.size.height != want.height;
  return p;
}

}  // namespace flk
