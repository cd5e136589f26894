// Robo capture (the "Robo Scroll" tool window): scrolls the target to its
// top, then steps it down one step per tick, appending the revealed rows,
// until it stops moving, the size limit is reached, or the user presses
// Stop. Esc and the close box discard the capture.
//
// Win32 side (scroll_all_win.cpp): calls OnStart when the window is shown,
// OnTick on Timer1, OnStop for btnStop and OnClose for Esc and WM_CLOSE,
// performs the actions, and on Store hands TakePicture() to the ring.
#pragma once

#include <optional>
#include <string>

#include "scroll/capture_actions.h"
#include "scroll/stitcher.h"

namespace flk {

inline constexpr char kRoboMaxSizeText[] = "Stopped at maximum size setting.";

class RoboCaptureSession {
 public:
  RoboCaptureSession(const CaptureArea& area, const ScrollParams& params,
                     size_t memoryLimit = Picture::kMaxBytes);

  Reaction OnStart();
  Reaction OnTick(ScreenSource& screen);
  Reaction OnStop(ScreenSource& screen) { return Quit(screen, false, true, ""); }
  Reaction OnClose(ScreenSource& screen) { return Quit(screen, false, false, ""); }

  std::optional<Picture> TakePicture() const { return core_.TakePicture(); }
  int mode() const { return started_ ? core_.mode() : -1; }
  bool finished() const { return finished_; }

 private:
  Reaction Quit(ScreenSource& screen, bool capBottom, bool goViewer, const std::string& message);
  void Step(Reaction& out, int interval);
  Stitcher core_;
  bool startMethod_, doVScroll_;
  bool started_ = false;  // the first picture has been taken (DyCalcMode >= 0)
  bool finished_ = false, outOfMemory_ = false;
};

}  // namespace flk
