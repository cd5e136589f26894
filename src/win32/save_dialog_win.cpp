#include "win32/save_dialog_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "win32/window.h"

namespace flk::win {

std::wstring DialogFilterList(const std::string& filter) {
  std::wstring list = Widen(filter);
  for (wchar_t& c : list)
    if (c == L'|') c = L'\0';
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

std::optional<SaveDialogChoice> AskSaveFileName(HWND owner, const SaveDialogRequest& request, DWORD* error) {
  std::wstring filter = DialogFilterList(request.filter);
  std::wstring initialDir = Widen(request.initialDir);
  std::wstring title = Widen(request.title);
  // Room for any path the dialog may return.
  std::vector<wchar_t> name(32768, L'\0');
  std::wstring proposed = Widen(request.fileName);
  std::copy_n(proposed.begin(), std::min(proposed.size(), name.size() - 1), name.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = DWORD(request.filterIndex > 0 ? request.filterIndex : 1);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = DWORD(name.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn)) {
    if (error) *error = ::CommDlgExtendedError();
    return std::nullopt;
  }
  if (error) *error = 0;
  return SaveDialogChoice{Narrow(name.data()), int(ofn.nFilterIndex)};
}

}  // namespace flk::win
