#include "scroll/robo_session.h"

namespace flk {

RoboCaptureSession::RoboCaptureSession(const CaptureArea& area, const ScrollParams& params, size_t memoryLimit)
    : core_(area, params, memoryLimit), startMethod_(params.doVScroll), doVScroll_(params.doVScroll) {}

void RoboCaptureSession::Step(Reaction& out, int interval) {
  out.Add(action::SendStep{doVScroll_, core_.params().stepSize});
  out.timerMs = interval;
}

Reaction RoboCaptureSession::OnStart() {
  Reaction out;
  out.Add(action::ScrollToTop{});
  out.timerMs = 2 * core_.params().interval;  // time for the window to reach its top
  return out;
}

Reaction RoboCaptureSession::OnTick(ScreenSource& screen) {
  Reaction out;
  if (finished_) return out;
  const CaptureArea& a = core_.area();
  if (!started_) {
    if (!core_.GrabFirst(screen)) {
      outOfMemory_ = true;
      return Quit(screen, false, false, kOutOfMemoryText);
    }
    started_ = true;
    out.Add(core_.PaintIndexColumn());
    Step(out, core_.params().interval);
    return out;
  }
  int dy = 0;
  switch (core_.mode()) {
    case 1: dy = core_.IndexDy(screen); break;
    case 2: dy = core_.SearchDy(screen).dy; break;
    default:
      switch (core_.Determine(screen, out, &dy)) {
        case Stitcher::Found::IndexMode: break;
        case Stitcher::Found::NonIndexMode: out.timerMs = kModeSwitchTickMs; return out;
        case Stitcher::Found::NoMotion:
          doVScroll_ = !doVScroll_;
          if (doVScroll_ != startMethod_) {
            Step(out, core_.params().interval);
            return out;
          }
          return Quit(screen, true, true, "");  // neither method moves it: the first screen is all
      }
  }
  const int newHeight = core_.height() + dy;
  if (dy == 0 || (dy > 0 && newHeight < a.maxCapHt)) {
    if (!core_.AppendStep(screen, dy)) outOfMemory_ = true;
    else if (dy > 0 && core_.mode() == 1) out.Add(core_.RenumberColumn());
  }
  Reaction end;
  if (outOfMemory_) end = Quit(screen, false, false, kOutOfMemoryText);
  else if (dy == -1) end = Quit(screen, false, true, "");
  else if (dy == 0) end = Quit(screen, true, true, "");
  else if (newHeight >= a.maxCapHt) end = Quit(screen, false, true, kRoboMaxSizeText);
  else {
    Step(out, core_.params().interval);
    return out;
  }
  out.actions.insert(out.actions.end(), end.actions.begin(), end.actions.end());
  out.end = end.end;
  return out;
}

Reaction RoboCaptureSession::Quit(ScreenSource& screen, bool capBottom, bool goViewer, const std::string& message) {
  Reaction out;
  if (finished_) return out;
  finished_ = true;
  const CaptureArea& a = core_.area();
  if (!started_) {
    // Stopped before the first picture: there is nothing of the window to store.
    out.end = CaptureEnd::Discard;
    return out;
  }
  // The fixed rows under the scrolling region, once, at the very bottom.
  const int strip = a.windowBottom() - core_.scrollBt();
  if (capBottom && core_.mode() != 0 && core_.height() + strip < a.maxCapHt)
    core_.AppendBottomStrip(screen, strip);  // without memory for it the picture ends above the strip
  if (core_.mode() == 0) core_.RestoreWholeColumn(out);
  else out.Add(core_.ColumnRect(a.tpScn, a.windowBottom()));
  if (capBottom) out.Add(action::ScrollToTop{});
  if (!message.empty()) out.Add(action::Message{message});
  if (goViewer)
    if (auto text = BigImageCaution(core_.height(), a.wd, a.bitsPerPixel, core_.params().fileLimit))
      out.Add(action::BigImageTip{*text});
  out.end = goViewer ? CaptureEnd::Store : CaptureEnd::Discard;
  return out;
}

}  // namespace flk
