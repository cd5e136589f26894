// Moving and resizing the camera with the mouse: after every drag the view
// shows exactly the pattern beneath the camera's new rectangle; a window above
// the camera is left intact by the live drag; shrinking stops at the minimum; growing past the screen's width slides the window. A timing
// scenario reports the cost of one move step and one resize step.
#include <chrono>
#include <cstdio>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

class MoveResizeTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 1280, 1024};
constexpr RECT kCameraRect{100, 120, 100 + 345, 120 + 300};

bool CursorAt(int x, int y) {
  return WaitUntil([&] {
    POINT p;
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
  });
}

// Waits until the camera's thread has the mouse captured (or released).
bool WaitCapture(HWND camera, bool captured, DWORD timeoutMs = kWaitMs) {
  DWORD tid = ::GetWindowThreadProcessId(camera, nullptr);
  return WaitUntil(
      [&] {
        GUITHREADINFO gti{};
        gti.cbSize = sizeof gti;
        return ::GetGUIThreadInfo(tid, &gti) && (gti.hwndCapture == camera) == captured;
      },
      timeoutMs);
}

// Waits until the camera is the window at `p`. Under Wine the driver's own
// fixture window now and then ends up above the camera after the camera moved
// or grew over it (neither window is given a new place in the z-order; the order
// comes back with the next click on the fixture), so a press would land on the
// fixture. The fixture is meant to lie beneath the camera: it goes back to the
// bottom.
bool CameraAt(HWND camera, POINT p) {
  return WaitUntil([&] {
    HWND w = ::WindowFromPoint(p);
    if (w == camera) return true;
    if (w && WindowPid(w) == ::GetCurrentProcessId())
      ::SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return false;
  });
}

// Presses at `from`, moves in `steps` equal steps to `to` (waiting until the
// camera has handled each), releases.
void Drag(HWND camera, POINT from, POINT to, int steps, DWORD) {
  MouseAt(from.x, from.y);
  CursorAt(from.x, from.y);
  // A press that the camera does not take (it happens under Wine now and then
  // after a long jump) is released and made once more; the log says so.
  bool taken = false;
  for (int attempt = 1; attempt <= 2 && !taken; ++attempt) {
    EXPECT_TRUE(CameraAt(camera, from)) << WindowClass(::WindowFromPoint(from)) << " lies above the camera";
    MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    taken = WaitCapture(camera, true, attempt == 1 ? 3000 : kWaitMs);  // the press is handled where it happened
    if (!taken) {
      std::printf("press %d at %ld,%ld not taken; status \"%s\", window there %s, in front %s, view differs at %ld pixels\n",
                  attempt, from.x, from.y, StatusText(camera).c_str(), WindowClass(::WindowFromPoint(from)).c_str(),
                  WindowClass(::GetForegroundWindow()).c_str(), ScreenMismatches(ViewOnScreen(WindowRect(camera))));
      MouseAt(from.x, from.y, MOUSEEVENTF_LEFTUP);
      WaitCapture(camera, false);
    }
  }
  EXPECT_TRUE(taken) << "the press was not handled";
  for (int i = 1; i <= steps; ++i) {
    int x = from.x + (to.x - from.x) * i / steps, y = from.y + (to.y - from.y) * i / steps;
    MouseAt(x, y);
    CursorAt(x, y);
    Send(camera, WM_NULL);  // the move has been handled once this returns
  }
  MouseAt(to.x, to.y, MOUSEEVENTF_LEFTUP);
  WaitCapture(camera, false);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  char b[80];
  std::snprintf(b, sizeof b, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return b;
}

bool ViewMatches(HWND camera) {
  return WaitUntil([&] { return ScreenMismatches(ViewOnScreen(WindowRect(camera))) == 0; });
}

TEST_F(MoveResizeTest, MovesOfOneFiftyAndSixHundredPixelsShowThePixelsBeneath) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(ViewMatches(cam.camera));
  RECT want = kCameraRect;
  struct Step { int dx, dy, steps; } moves[] = {{1, 0, 1}, {0, 1, 1}, {50, 30, 5}, {-50, -30, 1}, {600, 0, 1}, {-600, 200, 4}};
  int n = 0;
  for (const Step& m : moves) {
    RECT w = WindowRect(cam.camera);
    POINT grip{w.left + 40 + 30 * (n++ % 4), w.top + 10};  // the title bar, never twice at the same spot
    Drag(cam.camera, grip, POINT{grip.x + m.dx, grip.y + m.dy}, m.steps, cam.process.pid());
    OffsetRect(&want, m.dx, m.dy);
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), want); }))
        << Describe(WindowRect(cam.camera)) << " want " << Describe(want);
    RECT view = ViewOnScreen(want);
    EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; }))
        << ScreenMismatches(view) << " pixels differ after a move of " << m.dx << "," << m.dy;
  }
}

