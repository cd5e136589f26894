// MakeSticky: a picture becomes a sticky note below the window it came from.
// It runs in the caller's process: the picture goes to "NewSticky.bmp" beside
// the program, the caller's common form grows below the source in six steps,
// and the sticky manager (started when none runs) is told to open the note
// there. Any window of any role with a picture and a common form may call it.
#pragma once

#include <windows.h>

#include <functional>

#include "base/picture.h"

namespace flk {

class TfrmCommon;

struct StickySource {
  HWND window = nullptr;
  // Moves the source up when the note would not fit below it; empty: the
  // window is moved as it is (the camera passes its own move, which keeps
  // its view current).
  std::function<void(int left, int top)> moveTo;
};

// Message boxes tell why a picture or source is refused; nothing is written
// then and no process started. True when the animation started.
bool MakeSticky(const Picture& picture, const StickySource& source, TfrmCommon& common);

// The hand-over file: the program's folder + "NewSticky.bmp".
std::string NewStickyPath();

}  // namespace flk
