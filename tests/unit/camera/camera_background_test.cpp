// What a grab does with the copy of the screen beneath the camera.
#include "camera/camera_background.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

struct GrabCase {
  const char* name;
  BkgndHeld held;
  bool started;
  int bpp;
  Size want;
  bool drop, create, grab;
};

TEST(PlanBkgndGrab, Table) {
  const GrabCase cases[] = {
      {"nothing held: made", {false, {}, 32}, true, 32, {200, 100}, false, true, true},
      {"same size kept", {true, {200, 100}, 32}, true, 32, {200, 100}, false, false, true},
      {"other width made anew", {true, {200, 100}, 32}, true, 32, {201, 100}, false, true, true},
      {"other height made anew", {true, {200, 100}, 32}, true, 32, {200, 99}, false, true, true},
      {"depth changed while open: dropped", {true, {200, 100}, 32}, true, 16, {200, 100}, true, true, true},
      {"depth changed before opening: kept", {true, {200, 100}, 32}, false, 16, {200, 100}, false, false, true},
      {"zero width: nothing", {true, {200, 100}, 32}, true, 16, {0, 100}, false, false, false},
      {"negative height: nothing", {false, {}, 32}, true, 32, {200, -1}, false, false, false},
  };
  for (const GrabCase& c : cases) {
    SCOPED_TRACE(c.name);
    BkgndGrabPlan p = PlanBkgndGrab(c.held, c.started, c.bpp, c.want);
    EXPECT_EQ(p.dropForDepth, c.drop);
    EXPECT_EQ(p.create, c.create);
    EXPECT_EQ(p.grab, c.grab);
  }
}

}  // namespace
}  // namespace flk
