// Program entry: the first argument picks the process role.
#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "camera/camera_win.h"
#include "shell/app_win.h"
#include "shell/names.h"
#include "shell/roles.h"
#include "shell/tray_win.h"
#include "tips/tips_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

std::string FirstArgument() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::string arg = (argv && argc > 1) ? win::Narrow(argv[1]) : std::string();
  if (argv) ::LocalFree(argv);
  return arg;
}

int MessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

// Roles whose windows are still to come say so and end with a failure code.
int RoleNotBuilt(Role role) {
  const char* part = role == Role::Setup      ? "installer"
                     : role == Role::Uninstal ? "uninstaller"
                     : role == Role::Sticky   ? "sticky-note manager"
                                              : "recall viewer";
  MessageBoxText(nullptr, std::string("The ") + part + " of FramelarkPro is not built yet.", ApplicationTitleText(),
                 MB_OK | MB_ICONINFORMATION);
  return 3;
}

int RunCameraRole() {
  // Relative paths of the camera role start at the program's folder.
  ::SetCurrentDirectoryW(win::Widen(ProgramFolder()).c_str());
  InitAppSettings();
  auto camera = std::make_unique<TfrmCam>();
  if (!camera->FormCreate()) return 1;
  auto tray = std::make_unique<TfrmFramelark>();
  if (!tray->FormCreate()) return SkipTeardown() ? 0 : 1;
  int rc = MessageLoop();
  tray->Teardown();
  return rc;
}

}  // namespace

}  // namespace flk

int RunFramelark(HINSTANCE) {
  using namespace flk;
  Role role = RoleFromArgument(FirstArgument());
  SetApplicationRole(role);
  if (role == Role::Welcome) return RunTipsRole();
  if (role != Role::Camera) return RoleNotBuilt(role);
  return RunCameraRole();
}
