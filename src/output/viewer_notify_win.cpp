#include "output/viewer_notify_win.h"

#include <windows.h>

namespace flk {

void NotifyViewerCode(int code) {
  if (HWND viewer = ::FindWindowA(kViewerClass, kViewerCaption))
    ::PostMessageA(viewer, kWmViewerNotify, WPARAM(INT_PTR(code)), 0);
}

void NotifyViewerOfFolder(int folderIndex) { NotifyViewerCode(folderIndex); }

void NotifyViewer(ViewerNotice notice) { NotifyViewerCode(static_cast<int>(notice)); }

}  // namespace flk
