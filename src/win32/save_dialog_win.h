// The system's save dialog, used by every save of the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace flk::win {

struct SaveDialogRequest {
  std::string fileName;    // proposed name (may include a folder)
  std::string initialDir;  // folder shown first (empty: the system's choice)
  std::string filter;      // "Text|pattern|Text|pattern", as the format table keeps it
  int filterIndex = 1;     // 1-based
  std::string title;       // empty: the system's caption
};

struct SaveDialogChoice {
  std::string fileName;  // the chosen full path
  int filterIndex = 1;
};

// Nothing when the user cancelled or the dialog failed; *error then holds the
// common-dialog error code (0 for a cancel). The process's current folder is
// left as it was.
std::optional<SaveDialogChoice> AskSaveFileName(HWND owner, const SaveDialogRequest& request, DWORD* error = nullptr);

// "A|a|B|b" to the system's list of zero-terminated pairs ending in two zeros.
std::wstring DialogFilterList(const std::string& filter);

}  // namespace flk::win
