#include "shell/registry_store_win.h"

#include <windows.h>

#include <map>

#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

using win::Narrow;
using win::Widen;

HKEY RootHandle(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::CurrentUser: return HKEY_CURRENT_USER;
    case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::Users: return HKEY_USERS;
    case RootKey::PerformanceData: return HKEY_PERFORMANCE_DATA;
    case RootKey::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RootKey::DynData: return HKEY_DYN_DATA;
  }
  return HKEY_CURRENT_USER;
}

// Every name RegEnumValueW or RegEnumKeyExW gives for the key, in its order;
// `longest` is the longest name the registry allows there.
template <DWORD longest, class Enumerate>
std::vector<std::string> EnumeratedNames(HKEY h, Enumerate enumerate) {
  std::vector<std::string> out;
  if (!h) return out;
  std::wstring name(longest, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD len = longest;
    if (enumerate(h, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out.push_back(Narrow(name.substr(0, len)));
  }
  return out;
}

// Keys are handed out as small numbers; each holds its open registry key.
class RegistryStore : public SettingsStore {
 public:
  bool KeyExists(RootKey root, const std::string& path) override {
    win::UniqueKey k;
    return ::RegOpenKeyExW(RootHandle(root), Widen(path).c_str(), 0, KEY_QUERY_VALUE, k.put()) == ERROR_SUCCESS;
  }

  int OpenKey(RootKey root, const std::string& path, int access, bool create) override {
    win::UniqueKey k;
    LONG rc;
    if (create)
      rc = ::RegCreateKeyExW(RootHandle(root), Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             REGSAM(access), nullptr, k.put(), nullptr);
    else
      rc = ::RegOpenKeyExW(RootHandle(root), Widen(path).c_str(), 0, REGSAM(access), k.put());
    if (rc != ERROR_SUCCESS) {
      ::SetLastError(DWORD(rc));
      return 0;
    }
    int id = next_++;
    keys_[id] = std::move(k);
    return id;
  }

  void CloseKey(int key) override { keys_.erase(key); }

  std::optional<RegValue> GetValue(int key, const std::string& name) override {
    HKEY h = Find(key);
    if (!h) return std::nullopt;
    std::wstring wname = Widen(name);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(h, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<uint8_t> data(size);
    if (size && ::RegQueryValueExW(h, wname.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
      return std::nullopt;
    data.resize(size);
    RegValue v;
    switch (type) {
      case REG_DWORD: v.type = RegType::Dword; break;
      case REG_BINARY: v.type = RegType::Binary; break;
      case REG_SZ: v.type = RegType::String; break;
      case REG_EXPAND_SZ: v.type = RegType::ExpandString; break;
      default: v.type = RegType::Other; break;
    }
    if (v.type == RegType::String || v.type == RegType::ExpandString) {
      std::wstring w(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
      while (!w.empty() && w.back() == L'\0') w.pop_back();
      std::string s = Narrow(w);
      v.data.assign(s.begin(), s.end());
    } else {
      v.data = std::move(data);
    }
    return v;
  }

  bool SetValue(int key, const std::string& name, const RegValue& value) override {
    HKEY h = Find(key);
    if (!h) return false;
    std::wstring wname = Widen(name);
    LONG rc;
    switch (value.type) {
      case RegType::String:
      case RegType::ExpandString: {
        std::wstring w = Widen(std::string(value.data.begin(), value.data.end()));
        rc = ::RegSetValueExW(h, wname.c_str(), 0, value.type == RegType::String ? REG_SZ : REG_EXPAND_SZ,
                              reinterpret_cast<const BYTE*>(w.c_str()), DWORD((w.size() + 1) * sizeof(wchar_t)));
        break;
      }
      case RegType::Dword:
        rc = ::RegSetValueExW(h, wname.c_str(), 0, REG_DWORD, value.data.data(), DWORD(value.data.size()));
        break;
      case RegType::Binary:
        rc = ::RegSetValueExW(h, wname.c_str(), 0, REG_BINARY, value.data.data(), DWORD(value.data.size()));
        break;
      default: return false;
    }
    if (rc != ERROR_SUCCESS) ::SetLastError(DWORD(rc));
    return rc == ERROR_SUCCESS;
  }

  std::vector<std::string> ValueNames(int key) override {
    return EnumeratedNames<16384>(Find(key), ::RegEnumValueW);
  }

  std::vector<std::string> SubkeyNames(int key) override {
    return EnumeratedNames<256>(Find(key), ::RegEnumKeyExW);
  }

  bool DeleteKeyTree(RootKey root, const std::string& path) override {
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    std::wstring w = Widen(path);
    if (::RegDeleteTreeW(RootHandle(root), w.c_str()) != ERROR_SUCCESS) return false;
    LONG rc = ::RegDeleteKeyW(RootHandle(root), w.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
  }

  bool DeleteValue(int key, const std::string& name) override {
    HKEY h = Find(key);
    return h && ::RegDeleteValueW(h, Widen(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY Find(int key) const {
    auto it = keys_.find(key);
    return it == keys_.end() ? nullptr : it->second.get();
  }

  std::map<int, win::UniqueKey> keys_;
  int next_ = 1;
};

}  // namespace

std::unique_ptr<SettingsStore> MakeRegistryStore() { return std::make_unique<RegistryStore>(); }

}  // namespace flk
