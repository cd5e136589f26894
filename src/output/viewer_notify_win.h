// Telling a running recall viewer what the camera did (WM_VIEWERNOTIFY).
#pragma once

#include "shell/names.h"

namespace flk {

// A picture was stored in the folder of this index (sorted as both roles list them).
void NotifyViewerOfFolder(int folderIndex);
void NotifyViewer(ViewerNotice notice);
// The picture store's notifier: a folder index or a ViewerNotice value.
void NotifyViewerCode(int code);

}  // namespace flk
