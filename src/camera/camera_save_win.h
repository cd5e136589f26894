// The save operations' services for the camera: settings, message boxes,
// the system save dialog and the clipboard, on the real system. Every
// SaveAs / SaveSameNamePlusOne / MakeEmailAttachment of the camera runs on a
// CameraSaveServices made for that one command.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/picture.h"
#include "output/picture_store.h"
#include "output/save_file.h"

namespace flk {

class CameraSaveServices : public SaveServices {
 public:
  // status: the camera's status line; foldersRoot: its picture folders ("" outside the camera role).
  CameraSaveServices(HWND owner, std::function<void(const std::string&)> status, std::string foldersRoot)
      : owner_(owner), status_(std::move(status)), foldersRoot_(std::move(foldersRoot)) {}
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

 private:
  HWND owner_;
  std::function<void(const std::string&)> status_;
  std::string foldersRoot_;
  bool failed_ = false;
};

// AskText: the modal TfrmGetText with a prompt and one line of text; the
// text on OK, empty on Cancel.
std::string AskText(HWND owner, int height, const std::string& prompt, const std::string& caption);

}  // namespace flk
