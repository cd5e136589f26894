// Every user setting, once: name, type, value written at installation, default
// passed by readers, and whether a reinstallation keeps an existing value.
// Install, read, repair and save all go through this table.
#pragma once

#include <span>
#include <string>

namespace flk {

enum class SettingType { Integer, Boolean, Date, String };

// Installed values that are not constants.
// WindowSize: a window's first size, at 96 DPI, written times the display scale.
enum class InstalledSource { Constant, Now, RecordCount, FoundEditor, ProgramName, ProgramVersion, WindowSize };

struct SettingRow {
  const char* name;
  SettingType type;
  InstalledSource source;
  int installedInt;         // integer/boolean installed value
  const char* installedStr;  // string installed value
  int readDefault;          // integer/boolean read default (strings read as empty)
  bool kept;                // never reset by a reinstallation once it exists
};

std::span<const SettingRow> UserSettingsTable();
const SettingRow* FindSetting(const std::string& name);
// What a reader passes for a missing value: the row's read default (0 for a
// name the table does not hold; strings read as empty).
int TableReadDefault(const std::string& name);

// The twelve scroll or robo parameters, in their stored order.
struct ScrollParams {
  bool doVScroll = false;
  bool doIndex = true;
  int interval = 600;
  int stepSize = 1;
  int fileLimit = 8388608;
  int indexLt = 19;
  int scanLt = 20;
  int scanTp = 20;
  int scanRt = 20;
  int scanBt = 28;
  int rtMargin = 18;
  bool srchVScroll = true;
};
// One stored parameter: its value name without the set's prefix ("SS_" scroll,
// "AS_" robo) and the member that holds it (a switch or a number).
struct ScrollParamField {
  const char* name;
  bool ScrollParams::*flag;
  int ScrollParams::*number;
};
// The twelve, in stored order.
std::span<const ScrollParamField> ScrollParamFields();

// Names of the seventeen camera button switches, in stored order.
std::span<const char* const> CameraButtonSettingNames();

}  // namespace flk
