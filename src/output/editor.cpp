#include "output/editor.h"

#include <cstdio>

namespace flk {

std::string EditorFolder(const std::string& baseFolder) { return EditedFolderOf(baseFolder); }

std::string EditedFileTitle(const CalendarDate& date, int n) {
  char text[64];
  std::snprintf(text, sizeof text, "Framelark%02d_%02d_%02d_%d.bmp", ((date.year % 100) + 100) % 100, date.month,
                date.day, n);
  return text;
}

std::string ChooseEditedFileName(const std::string& folder, const CalendarDate& date,
                                 const std::function<bool(const std::string&)>& fileExists) {
  std::string name;
  for (int n = 1;; ++n) {
    name = folder + EditedFileTitle(date, n);
    if (!fileExists(name)) return name;
  }
}

std::string FolderNotCreatedText(const std::string& folder) { return "Couldn't create " + folder + " directory."; }

std::string EditorVanishedText(const std::string& editorPath) {
  return "Your editor disappeared:  " + editorPath + "\r\n\r\nTo select a new editor, click Custom / Editor Settings.";
}

std::string EditorParameter(const std::string& file) { return "\"" + file + "\""; }

EditorLaunch DecideEditorLaunch(const std::string& editorPath, bool editorFileExists) {
  EditorLaunch launch;
  if (editorPath.empty()) return launch;
  if (editorFileExists) {
    launch.kind = EditorLaunch::RunEditor;
    return launch;
  }
  launch.editorVanished = true;
  return launch;
}

bool LargeFolderAlertDue(bool shownBefore, bool nsaEdit, int plainFileCount) {
  return !shownBefore && !nsaEdit && plainFileCount > kLargeFolderFileCount;
}

std::string OpenInEditor(const Picture& picture, EditorServices& services, EditorSession& session) {
  const std::string folder = EditorFolder(services.BaseFolder());
  if (!services.CreateFolder(folder)) {
    services.Warn(FolderNotCreatedText(folder));
    return std::string();
  }

  const std::string file =
      ChooseEditedFileName(folder, services.Today(), [&](const std::string& p) { return services.FileExists(p); });
  if (!services.WriteBitmap(file, picture)) return std::string();

  const std::string editor = services.ReadEditorPath();
  EditorLaunch launch = DecideEditorLaunch(editor, !editor.empty() && services.FileExists(editor));
  if (launch.editorVanished) {
    services.ShowMessage(EditorVanishedText(editor));
    services.ClearEditorPath();
  }
  if (launch.kind == EditorLaunch::RunEditor)
    services.RunProgram(editor, EditorParameter(file));
  else
    services.OpenWithSystem(file);

  // The alert is counted only while it can still be shown: a silenced or
  // already shown alert costs no folder listing.
  if (!session.largeFolderAlertShown && !services.ReadNsaEdit()) {
    if (LargeFolderAlertDue(false, false, services.CountPlainFiles(folder))) {
      session.largeFolderAlertShown = true;
      if (services.ShowTip(kNsaEditSetting, kLargeFolderCaption, kLargeFolderText, kLargeFolderHelpContext) == 1)
        services.OpenWithSystem(folder);
    }
  }
  return file;
}

}  // namespace flk
