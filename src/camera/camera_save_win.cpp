#include "camera/camera_save_win.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "camera/camera_win.h"
#include "output/file_formats.h"
#include "output/format_chooser_win.h"
#include "shell/app_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "shell/names.h"

namespace flk {

std::string CameraSaveServices::ReadSaveToFileName() {
  return AppSettings().ReadSingleSetting("SaveToFileName", std::string());
}

void CameraSaveServices::WriteSaveToFileName(const std::string& name) {
  AppSettings().WriteSingleSetting("SaveToFileName", name);
}

bool CameraSaveServices::ReadNsaSaveAsFormat() { return AppSettings().ReadSingleSetting("NsaSaveAsFormat", false); }

void CameraSaveServices::ReportFolderNotCreated(const std::string& folder) {
  failed_ = true;
  MessageBoxText(owner_, kCouldntCreateDirectory + folder, kSaveFileErrorCaption, MB_OKCANCEL | MB_ICONWARNING);
}

void CameraSaveServices::ReportSaveFailed(const std::string& text, const SaveError& error) {
  failed_ = true;
  std::string message = text;
  if (!error.message.empty()) message += "\r\n" + error.message;
  MessageBoxText(owner_, message, kSaveFileErrorCaption, MB_OK | MB_ICONWARNING);
}

void CameraSaveServices::ShowSaved(const std::string& fileName) {
  if (Camera()) Camera()->SetStatus(SavedText(fileName));
}

std::optional<int> CameraSaveServices::ChooseFormat(const std::string& rememberedName) {
  return ShowFormatChooser(owner_, rememberedName);
}

std::optional<SaveServices::DialogResult> CameraSaveServices::ShowSaveDialog(const std::string& name,
                                                                             const std::string& folder,
                                                                             int filterIndex, bool* failed) {
  *failed = false;
  static const wchar_t kFilter[] =
      L"All (*.*)\0*.*\0Bitmap (*.bmp)\0*.bmp\0GIF ImageFile (*.gif)\0*.gif\0JPEG ImageFile (*.jpg)\0*.jpg\0"
      L"PNG ImageFile (*.png)\0*.png\0";
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring wname = win::Widen(name);
  std::copy_n(wname.begin(), std::min(wname.size(), file.size() - 1), file.begin());
  std::wstring wfolder = win::Widen(folder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = DWORD(filterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrInitialDir = wfolder.empty() ? nullptr : wfolder.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn)) {
    *failed = ::CommDlgExtendedError() != 0;
    return std::nullopt;
  }
  return DialogResult{win::Narrow(file.data()), int(ofn.nFilterIndex)};
}

bool CameraSaveServices::AskSelectFormat() {
  return MessageBoxText(owner_, kSelectFormatText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool CameraSaveServices::AskNameNotSaved() {
  return MessageBoxText(owner_, kNameNotSavedText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

std::string CameraSaveServices::DefaultSaveFolder() {
  for (const char* folder : {"C:\\My Documents\\My Pictures", "C:\\My Documents"}) {
    DWORD a = ::GetFileAttributesA(folder);
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return folder;
  }
  std::string captures = BaseFolder() + "Captures";
  ::CreateDirectoryW(win::Widen(captures).c_str(), nullptr);
  return captures;
}

std::string CameraSaveServices::PictureFoldersRoot() { return Camera() ? BaseFolder() + "Folders\\" : std::string(); }

void CameraSaveServices::NotifyViewerFoldersChanged() {
  if (HWND viewer = ::FindWindowA(kViewerClass, kViewerCaption))
    ::PostMessageA(viewer, kWmViewerNotify, WPARAM(INT_PTR(-2)), 0);
}

bool CameraSaveServices::PutTextOnClipboard(const std::string& text) {
  std::wstring w = win::Widen(text);
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
  if (!mem) return false;
  if (auto* p = static_cast<wchar_t*>(::GlobalLock(mem))) {
    std::copy(w.begin(), w.end(), p);
    p[w.size()] = L'\0';
    ::GlobalUnlock(mem);
  }
  if (!::OpenClipboard(owner_)) {
    ::GlobalFree(mem);
    return false;
  }
  ::EmptyClipboard();
  bool ok = ::SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  ::CloseClipboard();
  if (!ok) ::GlobalFree(mem);
  return ok;
}

void CameraSaveServices::ShowInformation(const std::string& text) {
  MessageBoxText(owner_, text, kProgramName, MB_OK | MB_ICONINFORMATION);
}

}  // namespace flk
