// The user's settings: typed values under one registry key, read and written
// in "series" (open key, reads or writes, close with the reserved name
// "CloseSeries", which reports failures once). The registry itself sits behind
// SettingsStore so that the rules run against an in-memory store in tests.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <string>
#include <vector>

#include "base/ole_date.h"

namespace flk {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

enum class RegType { None, Dword, Binary, String, ExpandString, Other };

struct RegValue {
  RegType type = RegType::None;
  std::vector<uint8_t> data;  // strings without their terminating zero
};

RegValue DwordValue(int32_t v);
RegValue StringValue(const std::string& s);
RegValue BinaryValue(std::vector<uint8_t> bytes);
int32_t DwordOf(const RegValue& v);
std::string StringOf(const RegValue& v);

// Registry seam. Paths use backslashes and have no leading backslash.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool KeyExists(RootKey root, const std::string& path) = 0;
  // Opens (or creates) a key; returns an id > 0 or 0 on failure.
  virtual int OpenKey(RootKey root, const std::string& path, int access, bool create) = 0;
  virtual void CloseKey(int key) = 0;
  virtual std::optional<RegValue> GetValue(int key, const std::string& name) = 0;
  virtual bool SetValue(int key, const std::string& name, const RegValue& value) = 0;
  virtual std::vector<std::string> ValueNames(int key) = 0;
  virtual std::vector<std::string> SubkeyNames(int key) = 0;
  virtual bool DeleteKeyTree(RootKey root, const std::string& path) = 0;
  virtual bool DeleteValue(int key, const std::string& name) = 0;
};

// An open key of a store, closed at scope end.
class KeyGuard {
 public:
  KeyGuard(SettingsStore& store, int id) : store_(store), id_(id) {}
  ~KeyGuard() {
    if (id_) store_.CloseKey(id_);
  }
  KeyGuard(const KeyGuard&) = delete;
  KeyGuard& operator=(const KeyGuard&) = delete;
  int id() const { return id_; }
  explicit operator bool() const { return id_ != 0; }

 private:
  SettingsStore& store_;
  int id_;
};

// Message boxes and other user-facing effects the settings rules need.
class SettingsUi {
 public:
  virtual ~SettingsUi() = default;
  // Plain OK box captioned with the application title.
  virtual void Message(const std::string& text) = 0;
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;  // true = Yes
  // "Framelark Setup Warning": OK continues (true), Cancel ends the process (false).
  virtual bool SetupWarning(const std::string& text) = 0;
};

// Access masks of the series routines.
inline constexpr int kAccessRead = 1;   // KEY_QUERY_VALUE
inline constexpr int kAccessWrite = 2;  // KEY_SET_VALUE
inline constexpr int kAccessAll = 983103;  // KEY_ALL_ACCESS
inline constexpr int kAccessReadEnumerate = 0x20019;  // KEY_READ

class Settings {
 public:
  Settings(SettingsStore& store, SettingsUi& ui);

  // Opens the user key without creating it; reports "Couldn't open Framelark registry key.".
  bool OpenSettingsKey(int access);
  // Opens any key for a series; reportFailure shows the same message on failure.
  bool OpenKeyAt(RootKey root, const std::string& path, int access, bool create, bool reportFailure);
  bool isOpen() const { return open_; }
  int ReadSetting(const std::string& name, int def);
  bool ReadSetting(const std::string& name, bool def);
  OleDate ReadSetting(const std::string& name, OleDate def);
  std::string ReadSetting(const std::string& name, const std::string& def);
  std::string ReadSetting(const std::string& name, const char* def) { return ReadSetting(name, std::string(def)); }
  void WriteSetting(const std::string& name, int value);
  void WriteSetting(const std::string& name, bool value);
  void WriteSetting(const std::string& name, OleDate value);
  void WriteSetting(const std::string& name, const std::string& value);
  void WriteSetting(const std::string& name, const char* value) { WriteSetting(name, std::string(value)); }
  // Closes a read series ("CloseSeries" read) and releases the key.
  void EndReadSeries();
  // Closes a write series ("CloseSeries" write) and releases the key.
  void EndWriteSeries();
  bool ValueExists(const std::string& name) { return open_ && store_.GetValue(key_, name).has_value(); }
  // Writes a value of any type in the current series (counted like WriteSetting).
  void WriteRaw(const std::string& name, const RegValue& value);

  // One value, in a series of its own.
  template <typename T>
  T ReadSingleSetting(const std::string& name, T def) {
    if (!OpenSettingsKey(kAccessRead)) return def;
    T v = ReadSetting(name, def);
    EndReadSeries();
    return v;
  }
  std::string ReadSingleSetting(const std::string& name, const char* def) {
    return ReadSingleSetting(name, std::string(def));
  }
  // One value in a series of its own, with the read default the settings
  // table gives it (0, false or "" for a name the table does not hold).
  int ReadSingleInt(const std::string& name);
  bool ReadSingleBool(const std::string& name);
  std::string ReadSingleString(const std::string& name) { return ReadSingleSetting(name, std::string()); }
  template <typename T>
  void WriteSingleSetting(const std::string& name, T value) {
    if (!OpenSettingsKey(kAccessWrite)) return;
    WriteSetting(name, value);
    // A failed single write is reported by the next closing of a write series.
    EndReadSeries();
  }

  SettingsStore& store() { return store_; }
  SettingsUi& ui() { return ui_; }
  RootKey root() const { return root_; }
  int readFailures() const { return readFailures_; }
  int writeFailures() const { return writeFailures_; }

 private:
  bool ReadValue(const std::string& name, RegType want, size_t size, RegValue* out);
  void ReadFailed(const std::string& name);
  void Reopen();
  void CloseKey();
  void CloseReadSeries();
  void CloseWriteSeries();
  std::string FailureDetails(const std::string& name) const;
  static RegValue Encode(int v);
  static RegValue Encode(bool v);
  static RegValue Encode(OleDate v);
  static RegValue Encode(const std::string& v);

  SettingsStore& store_;
  SettingsUi& ui_;
  RootKey root_ = RootKey::CurrentUser;
  std::string path_;
  int access_ = 0;
  int key_ = 0;
  bool open_ = false;
  int readFailures_ = 0, writeFailures_ = 0;
  std::string lastReadFailure_, lastWriteFailure_;
  template <typename T>
  T ReadTyped(const std::string& name, T def);
  template <typename T>
  void WriteTyped(const std::string& name, const T& value);
};

std::string RootKeyName(RootKey root);

// The process's settings object (registry-backed in the program).
Settings& AppSettings();
void SetAppSettings(Settings* settings);

}  // namespace flk
