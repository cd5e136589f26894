#include "shell/memory_store.h"

#include <algorithm>
#include <cctype>

#include "base/strings.h"

namespace flk {

InMemorySettingsStore::KeyName InMemorySettingsStore::Name(RootKey root, const std::string& path) {
  std::string p = AsciiLower(path);
  while (!p.empty() && p.front() == '\\') p.erase(p.begin());
  return {root, p};
}

bool InMemorySettingsStore::KeyExists(RootKey root, const std::string& path) {
  return keys_.count(Name(root, path)) != 0;
}

void InMemorySettingsStore::CreateKey(RootKey root, const std::string& path) {
  // Like the registry, creating a key creates its parents.
  KeyName k = Name(root, path);
  for (size_t pos = 0;;) {
    size_t slash = k.second.find('\\', pos);
    keys_[{root, k.second.substr(0, slash)}];
    if (slash == std::string::npos) break;
    pos = slash + 1;
  }
}

int InMemorySettingsStore::OpenKey(RootKey root, const std::string& path, int access, bool create) {
  KeyName k = Name(root, path);
  if (!keys_.count(k)) {
    if (!create || readOnly_.count(k)) return 0;
    CreateKey(root, path);
  }
  int id = next_++;
  open_[id] = Handle{k, access};
  return id;
}

void InMemorySettingsStore::CloseKey(int key) { open_.erase(key); }

std::optional<RegValue> InMemorySettingsStore::GetValue(int key, const std::string& name) {
  auto h = open_.find(key);
  if (h == open_.end()) return std::nullopt;
  auto k = keys_.find(h->second.key);
  if (k == keys_.end()) return std::nullopt;
  // Names are found in any case, as in the registry; the exact spelling first.
  if (auto exact = k->second.find(name); exact != k->second.end()) return exact->second;
  for (auto& [n, v] : k->second)
    if (EqualsNoCase(n, name)) return v;
  return std::nullopt;
}

bool InMemorySettingsStore::SetValue(int key, const std::string& name, const RegValue& value) {
  auto h = open_.find(key);
  if (h == open_.end() || readOnly_.count(h->second.key)) return false;
  // A key opened for queries only cannot be written, as in the registry.
  if (h->second.access == 1) return false;
  auto k = keys_.find(h->second.key);
  if (k == keys_.end()) return false;
  for (auto& [n, v] : k->second)
    if (EqualsNoCase(n, name)) {
      v = value;
      return true;
    }
  k->second[name] = value;
  return true;
}

bool InMemorySettingsStore::DeleteValue(int key, const std::string& name) {
  auto h = open_.find(key);
  if (h == open_.end()) return false;
  auto k = keys_.find(h->second.key);
  if (k == keys_.end()) return false;
  for (auto it = k->second.begin(); it != k->second.end(); ++it)
    if (EqualsNoCase(it->first, name)) {
      k->second.erase(it);
      return true;
    }
  return false;
}

std::vector<std::string> InMemorySettingsStore::ValueNames(int key) {
  std::vector<std::string> out;
  auto h = open_.find(key);
  if (h == open_.end()) return out;
  auto k = keys_.find(h->second.key);
  if (k == keys_.end()) return out;
  for (auto& [n, v] : k->second) out.push_back(n);
  return out;
}

std::vector<std::string> InMemorySettingsStore::SubkeyNames(int key) {
  std::vector<std::string> out;
  auto h = open_.find(key);
  if (h == open_.end()) return out;
  const KeyName& parent = h->second.key;
  std::string prefix = parent.second + "\\";
  for (auto& [k, v] : keys_) {
    if (k.first != parent.first || k.second.rfind(prefix, 0) != 0) continue;
    std::string rest = k.second.substr(prefix.size());
    if (!rest.empty() && rest.find('\\') == std::string::npos) out.push_back(rest);
  }
  return out;
}

bool InMemorySettingsStore::DeleteKeyTree(RootKey root, const std::string& path) {
  KeyName k = Name(root, path);
  bool any = false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first.first == root && (it->first.second == k.second || it->first.second.rfind(k.second + "\\", 0) == 0)) {
      it = keys_.erase(it);
      any = true;
    } else {
      ++it;
    }
  }
  return any;
}

void InMemorySettingsStore::Put(RootKey root, const std::string& path, const std::string& name, const RegValue& v) {
  CreateKey(root, path);
  // One value per name in any case, as in the registry.
  auto& values = keys_[Name(root, path)];
  std::erase_if(values, [&name](const auto& entry) { return EqualsNoCase(entry.first, name); });
  values[name] = v;
}

std::optional<RegValue> InMemorySettingsStore::Get(RootKey root, const std::string& path,
                                                   const std::string& name) const {
  auto k = keys_.find(Name(root, path));
  if (k == keys_.end()) return std::nullopt;
  for (auto& [n, v] : k->second)
    if (EqualsNoCase(n, name)) return v;
  return std::nullopt;
}

void InMemorySettingsStore::SetReadOnly(RootKey root, const std::string& path, bool ro) {
  if (ro)
    readOnly_.insert(Name(root, path));
  else
    readOnly_.erase(Name(root, path));
}

}  // namespace flk
