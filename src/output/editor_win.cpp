#include "output/editor_win.h"


#include "output/save_file.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/settings.h"
#include "shell/tip_box_win.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

// SaveBitmapToFile reports its failures through these; the editor needs no
// dialogs, clipboard or viewer notice of its own.
class EditorSaveServices : public SaveServices {
 public:
  std::string ReadSaveToFileName() override { return std::string(); }
  void WriteSaveToFileName(const std::string&) override {}
  bool ReadNsaSaveAsFormat() override { return true; }
  void ReportFolderNotCreated(const std::string& folder) override {
    MessageBoxText(nullptr, "Couldn't create directory " + folder, "Save File Error", MB_OKCANCEL | MB_ICONWARNING);
  }
  // The failing file call has left its code for the warning to explain.
  void ReportSaveFailed(const std::string& text, const SaveError& error) override {
    // The writer's reason names the cause (a full disk...); a stale system code would not.
    ::SetLastError(0);
    ShowWarning(error.message.empty() ? text : text + "\r\n" + error.message, "Save File Error");
  }
  void ShowSaved(const std::string&) override {}
  std::optional<int> ChooseFormat(const std::string&) override { return std::nullopt; }
  std::optional<DialogResult> ShowSaveDialog(const std::string&, const std::string&, int, bool*) override {
    return std::nullopt;
  }
  bool AskSelectFormat() override { return false; }
  bool AskNameNotSaved() override { return false; }
  std::string DefaultSaveFolder() override { return std::string(); }
  std::string PictureFoldersRoot() override { return std::string(); }
  void NotifyViewerFoldersChanged() override {}
  bool PutTextOnClipboard(const std::string&) override { return false; }
  void ShowInformation(const std::string&) override {}
};


}  // namespace

std::string WinEditorServices::BaseFolder() { return flk::BaseFolder(); }

CalendarDate WinEditorServices::Today() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return CalendarDate{now.wYear, now.wMonth, now.wDay};
}

bool WinEditorServices::CreateFolder(const std::string& folder) {
  ::SetLastError(0);
  if (CreateFolderChain(folder)) return true;
  // CreateFolderChain leaves the reason in errno; ask the system once more
  // for the deepest missing folder so that the warning can name the cause.
  std::string bare = folder;
  while (!bare.empty() && (bare.back() == '\\' || bare.back() == '/')) bare.pop_back();
  win::MakeFolder(bare);
  return false;
}

bool WinEditorServices::FileExists(const std::string& path) { return win::FileExists(path); }

bool WinEditorServices::WriteBitmap(const std::string& path, const Picture& picture) {
  EditorSaveServices services;
  std::string name = path;  // SaveBitmapToFile advances it; the editor keeps its own
  return SaveBitmapToFile(name, picture, services);
}

void WinEditorServices::Warn(const std::string& text) { ShowWarning(text, kEditorWarningCaption); }

void WinEditorServices::ShowMessage(const std::string& text) { ShowMessageText(text); }

std::string WinEditorServices::ReadEditorPath() {
  return AppSettings().ReadSingleString(kEditorPathSetting);
}

void WinEditorServices::ClearEditorPath() { AppSettings().WriteSingleSetting(kEditorPathSetting, std::string()); }

bool WinEditorServices::ReadNsaEdit() { return AppSettings().ReadSingleBool(kNsaEditSetting); }

bool WinEditorServices::OpenWithSystem(const std::string& path) {
  if (win::ShellOpen(nullptr, path)) return true;
  ShowWarning("Couldn't open " + path + ".", kEditorWarningCaption);
  return false;
}

bool WinEditorServices::RunProgram(const std::string& program, const std::string& parameters) {
  if (win::ShellOpen(nullptr, program, parameters)) return true;
  ShowWarning("Couldn't start " + program + ".", kEditorWarningCaption);
  return false;
}

int WinEditorServices::CountPlainFiles(const std::string& folder) { return int(win::FilesIn(folder).size()); }

int WinEditorServices::ShowTip(const std::string& key, const std::string& caption, const std::string& text,
                               int helpContext) {
  return flk::ShowTip(key, caption, text, helpContext, false);
}

bool OpenInEditor(const Picture& picture, EditorSession& session) {
  WinEditorServices services;
  return !OpenInEditor(picture, services, session).empty();
}

}  // namespace flk
