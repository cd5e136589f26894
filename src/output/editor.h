// Open In Editor: every edit writes a new bitmap into the "Edited" folder of
// the data folder and opens it in the user's editor (EditorPath), or in the
// program the system associates with .bmp files. The rules live here; the
// file system, the registry, the shell and the boxes sit behind
// EditorServices (editor_win.h has the real ones).
#pragma once

#include <functional>
#include <string>

#include "base/picture.h"
#include "shell/data_folders.h"

namespace flk {

// The folder below the data folder that collects edited pictures.
// Settings.
inline constexpr char kEditorPathSetting[] = "EditorPath";
inline constexpr char kNsaEditSetting[] = "NsaEdit";

// The large-folder alert: shown once per process while NsaEdit is false and
// the folder holds more than kLargeFolderFileCount plain files.
inline constexpr int kLargeFolderFileCount = 50;
inline constexpr char kLargeFolderCaption[] = "Large Directory Alert";
inline constexpr int kLargeFolderHelpContext = 1;
inline constexpr char kLargeFolderText[] =
    "Over 50 images have collected in the \"Edited\" directory.\r\n"
    "(A file is created there every time you select Edit Image.)\r\n\r\n"
    "Would you like to open that directoy now to delete some or\r\n"
    "all of the files?";
inline constexpr char kEditorWarningCaption[] = "Framelark Warning";

struct CalendarDate {
  int year = 0, month = 0, day = 0;
};

// BaseFolder + "Edited\".
std::string EditorFolder(const std::string& baseFolder);

// "Framelark" + yy_mm_dd + "_" + n + ".bmp", e.g. Framelark26_12_08_3.bmp.
std::string EditedFileTitle(const CalendarDate& date, int n);

// The folder (ending in a separator) plus the title of the smallest n from 1
// upward whose file does not exist yet.
std::string ChooseEditedFileName(const std::string& folder, const CalendarDate& date,
                                 const std::function<bool(const std::string&)>& fileExists);

// "Couldn't create <folder> directory."
std::string FolderNotCreatedText(const std::string& folder);
// The message for an editor program that has gone.
std::string EditorVanishedText(const std::string& editorPath);
// The editor's parameter: the file's path in double quotes.
std::string EditorParameter(const std::string& file);

// What the editor setting asks for.
struct EditorLaunch {
  enum Kind { OpenWithSystem, RunEditor } kind = OpenWithSystem;
  bool editorVanished = false;  // EditorPath named a file that is gone
};
EditorLaunch DecideEditorLaunch(const std::string& editorPath, bool editorFileExists);

// True when the large-folder alert is due.
bool LargeFolderAlertDue(bool shownBefore, bool nsaEdit, int plainFileCount);

class EditorServices {
 public:
  virtual ~EditorServices() = default;
  virtual std::string BaseFolder() = 0;
  virtual CalendarDate Today() = 0;
  // Creates the folder and its parents; true when it exists afterwards.
  virtual bool CreateFolder(const std::string& folder) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Writes the bitmap file; a failure has been reported when it returns false.
  virtual bool WriteBitmap(const std::string& path, const Picture& picture) = 0;
  // Warning box captioned "Framelark Warning" (with a pending system error).
  virtual void Warn(const std::string& text) = 0;
  // Plain message box.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual std::string ReadEditorPath() = 0;
  virtual void ClearEditorPath() = 0;
  virtual bool ReadNsaEdit() = 0;
  // Opens a file or folder with the system's program (verb "open"); false
  // when nothing could be started.
  virtual bool OpenWithSystem(const std::string& path) = 0;
  virtual bool RunProgram(const std::string& program, const std::string& parameters) = 0;
  virtual int CountPlainFiles(const std::string& folder) = 0;
  // The how-to tip box: 1 for OK (or silenced), 2 for Esc.
  virtual int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int helpContext) = 0;
};

// What lasts from one edit to the next within a process.
struct EditorSession {
  bool largeFolderAlertShown = false;
};

// Writes the picture into the editor folder and opens it. Returns the path
// written, or an empty text when nothing was written.
std::string OpenInEditor(const Picture& picture, EditorServices& services, EditorSession& session);

}  // namespace flk
