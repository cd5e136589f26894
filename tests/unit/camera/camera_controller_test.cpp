#include "camera/camera_controller.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

CameraController Started(CameraState state) {
  CameraController c;
  c.MarkStarted();
  c.SetState(state);
  return c;
}

TEST(CameraController, AvailableOnlyWhenNoDialogOfTheProgramIsInTheWay) {
  struct Case {
    bool started;
    CameraState state;
    bool active, lastPopupIsCamera, expected;
  } cases[] = {
      {false, CameraState::Busy, false, false, true},  // before the first opening everything may start it
      {true, CameraState::Shown, true, true, true},
      {true, CameraState::Shown, false, true, true},   // another program is active: still ours to use
      {true, CameraState::Shown, false, false, false},  // a dialog of the program is open
      {true, CameraState::InTray, false, false, true},
      {true, CameraState::Busy, true, true, false},     // a capture is running
  };
  for (const Case& k : cases) {
    CameraController c;
    if (k.started) c.MarkStarted();
    c.SetState(k.state);
    EXPECT_EQ(c.Available(k.active, k.lastPopupIsCamera), k.expected) << int(k.state) << k.active;
  }
}

TEST(CameraController, TheTrayMenuOffersThePrintScreenKeyOnlyWhileItIsNotOurs) {
  auto texts = [](bool held) {
    std::string all;
    for (const TrayMenuItem& i : TrayMenuItems(held)) all += std::string(i.text ? i.text : "-") + "|";
    return all;
  };
  const std::string kHeld =
      "Open Camera|-|Capture Full Screen|Capture Last Active Window|Capture Work Area of Last Active|-|";
  EXPECT_EQ(texts(true), kHeld + "Exit Framelark|");
  EXPECT_EQ(texts(false), kHeld + "Use the Print Screen Key|-|Exit Framelark|");
  EXPECT_EQ(TrayMenuItems(false)[6].command, TrayCommand::UsePrintScreenKey);
}

TEST(CameraController, TrayEntriesOpenOrThawThenAskForTheirCapture) {
  CameraController fresh;
  TrayPlan first = fresh.TrayClick(TrayCommand::Open, true);
  EXPECT_TRUE(first.openCamera);
  EXPECT_FALSE(first.thaw);
  EXPECT_TRUE(first.markStale);
  EXPECT_EQ(first.mode, kModeRefresh);

  CameraController c = Started(CameraState::Shown);
  struct Case {
    TrayCommand sender;
    CaptureMode mode;
    bool lastActive;
  } cases[] = {{TrayCommand::FullScreen, kModeFullScreen, false},
               {TrayCommand::LastActive, kModeLastWindow, true},
               {TrayCommand::LastClient, kModeLastWindowClient, true}};
  for (const Case& k : cases) {
    TrayPlan p = c.TrayClick(k.sender, true);
    EXPECT_FALSE(p.openCamera);
    EXPECT_TRUE(p.thaw);
    EXPECT_FALSE(p.markStale);
    EXPECT_EQ(p.mode, k.mode);
    EXPECT_EQ(p.lastActive, k.lastActive);
  }
  TrayPlan refused = c.TrayClick(TrayCommand::FullScreen, false);
  EXPECT_TRUE(refused.refused);
  EXPECT_FALSE(refused.thaw || refused.openCamera);
}

TEST(CameraController, CameraRequestsFromOtherRoles) {
  CameraController c = Started(CameraState::InTray);
  EXPECT_TRUE(c.CameraRequest(0, true)->markStale);  // a second start: like a tray click
  std::optional<TrayPlan> viewer = c.CameraRequest(1, true), tips = c.CameraRequest(2, true);
  ASSERT_TRUE(viewer && tips);
  EXPECT_TRUE(viewer->thaw && !viewer->returnAfterDelay && !viewer->markStale);
  EXPECT_TRUE(tips->thaw && tips->returnAfterDelay);
  EXPECT_TRUE(c.CameraRequest(2, false)->refused);
  EXPECT_FALSE(c.CameraRequest(7, true));
  EXPECT_TRUE(CameraController().CameraRequest(1, true)->openCamera);
}

TEST(CameraController, TrayMouseAndActivation) {
  CameraController c = Started(CameraState::Shown);
  EXPECT_TRUE(c.TrayNotify(TrayMouse::LeftDown, false).noteForeground);
  EXPECT_TRUE(c.TrayNotify(TrayMouse::LeftUp, false).click);
  TrayNotifyPlan frozen = c.TrayNotify(TrayMouse::RightUp, true), thawed = c.TrayNotify(TrayMouse::RightUp, false);
  EXPECT_TRUE(frozen.thawOnly && !frozen.popupMenu);
  EXPECT_TRUE(thawed.popupMenu && !thawed.thawOnly);

  EXPECT_TRUE(c.AppActivated(false, true, true).topmost);    // Hold stays above the other program
  EXPECT_FALSE(c.AppActivated(false, true, false).topmost);  // ... unless a dialog of ours is open
  EXPECT_FALSE(c.AppActivated(false, false, true).topmost);
  AppActivationPlan back = c.AppActivated(true, true, true);
  EXPECT_TRUE(back.notTopmost && back.checkView);
  c.SetSelfActivating(true);
  EXPECT_FALSE(c.AppActivated(true, false, true).checkView);  // our own bringing forward changes no view
  EXPECT_FALSE(CameraController().AppActivated(true, false, true).notTopmost);
}

}  // namespace
}  // namespace flk
