// Scroll capture by hand (the "Scroll Capture" tool window): while the user
// holds the button down, every timer tick measures how far the target
// scrolled, appends the revealed rows and sends the next step. Release
// stores the picture; Esc or the close box discard it.
//
// Win32 side (scroll_win.cpp): decodes the button's press and release, the
// timer, Esc and WM_CLOSE into these calls with a screen source over the
// screen DC, performs the returned actions, and on Store hands TakePicture()
// to the picture store's ring.
#pragma once

#include <optional>
#include <string>

#include "scroll/capture_actions.h"
#include "scroll/stitcher.h"

namespace flk {

inline constexpr char kScrollHoldText[] = "Hold down button to capture area below arrows.";
inline constexpr char kScrollHoldingText[] = "Hold button down to scroll and capture.";
inline constexpr char kNoScrollText[] = "That window doesn't appear to scroll.";
inline constexpr char kSynchLostText[] = "Synch lost.";
inline constexpr char kNoMotionText[] = "No motion detected.";
inline constexpr char kAmbiguousText[] = "Insufficient texture, ambiguous.";
inline constexpr char kMaxSizeText[] = "Maximum size setting exceeded.";

class ScrollCaptureSession {
 public:
  ScrollCaptureSession(const CaptureArea& area, const ScrollParams& params,
                       size_t memoryLimit = Picture::kMaxBytes);

  Reaction OnPress(ScreenSource& screen);
  Reaction OnTick(ScreenSource& screen);
  Reaction OnRelease(ScreenSource& screen);
  // Esc or the close box: nothing is stored, no index pixel stays behind.
  Reaction OnClose();

  std::optional<Picture> TakePicture() const { return core_.TakePicture(); }
  const std::string& status() const { return status_; }
  bool statusWarning() const { return warning_; }
  int mode() const { return core_.mode(); }
  bool pressed() const { return pressed_; }
  bool finished() const { return finished_; }

 private:
  void SetStatus(Reaction& out, const std::string& text, bool warning);
  void Step(Reaction& out, int interval);
  Stitcher core_;
  bool doVScroll_;
  bool pressed_ = false, finished_ = false, outOfMemory_ = false;
  std::string status_ = kScrollHoldText;
  bool warning_ = false;
};

}  // namespace flk
