#include "setup/shortcut_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "shell/common_services_win.h"
#include "win32/window.h"

namespace flk {

namespace {
// Releases a COM interface at scope end.
template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};
}  // namespace

bool CreateShortcut(const std::string& link, const std::string& target, int hotKey, bool warn) {
  auto fail = [&](const std::string& text) {
    if (warn) ShowWarning(text, "Framelark Warning");
    return false;
  };
  ComPtr<IShellLinkW> shell;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell.p))))
    return fail("Couldn't create shortcut at " + link);
  if (FAILED(shell->SetPath(win::Widen(target).c_str()))) return fail("Couldn't create shortcut to " + target);
  if ((hotKey & 0xFFFF) != 0 && FAILED(shell->SetHotkey(WORD(hotKey & 0xFFFF))))
    return fail("Couldn't create HotKey for " + std::to_string(hotKey));
  ComPtr<IPersistFile> file;
  if (FAILED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))))
    return fail("Couldn't create shortcut at " + link);
  if (FAILED(file->Save(win::Widen(link).c_str(), TRUE))) return fail("Couldn't create shortcut at " + link);
  return true;
}

std::optional<std::string> SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return std::nullopt;
  std::string s = win::Narrow(path);
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

}  // namespace flk
