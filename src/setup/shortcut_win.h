// Shell links and the special folders they go into.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <optional>
#include <string>

namespace flk {

// CreateShortcut: a shell link at `link` to `target`, with the hot key when its
// low 16 bits are not 0. With warn, each failure is shown ("Framelark Warning").
bool CreateShortcut(const std::string& link, const std::string& target, int hotKey, bool warn);

// A special folder (CSIDL_...) without a trailing backslash; nothing when the system has none.
std::optional<std::string> SpecialFolder(int csidl);

// COM for the life of a role's form.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

}  // namespace flk
