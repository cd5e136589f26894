// Rules of the capture modes: which rectangle a viewfinder capture copies,
// where the camera centre lies, what each whole capture copies and counts,
// Hold (its growth of 8 pixels and what it switches), the Refresh command,
// the frozen desktop with its thaw question, and the colour depth table.
//
// Win32 side: camera_win keeps one CaptureModes next to the RefreshCycle. For
// a viewfinder picture it copies ViewfinderSource from bmpBkgnd or the held
// picture; for a whole capture it takes the device context WholeCaptureOf
// names. It calls ToggleHold / Refresh / FreezeHotKey / ThawDesktop and
// performs the returned plans (window growth, panel move, actions enabled per
// CommandEnabled, frmFreeze shown or hidden, status line, refresh request).
// OfferThaw asks the returned question with MessageBox and feeds the answer
// back through ThawAnswer.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/geometry.h"
#include "camera/camera_layout.h"

namespace flk {

// ---- viewfinder and whole captures -----------------------------------------

// Camera centre on the screen: left + W / 2, top + ViewRect.y + height of the
// view panel / 2.
Point CameraCentre(const Rect& window, const Rect& viewRect, int viewPanelHeight);

struct ViewfinderSource {
  bool fromHeld = false;  // copy all of the held picture
  Rect rect;              // otherwise this part of bmpBkgnd
  Size size;              // the picture's size
};
// With Hold on the held picture (heldSize); otherwise CaptureRect of bmpBkgnd.
ViewfinderSource ViewfinderSourceFor(bool hold, Size heldSize, const Rect& captureRect);

enum class WholeSource { Desktop, ForegroundWindow, WindowAtCentre };
struct WholeCapture {
  WholeSource source = WholeSource::Desktop;
  bool clientArea = false;  // client rectangle and client DC instead of window rectangle and window DC
  int usageCode = 0;
};
// Modes 1, 3, 4, 5, 6; nothing for other modes.
std::optional<WholeCapture> WholeCaptureOf(int mode);
// Modes 3 and 4 need a foreground window that is not the desktop and not minimized.
bool ForegroundUsable(bool exists, bool isDesktop, bool minimized);

// What becomes of a whole, scroll or robo capture once the ring has tried to
// store it: never silent when it could not (the capture exists only in
// memory then); the viewer shows the ring when the store asks for it.
struct AfterCapture {
  bool offerElsewhere = false;  // not stored: say which file and why, and offer Save As
  bool openViewer = false;      // the camera waits in the tray while the viewer shows the ring
  bool cameraAgain = false;     // the camera is the user's again, over a fresh view
};
AfterCapture PlanAfterCapture(bool stored, bool viewerWanted);

// Point hints shown before a window is picked.
inline constexpr char kHintKeyCentre[] = "NsaCntrPt";
inline constexpr char kHintKeyScroll[] = "NsaScrollPt";
inline constexpr char kHintCentreText[] = "The window at this point, the camera center, will be captured.";
inline constexpr char kHintKeyEdgeOff[] = "NsaEteOff";
inline constexpr char kHintEdgeOffText[] =
    "Click this thin bump to turn off this mode.\r\n\r\nThis mode is for capturing graphics that are too large "
    "for the normal mode";

// ---- Hold, Refresh and the frozen desktop ------------------------------------

struct HoldPlan {
  bool holdOn = false;          // state after the toggle
  bool copyHeld = false;        // on: imgLockView := CaptureRect of bmpBkgnd
  bool dockTop = false;         // on while floating: panel to the top first
  bool thawWithRefresh = false; // on: ThawDesktop(true)
  int growBy = 0;               // window width and height change (+8 on, -8 off)
  bool refreshView = false;     // off: mark stale and RequestCapture(false, 0)
};

struct ThawResult {
  bool thawed = false;       // a frozen desktop was thawed (hide frmFreeze)
  bool requestRefresh = false;  // mark stale and RequestCapture(false, 0)
  bool clearStatus = false;
};

struct FreezePlan {
  bool beep = false;
  bool bringToFront = false;  // the camera is not available: beep and come to the front
  bool freeze = false;        // grab, FreezeDesktop, show frmFreeze
  bool grabAtStored = false;  // camera never opened: grab at the stored Left, Top, Width, Height
  bool openCamera = false;    // OpenCamera after freezing
  HoldPlan holdOff;           // Hold was on: turned off (holdOff.growBy != 0)
  bool showCamera = false;    // clear stale, show and bring to the front
  std::string status;         // status line afterwards
};

// Where the still of a frozen desktop takes the camera's part from: a camera
// never opened grabs at its stored place, a hidden one grabs beneath itself,
// and a visible one already holds what lies beneath it (grabbing would copy
// the camera itself), so only what lies above it (a menu dropped over the
// camera) joins its copy.
enum class FreezeGrab { AtStored, UnderCamera, WindowsAbove };
FreezeGrab FreezeGrabOf(const FreezePlan& plan, bool cameraVisible);
// The stored Left, Top, Width, Height as a rectangle; a Width below the
// smallest opens at it.
Rect StoredCameraRect(int left, int top, int width, int height);

inline constexpr char kThawCaption[] = "Print Screen Key";
inline constexpr char kThawQuestion[] = "Thaw desktop?\r\n(Restores normal desktop)";

struct ThawQuestion {
  bool ask = false;  // show the Yes/No question box owned by the camera
};

struct ThawAnswerResult {
  ThawResult thaw;     // Yes: ThawDesktop(true)
  std::string status;  // No: "Desktop FROZEN. (Click it to un-freeze.)"
  bool setStatus = false;
};

class CaptureModes {
 public:
  bool hold() const { return hold_; }
  bool frozen() const { return frozen_; }

  // actionLock. panel: where the control panel is now.
  HoldPlan ToggleHold(PanelAlign panel);
  // mnuRefresh: Hold on turns it off; otherwise the view is refreshed. Usage 16.
  HoldPlan Refresh(PanelAlign panel);

  // Print Screen. cameraAvailable: the camera may be used now (not busy);
  // cameraOpened: it has been opened in this run.
  FreezePlan FreezeHotKey(bool cameraAvailable, bool cameraOpened, PanelAlign panel);
  // Returns whether a frozen desktop was thawed.
  ThawResult ThawDesktop(bool refresh);
  // After every output command: ask when the desktop was frozen when the
  // command began and still is.
  ThawQuestion OfferThaw(bool wasFrozen) const;
  ThawAnswerResult ThawAnswer(bool yes);

 private:
  bool hold_ = false;
  bool frozen_ = false;
};

// ---- colour depth -------------------------------------------------------------

struct ColorDepthEntry {
  int value;            // PixelFormatPro and the entry's tag
  const char* name;     // "mnuPf24"
  const char* caption;  // "24-bit  True Color (default)"
  int bitsPerPixel;     // 0 for the screen's own format
};
// The entries of "Output Bitmap File Color Depth", in menu order.
std::span<const ColorDepthEntry> ColorDepthEntries();
// The entry to check for a stored value; nothing for a value without entry.
const ColorDepthEntry* ColorDepthEntryOf(int value);

}  // namespace flk
