// The save operations every output shares: SaveBitmapToFile (folder chain,
// writer chosen by extension, numbered-name advance), Save Same Name +1,
// the e-mail attachment file, and the Save As flow. All names are UTF-8; the
// dialogs, message boxes, settings and clipboard sit behind SaveServices so
// that the rules run unchanged in tests.
#pragma once

#include <optional>
#include <string>

#include "base/picture.h"
#include "base/atomic_file.h"
#include "output/save_progress.h"

namespace flk {

class SaveServices {
 public:
  virtual ~SaveServices() = default;

  // SaveToFileName and NsaSaveAsFormat.
  virtual std::string ReadSaveToFileName() = 0;
  virtual void WriteSaveToFileName(const std::string& name) = 0;
  virtual bool ReadNsaSaveAsFormat() = 0;

  // "Couldn't create directory <folder>", caption "Save File Error", OK/Cancel.
  virtual void ReportFolderNotCreated(const std::string& folder) = 0;
  // The "Unable to save file." warning (UnableToSaveText) with the cause.
  virtual void ReportSaveFailed(const std::string& text, const SaveError& error) = 0;
  // SavedText of the name in the camera's status line, when the camera exists.
  virtual void ShowSaved(const std::string& fileName) = 0;

  // --- Save As dialogs ---
  // The format chooser, created for `rememberedName` on first use; returns
  // the chosen filter index (2..5) or nothing on Cancel.
  virtual std::optional<int> ChooseFormat(const std::string& rememberedName) = 0;
  struct DialogResult {
    std::string fileName;
    int filterIndex = 1;
  };
  // The save dialog with a file name (no extension), an initial folder and a
  // filter index; nothing on Cancel. Sets *failed when the dialog itself failed.
  virtual std::optional<DialogResult> ShowSaveDialog(const std::string& name, const std::string& folder,
                                                     int filterIndex, bool* failed) = 0;
  // "Select GIF, JPG, PNG, or BMP graphic format." / "File could not be saved
  // to that name and or directory." boxes: true for OK, false for Cancel.
  virtual bool AskSelectFormat() = 0;
  virtual bool AskNameNotSaved() = 0;
  // Default folder for a first save, and the viewer notification (-2) when a
  // bitmap went straight into the picture folders.
  virtual std::string DefaultSaveFolder() = 0;
  virtual std::string PictureFoldersRoot() = 0;  // BaseFolder + "Folders\", "" when there is no camera window
  virtual void NotifyViewerFoldersChanged() = 0;

  // --- attachment ---
  virtual bool PutTextOnClipboard(const std::string& text) = 0;
  virtual void ShowInformation(const std::string& text) = 0;

  // Writes the file (WritePictureFile, here and now). A window's services
  // write a big picture off the window's thread and show the progress.
  virtual bool WritePicture(const std::string& fileName, int formatIndex, const Picture& picture, SaveError* error);
};

// Writes a picture in the given format index (2..5) to the path, atomically.
// progress, when given, follows the PNG writer's rows (the others leave it at 0).
bool WritePictureFile(const std::filesystem::path& fileName, int formatIndex, const Picture& picture,
                      SaveError* error, SaveProgress* progress = nullptr);

// Writes the picture in the format of the name's extension. On success the
// name is advanced to the next numbered name and true returned; on failure the
// services report it and the name stays as it was. A name whose extension is
// none of ours is refused (nothing is written) rather than guessed at.
bool SaveBitmapToFile(std::string& fileName, const Picture& picture, SaveServices& services);

// Save As: format chooser (unless silenced), save dialog, extension rules,
// then SaveBitmapToFile. Returns true when a file was written.
bool SaveAs(const Picture& picture, SaveServices& services);

// Saves under the remembered name when its folder exists, else runs SaveAs.
bool SaveSameNamePlusOne(const Picture& picture, SaveServices& services);

// Writes "Framelark.jpg" into the program folder (with its trailing
// separator) and puts the path on the clipboard. Returns the path on success.
std::optional<std::string> MakeEmailAttachment(const Picture& picture, const std::string& programFolder,
                                               SaveServices& services);

}  // namespace flk
