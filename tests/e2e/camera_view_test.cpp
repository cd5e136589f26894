// The camera as a hole in the screen: its view shows exactly the pixels
// beneath it, also when it crosses the screen's edge, and keeps showing the
// same area when the control panel changes sides; with Hold on it shows the
// held picture, with scroll bars once the camera is smaller than the picture.
#include "camera_scene.h"

namespace flk::e2e {
namespace {

class CameraViewTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{150, 120, 150 + 345, 120 + 300};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(CameraViewTest, ViewShowsExactlyThePixelsBeneath) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT w = WindowRect(cam.camera);
  EXPECT_TRUE(SameRect(w, kCameraRect)) << w.left << "," << w.top << "," << w.right << "," << w.bottom;
  RECT view = ViewOnScreen(w);
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
  EXPECT_EQ(StatusText(cam.camera), "  Press F1 for help.");
}

TEST_F(CameraViewTest, GrabAcrossTheScreenEdgeCopiesTheVisiblePart) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  // Push the camera half off the left edge, then refresh: the view's visible
  // part must show the pattern, not black.
  ASSERT_TRUE(::SetWindowPos(cam.camera, nullptr, -150, 200, 345, 300, SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Refresh)));
  RECT w{-150, 200, 195, 500};
  RECT view = ViewOnScreen(w);
  RECT visible{0, view.top, view.right, view.bottom};
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(visible) == 0; }))
      << ScreenMismatches(visible) << " pixels differ";
  RECT now = WindowRect(cam.camera);
  EXPECT_TRUE(SameRect(now, w)) << now.left << "," << now.top;
}

TEST_F(CameraViewTest, PanelTopBottomTopKeepsTheViewOverTheSameArea) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT view = ViewOnScreen(kCameraRect);
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; }));

  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::ControlsBottom)));
  // Docked at the bottom the window moves down by the panel's height and the
  // view starts right under the top frame.
  RECT bottom{kCameraRect.left, kCameraRect.top + kPanelHeight, kCameraRect.right, kCameraRect.bottom + kPanelHeight};
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), bottom); }));
  RECT w = WindowRect(cam.camera);
  RECT viewBottom{w.left + kFrameAndBevel, w.top + kFrameAndBevel, w.right - kFrameAndBevel,
                  w.bottom - kFrameAndBevel - kPanelHeight};
  EXPECT_TRUE(SameRect(viewBottom, view));
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";

  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::ControlsTop)));
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), kCameraRect); }));
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view) == 0; })) << ScreenMismatches(view) << " pixels differ";
}

// How many pixels of the window's client area on the screen differ from the
// pattern under `source`, read from (dx, dy) on.
long HeldMismatches(HWND view, const RECT& source, int dx, int dy) {
  RECT client;
  ::GetClientRect(view, &client);
  POINT origin{0, 0};
  ::ClientToScreen(view, &origin);
  auto px = GrabScreen(RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
  if (!px || client.right <= 0 || client.bottom <= 0) return -1;
  long bad = 0;
  for (int y = 0; y < client.bottom && source.top + dy + y < source.bottom; ++y)
    for (int x = 0; x < client.right && source.left + dx + x < source.right; ++x)
      if ((px->at(origin.x + x, origin.y + y) & 0xFFFFFF) != PatternColour(source.left + dx + x, source.top + dy + y))
        ++bad;
  return bad;
}

TEST_F(CameraViewTest, HoldScrollsTheHeldPictureOnceTheCameraIsSmaller) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  const RECT source = ViewOnScreen(kCameraRect);  // what the held picture shows
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Hold)));
  HWND held = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    auto views = Children(cam.camera, "TLockView");
    held = views.empty() ? nullptr : views.front();
    return held && IsVisible(held);
  }));
  auto bars = [&] { return ::GetWindowLongW(held, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
  // The whole picture fits: no scroll bars, the picture from its top left.
  EXPECT_EQ(bars(), 0);
  EXPECT_TRUE(WaitUntil([&] { return HeldMismatches(held, source, 0, 0) == 0; }))
      << HeldMismatches(held, source, 0, 0) << " pixels differ";
  // Smaller than the picture: both bars, and scrolling moves the picture.
  RECT w = WindowRect(cam.camera);
  ASSERT_TRUE(::SetWindowPos(cam.camera, nullptr, 0, 0, w.right - w.left - 120, w.bottom - w.top - 100,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_TRUE(WaitUntil([&] { return bars() == (WS_HSCROLL | WS_VSCROLL); })) << std::hex << bars();
  Post(held, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50));
  Post(held, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40));
  EXPECT_TRUE(WaitUntil([&] { return HeldMismatches(held, source, 50, 40) == 0; }))
      << HeldMismatches(held, source, 50, 40) << " pixels differ";
  // Outputs still take the whole held picture.
  if (::OpenClipboard(nullptr)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  std::optional<ReadPicture> clip;
  ASSERT_TRUE(WaitUntil([&] { return (clip = ReadClipboardDib()).has_value(); }));
  EXPECT_EQ(PatternMismatches(*clip, source), 0);
}

}  // namespace
}  // namespace flk::e2e
