#include "scroll/scroll_session.h"

namespace flk {

ScrollCaptureSession::ScrollCaptureSession(const CaptureArea& area, const ScrollParams& params, size_t memoryLimit)
    : core_(area, params, memoryLimit), doVScroll_(params.doVScroll) {}

void ScrollCaptureSession::SetStatus(Reaction& out, const std::string& text, bool warning) {
  status_ = text;
  warning_ = warning;
  out.Add(action::Status{text, warning});
}

void ScrollCaptureSession::Step(Reaction& out, int interval) {
  out.Add(action::SendStep{doVScroll_, core_.params().stepSize});
  out.timerMs = interval;
}

Reaction ScrollCaptureSession::OnPress(ScreenSource& screen) {
  Reaction out;
  if (pressed_ || finished_) return out;
  if (!core_.GrabFirst(screen)) {
    outOfMemory_ = true;
    SetStatus(out, kOutOfMemoryText, true);
    out.Add(action::Beep{});
    return out;
  }
  pressed_ = true;
  out.Add(core_.PaintIndexColumn());
  Step(out, core_.params().interval);
  return out;
}

Reaction ScrollCaptureSession::OnTick(ScreenSource& screen) {
  Reaction out;
  if (!pressed_ || finished_) return out;
  const CaptureArea& a = core_.area();
  int dy = 0;
  bool ambiguous = false;
  switch (core_.mode()) {
    case 1: dy = core_.IndexDy(screen); break;
    case 2: {
      ShiftResult r = core_.SearchDy(screen);
      dy = r.dy;
      ambiguous = r.ambiguous;
      break;
    }
    default:
      switch (core_.Determine(screen, out, &dy)) {
        case Stitcher::Found::IndexMode: break;
        case Stitcher::Found::NonIndexMode: out.timerMs = kModeSwitchTickMs; return out;
        case Stitcher::Found::NoMotion:
          SetStatus(out, kNoScrollText, true);
          doVScroll_ = !doVScroll_;
          Step(out, core_.params().interval);
          return out;
      }
  }
  if (ambiguous) SetStatus(out, kAmbiguousText, true);
  if (core_.scrollBt() - dy < a.tpScn) dy = -1;
  const int newHeight = core_.height() + dy;
  if (dy < 0) SetStatus(out, kSynchLostText, true);
  if (dy == 0) {
    SetStatus(out, kNoMotionText, true);
    core_.AppendStep(screen, 0);
  }
  if (dy > 0) {
    if (newHeight < a.maxCapHt) {
      if (!core_.AppendStep(screen, dy)) {
        outOfMemory_ = true;
        SetStatus(out, kOutOfMemoryText, true);
        out.Add(action::Beep{});
      }
    } else {
      SetStatus(out, kMaxSizeText, true);
      out.Add(action::Beep{});
    }
    if (core_.mode() == 1) out.Add(core_.RenumberColumn());
    // An earlier warning goes; an ambiguity of this very step stays shown.
    if (!ambiguous && (status_ == kNoMotionText || status_ == kAmbiguousText || status_ == kNoScrollText))
      SetStatus(out, kScrollHoldingText, false);
  }
  if (dy == -1 || newHeight >= a.maxCapHt || outOfMemory_) return out;
  Step(out, core_.params().interval);
  return out;
}

Reaction ScrollCaptureSession::OnRelease(ScreenSource& screen) {
  Reaction out;
  if (finished_) return out;
  finished_ = true;
  const CaptureArea& a = core_.area();
  if (!pressed_ || core_.mode() == 0 || outOfMemory_) {
    if (pressed_) core_.RestoreWholeColumn(out);
    out.end = CaptureEnd::Discard;
    return out;
  }
  // Marks the contents carried above the capture's top go as well.
  out.Add(core_.ColumnRect(a.windowTop, a.windowBottom()));
  if (core_.mode() == 2) {
    ShiftResult r = core_.SearchDy(screen);
    const int strip = a.windowBottom() - core_.scrollBt();
    if (r.dy != -1 && core_.height() + r.dy + strip < a.maxCapHt && core_.AppendStep(screen, r.dy))
      core_.AppendBottomStrip(screen, strip);  // a failure here only loses the strip
  }
  if (auto text = BigImageCaution(core_.height(), a.wd, a.bitsPerPixel, core_.params().fileLimit))
    out.Add(action::BigImageTip{*text});
  out.end = CaptureEnd::Store;
  return out;
}

Reaction ScrollCaptureSession::OnClose() {
  Reaction out;
  if (finished_) return out;
  finished_ = true;
  if (pressed_) core_.RestoreWholeColumn(out);
  out.end = CaptureEnd::Discard;
  return out;
}

}  // namespace flk
