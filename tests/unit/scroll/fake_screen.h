// A screen with one scrolling window on it, for the scrolling captures' tests.
// The window shows a tall document in a region between fixed bands (a title
// bar, a header, a footer) and a scroll bar on the right whose thumb follows
// the position. Scroll steps move the document; painted marks either travel
// with the scrolled contents (a plain screen) or vanish at the window's
// redraw (desktop composition, Wine).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "output/decoders.h"
#include "scroll/capture_actions.h"
#include "scroll/screen_source.h"

namespace flk::testing {

struct Document {
  int width = 0, height = 0;
  std::vector<Rgb> px;
  Rgb at(int x, int y) const { return px[size_t(y) * size_t(width) + size_t(x)]; }
};

// A corpus document ("chromium_rustbook_strings_900x8000.png", ...), loaded once.
const Document& CorpusDocument(const std::string& name);

struct FakeWindow {
  Rect rect{100, 80, 800, 580};  // on the screen, frame included
  int title = 0;                 // title bar rows
  int header = 0;                // fixed header rows under it
  int footer = 0;                // fixed rows at the bottom
  int scrollBar = 17;            // columns at the right
  int stepRows = 40;             // rows per scroll-bar line or wheel notch
  bool wheel = true;             // reacts to the wheel message
  bool vscroll = true;           // reacts to scroll-bar messages
  bool carryMarks = false;       // painted pixels travel with the contents
};

class FakeScreen : public ScreenSource {
 public:
  FakeScreen(const Document& doc, FakeWindow w, int width = 1400, int height = 1100)
      : doc_(doc), w_(w), width_(width), height_(height) {}

  bool Grab(const Rect& r, ScreenBlock& out) override;
  // What the screen shows without any painted marks.
  Rgb Truth(int x, int y) const;

  void Step(bool vscroll, int count);
  void ScrollToTop() { Move(-pos_); }
  void Paint(int x, int top, const std::vector<Rgb>& colours);
  void Repaint(const Rect& r);
  // Screen pixels that differ from what the windows show.
  int MarkedPixelsShowing() const;

  int regionTop() const { return w_.rect.top + w_.title + w_.header; }
  int regionBottom() const { return w_.rect.bottom - w_.footer; }
  int regionHeight() const { return regionBottom() - regionTop(); }
  int maxPos() const { return std::max(doc_.height - regionHeight(), 0); }
  int pos() const { return pos_; }
  void setPos(int p) { pos_ = std::clamp(p, 0, maxPos()); }
  // The next step moves this many rows instead (a jump).
  void JumpNext(int rows) { jump_ = rows; }
  const FakeWindow& window() const { return w_; }
  int steps = 0, wheelSteps = 0, vscrollSteps = 0, toTops = 0;

 private:
  void Move(int rows);
  const Document& doc_;
  FakeWindow w_;
  int width_, height_;
  int pos_ = 0;
  int jump_ = 0;
  std::map<int, std::map<int, Rgb>> marks_;  // x -> y -> colour
};

// What a capture did, as the tool window would have shown it.
struct Log {
  std::vector<action::Status> statuses;
  std::vector<std::string> messages, tips;
  std::vector<bool> stepMethods;  // vscroll per step sent
  int beeps = 0, ticks = 0, scrollToTops = 0;
  std::vector<int> timers;
  CaptureEnd end = CaptureEnd::Running;
  std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back().text; }
  bool saw(const std::string& text) const {
    for (const auto& s : statuses)
      if (s.text == text) return true;
    return false;
  }
};

// Performs the actions on the fake screen; true when the timer runs again.
bool Perform(FakeScreen& screen, const Reaction& r, Log& log);

// Row-by-row comparison: rows of the picture against the expected screen or
// document rows, columns 0 .. width - 1. Counts the differing rows.
struct RowCheck {
  int compared = 0, differing = 0, firstDifference = -1;
};
template <class Expected>
RowCheck CompareRows(const Picture& pic, int firstRow, int count, int width, Expected expected) {
  RowCheck c;
  for (int i = 0; i < count && firstRow + i < pic.height(); ++i) {
    ++c.compared;
    for (int x = 0; x < width; ++x)
      if (pic.pixel(x, firstRow + i) != expected(x, i)) {
        if (c.firstDifference < 0) c.firstDifference = firstRow + i;
        ++c.differing;
        break;
      }
  }
  return c;
}

}  // namespace flk::testing
