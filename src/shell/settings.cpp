#include "shell/settings.h"

#include <cstring>

#include "shell/names.h"
#include "shell/settings_table.h"

namespace flk {

namespace {

Settings* g_appSettings = nullptr;

}  // namespace

RegValue DwordValue(int32_t v) {
  RegValue r{RegType::Dword, std::vector<uint8_t>(4)};
  std::memcpy(r.data.data(), &v, 4);
  return r;
}
RegValue StringValue(const std::string& s) { return RegValue{RegType::String, std::vector<uint8_t>(s.begin(), s.end())}; }
RegValue BinaryValue(std::vector<uint8_t> bytes) { return RegValue{RegType::Binary, std::move(bytes)}; }
int32_t DwordOf(const RegValue& v) {
  int32_t x = 0;
  if (v.data.size() >= 4) std::memcpy(&x, v.data.data(), 4);
  return x;
}
std::string StringOf(const RegValue& v) { return std::string(v.data.begin(), v.data.end()); }

std::string RootKeyName(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RootKey::CurrentUser: return "HKEY_CURRENT_USER";
    case RootKey::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RootKey::Users: return "HKEY_USERS";
    case RootKey::PerformanceData: return "HKEY_PERFORMANCE_DATA";
    case RootKey::CurrentConfig: return "HKEY_CURRENT_CONFIG";
    case RootKey::DynData: return "HKEY_DYN_DATA";
  }
  return "unknown key";
}

Settings& AppSettings() { return *g_appSettings; }


int Settings::ReadSingleInt(const std::string& name) { return ReadSingleSetting(name, TableReadDefault(name)); }

bool Settings::ReadSingleBool(const std::string& name) { return ReadSingleSetting(name, TableReadDefault(name) != 0); }
void SetAppSettings(Settings* s) { g_appSettings = s; }

Settings::Settings(SettingsStore& store, SettingsUi& ui) : store_(store), ui_(ui), path_(kSettingsPath) {}

bool Settings::OpenSettingsKey(int access) { return OpenKeyAt(RootKey::CurrentUser, kSettingsPath, access, false, true); }

bool Settings::OpenKeyAt(RootKey root, const std::string& path, int access, bool create, bool reportFailure) {
  CloseKey();
  root_ = root;
  path_ = path;
  access_ = access;
  key_ = store_.OpenKey(root, path, access, create);
  open_ = key_ != 0;
  if (!open_ && reportFailure) ui_.Message("Couldn't open Framelark registry key.");
  return open_;
}

void Settings::CloseKey() {
  if (key_ != 0) store_.CloseKey(key_);
  key_ = 0;
  open_ = false;
}

std::string Settings::FailureDetails(const std::string& name) const {
  return "Last bad item:\r\nName = " + name + "\r\nKey = \\" + path_ + "\r\nCurrent = " + std::string("unknown key") +
         "\r\nRoot = " + RootKeyName(root_);
}

void Settings::ReadFailed(const std::string& name) {
  lastReadFailure_ = name;
  ++readFailures_;
  // Reopen for writing (creating the key if it vanished) so that the caller can
  // write the default back; errors of this repair are not counted.
  if (key_ != 0) store_.CloseKey(key_);
  key_ = store_.OpenKey(root_, path_, kAccessWrite, true);
  open_ = key_ != 0;
}

void Settings::Reopen() {
  if (key_ != 0) store_.CloseKey(key_);
  key_ = store_.OpenKey(root_, path_, kAccessRead, false);
  open_ = key_ != 0;
  access_ = kAccessRead;
}

bool Settings::ReadValue(const std::string& name, RegType want, size_t size, RegValue* out) {
  if (!open_) return false;
  auto v = store_.GetValue(key_, name);
  if (!v) return false;
  bool typeOk = v->type == want || (want == RegType::String && v->type == RegType::ExpandString);
  if (!typeOk) return false;
  if (size != 0 && v->data.size() != size) return false;
  *out = std::move(*v);
  return true;
}

