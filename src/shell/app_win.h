// Process-wide facts and helpers shared by every role: the application title,
// the program file, message boxes in the style the program uses, starting
// another role, and the settings object on the registry.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "shell/roles.h"
#include "shell/settings.h"

namespace flk {

void SetApplicationRole(Role role);
Role ApplicationRole();
std::string ApplicationTitleText();

// Full path of the program file and its folder with a trailing backslash.
std::string ProgramFile();
std::string ProgramFolder();

// OK box captioned with the application title.
void ShowMessageText(const std::string& text);
// MessageBoxW with UTF-8 texts.
int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// Starts the program file with a role word (ShellExecute "open").
bool StartRole(const char* roleWord, int showCommand);

// Asks the running camera role for its camera (kWmCameraRequest with the
// parameter), letting it come to the front; starts the program when none runs.
void AskForCamera(int parameter);

// The registry-backed settings of a role, owned by the role's composition
// root and installed as AppSettings() for the role's lifetime (the how-to tips,
// save and editor services read their single values through it).
class RoleSettings {
 public:
  RoleSettings();
  ~RoleSettings();
  RoleSettings(const RoleSettings&) = delete;
  RoleSettings& operator=(const RoleSettings&) = delete;
  Settings& settings() { return *settings_; }

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  Settings* settings_ = nullptr;
};

}  // namespace flk
