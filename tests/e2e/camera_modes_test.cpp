// The frozen desktop: Print Screen keeps a popup that closes afterwards, the
// thaw question; and the exact-Ctrl shortcut rule.
#include "camera_scene.h"

namespace flk::e2e {
namespace {

class CameraModesTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 280};

// A menu-like popup: topmost, partly over the camera's view, partly beside it.
constexpr RECT kPopupRect{150, 280, 350, 360};
constexpr uint32_t kPopupRgb = 0xFF00FF;
uint32_t PopupColour(int, int) { return kPopupRgb; }
uint32_t FrozenColour(int x, int y) {
  return x >= kPopupRect.left && x < kPopupRect.right && y >= kPopupRect.top && y < kPopupRect.bottom
             ? kPopupRgb
             : PatternColour(x, y);
}

// Presses Print Screen while the popup is open, closes the popup and checks
// that the frozen desktop, the view and the copied picture all still hold it.
void FreezePopupAndCopy(const RunningCamera& cam) {
  ColourWindow popup(kPopupRect, PopupColour, true);
  ASSERT_TRUE(popup.WaitPainted());
  Press({VK_SNAPSHOT});
  ASSERT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click desktop to thaw.)")) << StatusText(cam.camera);
  ASSERT_TRUE(IsVisible(cam.camera));
  popup.Close();
  Pump();
  RECT beside{kPopupRect.left, kPopupRect.top, kCameraRect.left, kPopupRect.bottom};
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(beside, FrozenColour) == 0; }))
      << ScreenMismatches(beside, FrozenColour) << " pixels of the still differ beside the camera";
  RECT view = ViewOnScreen(kCameraRect);
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(view, FrozenColour) == 0; }))
      << ScreenMismatches(view, FrozenColour) << " pixels of the view differ";

  if (::OpenClipboard(nullptr)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  HWND box = WaitBoxOf(cam.process, "Print Screen Key");
  ASSERT_TRUE(box) << DescribeBoxes(cam.process.pid());
  auto picture = ReadClipboardDib();
  ASSERT_TRUE(picture);
  EXPECT_EQ(PatternMismatches(*picture, view, FrozenColour), 0);
  ASSERT_TRUE(Answer(box, IDYES));
}

TEST_F(CameraModesTest, PrintScreenKeepsAPopupOverTheCameraThatClosesAfterwards) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  FreezePopupAndCopy(cam);
}

TEST_F(CameraModesTest, PrintScreenWithTheCameraInTheTrayKeepsAPopupThatClosesAfterwards) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::CloseToTray)));
  ASSERT_TRUE(WaitUntil([&] { return !IsVisible(cam.camera); }));
  FreezePopupAndCopy(cam);
}

TEST_F(CameraModesTest, FrozenDesktopAsksToThawAndNoKeepsItFrozen) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  // The Print Screen hot key.
  ASSERT_TRUE(Post(tray, WM_HOTKEY, 0, MAKELPARAM(0, VK_SNAPSHOT)));
  ASSERT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click desktop to thaw.)")) << StatusText(cam.camera);
  HWND freeze = WaitWindow("TfrmFreeze", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(freeze);

  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
    HWND box = WaitBoxOf(cam.process, "Print Screen Key");
    ASSERT_TRUE(box) << DescribeBoxes(cam.process.pid());
    EXPECT_EQ(MessageBoxText(box), "Thaw desktop?\n(Restores normal desktop)");
    ASSERT_TRUE(Answer(box, IDNO));
    EXPECT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click it to un-freeze.)")) << StatusText(cam.camera);
    EXPECT_TRUE(IsVisible(freeze));
  }
  // Yes thaws it.
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  HWND box = WaitBoxOf(cam.process, "Print Screen Key");
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !IsVisible(freeze); }));
}

TEST_F(CameraModesTest, CtrlShiftSDoesNothingWhileCtrlLettersRun) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ::SetForegroundWindow(cam.camera);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == cam.camera; }));
  Press({VK_CONTROL, VK_SHIFT, 'S'});
  EXPECT_FALSE(WaitWindow(kDialogClass, "Save As", true, 1500, cam.process.pid()));
  EXPECT_TRUE(MessageBoxes(nullptr, cam.process.pid()).empty());
  EXPECT_EQ(StatusText(cam.camera), "  Press F1 for help.");
  // The same keys reach the camera: Ctrl+C copies.
  Press({VK_CONTROL, 'C'});
  EXPECT_TRUE(WaitStatus(cam.camera, "Copied to clipboard.")) << StatusText(cam.camera);
}

TEST_F(CameraModesTest, F1AnswersWithHelpAndTheCameraGoesOn) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ::SetForegroundWindow(cam.camera);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == cam.camera; }));
  // No program opens .html pages here: the camera says so in a box of its own.
  auto oldHtml = RegString(HKEY_CLASSES_ROOT, ".html", "");
  ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, ".html", "", "FlkTest.nothing"));
  Press({VK_F1});
  HWND box = WaitBoxOf(cam.process, "Framelark Help");
  if (oldHtml)
    RegWriteString(HKEY_CLASSES_ROOT, ".html", "", *oldHtml);
  else
    RegRemoveValue(HKEY_CLASSES_ROOT, ".html", "");
  ASSERT_TRUE(box) << DescribeBoxes(cam.process.pid());
  EXPECT_NE(MessageBoxText(box).find("general.html"), std::string::npos);
  ASSERT_TRUE(Answer(box, IDNO));  // not the folder this time
  EXPECT_TRUE(cam.process.Running());
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::Copy)));
  EXPECT_TRUE(WaitStatus(cam.camera, "Copied to clipboard."));
}

TEST_F(CameraModesTest, FullScreenCaptureGoesIntoTheRingAndTheViewerShowsIt) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  std::string ring = DataFolder() + "Folders\\LastCaptures\\";
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::FullScreen)));
  // The camera steps aside for the capture and stays in the tray; the viewer
  // opens on the ring with the new picture as the one shown.
  HWND viewer = WaitViewer();
  ASSERT_TRUE(viewer) << DescribeBoxes(cam.process.pid());
  EXPECT_TRUE(WaitUntil([&] { return ViewerStatus(viewer).ends_with(" pictures loaded from LastCaptures folder."); }))
      << ViewerStatus(viewer);
  EXPECT_FALSE(IsVisible(cam.camera));
  WIN32_FIND_DATAA d;
  std::string newest;
  HANDLE find = ::FindFirstFileA((ring + "*.bmp").c_str(), &d);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    if (newest < d.cFileName) newest = d.cFileName;
  } while (::FindNextFileA(find, &d));
  ::FindClose(find);
  auto picture = ReadBmpFile(ring + newest);
  ASSERT_TRUE(picture) << newest;
  EXPECT_EQ(picture->width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(picture->height, ::GetSystemMetrics(SM_CYSCREEN));
  // The camera was out of the way: where it stands the picture shows the pattern.
  RECT under{kCameraRect.left, kCameraRect.top, kCameraRect.right, kCameraRect.bottom};
  long bad = 0;
  for (int y = under.top; y < under.bottom; ++y)
    for (int x = under.left; x < under.right; ++x)
      if (picture->at(x, y) != PatternColour(x, y)) ++bad;
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(CloseViewer());
}

}  // namespace
}  // namespace flk::e2e
