// What a scrolling capture asks its window to do after an event. The glue
// performs the actions in order, then (re)starts its timer when timerMs is
// set (the timer is always stopped when an event starts), then ends the
// capture as told.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"

namespace flk {

namespace action {
// One scroll step: stepSize SB_LINEDOWN messages and SB_ENDSCROLL, or one
// wheel message of -(stepSize x 120), posted to the target.
struct SendStep {
  bool vscroll = false;
  int stepSize = 1;
};
// Set the screen pixels of column x from row top down to these colours.
struct PaintColumn {
  int x = 0;
  int top = 0;
  std::vector<Rgb> colours;
};
// Make the windows under the rectangle repaint it.
struct RepaintRect {
  Rect rect;
};
// The tool window's status line; warnings in red.
struct Status {
  std::string text;
  bool warning = false;
};
struct Beep {};
// Ctrl+Home, then SB_TOP, SB_THUMBPOSITION 0 and SB_ENDSCROLL.
struct ScrollToTop {};
// A message box ("Framelark Warning").
struct Message {
  std::string text;
};
// The "Big Image Caution" tip (key "NsaBigImage").
struct BigImageTip {
  std::string text;
};
}  // namespace action

using CaptureAction = std::variant<action::SendStep, action::PaintColumn, action::RepaintRect, action::Status,
                                   action::Beep, action::ScrollToTop, action::Message, action::BigImageTip>;

enum class CaptureEnd {
  Running,
  Store,    // take the picture, put it into the ring and open the viewer
  Discard,  // close the tool window and bring the camera back
};

struct Reaction {
  std::vector<CaptureAction> actions;
  std::optional<int> timerMs;
  CaptureEnd end = CaptureEnd::Running;

  // Builds the action in place (a moved temporary variant trips GCC 12's
  // maybe-uninitialized check at -O2).
  template <class A>
  void Add(A&& a) {
    actions.emplace_back(std::in_place_type<std::decay_t<A>>, std::forward<A>(a));
  }
};

}  // namespace flk
