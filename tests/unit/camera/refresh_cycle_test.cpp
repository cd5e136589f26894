#include "camera/refresh_cycle.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

const RefreshContext kActive{true, true, true};
const RefreshContext kHidden{false, false, true};
const RefreshContext kDialogOpen{true, false, false};
const RefreshContext kOtherProgramActive{true, false, true};

TEST(RefreshRequest, FreshVisibleCameraRefreshesAtOnce) {
  RefreshCycle c;
  EXPECT_EQ(c.RequestCapture(false, kModeRefresh, kActive), RequestOutcome::RunNow);
  EXPECT_FALSE(c.timerRunning());
  TimerWork w = c.OnTimer(false, true);
  EXPECT_FALSE(w.grab);  // nothing to grab while the camera covers the screen
  EXPECT_TRUE(w.showCamera);
  EXPECT_TRUE(w.clearRestoreStatus);
}

TEST(RefreshRequest, StaleClampOrCaptureHidesAndWaits) {
  {
    RefreshCycle c;
    c.MarkStale();
    EXPECT_EQ(c.RequestCapture(false, kModeRefresh, kActive), RequestOutcome::HideAndWait);
    EXPECT_TRUE(c.timerRunning());
  }
  {
    RefreshCycle c;
    EXPECT_EQ(c.RequestCapture(true, kModeRefresh, kActive), RequestOutcome::HideAndWait);
    EXPECT_TRUE(c.pendingClamp());
  }
  {
    RefreshCycle c;
    EXPECT_EQ(c.RequestCapture(false, kModeWindowAtCentre, kOtherProgramActive), RequestOutcome::HideAndWait);
    EXPECT_EQ(c.pendingMode(), 5);
  }
}

TEST(RefreshRequest, DroppedWhileTheTimerRuns) {
  RefreshCycle c;
  c.RequestCapture(false, kModeFullScreen, kActive);
  EXPECT_EQ(c.RequestCapture(true, kModeRefresh, kActive), RequestOutcome::Dropped);
  EXPECT_EQ(c.pendingMode(), 1);  // the first request is kept
  EXPECT_FALSE(c.pendingClamp());
}

TEST(RefreshRequest, OpenDialogOnlyBringsTheProgramForward) {
  RefreshCycle c;
  c.MarkStale();
  EXPECT_EQ(c.RequestCapture(false, kModeRefresh, kDialogOpen), RequestOutcome::BringAppToFront);
  EXPECT_FALSE(c.timerRunning());
  EXPECT_TRUE(c.stale());
}

TEST(RefreshRequest, HiddenCameraRunsAtOnceAndGrabs) {
  RefreshCycle c;
  EXPECT_EQ(c.RequestCapture(true, kModeRefresh, kHidden), RequestOutcome::RunNow);
  TimerWork w = c.OnTimer(true, true);
  EXPECT_TRUE(w.keepOnScreen);
  EXPECT_TRUE(w.grab);
  EXPECT_EQ(w.captureMode, 0);
  EXPECT_TRUE(w.showCamera);
}

TEST(RefreshTimer, StaleViewIsFreshAfterTheCycle) {
  RefreshCycle c;
  c.MarkStale();
  c.RequestCapture(false, kModeRefresh, kActive);
  TimerWork w = c.OnTimer(true, true);
  EXPECT_TRUE(w.grab);
  EXPECT_FALSE(w.keepOnScreen);
  EXPECT_FALSE(c.stale());
  EXPECT_FALSE(c.timerRunning());
  // The next request is accepted again.
  EXPECT_EQ(c.RequestCapture(false, kModeRefresh, kActive), RequestOutcome::RunNow);
}

TEST(RefreshTimer, WholeCapturesLeaveTheCameraHidden) {
  for (CaptureMode mode : {kModeFullScreen, kModeLastWindow, kModeLastWindowClient, kModeWindowAtCentre, kModeInsideAtCentre}) {
    SCOPED_TRACE(mode);
    RefreshCycle c;
    c.RequestCapture(false, mode, kActive);
    TimerWork w = c.OnTimer(true, true);
    EXPECT_EQ(w.captureMode, mode);
    EXPECT_FALSE(w.grab);
    EXPECT_FALSE(w.showCamera);
    EXPECT_FALSE(w.beep);
    EXPECT_EQ(w.thawWithoutRefresh, mode == 1);
  }
}

