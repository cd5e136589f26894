// Capture-mode rules; see capture_modes.h.
#include "camera/capture_modes.h"

#include <algorithm>

#include "camera/commands.h"

namespace flk {

Point CameraCentre(const Rect& window, const Rect& viewRect, int viewPanelHeight) {
  return Point{window.left + window.width() / 2, window.top + viewRect.top + viewPanelHeight / 2};
}

ViewfinderSource ViewfinderSourceFor(bool hold, Size heldSize, const Rect& captureRect) {
  ViewfinderSource s;
  if (hold) {
    s.fromHeld = true;
    s.rect = Rect::FromXYWH(0, 0, heldSize.width, heldSize.height);
    s.size = heldSize;
  } else {
    s.rect = captureRect;
    s.size = captureRect.size();
  }
  return s;
}

std::optional<WholeCapture> WholeCaptureOf(int mode) {
  switch (mode) {
    case 1: return WholeCapture{WholeSource::Desktop, false, kUsageFullScreen};
    case 3: return WholeCapture{WholeSource::ForegroundWindow, false, kUsageLastWindow};
    case 4: return WholeCapture{WholeSource::ForegroundWindow, true, kUsageLastWindowClient};
    case 5: return WholeCapture{WholeSource::WindowAtCentre, false, kUsageWindow};
    case 6: return WholeCapture{WholeSource::WindowAtCentre, true, kUsageInside};
    default: return std::nullopt;
  }
}

bool ForegroundUsable(bool exists, bool isDesktop, bool minimized) { return exists && !isDesktop && !minimized; }

HoldPlan CaptureModes::ToggleHold(PanelAlign panel) {
  HoldPlan p;
  if (!hold_) {
    hold_ = true;
    p.holdOn = true;
    p.copyHeld = true;
    p.dockTop = panel == PanelAlign::Floating;
    p.thawWithRefresh = frozen_;
    p.growBy = kHoldGrowth;
  } else {
    hold_ = false;
    p.holdOn = false;
    p.growBy = -kHoldGrowth;
    p.refreshView = true;
  }
  return p;
}

HoldPlan CaptureModes::Refresh(PanelAlign panel) {
  if (hold_) return ToggleHold(panel);
  HoldPlan p;
  p.refreshView = true;
  return p;
}

FreezePlan CaptureModes::FreezeHotKey(bool cameraAvailable, bool cameraOpened, PanelAlign panel) {
  FreezePlan p;
  if (!cameraAvailable) {
    p.beep = true;
    p.bringToFront = true;
    return p;
  }
  if (frozen_) {
    p.beep = true;
    return p;
  }
  p.freeze = true;
  frozen_ = true;
  p.grabAtStored = !cameraOpened;
  p.openCamera = !cameraOpened;
  if (cameraOpened && hold_) {
    p.holdOff = ToggleHold(panel);
    // The view was grabbed just before the freeze; the camera shows it at once
    // instead of hiding for another refresh.
    p.holdOff.refreshView = false;
  }
  p.showCamera = true;
  p.status = kStatusFrozen;
  return p;
}

ThawResult CaptureModes::ThawDesktop(bool refresh) {
  ThawResult r;
  if (!frozen_) return r;
  frozen_ = false;
  r.thawed = true;
  r.requestRefresh = refresh;
  r.clearStatus = true;
  return r;
}

ThawQuestion CaptureModes::OfferThaw(bool wasFrozen) const { return ThawQuestion{wasFrozen && frozen_}; }

ThawAnswerResult CaptureModes::ThawAnswer(bool yes) {
  ThawAnswerResult r;
  if (yes) {
    r.thaw = ThawDesktop(true);
  } else {
    r.status = kStatusStillFrozen;
    r.setStatus = true;
  }
  return r;
}

static constexpr ColorDepthEntry kDepths[] = {
    {0, "mnuPfDDB", "Use Screen Resolution", 0},
    {7, "mnuPf32", "32-bit  True Color", 32},
    {6, "mnuPf24", "24-bit  True Color (default)", 24},
    {5, "mnuPf16", "16-bit  High Color", 16},
    {4, "mnuPf15", "15-bit  High Color", 15},
    {3, "mnuPF8", "8-bit   256 Color", 8},
    {2, "mnuPf4", "4-bit   16 Color", 4},
    {1, "mnuPf1", "1-bit   2 Color", 1},
};

std::span<const ColorDepthEntry> ColorDepthEntries() { return kDepths; }

const ColorDepthEntry* ColorDepthEntryOf(int value) {
  for (const ColorDepthEntry& e : kDepths)
    if (e.value == value) return &e;
  return nullptr;
}

AfterCapture PlanAfterCapture(bool stored, bool viewerWanted) {
  AfterCapture a;
  a.offerElsewhere = !stored;
  a.openViewer = stored && viewerWanted;
  a.cameraAgain = !a.openViewer;
  return a;
}

FreezeGrab FreezeGrabOf(const FreezePlan& plan, bool cameraVisible) {
  if (plan.grabAtStored) return FreezeGrab::AtStored;
  return cameraVisible ? FreezeGrab::WindowsAbove : FreezeGrab::UnderCamera;
}

Rect StoredCameraRect(int left, int top, int width, int height) {
  return Rect::FromXYWH(left, top, std::max(width, kMinStoredWidth), height);
}

}  // namespace flk

