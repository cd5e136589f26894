#include "output/picture_outputs_win.h"

#include "base/pixel_format.h"
#include "output/clipboard_win.h"
#include "output/editor_win.h"
#include "output/file_formats.h"
#include "output/format_chooser_win.h"
#include "output/format_form_win.h"
#include "output/output_session_win.h"
#include "output/print_win.h"
#include "output/viewer_notify_win.h"
#include "shell/app_win.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/file_depth.h"
#include "shell/names.h"
#include "win32/background_win.h"
#include "win32/clipboard_win.h"
#include "win32/files_win.h"
#include "win32/save_dialog_win.h"
#include "win32/screen_win.h"
#include "win32/window.h"

namespace flk {

void ShowStillSaving(HWND owner) { MessageBoxText(owner, kStillSavingText, kProgramName, MB_OK | MB_ICONINFORMATION); }

bool RunPictureOutput(PictureOutput output, const Picture& picture, const OutputCaller& role) {
  OutputSession thisCallOnly;
  OutputCaller caller = role;
  if (!caller.session) caller.session = &thisCallOnly;
  OutputSession& kept = *caller.session;
  if (caller.gate && caller.gate->Refuses(CommandKind::kPicture)) {
    ShowStillSaving(caller.owner);
    return false;
  }
  std::optional<Picture> atDepth;
  if (OutputWritesFile(output)) {
    atDepth = picture;
    std::string error;
    if (!ApplyFileDepth(*atDepth, caller.settingsOrRole(), win::ScreenBitsPerPixel(), &error)) {
      ShowWarning("The picture could not be converted to the colour depth chosen for files." +
                  (error.empty() ? std::string() : "\r\n" + error));
      return false;
    }
  }
  const Picture& p = atDepth ? *atDepth : picture;
  switch (output) {
    case PictureOutput::Print:
    case PictureOutput::PrintFit: {
      PrintedPage printed;
      if (!PrintPicture(p, output == PictureOutput::PrintFit, caller.common, caller.owner, &printed)) return false;
      kept.lastPrint = printed;
      return true;
    }
    case PictureOutput::Copy:
      if (!CopyToClipboard(p, caller.owner)) return false;
      if (caller.status) caller.status(kCopiedToClipboardText);
      return true;
    case PictureOutput::Edit: return OpenInEditor(p, kept.editor);
    case PictureOutput::Email:
      return SendPictureByEmail(p, caller.mailOwner ? caller.mailOwner : caller.owner, caller.email, kept.emailForm);
    case PictureOutput::SaveAs:
    case PictureOutput::SaveSamePlusOne:
    case PictureOutput::EmailAttachment: {
      OutputServices services(caller);
      if (output == PictureOutput::SaveAs) SaveAs(p, services);
      else if (output == PictureOutput::SaveSamePlusOne) SaveSameNamePlusOne(p, services);
      else MakeEmailAttachment(p, ProgramFolder(), services);
      return !services.failed();
    }
  }
  return false;
}

std::string OutputServices::ReadSaveToFileName() {
  return settings().ReadSingleString("SaveToFileName");
}

void OutputServices::WriteSaveToFileName(const std::string& name) {
  settings().WriteSingleSetting("SaveToFileName", name);
}

bool OutputServices::ReadNsaSaveAsFormat() { return settings().ReadSingleBool("NsaSaveAsFormat"); }

void OutputServices::ReportFolderNotCreated(const std::string& folder) {
  failed_ = true;
  MessageBoxText(caller_.owner, kCouldntCreateDirectory + folder, kSaveFileErrorCaption, MB_OKCANCEL | MB_ICONWARNING);
}

void OutputServices::ReportSaveFailed(const std::string& text, const SaveError& error) {
  failed_ = true;
  std::string message = text;
  if (!error.message.empty()) message += "\r\n" + error.message;
  MessageBoxText(caller_.owner, message, kSaveFileErrorCaption, MB_OK | MB_ICONWARNING);
}

void OutputServices::ShowSaved(const std::string& fileName) {
  if (caller_.status) caller_.status(SavedText(fileName));
}

std::optional<int> OutputServices::ChooseFormat(const std::string& rememberedName) {
  if (caller_.session) return ShowFormatChooser(caller_.owner, rememberedName, caller_.session->formatChooser);
  std::unique_ptr<TfrmGrFormat> thisCallOnly;
  return ShowFormatChooser(caller_.owner, rememberedName, thisCallOnly);
}

std::optional<SaveServices::DialogResult> OutputServices::ShowSaveDialog(const std::string& name,
                                                                             const std::string& folder,
                                                                             int filterIndex, bool* failed) {
  win::SaveDialogRequest request{name, folder, kSaveDialogFilter, filterIndex, {}};
  DWORD error = 0;
  std::optional<win::SaveDialogChoice> choice = win::AskSaveFileName(caller_.owner, request, &error);
  *failed = !choice && error != 0;
  if (!choice) return std::nullopt;
  return DialogResult{choice->fileName, choice->filterIndex};
}

bool OutputServices::AskSelectFormat() {
  return MessageBoxText(caller_.owner, kSelectFormatText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool OutputServices::AskNameNotSaved() {
  return MessageBoxText(caller_.owner, kNameNotSavedText, "Framelark", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

std::string OutputServices::DefaultSaveFolder() {
  for (const char* folder : {"C:\\My Documents\\My Pictures", "C:\\My Documents"})
    if (win::DirectoryExists(folder)) return folder;
  std::string captures = CapturesFolderOf(BaseFolder());
  CreateFolderChain(captures);
  return captures;
}

std::string OutputServices::PictureFoldersRoot() { return caller_.foldersRoot; }

void OutputServices::NotifyViewerFoldersChanged() { NotifyViewer(ViewerNotice::FoldersChanged); }

bool OutputServices::PutTextOnClipboard(const std::string& text) { return win::PutClipboardText(caller_.owner, text); }

void OutputServices::ShowInformation(const std::string& text) {
  MessageBoxText(caller_.owner, text, kProgramName, MB_OK | MB_ICONINFORMATION);
}

bool OutputServices::WritePicture(const std::string& fileName, int formatIndex, const Picture& picture,
                                  SaveError* error) {
  if (!SavesInBackground(picture.width(), picture.height()))
    return SaveServices::WritePicture(fileName, formatIndex, picture, error);
  SaveGate::Hold hold(caller_.gate);
  SaveProgress progress;
  std::string shown;
  auto showProgress = [&] {
    std::string text = SavingText(fileName, progress.permille());
    if (text != shown && caller_.status && ::IsWindow(caller_.owner)) caller_.status(text);
    shown = text;
  };
  showProgress();
  bool ok = false;
  SaveError workError;
  win::RunWhileWorking(
      [&] {
        try {
          ok = WritePictureFile(PathFromUtf8(fileName), formatIndex, picture, &workError, &progress);
        } catch (const std::bad_alloc&) {
          ok = false;
          workError = SaveError{kErrorOutOfMemory, "Not enough memory to save the picture", 0};
        }
      },
      showProgress, kSaveProgressTickMs);
  if (!ok && error) *error = workError;
  return ok;
}

}  // namespace flk
