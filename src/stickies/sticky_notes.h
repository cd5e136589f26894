// The sticky-note rules without windows: which pictures may become notes, where
// the source window and the growing animation go, the animation's steps, the
// note file names (number, left and top) and the next number, where a note's
// menu opens, the menu button's place, and where unreadable note files are
// set aside.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace flk {

// ---- making a note ------------------------------------------------------------

enum class StickyCheck { Ok, SourceTooTall, TooBig };
inline constexpr char kStickySourceTooTallText[] = "Window is too tall to create sticky.";
inline constexpr char kStickyTooBigText[] = "Sticky is too big.";
inline constexpr char kStickiesNotRunningText[] = "Stickies not running.";

// A source taller than 0.9 of the screen is refused; so is a picture higher or
// wider than the screen, or one larger than half the screen in both directions.
StickyCheck CheckSticky(Size picture, Size screen, int sourceHeight);

struct StickyPlan {
  bool moveSource = false;  // the source goes up to sourceTop so that the note fits below it
  int sourceTop = 0;
  Rect animation;  // the first place of the animation window (its height grows from 0)
};
// The note appears below the source, centred on it, 4 pixels wider than the picture.
StickyPlan PlanSticky(const Rect& source, Size picture, int screenHeight);
// The same on the source's monitor (its rectangle anywhere on the virtual
// screen): the room below is measured to that monitor's bottom, and the
// source never goes above its top.
StickyPlan PlanSticky(const Rect& source, Size picture, const Rect& screen);

// The growing window: six steps of a sixth of the height each, then the
// hand-over to the manager, which has 100 ticks to appear.
class StickyAnimation {
 public:
  static constexpr int kSteps = 6;
  static constexpr int kWaitTicks = 100;
  struct Tick {
    enum Kind { Grow, Deliver, Wait, GiveUp } kind = Wait;
    int height = 0;  // Grow: the window's new height
  };
  void Start(int pictureHeight);
  Tick OnTick(bool managerExists);

 private:
  int steps_ = 0, height_ = 0, waited_ = 0;
};

// ---- note files -----------------------------------------------------------------

struct NoteName {
  int number = 0, left = 0, top = 0;
  friend bool operator==(const NoteName&, const NoteName&) = default;
};
// "<number>_<left>_<top>_.bmp".
std::string NoteFileName(const std::string& number, int left, int top);
std::string NoteFileName(int number, int left, int top);
// Number, left and top from a file name (no folder); anything after the third
// "_" is accepted. Nothing when a "_" is missing or a part is not an integer.
std::optional<NoteName> ParseNoteFileName(std::string_view fileName);
// The text before the first "_" (the whole name when there is none).
std::string NoteNumberText(std::string_view fileName);

// The largest note number seen; new notes take the next ones.
class StickyIds {
 public:
  void Found(int number);
  int TakeNext() { return ++highest_; }
  int highest() const { return highest_; }

 private:
  int highest_ = 0;
};

// Unreadable note files are moved into this subfolder of "Stickies\" (the
// manager reads only the files directly in "Stickies\"): the file may be the
// user's only copy of that picture.
inline constexpr char kSetAsideFolder[] = "Unreadable";
// A name in the set-aside folder that `taken` does not claim: the file's own
// name, else "<stem> (2)<ext>", "<stem> (3)<ext>", ...
std::string SetAsideName(const std::string& fileName, const std::function<bool(const std::string&)>& taken);

// ---- the note window --------------------------------------------------------------

inline constexpr int kNoteFrame = 4;  // the raised frame around the picture
inline constexpr int kMenuButtonWidth = 16, kMenuButtonHeight = 14;  // at 96 DPI
struct MenuButtonPlace {
  bool visible = false;
  int left = 0, top = 3;
};
// At the top centre; shown only on a note wider and higher than 32 pixels.
MenuButtonPlace PlaceMenuButton(int windowWidth, int windowHeight, int buttonWidth);

enum class NoteMenuTrigger { ButtonRelease, RightClick, DoubleClick, EnterKey };
struct NoteMenuInput {
  Point window;  // the note's top-left on the screen
  Point button;  // the menu button's top-left in the note
  Point mouse;   // ButtonRelease: relative to the button; RightClick: relative to the note
  Point cursor;  // DoubleClick: the cursor on the screen
};
// Where the menu opens on the screen: always 50 pixels left of the point named.
Point NoteMenuPosition(NoteMenuTrigger trigger, const NoteMenuInput& in);

}  // namespace flk
