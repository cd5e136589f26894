// Benchmark, not a test (run by `scripts/bench.sh freeze`): how soon Print
// Screen shows the frozen desktop, from the key press to the freeze window up
// and painted (the camera role idle again), over 20 presses, beside one
// full-screen copy of the screen measured here in the same run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "camera_scene.h"
#include "shell/names.h"

namespace flk::e2e {
namespace {

constexpr int kPresses = 20;

double MsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

// One copy of the whole screen into memory, as a capture makes it.
double ScreenCopyMs() {
  auto t = std::chrono::steady_clock::now();
  std::optional<Pixels> px = GrabScreen(RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
  const double ms = MsSince(t);
  return px ? ms : -1;
}

struct Figures {
  double median, worst;
};
Figures Summary(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {(v[v.size() / 2] + v[(v.size() - 1) / 2]) / 2, v.back()};
}

class FreezeBench : public ProgramTest {};

TEST_F(FreezeBench, DISABLED_PrintScreenToFrozenDesktop) {
  PatternWindow pattern(RECT{0, 0, 1280, 1024});
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(RECT{200, 150, 545, 450});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  std::vector<double> shown, painted, copies;
  for (int i = 0; i < kPresses; ++i) {
    cam.process.WaitIdle();
    ::Sleep(150);
    auto t = std::chrono::steady_clock::now();
    Press({VK_SNAPSHOT});
    HWND freeze = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
          freeze = FindTop("TfrmFreeze", nullptr, cam.process.pid());
          return freeze && IsVisible(freeze);
        },
        kWaitMs, 1))
        << "press " << i << ": " << DescribeBoxes(cam.process.pid());
    shown.push_back(MsSince(t));
    cam.process.WaitIdle();
    painted.push_back(MsSince(t));
    // A right click on the tray icon thaws, ready for the next press.
    ASSERT_TRUE(Post(tray, kWmTrayNotify, 0, WM_RBUTTONUP));
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(freeze); }));
    copies.push_back(ScreenCopyMs());
  }
  const Figures s = Summary(shown), p = Summary(painted), c = Summary(copies);
  std::printf("\n[ freeze bench ] %d presses of Print Screen, screen %d x %d\n", kPresses,
              ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  std::printf("  %-44s %10s %10s %10s\n", "", "median", "worst", "goal");
  std::printf("  %-44s %8.1fms %8.1fms %10s\n", "press -> freeze window shown", s.median, s.worst, "");
  std::printf("  %-44s %8.1fms %8.1fms %8.0fms\n", "press -> frozen desktop painted (role idle)", p.median, p.worst,
              100.0);
  std::printf("  %-44s %8.1fms %8.1fms %10s\n", "one full-screen copy (BitBlt to memory, here)", c.median, c.worst, "");
}

}  // namespace
}  // namespace flk::e2e
