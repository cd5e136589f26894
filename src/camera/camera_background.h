// What a grab of the screen beneath the camera does with the copy it holds
// (bmpBkgnd): the copy is dropped when the screen's colour depth changed while
// the camera is open, and made anew when it is missing or of another size;
// otherwise the grab draws over the copy in place.
#pragma once

#include "base/geometry.h"

namespace flk {

struct BkgndHeld {
  bool present = false;  // a copy exists
  Size size;             // its size
  int bpp = 0;           // the screen's colour depth when it was noted
};

struct BkgndGrabPlan {
  bool dropForDepth = false;  // the depth changed: the copy goes and the new depth is noted
  bool create = false;        // a new copy of the wanted size is made
  bool grab = false;          // the screen is copied (false: nothing to grab)
};

// started: the camera has been opened (before that the depth is only noted at creation).
BkgndGrabPlan PlanBkgndGrab(const BkgndHeld& held, bool started, int screenBpp, Size want);

}  // namespace flk
