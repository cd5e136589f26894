// The DPI of a window (per-monitor aware: the monitor it is on) and the
// compositor's show/hide transitions.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "win32/unique_handle.h"

namespace flk::win {

// GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
DpiScale WindowScale(HWND hwnd);

// A font of `points` at the window's scale (negative height = character height).
int FontHeightForPoints(int points, const DpiScale& scale);

// The system's message or menu font at a window's scale. The system reports
// its metrics at the system DPI, so a window on a monitor of another DPI gets
// them rescaled.
enum class SystemFont { Message, Menu };
LOGFONTW SystemFontAt(SystemFont which, const DpiScale& scale);
// That font, made; weight 0 keeps the system's.
UniqueFont MakeSystemFont(SystemFont which, const DpiScale& scale, LONG weight = 0);
// A window's font for its controls: the one made, or the stock GUI font where
// none could be made.
HFONT FontOrDefault(const UniqueFont& font);

// A font of a face by name, its character height in 96-DPI pixels, at the scale.
struct FontLook {
  LONG weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  bool clearType = false;
};
UniqueFont MakeFaceFont(const wchar_t* face, int pixels96, const DpiScale& scale, FontLook look = {});

// Drawing code written in 96-DPI pixels, at a window's scale: while it lives,
// the device context maps (x(), y()) + 96-DPI offsets to (x, y) + scaled
// offsets. Unscaled it changes nothing (pixel-exact as drawn).
class ScaledDrawing {
 public:
  ScaledDrawing(HDC dc, int x, int y, const DpiScale& scale);
  ~ScaledDrawing();
  ScaledDrawing(const ScaledDrawing&) = delete;
  ScaledDrawing& operator=(const ScaledDrawing&) = delete;
  int x() const { return x_; }
  int y() const { return y_; }

 private:
  HDC dc_;
  int x_, y_;
  bool transformed_ = false;
  int oldMode_ = 0;
  XFORM old_{};
};

// Turns off the compositor's fade when the window is shown or hidden, so that a
// grab taken right after hiding it never catches it half faded. Harmless where
// the compositor or the attribute is missing.
void DisableTransitions(HWND hwnd);

}  // namespace flk::win
