// The settings store on the Windows registry.
#pragma once

#include <windows.h>

#include <map>

#include "shell/settings.h"
#include "win32/unique_handle.h"

namespace flk {

class RegistrySettingsStore : public SettingsStore {
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

  static HKEY RootHandle(RootKey root);

 private:
  HKEY Find(int key) const;
  std::map<int, win::UniqueKey> keys_;
  int next_ = 1;
};

}  // namespace flk
