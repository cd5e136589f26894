#include "camera/camera_save_win.h"

#include <windows.h>


#include "output/viewer_notify_win.h"
#include "output/file_formats.h"
#include "output/format_chooser_win.h"
#include "shell/app_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "win32/clipboard_win.h"
#include "win32/files_win.h"
#include "win32/save_dialog_win.h"
#include "win32/window.h"

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
  if (status_) status_(SavedText(fileName));
}

std::optional<int> CameraSaveServices::ChooseFormat(const std::string& rememberedName) {
  return ShowFormatChooser(owner_, rememberedName);
}

std::optional<SaveServices::DialogResult> CameraSaveServices::ShowSaveDialog(const std::string& name,
                                                                             const std::string& folder,
                                                                             int filterIndex, bool* failed) {
  win::SaveDialogRequest request{name, folder, kSaveDialogFilter, filterIndex, {}};
  DWORD error = 0;
  std::optional<win::SaveDialogChoice> choice = win::AskSaveFileName(owner_, request, &error);
  *failed = !choice && error != 0;
  if (!choice) return std::nullopt;
  return DialogResult{choice->fileName, choice->filterIndex};
}

bool CameraSaveServices::AskSelectFormat() {
  return MessageBoxText(owner_, kSelectFormatText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool CameraSaveServices::AskNameNotSaved() {
  return MessageBoxText(owner_, kNameNotSavedText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

std::string CameraSaveServices::DefaultSaveFolder() {
  for (const char* folder : {"C:\\My Documents\\My Pictures", "C:\\My Documents"})
    if (win::DirectoryExists(folder)) return folder;
  std::string captures = BaseFolder() + "Captures";
  ::CreateDirectoryW(win::Widen(captures).c_str(), nullptr);
  return captures;
}

std::string CameraSaveServices::PictureFoldersRoot() { return foldersRoot_; }

void CameraSaveServices::NotifyViewerFoldersChanged() { NotifyViewer(ViewerNotice::FoldersChanged); }

bool CameraSaveServices::PutTextOnClipboard(const std::string& text) { return win::PutClipboardText(owner_, text); }

void CameraSaveServices::ShowInformation(const std::string& text) {
  MessageBoxText(owner_, text, kProgramName, MB_OK | MB_ICONINFORMATION);
}

}  // namespace flk
