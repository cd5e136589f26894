#include "viewer/viewer_role_win.h"

#include <windows.h>

#include <memory>

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/leftovers.h"
#include "shell/names.h"
#include "viewer/viewer_options_win.h"
#include "viewer/viewer_win.h"

namespace flk {

int RunViewerRole() {
  // Two viewers would write the same pictures and settings: a second start
  // brings the running one forward instead.
  if (win::BringForwardRunning(kViewerClass, kViewerCaption)) return 0;
  // Write-backs and memos of a viewer that was killed may have left temporary files.
  RemoveLeftoverFiles(BaseFolder(), ProgramFolder(), LeftoverPlace::PictureFolders);
  RoleSettings settings;
  ViewerOptionsDialog options;
  auto viewer = std::make_unique<TfrmViewer>(settings.settings(), options);
  if (!viewer->FormCreate()) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (HWND dialog = options.window(); dialog && ::IsDialogMessageW(dialog, &msg)) continue;
    if (viewer->hwnd() && viewer->FormKeyDown(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

}  // namespace flk