TEST_F(MoveResizeTest, ResizingEveryEdgeKeepsTheViewExact) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(RECT{300, 200, 300 + 400, 200 + 320});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(ViewMatches(cam.camera));
  struct Edge { int gx, gy; int dx, dy; RECT delta; } edges[] = {
      {0, 1, -40, 0, {-40, 0, 0, 0}},  {0, 1, 25, 0, {25, 0, 0, 0}},   {2, 1, 60, 0, {0, 0, 60, 0}},
      {2, 1, -30, 0, {0, 0, -30, 0}},  {1, 0, 0, -35, {0, -35, 0, 0}}, {1, 0, 0, 20, {0, 20, 0, 0}},
      {1, 2, 0, 45, {0, 0, 0, 45}},    {1, 2, 0, -25, {0, 0, 0, -25}}, {2, 2, 30, 30, {0, 0, 30, 30}},
      {0, 0, -20, -20, {-20, -20, 0, 0}}};
  for (const Edge& e : edges) {
    RECT w = WindowRect(cam.camera);
    int xs[] = {w.left + 2, (w.left + w.right) / 2, w.right - 3};
    int ys[] = {w.top + 2, (w.top + w.bottom) / 2, w.bottom - 3};
    POINT grip{xs[e.gx], ys[e.gy]};
    Drag(cam.camera, grip, POINT{grip.x + e.dx, grip.y + e.dy}, 3, cam.process.pid());
    RECT want{w.left + e.delta.left, w.top + e.delta.top, w.right + e.delta.right, w.bottom + e.delta.bottom};
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), want); }))
        << Describe(WindowRect(cam.camera)) << " want " << Describe(want);
    EXPECT_TRUE(ViewMatches(cam.camera)) << ScreenMismatches(ViewOnScreen(WindowRect(cam.camera)))
                                         << " pixels differ after grip " << e.gx << "," << e.gy;
    RECT v = ViewOnScreen(want);
    char size[64];
    std::snprintf(size, sizeof size, "Size = %ld x %ld pixels", v.right - v.left, v.bottom - v.top);
    EXPECT_EQ(StatusText(cam.camera), size);
  }
}

TEST_F(MoveResizeTest, LiveDragUnderAWindowAboveTheCameraLeavesThatWindowIntact) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(ViewMatches(cam.camera));
  // Above the camera and across its way: the ghost is drawn over it on the way
  // and must give it back.
  const RECT aboveRect{300, 180, 520, 300};
  ColourWindow above(aboveRect, RedColour, true);
  // A refresh of the camera still under way may show it once more on top:
  // the window in front of it is the ground of this scenario, so it goes on top again.
  ASSERT_TRUE(WaitUntil([&] {
    ::SetWindowPos(above.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return ScreenMismatches(aboveRect, RedColour) == 0;
  }, kWaitMs, 100)) << "in front: " << WindowClass(::WindowFromPoint(POINT{410, 240}));
  RECT w = WindowRect(cam.camera);
  POINT grip{w.left + 40, w.top + 10};
  Drag(cam.camera, grip, POINT{grip.x + 300, grip.y + 100}, 6, cam.process.pid());
  RECT want = kCameraRect;
  OffsetRect(&want, 300, 100);
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), want); }))
      << Describe(WindowRect(cam.camera)) << " want " << Describe(want);
  EXPECT_TRUE(above.WaitPainted()) << "the window above the camera was drawn over";
  RECT view = ViewOnScreen(want);  // below the red window's bottom
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
}

TEST_F(MoveResizeTest, ShrinkingPastTheMinimumLeavesTheEdgeWhereItStopped) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(RECT{300, 200, 300 + 400, 200 + 320});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(ViewMatches(cam.camera));
  RECT w = WindowRect(cam.camera);
  POINT grip{w.right - 3, (w.top + w.bottom) / 2};
  Drag(cam.camera, grip, POINT{grip.x - 390, grip.y}, 39, cam.process.pid());
  RECT now = WindowRect(cam.camera);
  EXPECT_EQ(now.left, w.left);
  EXPECT_LT(now.right - now.left, 400);
  EXPECT_GE(now.right - now.left, 20);  // stopped at the minimum, not at the cursor
  EXPECT_TRUE(ViewMatches(cam.camera));
}

TEST_F(MoveResizeTest, GrowingPastTheScreenWidthSlidesTheLeftEdge) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(RECT{0, 300, 1100, 300 + 300});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT w = WindowRect(cam.camera);
  ASSERT_EQ(w.right, 1100) << Describe(w);
  POINT grip{w.right - 3, (w.top + w.bottom) / 2};
  Drag(cam.camera, grip, POINT{1279, grip.y}, 8, cam.process.pid());
  RECT now = WindowRect(cam.camera);
  EXPECT_EQ(now.right - now.left, 1280) << Describe(now);
  EXPECT_EQ(now.right, 1100 + (1279 - grip.x)) << Describe(now);  // the right edge went where it was pushed
  RECT view = ViewOnScreen(now);
  RECT visible{std::max(0L, view.left), view.top, std::min(1280L, view.right), view.bottom};
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(visible) == 0; })) << ScreenMismatches(visible);
}

// Not a pass/fail check: prints the time of one move step and one resize step
// of a 1000 x 700 camera, each step handled synchronously.
TEST_F(MoveResizeTest, StepTimesOfALargeCamera) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(RECT{100, 100, 1100, 800});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(ViewMatches(cam.camera));
  constexpr int kSteps = 40;
  auto timeSteps = [&](POINT grip, int dx) {
    MouseAt(grip.x, grip.y);
    CursorAt(grip.x, grip.y);
    MouseAt(grip.x, grip.y, MOUSEEVENTF_LEFTDOWN);
    WaitCapture(cam.camera, true);
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 1; i <= kSteps; ++i) {
      ::SetCursorPos(grip.x + dx * i, grip.y);
      Send(cam.camera, WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
    auto t1 = std::chrono::steady_clock::now();
    MouseAt(grip.x + dx * kSteps, grip.y, MOUSEEVENTF_LEFTUP);
    WaitCapture(cam.camera, false);
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / kSteps;
  };
  double move = timeSteps(POINT{300, 110}, 2);
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(cam.camera).left == 100 + 2 * kSteps; }));
  RECT w = WindowRect(cam.camera);
  double resize = timeSteps(POINT{w.right - 3, (w.top + w.bottom) / 2}, -2);
  std::printf("MEASURE move step %.2f ms, resize step %.2f ms (1000 x 700 camera, %d steps each)\n", move, resize,
              kSteps);
  EXPECT_TRUE(ViewMatches(cam.camera));
}

}  // namespace
}  // namespace flk::e2e
