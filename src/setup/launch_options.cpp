// Launch options; see launch_options.h.
#include "setup/launch_options.h"

#include "setup/install_rules.h"

namespace flk {

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
