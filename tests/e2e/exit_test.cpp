// The orderly end of the camera role stores the exit time, the exit count and
// the in-memory settings.
#include "camera_scene.h"
#include "program_fixture.h"

namespace flk::e2e {
namespace {

class ExitTest : public ProgramTest {};

TEST_F(ExitTest, CloseButtonExitsAndStoresSettings) {
  // The camera's size as a user at this display scale leaves it (300 wide would be
  // under the docked camera's minimum at 150 %, which would widen it).
  const DWORD width = DWORD(E2eScale()(300)), height = DWORD(E2eScale()(250));
  const double lastExit = OleNow() - 30;
  WriteCurrentUserSettings(lastExit);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "c", 7);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "SS_Interval", 700);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "AS_ScanBt", 33);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Left", 40);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Top", 50);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Width", width);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Height", height);

  Process p = Process::Start("");
  ASSERT_TRUE(p);
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  ASSERT_TRUE(p.WaitIdle());
  EXPECT_TRUE(TrayIconShown());
  // Values changed behind the program's back: the exit writes its own copies.
  for (const char* name : {"c", "SS_Interval", "AS_ScanBt", "Width", "Height", "Left", "Top"})
    RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, name, 1);
  RegWriteDate(HKEY_CURRENT_USER, kSettingsPath, "a", lastExit);

  ASSERT_TRUE(Post(s.camera, WM_CLOSE));
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << "the program did not end; boxes: " << DescribeBoxes(p.pid());
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty());
  EXPECT_TRUE(WaitUntil([] { return !TrayIconShown(); }, 3000)) << "the tray icon stayed";

  auto a = RegDate(HKEY_CURRENT_USER, kSettingsPath, "a");
  ASSERT_TRUE(a) << DescribeUserValue("a");
  EXPECT_GT(*a, lastExit + 29) << "the exit time was not stored";
  EXPECT_NEAR(*a, OleNow(), 10.0 / (24 * 60));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "c"), 8u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "SS_Interval"), 700u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "AS_ScanBt"), 33u);
  // The camera was opened, so its rectangle is stored too.
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Left"), 40u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Top"), 50u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), width);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Height"), height);
  EXPECT_TRUE(WaitUntil([] { return ProgramProcessIds().empty(); }, 3000));
}

TEST_F(ExitTest, StartThatEndsEarlyStoresNothing) {
  const double lastExit = OleNow() - 30;
  WriteCurrentUserSettings(lastExit);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "c", 7);
  Process first = Process::Start("");
  ASSERT_TRUE(first);
  ASSERT_TRUE(WaitCameraOrBox(first).camera) << DescribeBoxes(first.pid());
  // A second instance ends at once, before it reads or writes any setting.
  Process second = Process::Start("");
  ASSERT_TRUE(second.WaitExit());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "c"), 7u);
  EXPECT_EQ(RegDate(HKEY_CURRENT_USER, kSettingsPath, "a"), lastExit);
}

}  // namespace
}  // namespace flk::e2e

namespace flk::e2e {
namespace {

TEST_F(ExitTest, ExitClosesTheOtherRolesWindows) {
  WriteCurrentUserSettings();
  FakeRoleWindow viewer(kViewerClass, kViewerCaption);
  FakeRoleWindow stickies(kStickiesClass, kStickiesCaption);
  FakeRoleWindow tips(kTipsClass, kTipsCaption);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_TRUE(viewer.received().empty());
  ASSERT_TRUE(Post(s.camera, WM_CLOSE));
  ASSERT_TRUE(p.WaitExit()) << "the program did not end; boxes: " << DescribeBoxes(p.pid());
  EXPECT_TRUE(viewer.WaitFor(WM_CLOSE, 2000)) << "the viewer was not closed";
  EXPECT_TRUE(stickies.WaitFor(WM_CLOSE, 2000)) << "the sticky manager was not closed";
  EXPECT_TRUE(tips.WaitFor(WM_CLOSE, 2000)) << "the tips window was not closed";
}

}  // namespace
}  // namespace flk::e2e
