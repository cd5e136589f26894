// The recall viewer's own settings: read in one series when it starts and
// written in one series when it ends (and when Windows ends the session).
#pragma once

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

}  // namespace flk
