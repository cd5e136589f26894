// Why the Print Screen key could not be ours, and what the box about it says.
// Windows 10 and 11 can give the key to their own screen capture (a switch in
// the keyboard settings); otherwise another program has registered it first.
#pragma once

#include <cstdint>
#include <optional>

#include "shell/settings.h"

namespace flk {

enum class PrintScreenHolder { WindowsCapture, OtherProgram };

// Windows' switch: a DWORD under the user's keyboard settings, 1 = the key opens Windows' capture.
inline constexpr char kSnippingSettingKey[] = "Control Panel\\Keyboard";
inline constexpr char kSnippingSettingName[] = "PrintScreenKeyForSnippingEnabled";
// From this Windows 11 build on, a missing value means the switch is on.
inline constexpr uint32_t kSnippingOnByDefaultBuild = 22621;
inline constexpr uint32_t kFirstWindows11Build = 22000;
// The settings page that holds the switch.
inline constexpr char kKeyboardSettingsPage[] = "ms-settings:easeofaccess-keyboard";
inline constexpr char kOpenKeyboardSettingsButton[] = "Open &Keyboard Settings";
// The tray menu's entry that tries the registration again, offered while the key is not ours.
inline constexpr char kUsePrintScreenKeyItem[] = "Use the Print Screen Key";

// The switch as stored: nullopt when there is no DWORD value.
std::optional<uint32_t> ReadSnippingSetting(SettingsStore& store);

PrintScreenHolder WhoHoldsPrintScreen(std::optional<uint32_t> snippingSetting, uint32_t windowsBuild);

// The warning text for a key that could not be registered; the box offers
// Retry and Cancel, and for WindowsCapture also opens the settings page.
std::string PrintScreenTakenText(PrintScreenHolder holder, uint32_t windowsBuild);

inline constexpr char kPrintScreenRegainedText[] =
    "Framelark has the Print Screen key again: press it to freeze the desktop.";

}  // namespace flk
