#include "output/store_file_system_win.h"

#include <windows.h>

#include <cerrno>

#include "base/bmp.h"
#include "base/strings.h"
#include "output/save_file.h"
#include "shell/common_services_win.h"
#include "win32/files_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

std::vector<std::string> WinStoreFileSystem::ListNormalFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const win::FoundFile& f : win::FindFiles(dir + "*.*"))
    if (!f.directory && !f.hiddenOrSystem) names.push_back(f.name);
  return names;
}

bool WriteBmpFile(const std::string& path, const Picture& picture, SaveError* error) {
  SaveError ignored;
  return WriteFileAtomically(
      PathFromUtf8(path),
      [&](std::FILE* f, SaveError* e) {
        errno = 0;
        ::SetLastError(0);
        if (WriteBmp(picture, f)) return true;
        // The C library's errno is vague here (EINVAL for a full disk under
        // Wine); the system's own code names the cause.
        const DWORD code = ::GetLastError();
        StreamFailure(e, kErrorWrite, "Cannot write file " + path);
        const std::string text = code ? TrimLineEnd(SystemErrorText(code)) : std::string();
        if (e && !text.empty()) e->message = "Cannot write file " + path + " (" + text + ")";
        return false;
      },
      error ? error : &ignored);
}

}  // namespace flk