namespace {
// One message for a series with failures: how many, and the last one by name
// (the closing call's own name would tell nothing).
void ReportSeries(SettingsUi& ui, int failures, const std::string& verb, const std::string& rest,
                  const std::string& details) {
  if (failures > 0)
    ui.Message("Couldn't " + verb + " " + std::to_string(failures) + " setting(s) " + rest + "\r\n\r\n" + details);
}
}  // namespace

void Settings::CloseReadSeries() {
  ReportSeries(ui_, readFailures_, "read", "from registry.\r\nDefault values used.", FailureDetails(lastReadFailure_));
  CloseKey();
  readFailures_ = 0;
}

void Settings::CloseWriteSeries() {
  ReportSeries(ui_, writeFailures_, "write", "to registry.", FailureDetails(lastWriteFailure_));
  CloseKey();
  writeFailures_ = 0;
}

template <typename T>
T Settings::ReadTyped(const std::string& name, T def) {
  RegValue v;
  if constexpr (std::is_same_v<T, int>) {
    if (ReadValue(name, RegType::Dword, 4, &v)) {
      int32_t x;
      std::memcpy(&x, v.data.data(), 4);
      return x;
    }
  } else if constexpr (std::is_same_v<T, bool>) {
    if (ReadValue(name, RegType::Dword, 4, &v)) {
      int32_t x;
      std::memcpy(&x, v.data.data(), 4);
      return x != 0;
    }
  } else if constexpr (std::is_same_v<T, OleDate>) {
    if (ReadValue(name, RegType::Binary, 8, &v)) {
      double d;
      std::memcpy(&d, v.data.data(), 8);
      return OleDate{d};
    }
  } else {
    if (open_) {
      auto raw = store_.GetValue(key_, name);
      if (!raw) return std::string();  // a missing string reads as empty, no failure
      if (raw->type == RegType::String || raw->type == RegType::ExpandString)
        return std::string(raw->data.begin(), raw->data.end());
    } else {
      return def;
    }
  }
  // Missing, of another type or of the wrong size: default, written back, counted.
  ReadFailed(name);
  if (open_) store_.SetValue(key_, name, Encode(def));
  Reopen();
  return def;
}

RegValue Settings::Encode(int v) { return DwordValue(v); }
RegValue Settings::Encode(bool v) { return DwordValue(v ? 1 : 0); }
RegValue Settings::Encode(OleDate v) {
  RegValue r{RegType::Binary, std::vector<uint8_t>(8)};
  std::memcpy(r.data.data(), &v.days, 8);
  return r;
}
RegValue Settings::Encode(const std::string& v) { return StringValue(v); }

int Settings::ReadSetting(const std::string& name, int def) {
  if (name == "CloseSeries") {
    CloseReadSeries();
    return def;
  }
  return ReadTyped(name, def);
}
bool Settings::ReadSetting(const std::string& name, bool def) { return ReadTyped(name, def); }
OleDate Settings::ReadSetting(const std::string& name, OleDate def) { return ReadTyped(name, def); }
std::string Settings::ReadSetting(const std::string& name, const std::string& def) { return ReadTyped(name, def); }

template <typename T>
void Settings::WriteTyped(const std::string& name, const T& value) {
  if (name == "CloseSeries") {
    CloseWriteSeries();
    return;
  }
  WriteRaw(name, Encode(value));
}

void Settings::WriteSetting(const std::string& name, int value) { WriteTyped(name, value); }
void Settings::WriteSetting(const std::string& name, bool value) { WriteTyped(name, value); }
void Settings::WriteSetting(const std::string& name, OleDate value) { WriteTyped(name, value); }
void Settings::WriteSetting(const std::string& name, const std::string& value) { WriteTyped(name, value); }

void Settings::WriteRaw(const std::string& name, const RegValue& value) {
  if (!open_ || !store_.SetValue(key_, name, value)) {
    lastWriteFailure_ = name;
    ++writeFailures_;
  }
}

void Settings::EndReadSeries() { ReadSetting("CloseSeries", 0); }
void Settings::EndWriteSeries() { WriteSetting("CloseSeries", 0); }

}  // namespace flk
