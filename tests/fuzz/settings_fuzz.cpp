// libFuzzer target for the settings as they come out of the registry: any
// type and any bytes under any setting's name (another program, an old
// version, a damaged hive). The start must not fail on them, must repair
// every value it cannot use, and a second start must then read everything
// without a single repair message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "shell/settings_table.h"
#include "shell/startup_settings.h"

namespace {

// Says which property failed before the fuzzer records the input.
#define Check(condition)                                              \
  do {                                                                \
    if (!(condition)) {                                               \
      std::fprintf(stderr, "settings_fuzz: %s failed\n", #condition); \
      for (const std::string& m : ui.messages) std::fprintf(stderr, "  message: %s\n", m.c_str()); \
      std::abort();                                                   \
    }                                                                 \
  } while (0)

struct QuietUi : flk::SettingsUi {
  std::vector<std::string> messages;
  void Message(const std::string& t) override { messages.push_back(t); }
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string& t) override {
    messages.push_back(t);
    return true;
  }
};

constexpr flk::RootKey CU = flk::RootKey::CurrentUser;
constexpr flk::RootKey LM = flk::RootKey::LocalMachine;

// Every table value read with its own type, in one series, then the
// camera's values in a series of their own as the camera reads them.
void ReadAll(flk::Settings& s) {
  if (s.OpenSettingsKey(flk::kAccessRead)) {
    flk::ReadCameraValues(s);
    s.EndReadSeries();
  }
  if (!s.OpenSettingsKey(flk::kAccessRead)) return;
  for (const flk::SettingRow& row : flk::UserSettingsTable()) {
    switch (row.type) {
      case flk::SettingType::Integer: s.ReadSetting(row.name, row.readDefault); break;
      case flk::SettingType::Boolean: s.ReadSetting(row.name, row.readDefault != 0); break;
      case flk::SettingType::Date: s.ReadSetting(row.name, flk::OleDate{0}); break;
      case flk::SettingType::String: s.ReadSetting(row.name, std::string()); break;
    }
  }
  s.EndReadSeries();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const flk::SystemServices sys{[] { return flk::OleDate{46000.5}; }, [] { return std::string("C:\\WINDOWS"); },
                                [](const std::string&) { return false; }};
  // A registry with the installation record and a user key as a start
  // installs it, made once and copied for each input.
  static const flk::InMemorySettingsStore installed = [&sys] {
    flk::InMemorySettingsStore st;
    QuietUi quiet;
    flk::Settings s(st, quiet);
    st.Put(LM, flk::kAppPathKey, "", flk::StringValue("C:\\Framelark\\Pro\\FramelarkPro.exe"));
    st.Put(LM, flk::kSettingsPath, "ProgramNameRef", flk::StringValue(flk::kProgramName));
    st.Put(LM, flk::kSettingsPath, "ProgramVersionRef", flk::StringValue(flk::kProgramVersion));
    st.Put(LM, flk::kSettingsPath, "ReInstalCnt", flk::DwordValue(2));
    if (!flk::LoadStartupSettings(s, sys).values || !quiet.messages.empty()) std::abort();
    return st;
  }();
  flk::InMemorySettingsStore store = installed;
  QuietUi ui;
  flk::Settings settings(store, ui);

  // Records: name index, type, length, bytes.
  const auto table = flk::UserSettingsTable();
  size_t at = 0;
  while (at + 3 <= size) {
    const flk::SettingRow& row = table[data[at] % table.size()];
    static const flk::RegType kTypes[] = {flk::RegType::None,   flk::RegType::Dword,        flk::RegType::Binary,
                                          flk::RegType::String, flk::RegType::ExpandString, flk::RegType::Other};
    flk::RegValue v;
    v.type = kTypes[data[at + 1] % 6];
    const size_t len = std::min<size_t>(data[at + 2], size - at - 3);
    v.data.assign(data + at + 3, data + at + 3 + len);
    store.Put(CU, flk::kSettingsPath, row.name, v);
    at += 3 + len;
  }

  flk::StartupResult first = flk::LoadStartupSettings(settings, sys);
  if (!first.values) return 0;  // the installation check refused the user key: nothing read
  flk::CountToolUse(first.values->toolUse, int(size % 25));
  ReadAll(settings);
  // Repaired once: every value now reads back as it was written, with no message.
  ui.messages.clear();
  ReadAll(settings);
  Check(ui.messages.empty());
  Check(store.openKeys() == 0);
  return 0;
}
