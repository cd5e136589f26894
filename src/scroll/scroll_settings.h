// The rules of the "Scrolling Capture Fine Tuning" dialog: what its controls
// show for a parameter set, and how a tab is stored back. Three parameters
// are offered only as radio bands; any stored value shows as the choice of
// its band and becomes that choice's value when the tab is stored.
//
// Win32 side (scroll_settings_win.cpp): TfrmScrollSettings reads its
// controls into SettingsControls, calls the dialog logic and writes the
// controls it gets back.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "shell/settings_table.h"

namespace flk {

inline constexpr std::array<const char*, 8> kWaitItems{"1000 ms", " 800 ms", " 600 ms", " 400 ms",
                                                       " 200 ms",  " 100 ms", "   50 ms", "   20 ms"};
inline constexpr std::array<int, 8> kWaitValues{1000, 800, 600, 400, 200, 100, 50, 20};
inline constexpr std::array<const char*, 6> kStepItems{"1", "2", "5", "10", "20", "40"};
inline constexpr std::array<int, 6> kStepValues{1, 2, 5, 10, 20, 40};
inline constexpr std::array<const char*, 6> kSizeItems{" 2 MB", " 4 MB", " 8 MB", "16 MB", "32 MB", "64 MB"};
// The fine tuning's lettered controls, each with what it sets.
inline constexpr char kCaptionA[] = "A  Scroll with the mouse wheel";
inline constexpr char kCaptionB[] = "B  Look upward for the scroll bar";
inline constexpr char kCaptionC[] = "C  Index column (px)";
inline constexpr char kCaptionD[] = "D  Right cut (px)";
inline constexpr char kCaptionE[] = "E  Edges left out (px)";

int WaitItemFor(int interval);
int StepItemFor(int stepSize);  // read as an unsigned 16-bit value
int SizeItemFor(int fileLimit);
int SizeValueOf(int item);      // 2 to the power 21 + item

inline constexpr char kScrollTabText[] = "Scroll Capture grabs a portion of the scrolling window below Framelark.";
inline constexpr char kRoboTabText[] =
    "Robo Capture automatically captures the entire contents of the window below Framelark.";

// The controls of one tab.
struct SettingsControls {
  std::string lblTop;
  int rdoSize = 0, rdoWait = 0, rdoStep = 0;
  bool chkMessage = false, chkSrchVScroll = false, chkIndex = false;
  bool editIndexColEnabled = false;
  std::string editIndexCol, editRtMargin, editScanTp, editScanLt, editScanRt, editScanBt;
};

SettingsControls LoadTab(const ScrollParams& p, bool scrollTab);

// A bad edit stops the storing: its message, and which edit it was.
struct StoreError {
  std::string message;   // "'%s' is not a valid integer value"
  int field = 0;         // 0 IndexLt, 1 ScanLt, 2 ScanTp, 3 ScanRt, 4 ScanBt, 5 RtMargin
};
// Stores in the fixed order; values before a bad edit keep their new values.
std::optional<StoreError> StoreTab(const SettingsControls& c, ScrollParams& p);

// A decimal integer as the conversion accepts it (blanks around, a sign).
std::optional<int> ParseDecimal(const std::string& text);

// The dialog's tabs over the two in-memory sets.
class ScrollSettingsDialog {
 public:
  ScrollSettingsDialog(ScrollParams& scroll, ScrollParams& robo, bool scrollTab)
      : scroll_(scroll), robo_(robo), scrollTab_(scrollTab) {}

  bool scrollTab() const { return scrollTab_; }
  SettingsControls Load() const { return LoadTab(current(), scrollTab_); }
  // TabControl1Changing: store the tab being left; the change is refused on a bad edit.
  std::optional<StoreError> TabChanging(const SettingsControls& c) { return StoreTab(c, current()); }
  // TabControl1Change: the new tab's controls.
  SettingsControls TabChange(bool scrollTab) {
    scrollTab_ = scrollTab;
    return Load();
  }
  // OK: store the tab; the dialog closes only without an error.
  std::optional<StoreError> Ok(const SettingsControls& c) { return StoreTab(c, current()); }
  // Restore defaults: in effect at once, whatever the dialog's result.
  SettingsControls Restore();

 private:
  ScrollParams& current() const { return scrollTab_ ? scroll_ : robo_; }
  ScrollParams& scroll_;
  ScrollParams& robo_;
  bool scrollTab_;
};

// Layout scale: the width of "A" in the dialog's font over 7.
inline int ScaleByLetter(int size, int letterWidth) { return size * letterWidth / 7; }

}  // namespace flk
