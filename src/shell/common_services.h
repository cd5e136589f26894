// Small services every role shares: the data folder, the "Saved to" text, the
// warning text, window descriptions, keeping a window on screen, trace lines
// for the diagnostics window, the geometry of the thick 3-D frame and the
// hover watch of graphic buttons. This half is pure; common_services_win.h
// puts it to work on real windows, files and device contexts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/monitors.h"

namespace flk {

// ---- data folder ----------------------------------------------------------

// The data folder for a program file (full path, backslashes): the program's
// folder is a three-letter folder ("Pro") directly inside the data folder, so
// "C:\X\Pro\FramelarkPro.exe" gives "C:\X\". The result ends in a backslash.
std::string BaseFolderFromProgramPath(std::string_view programPath);

// ---- file sizes and the status text ---------------------------------------

// Bytes to KiB, rounded up.
int64_t KiBFromBytes(uint64_t bytes);
// Size of a file (UTF-8 path) in KiB, rounded up; 0 for any error.
int64_t FileSizeKiB(const std::string& fileName);
// "Saved to <file>    <n> KiB".
std::string SavedTextFor(const std::string& fileName, int64_t kib);
std::string SavedText(const std::string& fileName);

// ---- warnings -------------------------------------------------------------

// The warning box's text: the message alone for code 0, otherwise the
// message, an empty line, "Error # <code>, " and the system's text for it
// (trailing line breaks of the system text are dropped).
std::string ComposeWarningText(const std::string& message, uint32_t errorCode, const std::string& systemText);
// A system error text as read with its inserts left in ("Bad EXE format for
// %1."): %1 becomes `subject`, other inserts go, "%%" is "%", line ends trimmed.
std::string FillSystemInserts(const std::string& systemText, const std::string& subject);

// ---- window description ---------------------------------------------------

// ClassName=<class> Title="<title>"
std::string WindowDescriptionText(const std::string& className, const std::string& title);

// ---- keeping a window on screen -------------------------------------------

struct WindowBox {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const WindowBox&, const WindowBox&) = default;
};

// Room kept free for the taskbar when a window is pulled up from below.
inline constexpr int kTaskbarAllowance = 30;

// Moves a box back onto a screen of screenWidth x screenHeight: first off the
// right and bottom edges, then off the left and top edges (so a box larger than
// the screen ends at 0, 0). The size never changes.
WindowBox KeepOnScreenBox(WindowBox box, int screenWidth, int screenHeight);
// On a desktop of several monitors: a box that the monitors show wholly (also
// across two of them) stays; any other is kept, by the same rule, on the work
// area of the monitor it belongs to.
WindowBox KeepOnScreenBox(WindowBox box, const MonitorTable& monitors);

// ---- trace lines ----------------------------------------------------------

// A class name in a trace line (objects and classes are traced by name).
struct TraceClass {
  std::string name;
};

// Receiver of finished lines; the diagnostics window installs one while it
// exists. With none installed, TraceLine does nothing. Lines come from
// anywhere in the process, so the one sink is the process's.
using TraceSink = std::function<void(const std::string& line)>;
void SetTraceSink(TraceSink sink);
const TraceSink& CurrentTraceSink();

namespace trace_detail {
void Append(std::string& line, bool v);
void Append(std::string& line, char v);
void Append(std::string& line, long long v);
void Append(std::string& line, unsigned long long v);
void Append(std::string& line, double v);
void Append(std::string& line, std::string_view v);
void Append(std::string& line, const TraceClass& v);

template <typename T>
void AppendValue(std::string& line, const T& v) {
  line += ' ';
  if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, char>) {
    Append(line, v);
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    Append(line, static_cast<long long>(v));
  } else if constexpr (std::is_integral_v<T>) {
    Append(line, static_cast<unsigned long long>(v));
  } else if constexpr (std::is_floating_point_v<T>) {
    Append(line, static_cast<double>(v));
  } else if constexpr (std::is_enum_v<T>) {
    Append(line, static_cast<long long>(v));
  } else if constexpr (std::is_same_v<T, TraceClass>) {
    Append(line, v);
  } else {
    Append(line, std::string_view(v));
  }
}
}  // namespace trace_detail

// One trace line: every value preceded by a blank, so the line starts with one.
// Integers in decimal, booleans "T"/"F", characters as themselves, floating
// values in their shortest general form, strings as they are.
template <typename... Args>
std::string TraceText(const Args&... values) {
  std::string line;
  (trace_detail::AppendValue(line, values), ...);
  return line;
}

template <typename... Args>
void TraceLine(const Args&... values) {
  const TraceSink& sink = CurrentTraceSink();
  if (!sink) return;
  sink(TraceText(values...));
}

// ---- thick 3-D frame ------------------------------------------------------

enum class FrameColour { Light3D, Black, White, Shadow, Face };

// One drawing step, in GDI's terms: a Line goes from (x0, y0) to (x1, y1) and,
// like LineTo, leaves out its end point; an Outline is FrameRect of the
// rectangle (x0, y0)-(x1, y1), right and bottom exclusive.
struct FrameOp {
  enum Kind { Line, Outline } kind = Line;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  FrameColour colour = FrameColour::Face;
  friend bool operator==(const FrameOp&, const FrameOp&) = default;
};

// The steps of a raised or sunken frame of the given thickness whose last
// pixel column is right - 1 and last row bottom - 1.
std::vector<FrameOp> ThickFrameOps(bool raised, int right, int thickness, int bottom);

// ---- graphic-button hover watch -------------------------------------------

// A graphic button that wants to hear when the mouse has left it.
class HoverTarget {
 public:
  virtual ~HoverTarget() = default;
  virtual void MouseLeft() = 0;
};

// Watches one button at a time: started when the mouse enters it, polled by a
// timer, ended (with a notice to the button) when the cursor is outside the
// button's screen rectangle, edges counting as inside.
class HoverWatch {
 public:
  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
  };
  enum class Timer { Keep, Start, Stop };

  // The mouse entered `button` (width x height) with the cursor at screen
  // (cursorX, cursorY), (offsetX, offsetY) inside it. Returns what to do with
  // the polling timer. Re-entering the watched button changes nothing.
  Timer Enter(HoverTarget* button, int cursorX, int cursorY, int offsetX, int offsetY, int width, int height);
  // A poll with the cursor at (x, y). Returns Stop when the watch ended.
  Timer Poll(int cursorX, int cursorY);
  // A button going away must call this so that it is never told anything later.
  Timer Forget(HoverTarget* button);

  bool watching() const { return button_ != nullptr; }
  HoverTarget* button() const { return button_; }
  const Rect& rect() const { return rect_; }

 private:
  HoverTarget* button_ = nullptr;
  Rect rect_;
};

}  // namespace flk
