// A settings store held in memory with the registry's semantics (keys by
// root and path, typed values), for tests and as a stand-in where no registry
// exists.
#pragma once

#include <map>
#include <set>

#include "shell/settings.h"

namespace flk {

class InMemorySettingsStore : public SettingsStore {
 public:
  bool KeyExists(RootKey root, const std::string& path) override;
  int OpenKey(RootKey root, const std::string& path, int access, bool create) override;
  void CloseKey(int key) override;
  std::optional<RegValue> GetValue(int key, const std::string& name) override;
  bool SetValue(int key, const std::string& name, const RegValue& value) override;
  std::vector<std::string> ValueNames(int key) override;
  std::vector<std::string> SubkeyNames(int key) override;
  bool DeleteKeyTree(RootKey root, const std::string& path) override;
  bool DeleteValue(int key, const std::string& name) override;

  // Test helpers.
  void Put(RootKey root, const std::string& path, const std::string& name, const RegValue& v);
  std::optional<RegValue> Get(RootKey root, const std::string& path, const std::string& name) const;
  void CreateKey(RootKey root, const std::string& path);
  // Makes every write to this key fail (a read-only key).
  void SetReadOnly(RootKey root, const std::string& path, bool readOnly);
  int openKeys() const { return int(open_.size()); }

 private:
  using KeyName = std::pair<RootKey, std::string>;  // path in lower case
  static KeyName Name(RootKey root, const std::string& path);
  struct Handle {
    KeyName key;
    int access;
  };
  std::map<KeyName, std::map<std::string, RegValue>> keys_;
  std::set<KeyName> readOnly_;
  std::map<int, Handle> open_;
  int next_ = 1;
};

}  // namespace flk
