// Program entry: the first argument picks the process role.
#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "camera_role_win.h"
#include "setup/installer_win.h"
#include "shell/app_win.h"
#include "shell/names.h"
#include "shell/roles.h"
#include "stickies/stickies_win.h"
#include "tips/tips_win.h"
#include "viewer/viewer_role_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

std::string FirstArgument() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  win::UniqueLocal owner(reinterpret_cast<HLOCAL>(argv));
  return (argv && argc > 1) ? win::Narrow(argv[1]) : std::string();
}

int RunCameraRole() {
  auto role = std::make_unique<CameraRole>();
  return role->Run();
}

}  // namespace

}  // namespace flk

int RunFramelark(HINSTANCE) {
  using namespace flk;
  Role role = RoleFromArgument(FirstArgument());
  SetApplicationRole(role);
  switch (role) {
    case Role::Camera: return RunCameraRole();
    case Role::Setup: return RunSetupRole();
    case Role::Uninstal: return RunUninstalRole();
    case Role::Welcome: return RunTipsRole();
    case Role::Viewer: return RunViewerRole();
    case Role::Sticky: return RunStickyRole();
  }
  return RunCameraRole();
}
