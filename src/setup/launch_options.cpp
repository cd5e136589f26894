// Launch options; see launch_options.h.
#include "setup/launch_options.h"

#include "setup/install_rules.h"

namespace flk {

namespace {

constexpr LaunchFormText kBoxes[] = {
    {"&Start with Windows.", Rect::FromXYWH(12, 10, 300, 18)},
    {"&Desktop shortcut.", Rect::FromXYWH(12, 66, 300, 18)},
    {"Start menu &first panel.", Rect::FromXYWH(12, 88, 300, 18)},
    {"&Quick Launch Bar (98 or 2000).", Rect::FromXYWH(12, 110, 300, 18)},
};

constexpr LaunchFormText kNotes[] = {
    {"Recommended. Starts as icon in status area; program loaded as needed.", Rect::FromXYWH(30, 30, 290, 30)},
    {"Always present:\r\n    Start menu Programs panel.\r\n    Print Screen key.", Rect::FromXYWH(12, 136, 300, 44)},
    {"Available only when Framelark is running. Use to capture elusive graphics like menus.",
     Rect::FromXYWH(30, 180, 290, 28)},
};

}  // namespace

std::span<const LaunchFormText> LaunchBoxes() { return kBoxes; }
std::span<const LaunchFormText> LaunchNotes() { return kNotes; }

LaunchOptions ReadLaunchOptions(bool runValueExists, const std::optional<std::string> folders[3],
                                bool quickLaunchExists, bool (*linkExists)(const std::string&)) {
  LaunchOptions o;
  o.startWithWindows = runValueExists;
  for (int i = 0; i < 3; ++i) {
    LaunchBox& b = o.boxes[i];
    b.enabled = folders[i].has_value() && (i != int(LaunchShortcut::QuickLaunch) || quickLaunchExists);
    if (!b.enabled) continue;
    b.link = *folders[i] + "\\" + kShortcutName;
    b.ticked = linkExists(b.link);
  }
  return o;
}

LaunchChanges PlanLaunchChanges(const LaunchOptions& shown, bool startWithWindows, const bool ticked[3]) {
  LaunchChanges c;
  c.writeRun = startWithWindows;
  c.deleteRun = !startWithWindows;
  for (int i = 0; i < 3; ++i) {
    const LaunchBox& b = shown.boxes[i];
    if (!b.enabled) continue;
    if (ticked[i] && !b.ticked) c.create.push_back(b.link);
    if (!ticked[i]) c.remove.push_back(b.link);
  }
  return c;
}

}  // namespace flk
