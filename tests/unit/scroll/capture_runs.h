// Runs whole scroll and robo captures against a fake screen, and the
// pictures they should give.
#pragma once

#include <optional>

#include "fake_screen.h"
#include "scroll/capture_area.h"
#include "scroll/robo_session.h"
#include "scroll/scroll_session.h"

namespace flk::testing {

inline ScrollParams RoboDefaults() {
  ScrollParams p;
  p.doVScroll = true;
  p.interval = 400;
  return p;
}

struct CaptureRun {
  std::optional<Picture> picture;
  Log log;
  int marksLeft = 0;
  CaptureArea area;
};

inline CaptureArea RoboArea(const FakeScreen& s, const ScrollParams& p, int bpp = 32) {
  Rect wr = TargetRectangle(s.window().rect, p.rtMargin, {Rect{0, 0, 1400, 1100}});
  auto a = RoboCaptureArea(wr, p, bpp);
  EXPECT_TRUE(std::holds_alternative<CaptureArea>(a));
  return std::get<CaptureArea>(a);
}

// A robo capture from start to end; stopAfter ticks then Stop (or Esc when escape).
inline CaptureRun RunRobo(FakeScreen& s, const ScrollParams& p, size_t memoryLimit = Picture::kMaxBytes,
                          int stopAfter = -1, bool escape = false) {
  CaptureRun run;
  run.area = RoboArea(s, p);
  RoboCaptureSession session(run.area, p, memoryLimit);
  Perform(s, session.OnStart(), run.log);
  while (run.log.end == CaptureEnd::Running && run.log.ticks < 20000) {
    if (run.log.ticks == stopAfter) {
      Perform(s, escape ? session.OnClose(s) : session.OnStop(s), run.log);
      break;
    }
    ++run.log.ticks;
    if (!Perform(s, session.OnTick(s), run.log) && run.log.end == CaptureEnd::Running) break;
  }
  if (run.log.end == CaptureEnd::Store) run.picture = session.TakePicture();
  run.marksLeft = s.MarkedPixelsShowing();
  return run;
}

inline CaptureArea ScrollArea(const FakeScreen& s, const Rect& viewfinder, const ScrollParams& p) {
  Rect wr = TargetRectangle(s.window().rect, p.rtMargin, {Rect{0, 0, 1400, 1100}});
  auto a = ScrollCaptureArea(wr, viewfinder, p, 32);
  EXPECT_TRUE(std::holds_alternative<CaptureArea>(a));
  return std::get<CaptureArea>(a);
}

// A scroll capture: press, `ticks` timer ticks while the timer runs, release
// (or Esc when escape).
inline CaptureRun RunScroll(FakeScreen& s, const Rect& viewfinder, const ScrollParams& p, int ticks,
                            bool escape = false, size_t memoryLimit = Picture::kMaxBytes) {
  CaptureRun run;
  run.area = ScrollArea(s, viewfinder, p);
  ScrollCaptureSession session(run.area, p, memoryLimit);
  bool timer = Perform(s, session.OnPress(s), run.log);
  for (int i = 0; i < ticks && timer; ++i) {
    ++run.log.ticks;
    timer = Perform(s, session.OnTick(s), run.log);
  }
  Perform(s, escape ? session.OnClose() : session.OnRelease(s), run.log);
  if (run.log.end == CaptureEnd::Store) run.picture = session.TakePicture();
  run.marksLeft = s.MarkedPixelsShowing();
  return run;
}

// Columns 0 .. width - 1 of a document row as the window shows it.
inline Rgb DocPixel(const Document& d, int x, int row) {
  return x < d.width ? d.at(x, row) : MakeRgb(255, 255, 255);
}

}  // namespace flk::testing
