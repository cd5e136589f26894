// Every window as a person sees it at the run's scaling (the e2e layer at 96
// DPI, e2e-dpi at 144): no text cut, no control outside its parent or over
// another, nothing beyond the work area, no input without a label. Each
// window's screenshot is kept for a reviewer (FLK_E2E_SHOTS).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "camera/commands.h"
#include "camera_scene.h"
#include "viewer/viewer_commands.h"
#include "window_layout.h"

namespace flk::e2e {
namespace {

class WindowLayoutTest : public ProgramTest {
 protected:
  void TearDown() override {
    ProgramTest::TearDown();
    RemoveStoredNotes();
  }
};

std::string ShotName(const std::string& name) { return name + "-" + std::to_string(E2eScale().dpi); }

void ExpectLaidOut(HWND w, const std::string& name) {
  ASSERT_TRUE(w) << name << ": " << DescribeBoxes(0);
  Trace(("laying out " + name).c_str());
  ASSERT_TRUE(Send(w, WM_NULL, 0, 0, 5000)) << name << " does not answer";
  Pump();
  ::Sleep(100);  // let it paint before the screenshot
  EXPECT_TRUE(KeepScreenshot(w, ShotName(name))) << name;
  Trace("screenshot kept");
  EXPECT_EQ(DescribeLayoutFaults(w), "") << name;
}

struct CameraDialog {
  const char* name;
  flk::CommandId command;
  const char* cls;
  const char* caption;
};

TEST_F(WindowLayoutTest, TheCameraAndItsDialogs) {
  // A new user: the program writes its own first settings.
  RegRemoveTree(HKEY_CURRENT_USER, kSettingsPath);
  Process p = Process::Start("");
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  p.WaitIdle();
  // Its first size is 186 x 268 as a person sees it at this scale, wider only
  // where the title and the menu row need it.
  RECT r = WindowRect(s.camera);
  EXPECT_GE(r.right - r.left, E2eScale()(186));
  EXPECT_LE(r.right - r.left, E2eScale()(186) * 5 / 4);
  EXPECT_EQ(r.bottom - r.top, E2eScale()(268));
  ExpectLaidOut(s.camera, "camera");
  const CameraDialog kDialogs[] = {
      {"customize", flk::CommandId::GeneralSettings, "TfrmCamCustom", "Customize Framelark"},
      {"editor-setup", flk::CommandId::EditorSetup, "TfrmEditSetup", "Editor Setup"},
      {"launch-options", flk::CommandId::LaunchSettings, "TfrmStartupLinks", "Select Launch Options"},
      {"scroll-settings", flk::CommandId::ScrollCaptureSettings, "TfrmScrollSettings",
       "Scrolling Capture Fine Tuning"},
      {"email-format", flk::CommandId::Email, "TfrmEmail", "Email Format Selection"},
      {"contact", flk::CommandId::Feedback, "TfrmContact", "Send Email to support@hollowbrook.example"},
  };
  for (const CameraDialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    ASSERT_TRUE(Post(s.camera, WM_COMMAND, CommandParam(d.command)));
    HWND dlg = WaitWindow(d.cls, d.caption, true, kWaitMs, p.pid());
    ExpectLaidOut(dlg, d.name);
    if (HWND tabs = dlg ? ::FindWindowExA(dlg, nullptr, "SysTabControl32", nullptr) : nullptr) {
      // Every page of a tabbed dialog.
      int pages = int(Send(tabs, TCM_GETITEMCOUNT).value_or(0));
      for (int i = 1; i < pages; ++i) {
        Send(tabs, TCM_SETCURFOCUS, WPARAM(i));
        ExpectLaidOut(dlg, std::string(d.name) + "-page" + std::to_string(i + 1));
      }
    }
    if (dlg) {
      Post(dlg, WM_CLOSE);
      EXPECT_TRUE(WaitUntil([&] { return !IsVisible(dlg); })) << d.name;
    }
  }
}

TEST_F(WindowLayoutTest, ANoteAndTheDailyTips) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, RECT{200, 150, 200 + 345, 150 + 280}));
  Command(s, flk::CommandId::Sticky);
  HWND note = WaitWindow("TfrmStickyItem", nullptr, true);
  ExpectLaidOut(note, "note");
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip", 0);
  Process tips = Process::Start("welcome");
  HWND w = WaitWindow("TfrmTips", nullptr, true, kWaitMs, tips.pid());
  ExpectLaidOut(w, "daily-tips");
}

TEST_F(WindowLayoutTest, TheViewerAndItsOptions) {
  // A new user's first start writes the settings the viewer then opens with.
  RegRemoveTree(HKEY_CURRENT_USER, kSettingsPath);
  Process camera = Process::Start("");
  ASSERT_TRUE(WaitCameraOrBox(camera).camera) << DescribeBoxes(camera.pid());
  Process p = Process::Start("viewer");
  HWND v = WaitViewer();
  ASSERT_TRUE(v) << DescribeBoxes(0);
  p.WaitIdle();
  // 790 x 400 as a person sees it at this scale, as far as the screen allows.
  RECT r = WindowRect(v);
  EXPECT_EQ(r.right - r.left, std::min(E2eScale()(790), int(::GetSystemMetrics(SM_CXSCREEN))));
  EXPECT_EQ(r.bottom - r.top, E2eScale()(400));
  ExpectLaidOut(v, "viewer");
  Post(v, WM_COMMAND, WPARAM(CommandMenuId(ViewerCommand::Options)));
  HWND dlg = WaitWindow("TfrmViewerOptions", "Customize Viewer", true, kWaitMs, p.pid());
  ExpectLaidOut(dlg, "viewer-options");
}

}  // namespace
}  // namespace flk::e2e
