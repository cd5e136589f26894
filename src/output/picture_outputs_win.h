// One output path for every window that holds a picture (the camera, the
// recall viewer, a sticky note): print, clipboard, editor, e-mail and the
// save operations, each on a copy at the depth the output needs.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/picture.h"
#include "output/background_save.h"
#include "output/email_win.h"
#include "output/picture_outputs.h"
#include "output/save_file.h"
#include "shell/settings.h"

namespace flk {

class TfrmCommon;
struct OutputSession;

// Who asks for an output.
struct OutputCaller {
  HWND owner = nullptr;
  Settings* settings = nullptr;                     // the role's settings
  std::function<void(const std::string&)> status{}; // the caller's status line; may be empty
  std::string foldersRoot{};                        // its picture folders; "" outside the camera
  const TfrmCommon* common = nullptr;               // the role's printer choice (nullptr: default printer)
  EmailHost email{};                                // what the e-mail does with the camera
  HWND mailOwner = nullptr;                         // owner of the kept e-mail dialog (default: owner)
  SaveGate* gate = nullptr;                         // the window's one save at a time; may be null
  OutputSession* session = nullptr;                 // what the role keeps between outputs; null: this call only

  Settings& settingsOrRole() const { return settings ? *settings : AppSettings(); }
};

// Runs one output on the picture. Outputs that write a file work on a copy at
// the file depth, so a big save that runs off the window's thread never reads
// the caller's picture. False when the output ended in an error the user has
// been shown (a cancelled dialog is not an error) or was refused because the
// caller's gate is held by a save (kStillSavingText).
bool RunPictureOutput(PictureOutput output, const Picture& picture, const OutputCaller& caller);

// The box that refuses a command while the window's picture is being saved.
void ShowStillSaving(HWND owner);

// The save operations' services on the real system: settings, message boxes,
// the system save dialog and the clipboard, for one command.
class OutputServices : public SaveServices {
 public:
  explicit OutputServices(const OutputCaller& caller) : caller_(caller) {}
  // A failure was reported to the user during the command.
  bool failed() const { return failed_; }

  std::string ReadSaveToFileName() override;
  void WriteSaveToFileName(const std::string& name) override;
  bool ReadNsaSaveAsFormat() override;
  void ReportFolderNotCreated(const std::string& folder) override;
  void ReportSaveFailed(const std::string& text, const SaveError& error) override;
  void ShowSaved(const std::string& fileName) override;
  std::optional<int> ChooseFormat(const std::string& rememberedName) override;
  std::optional<DialogResult> ShowSaveDialog(const std::string& name, const std::string& folder, int filterIndex,
                                             bool* failed) override;
  bool AskSelectFormat() override;
  bool AskNameNotSaved() override;
  std::string DefaultSaveFolder() override;
  std::string PictureFoldersRoot() override;
  void NotifyViewerFoldersChanged() override;
  bool PutTextOnClipboard(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  // A big picture (SavesInBackground) is written off the window's thread
  // while the status line shows SavingText; the gate is held meanwhile.
  bool WritePicture(const std::string& fileName, int formatIndex, const Picture& picture, SaveError* error) override;

 private:
  Settings& settings() const { return caller_.settingsOrRole(); }

  const OutputCaller& caller_;
  bool failed_ = false;
};

}  // namespace flk
