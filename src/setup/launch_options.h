// The launch options: starting with Windows and the three shortcuts, as the
// dialog shows them and what OK changes.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace flk {

enum class LaunchShortcut { Desktop, StartMenu, QuickLaunch };

struct LaunchBox {
  bool enabled = false;  // the folder is known (Quick Launch: exists)
  bool ticked = false;   // its shortcut exists
  std::string link;      // folder + "\FramelarkPro.lnk"
};

struct LaunchOptions {
  bool startWithWindows = false;  // the Run value exists
  LaunchBox boxes[3];             // by LaunchShortcut
};

// What the dialog shows for the folders found (nothing: unknown) and the files that exist.
LaunchOptions ReadLaunchOptions(bool runValueExists, const std::optional<std::string> folders[3],
                                bool quickLaunchExists, bool (*linkExists)(const std::string&));

struct LaunchChanges {
  bool writeRun = false, deleteRun = false;
  std::vector<std::string> create, remove;  // shortcut files
};
// OK: the Run value follows its box; each enabled box creates a missing shortcut or deletes one.
LaunchChanges PlanLaunchChanges(const LaunchOptions& shown, bool startWithWindows, const bool ticked[3]);

// ---- the dialog (96 DPI) ---------------------------------------------------------

inline constexpr char kLaunchOptionsCaption[] = "Select Launch Options";
inline constexpr int kLaunchOptionsWidth = 330, kLaunchOptionsHeight = 250;
struct LaunchFormText {
  const char* text;
  Rect rect;
};
// "Start with Windows", then the shortcuts' boxes in LaunchShortcut order.
std::span<const LaunchFormText> LaunchBoxes();
// The notes under the boxes.
std::span<const LaunchFormText> LaunchNotes();
inline constexpr Rect kLaunchOkRect = Rect::FromXYWH(150, 216, 80, 26), kLaunchCancelRect = Rect::FromXYWH(238, 216, 80, 26);

}  // namespace flk
