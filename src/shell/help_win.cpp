#include "shell/help_win.h"

#include <shlobj.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

#include "base/atomic_file.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/help.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

std::string LocalAppData() {
  PWSTR path = nullptr;
  const bool found = SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path));
  win::UniqueCoTaskMem owner(path);
  return found && path ? win::Narrow(path) : std::string();
}

std::string TempFolder() {
  wchar_t buf[MAX_PATH + 1];
  DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
  return n && n <= MAX_PATH ? win::Narrow(std::wstring(buf, n)) : std::string();
}

// The page as the program file carries it (RCDATA).
std::string_view BuiltIn(int resourceId) {
  HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return {};
  HGLOBAL data = ::LoadResource(nullptr, res);  // resources need no freeing
  const void* bytes = data ? ::LockResource(data) : nullptr;
  return bytes ? std::string_view(static_cast<const char*>(bytes), ::SizeofResource(nullptr, res)) : std::string_view();
}

std::optional<std::string> OnDisk(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Brings the folder up to the program's pages; false (with the path that
// failed) when one cannot be written.
bool WritePages(const std::string& folder, std::string* failedPath) {
  if (!CreateFolderChain(folder)) {
    *failedPath = folder;
    return false;
  }
  for (const HelpFile& f : HelpFiles()) {
    std::string path = folder + f.name;
    std::string_view page = BuiltIn(f.resourceId);
    if (page.empty()) {
      ::SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      *failedPath = path;
      return false;
    }
    if (!HelpFileNeedsWrite(OnDisk(path), page)) continue;
    bool ok = win::WriteFileAtomic(
        path, [&](std::FILE* out) { return std::fwrite(page.data(), 1, page.size(), out) == page.size(); });
    if (!ok) {
      *failedPath = path;
      return false;
    }
  }
  return true;
}

void ReportFailure(HWND owner, const std::string& path, DWORD code) {
  MessageBoxText(owner, HelpOpenFailedText(path, code, code ? SystemErrorText(code) : std::string()), kHelpCaption,
                 MB_OK | MB_ICONWARNING);
}

// No program opened the page: say so and offer its folder.
void ReportNotOpened(HWND owner, const std::string& folder, const std::string& page, DWORD code) {
  std::string text = HelpOpenFailedText(folder + page, code, code ? SystemErrorText(code, page) : std::string(), true);
  if (MessageBoxText(owner, text, kHelpCaption, MB_YESNO | MB_ICONWARNING) == IDYES) win::ShellOpen(owner, folder);
}

}  // namespace

std::string UserHelpFolder() { return HelpFolder(LocalAppData(), TempFolder()); }

void ShowHelp(HWND owner, int helpContext) {
  std::string folder = UserHelpFolder();
  std::string failed;
  ::SetLastError(0);
  if (!WritePages(folder, &failed)) {
    ReportFailure(owner, failed, ::GetLastError());
    return;
  }
  const std::string page = HelpPageForContext(helpContext).name;
  if (!win::ShellOpen(owner, folder + page)) ReportNotOpened(owner, folder, page, ::GetLastError());
}

std::function<bool(const MSG&)> DialogKeys(HWND window, int helpContext, std::function<void()> onEscape) {
  return [window, helpContext, onEscape = std::move(onEscape)](const MSG& m) {
    if (m.message != WM_KEYDOWN || (m.hwnd != window && !::IsChild(window, m.hwnd))) return false;
    if (m.wParam == VK_F1) {
      ShowHelp(window, helpContext);
      return true;
    }
    if (m.wParam == VK_ESCAPE && onEscape) {
      onEscape();
      return true;
    }
    return false;
  };
}

}  // namespace flk
