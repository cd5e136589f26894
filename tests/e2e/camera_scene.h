// Ground for the camera scenarios: a window of known content in the driver's
// process that lies beneath the camera, the camera's layout as its default
// settings make it, and readers for the pictures the camera writes (BMP files,
// the clipboard's CF_DIB).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "camera/commands.h"
#include "driver.h"
#include "program_fixture.h"

namespace flk::e2e {

// 0x00RRGGBB of the pattern at screen point (x, y).
uint32_t PatternColour(int x, int y);
// What a scenario expects at a screen point, as 0x00RRGGBB.
using ColourAt = uint32_t (*)(int x, int y);

// A borderless window of the driver that never takes the focus, painted with
// a colour known at every screen point; `topmost` makes it lie above every
// other window, like an open menu.
class ColourWindow {
 public:
  explicit ColourWindow(RECT screenRect, ColourAt colour = PatternColour, bool topmost = false);
  ~ColourWindow() { Close(); }
  ColourWindow(const ColourWindow&) = delete;
  ColourWindow& operator=(const ColourWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  // Waits until the whole window is on the screen.
  bool WaitPainted() const;
  void Close();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  RECT rect_;
  ColourAt colour_;
  HWND hwnd_ = nullptr;
  std::vector<uint32_t> pixels_;  // top-down
};
// The scenes' usual ground: the pattern beneath the camera.
using PatternWindow = ColourWindow;
// One colour everywhere, for windows that stand for other programs.
inline uint32_t RedColour(int, int) { return 0xFF0000u; }

// The display scaling the run was set to (FLK_E2E_DPI, 96 when unset): the
// camera lays out its 96-DPI sizes times this scale.
const flk::DpiScale& E2eScale();
// The camera with the top control panel and every bar shown: frame 5 + view
// bevel 2, title bar 22 + menu row 19 + toolbar 44 + status line 18, each scaled.
int FrameAndBevel();
int PanelHeight();
// A camera rectangle grown so that its view is as large as the 96-DPI rectangle's view.
RECT SameViewAtScale(const RECT& window96);
// The view (ViewRect) on the screen for a camera window rectangle.
RECT ViewOnScreen(const RECT& window);

// A picture read back: width x height colours, top-down, and the depth it had.
struct ReadPicture {
  int width = 0, height = 0, bitsPerPixel = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int x, int y) const { return rgb[size_t(y) * size_t(width) + size_t(x)]; }
};
std::optional<ReadPicture> ReadBmpFile(const std::string& path);
std::optional<ReadPicture> ReadClipboardDib();
// How many pixels of the picture differ from the pattern under `screenRect`
// (the picture's top-left lies at the rectangle's top-left); -1 when the sizes differ.
long PatternMismatches(const ReadPicture& picture, const RECT& screenRect, ColourAt colour = PatternColour);
long ScreenMismatches(const RECT& screenRect, ColourAt colour = PatternColour);

// Control id of a command in the camera's WM_COMMAND.
inline WPARAM CommandParam(flk::CommandId id) { return WPARAM(100 + static_cast<int>(id)); }
inline constexpr int kFolderCommandBase = 2000;

// The camera's status line.
std::string StatusText(HWND camera);
bool WaitStatus(HWND camera, const std::string& text, DWORD timeoutMs = kWaitMs);
bool WaitStatusPrefix(HWND camera, const std::string& prefix, DWORD timeoutMs = kWaitMs);

// Writes fresh user settings with the camera at `window`, starts the program
// and waits until the camera shows the pattern in its view.
// The recall viewer (its own process): the window once it is shown, its
// status line, and its end (nullptr / true when there is none).
HWND WaitViewer(DWORD timeoutMs = kWaitMs);
std::string ViewerStatus(HWND viewer);
bool WaitViewerStatus(HWND viewer, const std::string& text, DWORD timeoutMs = kWaitMs);
bool CloseViewer();

struct RunningCamera {
  Process process;
  HWND camera = nullptr;
};
using SettingValues = std::initializer_list<std::pair<const char*, DWORD>>;
// The camera with the installed settings plus extra, where they place it.
RunningCamera StartCameraWith(SettingValues extra = {});
// The same, placed over window.
RunningCamera StartCameraOver(const RECT& window, SettingValues extra = {});

// The ground of the output scenarios: the pattern, a camera over it and the
// view on the screen.
struct Scene {
  PatternWindow pattern{RECT{0, 0, 900, 760}};
  RunningCamera cam;
  RECT view{};
};
// Starts the camera at `window` over the painted pattern and waits until the
// view shows it (fails the test otherwise).
void OpenScene(Scene& s, const RECT& window);
// Posts a camera command (fails the test when the post fails).
void Command(const Scene& s, flk::CommandId id);

}  // namespace flk::e2e
