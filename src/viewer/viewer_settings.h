// The recall viewer's own settings: read in one series when it starts and
// written in one series when it ends (and when Windows ends the session).
#pragma once

#include "base/geometry.h"
#include "shell/settings.h"
#include "viewer/viewer_look.h"

namespace flk {

struct ViewerSettings {
  int left = 150, top = 150, width = 550, height = 400;
  ViewerLook look;
  int thumbHeight = 39;
  int memoHeight = 32;
  friend bool operator==(const ViewerSettings&, const ViewerSettings&) = default;
};

// False when the settings key cannot be opened (the store has told the user).
bool ReadViewerSettings(Settings& settings, ViewerSettings* out);
bool WriteViewerSettings(Settings& settings, const ViewerSettings& values);

// The stored place the viewer opened from and where it stands now. A viewer
// brought over from a monitor that has gone keeps its stored place until the
// user moves it.
class ViewerPlacement {
 public:
  ViewerPlacement() = default;
  ViewerPlacement(const ViewerSettings& stored, const Rect& opened)
      : stored_(Rect::FromXYWH(stored.left, stored.top, stored.width, stored.height)), opened_(opened) {}
  // The place to store: its window rectangle, or its restored (normal) one
  // while it is minimised or maximised.
  Rect ToStore(const Rect& window, const Rect& normal, bool minimisedOrMaximised) const;

 private:
  Rect stored_, opened_;
};

// The settings to write: the place with the look and the panel heights.
ViewerSettings SettingsToWrite(const Rect& place, const ViewerLook& look, int thumbHeight, int memoHeight);

}  // namespace flk
