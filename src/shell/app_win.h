// Process-wide facts and helpers shared by every role: the application title,
// the program file, message boxes in the style the program uses, starting
// another role, and the settings object on the registry.
#pragma once

#include <windows.h>

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

// Creates the registry-backed settings object of this process.
void InitAppSettings();

}  // namespace flk
