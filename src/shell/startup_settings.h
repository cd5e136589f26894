// Start-up and exit routines of the settings: the installation check, the
// per-user refresh after a reinstallation, the exit-time save, the
// administrator probe and the tool-use counters.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "shell/settings.h"
#include "shell/settings_table.h"

namespace flk {

// What the routines need of the system besides the registry.
struct SystemServices {
  std::function<OleDate()> now;
  std::function<std::string()> windowsDirectory;
  std::function<bool(const std::string&)> fileExists;
  // The display's DPI where the windows first open (96 when unknown).
  std::function<int()> dpi{};
};

// The values the camera role reads at start and keeps in memory.
struct StartupValues {
  OleDate a;
  int c = 0;
  std::string toolUse;
  int lastCapturesNum = 5;
  bool closeBtnExits = true;
  bool doTopper = true;
  ScrollParams scroll;  // SS_ set
  ScrollParams robo;    // AS_ set
  bool runEntryExists = false;
};

// Camera values that SaveSettings stores when the camera was opened.
struct CameraSaveValues {
  int left = 150, top = 100, width = 345, height = 222;
  int refreshDelay = 255;
  int cPanelAlign = 1;
  bool camTitle = true, camToolImages = true, camToolText = true, camStatus = true;
  std::array<bool, 17> buttons{true, true, true, true, true, true, true, true, true,
                               true, true, true, true, true, true, true, true};
  int camBevelWidth = 5;
};

inline constexpr char kNotSetUpSuffix[] = "\r\n\r\nLooks like this this version of Framelark hasn't been setup yet.";

// Outcome of LoadStartupSettings: either values, or the fatal message for
// InstallationError.
struct StartupResult {
  std::optional<StartupValues> values;
  std::string fatal;
};

StartupResult LoadStartupSettings(Settings& settings, const SystemServices& sys);
void InstallUserDefaults(Settings& settings, const SystemServices& sys, int recordReInstalCnt);
std::string FindInstalledEditor(SettingsStore& store, const SystemServices& sys);
void SaveSettings(Settings& settings, const SystemServices& sys, const StartupValues& values,
                  const CameraSaveValues* camera);
// Reads the camera's values in an open series, in their stored order; a width
// below 120 becomes 120.
CameraSaveValues ReadCameraValues(Settings& settings);
bool IsAdministrator(Settings& settings);
// Text of the "Framelark Setup Warning" box.
std::string SetupWarningText(const std::string& message, uint32_t errorCode, const std::string& systemText);
// The six-month notice is due at the first start after each 182.5-day step
// counted from the program file's date (all values in days).
bool SixMonthNoticeDue(double programFileDays, double lastExitDays, double nowDays);
ScrollParams ResetScrollDefaults(bool scroll);
// A value of the open read series; a missing one falls back on the settings
// table's default, so that no reader repeats it.
int ReadOrTableInt(Settings& s, const std::string& name);
bool ReadOrTableBool(Settings& s, const std::string& name);
void ReadScrollParams(Settings& settings, const char* prefix, ScrollParams& p);
void WriteScrollParams(Settings& settings, const char* prefix, const ScrollParams& p);
// Raises counter n (1..23) in the comma-separated tool-use text.
std::string CountToolUse(const std::string& toolUse, int n);
std::string ExpandSystemRoot(const std::string& path, const std::string& windowsDirectory);
// Copies every table value that exists in the source key into the destination.
void CopySettingsValues(Settings& settings, RootKey fromRoot, RootKey toRoot, const std::string& path);

}  // namespace flk
