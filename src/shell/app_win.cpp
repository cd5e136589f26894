#include "shell/app_win.h"

#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/registry_store_win.h"
#include "shell/startup_settings.h"
#include "win32/shell_win.h"
#include "win32/window.h"

namespace flk {

namespace {

Role g_role = Role::Camera;

class AppSettingsUi : public SettingsUi {
 public:
  void Message(const std::string& text) override { ShowMessageText(text); }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    return MessageBoxText(nullptr, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  bool SetupWarning(const std::string& message) override {
    DWORD code = ::GetLastError();
    std::string text = SetupWarningText(message, code, code ? SystemErrorText(code) : std::string());
    ::SetLastError(0);
    if (MessageBoxText(nullptr, text, "Framelark Setup Warning", MB_OKCANCEL | MB_ICONWARNING) == IDOK) return true;
    // Cancel aborts: nothing has been shown or started yet that needs a teardown.
    ::ExitProcess(1);
  }
};

}  // namespace

void SetApplicationRole(Role role) { g_role = role; }
Role ApplicationRole() { return g_role; }
std::string ApplicationTitleText() { return ApplicationTitle(g_role); }

std::string ProgramFile() { return ProgramPath(); }

std::string ProgramFolder() {
  std::string p = ProgramPath();
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  return ::MessageBoxW(owner, win::Widen(text).c_str(), win::Widen(caption).c_str(), flags);
}

void ShowMessageText(const std::string& text) { MessageBoxText(nullptr, text, ApplicationTitleText(), MB_OK); }

bool StartRole(const char* roleWord, int showCommand) {
  return win::ShellOpen(nullptr, ProgramFile(), roleWord ? roleWord : "", showCommand);
}

void AskForCamera(int parameter) {
  if (HWND tray = ::FindWindowA(kTrayClass, kTrayCaption)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tray, &pid);
    ::AllowSetForegroundWindow(pid);
    ::PostMessageW(tray, kWmCameraRequest, WPARAM(parameter), 0);
    return;
  }
  StartRole(nullptr, SW_SHOWNORMAL);
}

struct RoleSettings::Parts {
  std::unique_ptr<SettingsStore> store = MakeRegistryStore();
  AppSettingsUi ui;
  Settings settings{*store, ui};
};

RoleSettings::RoleSettings() : parts_(std::make_unique<Parts>()) {
  settings_ = &parts_->settings;
  SetAppSettings(settings_);
}

RoleSettings::~RoleSettings() { SetAppSettings(nullptr); }

}  // namespace flk
