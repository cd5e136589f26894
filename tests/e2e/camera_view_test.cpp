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

// Rows of a band of the screen that hold text-black pixels: none may lie on the
// band's first or last row, or the text was cut off there.
struct TextRows {
  int inked = 0;
  bool touchesEdge = false;
};
TextRows InkedRows(const RECT& band) {
  TextRows t;
  std::optional<Pixels> p = GrabScreen(band);
  if (!p) return t;
  for (int y = band.top; y < band.bottom; ++y) {
    bool ink = false;
    for (int x = band.left; x < band.right; ++x) ink = ink || p->at(x, y) == 0;
    if (!ink) continue;
    ++t.inked;
    if (y == band.top || y == band.bottom - 1) t.touchesEdge = true;
  }
  return t;
}

TEST_F(CameraViewTest, PanelRowsAreScaledWithTheDisplayAndHoldTheirTextWhole) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  RECT w = WindowRect(cam.camera);
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(ViewOnScreen(w)) == 0; }));
  const flk::DpiScale& s = E2eScale();
  // The menu row lies below the frame and the title bar.
  int frame = s(5);
  RECT menuRow{w.left + frame, w.top + frame + s(22), w.right - frame, w.top + frame + s(22) + s(19)};
  TextRows menu = InkedRows(menuRow);
  EXPECT_GT(menu.inked, s(5)) << "no menu captions drawn";
  EXPECT_FALSE(menu.touchesEdge) << "menu captions cut at " << E2eScale().dpi << " DPI";
  // The status line is a child control placed inside the last row.
  std::vector<HWND> labels = Children(cam.camera, "Static");
  ASSERT_FALSE(labels.empty());
  RECT label = WindowRect(labels.front());
  EXPECT_EQ(label.bottom - label.top, s(18) - s(2));
  TextRows status = InkedRows(label);
  EXPECT_GT(status.inked, s(5)) << "no status text drawn";
  EXPECT_FALSE(status.touchesEdge) << "status text cut at " << E2eScale().dpi << " DPI";
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
  RECT bottom{kCameraRect.left, kCameraRect.top + PanelHeight(), kCameraRect.right, kCameraRect.bottom + PanelHeight()};
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(cam.camera), bottom); }));
  RECT w = WindowRect(cam.camera);
  RECT viewBottom{w.left + FrameAndBevel(), w.top + FrameAndBevel(), w.right - FrameAndBevel(),
                  w.bottom - FrameAndBevel() - PanelHeight()};
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
  const RECT camera = SameViewAtScale(kCameraRect);
  RunningCamera cam = StartCameraOver(camera);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  const RECT source = ViewOnScreen(camera);  // what the held picture shows
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
