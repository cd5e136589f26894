// Process roles: the first argument picks the role, a second camera start
// hands over to the running one, and the Run entry keeps the start in the tray.
#include "program_fixture.h"

namespace flk::e2e {
namespace {

struct RoleCase {
  const char* args;
  const char* title;  // caption of the role's window
};

void PrintTo(const RoleCase& c, std::ostream* os) { *os << '"' << c.args << '"'; }

class RoleWordTest : public ProgramTest, public ::testing::WithParamInterface<RoleCase> {};

// The word is compared in lower case, and only the first argument counts.
TEST_P(RoleWordTest, SelectsRoleRegardlessOfCase) {
  WriteCurrentUserSettings();
  Process p = Process::Start(GetParam().args);
  ASSERT_TRUE(p);
  HWND viewer = WaitWindow(kViewerClass, GetParam().title, true, kWaitMs, p.pid());
  ASSERT_TRUE(viewer) << DescribeBoxes(p.pid());
  EXPECT_EQ(FindTop(kCameraClass, kCameraCaption), nullptr) << "the camera role started";
  ASSERT_TRUE(Post(viewer, WM_CLOSE));
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << "the role did not end";
  EXPECT_EQ(*code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Roles, RoleWordTest,
    ::testing::Values(RoleCase{"viewer", kViewerCaption}, RoleCase{"Viewer", kViewerCaption},
                      RoleCase{"VIEWER", kViewerCaption}, RoleCase{"viewer camera", kViewerCaption}));
// "WELCOME" selects the daily tips, which are built: DailyTipsTest.RoleWordInAnyCaseOpensTheTips;
// "Sticky" the sticky manager: StickyTest.FilesThatCannotBeNotesAreReportedOnceAndKeptAside.

class InstallRoleTest : public ProgramTest, public ::testing::WithParamInterface<RoleCase> {};

// The installer and the uninstaller open their forms; Cancel ends them having changed nothing.
TEST_P(InstallRoleTest, OpensItsFormAndCancelEndsIt) {
  WriteCurrentUserSettings();
  Process p = Process::Start(GetParam().args);
  ASSERT_TRUE(p);
  HWND form = WaitWindow("TfrmSetup", GetParam().title, true, kWaitMs, p.pid());
  ASSERT_TRUE(form) << DescribeBoxes(p.pid());
  EXPECT_EQ(FindTop(kCameraClass, kCameraCaption), nullptr) << "the camera role started";
  ASSERT_TRUE(PressButton(form, IDCANCEL));
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << "the role did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kAppPathKey, ""), ProgramPath());
}

INSTANTIATE_TEST_SUITE_P(Roles, InstallRoleTest,
                         ::testing::Values(RoleCase{"setup", "Setup FramelarkPro version 1.32"},
                                           RoleCase{"UNINSTAL", "Uninstall Framelark Pro version 1.32"}));

class CameraWordTest : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

// Anything that is not exactly a role word selects the camera.
TEST_P(CameraWordTest, SelectsCamera) {
  WriteCurrentUserSettings();
  Process p = Process::Start(GetParam());
  ASSERT_TRUE(p);
  CameraStart s = WaitCameraOrBox(p);
  EXPECT_TRUE(s.camera) << DescribeBoxes(p.pid()) << (s.exited ? "; the program ended" : "");
  EXPECT_TRUE(FindTop(kTrayClass, kTrayCaption, p.pid())) << "no tray controller";
}

INSTANTIATE_TEST_SUITE_P(Roles, CameraWordTest, ::testing::Values("", "viewers", "uninstall", "camera viewer"));

class CameraRoleTest : public ProgramTest {
 protected:
  // Starts the camera role with the Run entry, so that it waits in the tray,
  // and waits until its start-up has finished.
  Process StartInTray() {
    RegWriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, ProgramPath());
    Process p = Process::Start("");
    EXPECT_TRUE(p);
    tray_ = WaitWindow(kTrayClass, kTrayCaption, false, kWaitMs, p.pid());
    EXPECT_TRUE(tray_) << "no tray controller; boxes: " << DescribeBoxes(0);
    EXPECT_TRUE(p.WaitIdle()) << "the start did not settle";
    return p;
  }

  // True when the process's camera window stays hidden for `ms`.
  static bool CameraStaysHidden(const Process& p, DWORD ms) {
    return !WaitUntil(
        [&] {
          HWND cam = FindTop(kCameraClass, kCameraCaption, p.pid());
          return cam && IsWindowVisible(cam);
        },
        ms);
  }

  HWND tray_ = nullptr;
};

TEST_F(CameraRoleTest, RunEntryKeepsTheStartInTheTray) {
  Process p = StartInTray();
  ASSERT_TRUE(tray_);
  EXPECT_FALSE(IsWindowVisible(tray_)) << "the tray controller is a hidden window";
  EXPECT_TRUE(WaitUntil(TrayIconShown)) << "no tray icon";
  EXPECT_TRUE(FindTop(kCameraClass, kCameraCaption, p.pid())) << "the camera window is created at start";
  // Timer1 would open the camera 100 ms after the start.
  EXPECT_TRUE(CameraStaysHidden(p, 600)) << "the camera opened";
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty()) << DescribeBoxes(p.pid());
  EXPECT_TRUE(p.Running());
}

TEST_F(CameraRoleTest, SecondStartEndsAndAsksTheFirstForItsCamera) {
  Process first = StartInTray();
  ASSERT_TRUE(tray_);
  ASSERT_TRUE(CameraStaysHidden(first, 300));

  Process second = Process::Start("");
  ASSERT_TRUE(second);
  auto code = second.WaitExit();
  ASSERT_TRUE(code) << "the second instance did not end";
  // The running instance got WM_CAMERAREQUEST 0 and opens its camera.
  HWND cam = WaitWindow(kCameraClass, kCameraCaption, true, kWaitMs, first.pid());
  EXPECT_TRUE(cam) << "the first instance did not open its camera; boxes: " << DescribeBoxes(0);
  EXPECT_EQ(TopWindows(kCameraClass, kCameraCaption).size(), 1u);
  EXPECT_EQ(TopWindows(kTrayClass, kTrayCaption).size(), 1u);
  EXPECT_TRUE(first.Running());
}

TEST_F(CameraRoleTest, SecondStartLeavesTheShownCameraAlone) {
  WriteCurrentUserSettings();
  Process first = Process::Start("");
  ASSERT_TRUE(first);
  CameraStart s = WaitCameraOrBox(first);
  ASSERT_TRUE(s.camera) << DescribeBoxes(first.pid());
  const RECT before = WindowRect(s.camera);

  Process second = Process::Start("");
  ASSERT_TRUE(second);
  ASSERT_TRUE(second.WaitExit()) << "the second instance did not end";
  EXPECT_TRUE(first.WaitIdle());
  // The request refreshes the view: the camera steps aside for the refresh
  // delay and comes back where it was.
  EXPECT_TRUE(WaitUntil([&] { return IsVisible(s.camera); }));
  const RECT after = WindowRect(s.camera);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(TopWindows(kCameraClass, kCameraCaption).size(), 1u);
  EXPECT_EQ(ProgramProcessIds().size(), 1u);
}

}  // namespace
}  // namespace flk::e2e

namespace flk::e2e {
namespace {

TEST_F(CameraRoleTest, SecondStartPostsCameraRequestZeroAndEnds) {
  // A stand-in for the running instance's tray controller.
  FakeRoleWindow running(kTrayClass, kTrayCaption);
  ASSERT_TRUE(running.hwnd());
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  auto request = running.WaitFor(kWmCameraRequest);
  ASSERT_TRUE(request) << "no WM_CAMERAREQUEST; boxes: " << DescribeBoxes(0);
  EXPECT_EQ(request->w, 0u);
  ASSERT_TRUE(p.WaitExit()) << "the second instance did not end";
  EXPECT_EQ(running.received().size(), 1u) << "only the camera request is sent";
  EXPECT_FALSE(FindTop(kCameraClass, kCameraCaption)) << "a camera window outlived the process";
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kSettingsPath)) << "the second instance read the settings";
}

}  // namespace
}  // namespace flk::e2e
