// How-to tips seen from outside: the point hint of a Window capture appears
// at the camera centre with its text, Cancel stores the tick and stops the
// capture, and "Restore All No-Show-Again Dialogs" brings it back.
#include <cstdlib>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

class TipsTest : public ProgramTest {};

constexpr RECT kPatternRect{0, 0, 900, 760};
constexpr RECT kCameraRect{200, 150, 200 + 345, 150 + 280};
constexpr int kHintLabel = 201, kHintCheck = 202;
constexpr char kCentreText[] = "The window at this point, the camera center, will be captured.";

// The camera centre: half across the window, half down the view.
POINT CameraCentre(HWND camera) {
  RECT r = WindowRect(camera);
  RECT v = ViewOnScreen(r);
  return {r.left + (r.right - r.left) / 2, v.top + (v.bottom - v.top) / 2};
}

TEST_F(TipsTest, WindowHintSitsAtTheCentreAndCancelStoresTheTick) {
  PatternWindow pattern(kPatternRect);
  ASSERT_TRUE(pattern.WaitPainted());
  RunningCamera cam = StartCameraOver(kCameraRect);
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  const POINT centre = CameraCentre(cam.camera);

  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::WinCap)));
  HWND hint = WaitWindow("TfrmHotPt", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(hint) << DescribeBoxes(cam.process.pid());
  RECT r = WindowRect(hint);
  // Upper-left part of the screen: the form hangs below-right of the point.
  EXPECT_EQ(r.left, centre.x);
  // Whether "the top of the viewfinder" counts the view's 2-pixel bevel (at the
  // camera's scale) is the camera's business; the hint hangs from the point it was given.
  EXPECT_LE(std::abs(r.top - centre.y), E2eScale()(2)) << r.top << " vs " << centre.y;
  // The hint's 96-DPI size at its own scale.
  EXPECT_EQ(r.right - r.left, E2eScale()(271));
  EXPECT_EQ(r.bottom - r.top, E2eScale()(155));
  EXPECT_EQ(WindowText(::GetDlgItem(hint, kHintLabel)), kCentreText);
  EXPECT_EQ(WindowText(::GetDlgItem(hint, kHintCheck)), "Don't show this message again.");
  EXPECT_EQ(WindowText(::GetDlgItem(hint, IDCANCEL)), "&Cancel");

  ::SendMessageW(::GetDlgItem(hint, kHintCheck), BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(Post(::GetDlgItem(hint, IDCANCEL), BM_CLICK));
  ASSERT_TRUE(WaitGone(hint));
  EXPECT_TRUE(WaitUntil([] { return RegDword(HKEY_CURRENT_USER, kSettingsPath, "NsaCntrPt") == 1u; }));
  // The capture was cancelled: the camera is still up and no viewer started.
  EXPECT_TRUE(IsVisible(cam.camera));
  EXPECT_EQ(FindTop(kViewerClass, kViewerCaption), nullptr);

  // Restoring the tips clears the tick again.
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::RestoreNoShowAgain)));
  EXPECT_TRUE(WaitUntil([] { return RegDword(HKEY_CURRENT_USER, kSettingsPath, "NsaCntrPt") == 0u; }));
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(flk::CommandId::WorkArea)));
  hint = WaitWindow("TfrmHotPt", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(hint) << "the hint did not come back after restoring";
  ASSERT_TRUE(Post(::GetDlgItem(hint, IDCANCEL), BM_CLICK));
  EXPECT_TRUE(WaitGone(hint));
}

}  // namespace
}  // namespace flk::e2e
