// Where a scrolling capture reads the screen, and the checks and texts of its
// start. The Win32 side finds the target window (the window at the camera
// centre, SrchVScrollWin, SrchVScrollBar), builds its rectangle and hands the
// rectangles here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/geometry.h"
#include "shell/settings_table.h"

namespace flk {

// Screen rows and columns of one capture (screen coordinates).
struct CaptureArea {
  int ltScn = 0;         // left edge of the capture
  int tpScn = 0;         // top edge of the capture (first row of the picture)
  int wd = 0;            // capture width
  int areaTop = 0;       // first row inside the window
  int areaHeight = 0;    // rows from areaTop to the window bottom
  int windowTop = 0;     // top of the window rectangle
  int indexX = 0;        // screen column of the index column
  int maxCapHt = 0;      // largest picture height allowed
  int bitsPerPixel = 32;
  int windowBottom() const { return areaTop + areaHeight; }
};

// The target's rectangle less rtMargin on the right, intersected with the
// rectangle of every ancestor (and of the screen).
Rect TargetRectangle(const Rect& target, int rtMargin, const std::vector<Rect>& ancestors);

// A display with a palette cannot carry the index colours; the camera then
// shows kNeedsColour.
inline constexpr char kNeedsColour[] = "This function requires 16-bit color or better.";
bool DisplayTooPoor(int numColors, bool rasterPalette, int bitsPerPixel);

// A child window that is a usable vertical scroll bar for WM_VSCROLL.
bool IsVerticalScrollBar(bool visible, const std::string& className, uint32_t style);

// SS_FileLimit div Wd x 8 div bits per pixel, in this order.
int MaxCaptureHeight(int fileLimit, int wd, int bitsPerPixel);

// What stops a start: no window under the viewfinder, or an area too small.
inline constexpr char kNoWindow[] = "No window selected. Position center of viewfinder over the desired window.";
inline constexpr char kScrollAreaTooSmall[] = "Capture area is too small.";
inline constexpr char kRoboAreaTooSmall[] = "Source Window is too small.";

// Scroll capture: the viewfinder picks the top edge and the columns. Either
// the area or the message that stops the start.
std::variant<CaptureArea, std::string> ScrollCaptureArea(const Rect& window, const Rect& viewfinder,
                                                         const ScrollParams& p, int bitsPerPixel);
// Robo capture: the whole window rectangle.
std::variant<CaptureArea, std::string> RoboCaptureArea(const Rect& window, const ScrollParams& p,
                                                       int bitsPerPixel);

// "Caution -- This is a pretty large image, 12.0 MB." and its second line,
// when the picture is more than half the file limit; nothing otherwise.
std::optional<std::string> BigImageCaution(int height, int wd, int bitsPerPixel, int fileLimit);

// Tool window positions: just above the capture, never above the screen
// (the top of the captured window's monitor, screenTop).
int ToolWindowTop(int tpScn, int toolHeight, int screenTop = 0);
// Robo: the Stop button centred over the window, the tool window kept on the screen.
int RoboToolLeft(const Rect& window, int toolWidth, int buttonOffset, int buttonWidth, int screenWidth);
// The same on the monitor of the captured window, anywhere on the virtual screen.
int RoboToolLeft(const Rect& window, int toolWidth, int buttonOffset, int buttonWidth, const Rect& screen);

}  // namespace flk