TEST(RefreshTimer, FailedPickAtTheCentreShowsTheCameraAgain) {
  for (CaptureMode mode : {kModeWindowAtCentre, kModeInsideAtCentre}) {
    RefreshCycle c;
    c.RequestCapture(false, mode, kActive);
    TimerWork w = c.OnTimer(true, false);
    EXPECT_TRUE(w.beep);
    EXPECT_EQ(w.captureMode, 0);
    EXPECT_TRUE(w.showCamera);
    EXPECT_TRUE(w.grab);  // it shows over a fresh view, not the one from before it hid
    EXPECT_EQ(c.pendingMode(), 0);
  }
}

TEST(RefreshTimer, FailedForegroundPickStaysInTheTray) {
  for (CaptureMode mode : {kModeLastWindow, kModeLastWindowClient}) {
    RefreshCycle c;
    c.RequestCapture(false, mode, kActive);
    TimerWork w = c.OnTimer(true, false);
    EXPECT_TRUE(w.beep);
    EXPECT_EQ(w.captureMode, 0);
    EXPECT_FALSE(w.showCamera);
    EXPECT_FALSE(w.grab);
  }
}

TEST(RefreshTimer, FullScreenNeedsNoWindow) {
  RefreshCycle c;
  c.RequestCapture(false, kModeFullScreen, kActive);
  TimerWork w = c.OnTimer(true, false);
  EXPECT_EQ(w.captureMode, 1);
  EXPECT_FALSE(w.beep);
}

TEST(RefreshRequest, UnknownModeIsARefresh) {
  RefreshCycle c;
  c.RequestCapture(false, static_cast<CaptureMode>(2), kHidden);
  EXPECT_EQ(c.pendingMode(), 0);
}

TEST(StaleDetection, FramePaintWithoutActiveWindowTurnsStale) {
  RefreshCycle c;
  FramePaintResult r = c.OnFramePaint(true, false);
  EXPECT_TRUE(r.enableControls);
  EXPECT_FALSE(c.stale());
  r = c.OnFramePaint(false, true);  // Hold keeps the view
  EXPECT_TRUE(r.enableControls);
  EXPECT_FALSE(c.stale());
  r = c.OnFramePaint(false, false);
  EXPECT_FALSE(r.enableControls);
  EXPECT_TRUE(r.statusRestore);
  EXPECT_TRUE(c.stale());
}

TEST(StaleDetection, ActivationOfAStaleCameraPostsARefresh) {
  RefreshCycle c;
  EXPECT_FALSE(c.OnActivate(true).postRefresh);
  c.MarkStale();
  EXPECT_FALSE(c.OnActivate(false).postRefresh);
  EXPECT_TRUE(c.OnActivate(true).postRefresh);
  std::optional<SelfRequest> req = DecodeSelfRequest(0, 0);
  ASSERT_TRUE(req);
  EXPECT_FALSE(req->clamp);
  EXPECT_EQ(req->mode, 0);
  // The posted request hides the camera for a fresh grab.
  EXPECT_EQ(c.RequestCapture(req->clamp, req->mode, kActive), RequestOutcome::HideAndWait);
}

TEST(StaleDetection, ApplicationActivation) {
  RefreshCycle c;
  c.MarkStale();
  AppActivationResult r = c.OnAppActivated(true, false, true);
  EXPECT_TRUE(r.grab);
  EXPECT_TRUE(r.clearStatus);
  EXPECT_FALSE(c.stale());

  r = c.OnAppActivated(false, false, true);
  EXPECT_TRUE(r.markedStale);
  EXPECT_TRUE(c.stale());

  RefreshCycle held;
  r = held.OnAppActivated(false, true, true);
  EXPECT_FALSE(r.markedStale);
  EXPECT_FALSE(held.stale());
  r = held.OnAppActivated(false, false, false);
  EXPECT_FALSE(r.markedStale);
}

TEST(SelfRequestDecoding, ClampFlagAndModes) {
  EXPECT_TRUE(DecodeSelfRequest(7, 1)->clamp);
  EXPECT_EQ(DecodeSelfRequest(1, 6)->mode, 6);
  EXPECT_FALSE(DecodeSelfRequest(0, 2));
  EXPECT_FALSE(DecodeSelfRequest(0, 7));
  EXPECT_FALSE(DecodeSelfRequest(0, -1));
  EXPECT_FALSE(DecodeSelfRequest(0, (1LL << 32) + 1));
}

}  // namespace
}  // namespace flk
