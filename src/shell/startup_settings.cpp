#include "shell/startup_settings.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/dpi.h"
#include "base/strings.h"
#include "shell/names.h"

namespace flk {

namespace {

constexpr RootKey kUser = RootKey::CurrentUser;
constexpr RootKey kMachine = RootKey::LocalMachine;

// Strict reads for the identity checks: a missing string is empty, any other
// mismatch is an error.
std::optional<std::string> StrictString(SettingsStore& st, int key, const char* name) {
  auto v = st.GetValue(key, name);
  if (!v) return std::string();
  if (v->type != RegType::String && v->type != RegType::ExpandString) return std::nullopt;
  return StringOf(*v);
}
std::optional<int> StrictInt(SettingsStore& st, int key, const char* name) {
  auto v = st.GetValue(key, name);
  if (!v || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
  return DwordOf(*v);
}

RegValue InstalledValue(const SettingRow& row, const SystemServices& sys, int recordCount,
                        const std::string& editor) {
  switch (row.source) {
    case InstalledSource::Now: {
      OleDate d = sys.now();
      std::vector<uint8_t> bytes(8);
      static_assert(sizeof d.days == 8);
      std::memcpy(bytes.data(), &d.days, 8);
      return BinaryValue(bytes);
    }
    case InstalledSource::RecordCount: return DwordValue(recordCount);
    case InstalledSource::FoundEditor: return StringValue(editor);
    case InstalledSource::ProgramName: return StringValue(kProgramName);
    case InstalledSource::ProgramVersion: return StringValue(kProgramVersion);
    case InstalledSource::WindowSize: return DwordValue(DpiScaleOf(sys.dpi ? sys.dpi() : kBaseDpi)(row.installedInt));
    case InstalledSource::Constant: break;
  }
  if (row.type == SettingType::String) return StringValue(row.installedStr);
  return DwordValue(row.installedInt);
}

const char* PrefixOf(bool scroll) { return scroll ? "SS_" : "AS_"; }
}  // namespace

int ReadOrTableInt(Settings& s, const std::string& name) { return s.ReadSetting(name, TableReadDefault(name)); }
bool ReadOrTableBool(Settings& s, const std::string& name) { return s.ReadSetting(name, TableReadDefault(name) != 0); }

ScrollParams ResetScrollDefaults(bool scroll) {
  ScrollParams p;
  for (const ScrollParamField& f : ScrollParamFields()) {
    const int d = TableReadDefault(PrefixOf(scroll) + std::string(f.name));
    if (f.flag) p.*f.flag = d != 0;
    else p.*f.number = d;
  }
  return p;
}

void ReadScrollParams(Settings& s, const char* prefix, ScrollParams& p) {
  for (const ScrollParamField& f : ScrollParamFields()) {
    const std::string name = prefix + std::string(f.name);
    if (f.flag) p.*f.flag = ReadOrTableBool(s, name);
    else p.*f.number = ReadOrTableInt(s, name);
  }
}

void WriteScrollParams(Settings& s, const char* prefix, const ScrollParams& p) {
  for (const ScrollParamField& f : ScrollParamFields()) {
    const std::string name = prefix + std::string(f.name);
    if (f.flag) s.WriteSetting(name, p.*f.flag);
    else s.WriteSetting(name, p.*f.number);
  }
}

StartupResult LoadStartupSettings(Settings& settings, const SystemServices& sys) {
  SettingsStore& st = settings.store();
  StartupResult r;
  auto fatal = [&](std::string text) {
    r.fatal = std::move(text);
    return r;
  };
  const std::string suffix = kNotSetUpSuffix;

  // 1-3: the installation record proves that this version was set up.
  if (!st.KeyExists(kMachine, kAppPathKey)) return fatal("No FramelarkPro App Path." + suffix);
  int recordCount = 0;
  {
    KeyGuard rec(st, st.OpenKey(kMachine, kSettingsPath, kAccessRead, false));
    if (!rec) return fatal("Couldn't open HKEY_LOCAL_MACHINE." + suffix);
    auto name = StrictString(st, rec.id(), "ProgramNameRef");
    auto version = StrictString(st, rec.id(), "ProgramVersionRef");
    if (!name || !version) return fatal("Got exception reading from HKEY_LOCAL_MACHINE." + suffix);
    if (*name != kProgramName || *version != kProgramVersion)
      return fatal("Wrong program name or version in HKEY_LOCAL_MACHINE." + suffix);
    auto count = StrictInt(st, rec.id(), "ReInstalCnt");
    if (!count) return fatal("Got exception reading from HKEY_LOCAL_MACHINE." + suffix);
    recordCount = *count;
  }

  // 4: refresh the user's settings after an installation they have not seen.
  bool current = false;
  {
    KeyGuard user(st, st.OpenKey(kUser, kSettingsPath, kAccessRead, false));
    if (user) {
      auto name = StrictString(st, user.id(), "ProgramName");
      auto version = StrictString(st, user.id(), "ProgramVersion");
      auto count = StrictInt(st, user.id(), "ReInstalCnt");
      current = name && version && count && *name == kProgramName && *version == kProgramVersion &&
                *count == recordCount;
    }
  }
  if (!current) InstallUserDefaults(settings, sys, recordCount);

  // 5-6: the values the camera role keeps in memory.
  StartupValues v;
  v.a = sys.now();
  v.scroll = ResetScrollDefaults(true);
  v.robo = ResetScrollDefaults(false);
  if (!settings.OpenKeyAt(kUser, kSettingsPath, kAccessRead, false, false))
    return fatal("Couldn't open Framelark HKEY_CURRENT_USER key.");
  v.a = settings.ReadSetting("a", v.a);
  v.c = ReadOrTableInt(settings, "c");
  v.toolUse = settings.ReadSetting("ToolUse", v.toolUse);
  v.lastCapturesNum = ReadOrTableInt(settings, "LastCapturesNum");
  v.closeBtnExits = ReadOrTableBool(settings, "CloseBtnExits");
  v.doTopper = ReadOrTableBool(settings, "DoTopper");
  ReadScrollParams(settings, "SS_", v.scroll);
  ReadScrollParams(settings, "AS_", v.robo);
  settings.EndReadSeries();

  // 7: started with Windows?
  {
    KeyGuard run(st, st.OpenKey(kUser, kRunKey, kAccessRead, false));
    v.runEntryExists = run && st.GetValue(run.id(), kRunValue).has_value();
  }
  r.values = v;
  return r;
}

void CopySettingsValues(Settings& settings, RootKey fromRoot, RootKey toRoot, const std::string& path) {
  SettingsStore& st = settings.store();
  KeyGuard from(st, st.OpenKey(fromRoot, path, kAccessRead, false));
  if (!from) {
    settings.ui().SetupWarning("Couldn't open source key for copy.");
    return;
  }
  KeyGuard to(st, st.OpenKey(toRoot, path, kAccessAll, true));
  if (!to) {
    settings.ui().SetupWarning("Couldn't open destination key for copy.");
    return;
  }
  for (const SettingRow& row : UserSettingsTable()) {
    std::string name = row.name;
    if (name == "a" || name == "ReInstalCnt" || name == "EditorPath") continue;
    auto v = st.GetValue(from.id(), name);
    if (!v) continue;
    bool typeOk = row.type == SettingType::String ? (v->type == RegType::String || v->type == RegType::ExpandString)
                  : row.type == SettingType::Date ? (v->type == RegType::Binary && v->data.size() == 8)
                                                  : (v->type == RegType::Dword && v->data.size() == 4);
    if (typeOk) st.SetValue(to.id(), name, *v);  // a failing value is skipped
  }
}

std::string ExpandSystemRoot(const std::string& path, const std::string& windowsDirectory) {
  if (path.size() >= 12 && AsciiLower(path.substr(0, 12)) == "%systemroot%") return windowsDirectory + path.substr(12);
  return path;
}

std::string FindInstalledEditor(SettingsStore& st, const SystemServices& sys) {
  std::string last;
  KeyGuard paths(st, st.OpenKey(kMachine, kAppPathsKey, kAccessReadEnumerate, false));
  if (!paths) return last;
  for (const std::string& name : st.SubkeyNames(paths.id())) {
    std::string lower = AsciiLower(name);
    if (lower != "mspaint.exe" && lower != "pbrush.exe") continue;
    KeyGuard app(st, st.OpenKey(kMachine, std::string(kAppPathsKey) + "\\" + name, kAccessRead, false));
    if (!app) return last;
    auto v = st.GetValue(app.id(), "");
    if (!v || (v->type != RegType::String && v->type != RegType::ExpandString)) return last;
    last = ExpandSystemRoot(StringOf(*v), sys.windowsDirectory());
    if (sys.fileExists(last)) return last;
  }
  return last;
}

void InstallUserDefaults(Settings& settings, const SystemServices& sys, int recordCount) {
  SettingsStore& st = settings.store();
  SettingsUi& ui = settings.ui();

  // 1: settings of an earlier version move from the machine configuration once.
  bool hadSettings = st.KeyExists(kUser, kSettingsPath);
  if (!hadSettings && st.KeyExists(RootKey::CurrentConfig, kSettingsPath)) {
    CopySettingsValues(settings, RootKey::CurrentConfig, kUser, kSettingsPath);
    hadSettings = true;
    if (!st.KeyExists(kMachine, kOldAppPathKey) && !st.DeleteKeyTree(RootKey::CurrentConfig, kOldConfigParentKey))
      ui.SetupWarning("Got exception moving key from HKEY_CURRENT_CONFIG to HKEY_CURRENT_USER.");
  }

  // 2: settings written by a later version are not worth keeping.
  if (hadSettings) {
    KeyGuard user(st, st.OpenKey(kUser, kSettingsPath, kAccessRead, false));
    if (user) {
      auto name = StrictString(st, user.id(), "ProgramName");
      auto version = StrictString(st, user.id(), "ProgramVersion");
      if (name && version && *name == kProgramName && *version > std::string(kProgramVersion)) hadSettings = false;
    }
  }

  // 3
  bool keep = hadSettings &&
              ui.AskYesNo("Framelark",
                          "An administrator re-installed or upgraded Framelark. Do you want to keep your personal "
                          "settings?\r\n\r\nIf no, settings will revert to default values.");

  // 4
  std::string editor = FindInstalledEditor(st, sys);

  // 5
  if (!settings.OpenKeyAt(kUser, kSettingsPath, kAccessAll, true, false)) {
    ui.SetupWarning("Couldn't open Framelark HKEY_CURRENT_USER key.");
    return;
  }
  for (const SettingRow& row : UserSettingsTable()) {
    bool always = row.source == InstalledSource::Now || row.source == InstalledSource::RecordCount ||
                  row.source == InstalledSource::ProgramName || row.source == InstalledSource::ProgramVersion;
    if (!always && settings.ValueExists(row.name) && (keep || row.kept)) continue;
    settings.WriteRaw(row.name, InstalledValue(row, sys, recordCount, editor));
  }
  settings.EndWriteSeries();
}

void SaveSettings(Settings& s, const SystemServices& sys, const StartupValues& v, const CameraSaveValues* cam) {
  if (!s.OpenKeyAt(kUser, kSettingsPath, kAccessWrite, false, false)) {
    s.ui().Message("Couldn't open Framelark registry key to save your settings.");
    return;
  }
  s.WriteSetting("a", sys.now());
  s.WriteSetting("c", v.c + 1);
  if (cam) {
    s.WriteSetting("Left", cam->left);
    s.WriteSetting("Top", cam->top);
    s.WriteSetting("Width", cam->width);
    s.WriteSetting("Height", cam->height);
    s.WriteSetting("RefreshDelay", cam->refreshDelay);
    s.WriteSetting("ToolUse", v.toolUse);
    s.WriteSetting("LastCapturesNum", v.lastCapturesNum);
    s.WriteSetting("CloseBtnExits", v.closeBtnExits);
    s.WriteSetting("DoTopper", v.doTopper);
    s.WriteSetting("CPanelAlign", cam->cPanelAlign);
    s.WriteSetting("CamTitle", cam->camTitle);
    s.WriteSetting("CamToolImages", cam->camToolImages);
    s.WriteSetting("CamToolText", cam->camToolText);
    s.WriteSetting("CamStatus", cam->camStatus);
    auto names = CameraButtonSettingNames();
    for (size_t i = 0; i < names.size(); ++i) s.WriteSetting(names[i], bool(cam->buttons[i]));
    s.WriteSetting("CamBevelWidth", cam->camBevelWidth);
  }
  WriteScrollParams(s, "SS_", v.scroll);
  WriteScrollParams(s, "AS_", v.robo);
  s.EndWriteSeries();
}

CameraSaveValues ReadCameraValues(Settings& s) {
  CameraSaveValues v;
  v.refreshDelay = ReadOrTableInt(s, "RefreshDelay");
  v.cPanelAlign = ReadOrTableInt(s, "CPanelAlign");
  v.height = ReadOrTableInt(s, "Height");
  v.width = std::max(ReadOrTableInt(s, "Width"), 120);
  v.top = ReadOrTableInt(s, "Top");
  v.left = ReadOrTableInt(s, "Left");
  v.camTitle = ReadOrTableBool(s, "CamTitle");
  v.camToolImages = ReadOrTableBool(s, "CamToolImages");
  v.camToolText = ReadOrTableBool(s, "CamToolText");
  v.camStatus = ReadOrTableBool(s, "CamStatus");
  auto names = CameraButtonSettingNames();
  for (size_t i = 0; i < names.size(); ++i) v.buttons[i] = ReadOrTableBool(s, names[i]);
  v.camBevelWidth = ReadOrTableInt(s, "CamBevelWidth");
  return v;
}

std::string SetupWarningText(const std::string& message, uint32_t code, const std::string& systemText) {
  std::string t;
  if (code != 0) t = "Error # " + std::to_string(code) + ", " + systemText + "\r\n\r\n";
  return t + message + "\r\n\r\nIt's not required, so let's continue.\r\n\r\nPressing Cancel aborts this installation.";
}

bool SixMonthNoticeDue(double fileDays, double lastExitDays, double nowDays) {
  if (!(fileDays < lastExitDays)) return false;
  double t = fileDays;
  while (nowDays - 182.5 > t) t += 182.5;
  return lastExitDays < t;
}

bool IsAdministrator(Settings& settings) {
  SettingsStore& st = settings.store();
  bool ok = false;
  bool created = false;
  {
    KeyGuard probe(st, st.OpenKey(kMachine, kAdminProbeKey, kAccessAll, true));
    if (probe) {
      created = true;
      if (st.SetValue(probe.id(), "", StringValue("TestData"))) {
        auto back = st.GetValue(probe.id(), "");
        ok = back && StringOf(*back) == "TestData";
      }
    }
  }
  if (created) st.DeleteKeyTree(kMachine, kAdminProbeKey);
  if (!ok)
    settings.ui().Message(
        "Sorry, only an administrator of this computer can perform this function because it effects all users.");
  return ok;
}

std::string CountToolUse(const std::string& toolUse, int n) {
  if (n < 1 || n > 23) return toolUse;
  std::string t = toolUse.empty() ? std::string("0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0") : toolUse;
  while (std::count(t.begin(), t.end(), ',') + 1 < 23) t += ",0";
  size_t start = 0;
  for (int i = 1; i < n; ++i) start = t.find(',', start) + 1;
  size_t end = t.find(',', start);
  if (end == std::string::npos) end = t.size();
  long long value = 0;
  for (size_t i = start; i < end && std::isdigit(static_cast<unsigned char>(t[i])) && value < 1000000000000LL; ++i)
    value = value * 10 + (t[i] - '0');
  return t.substr(0, start) + std::to_string(value + 1) + t.substr(end);
}

}  // namespace flk
