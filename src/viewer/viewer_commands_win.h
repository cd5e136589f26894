// The recall viewer's commands on the shown picture: edits, clipboard,
// delete, properties, the camera, and the outputs. They work on the folder
// room and the memo, and ask the window only for what this interface offers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "viewer/viewer_commands.h"

namespace flk {

class Settings;
class TfrmCommon;
class ViewerFolder;
class ViewerMemo;

// What the commands need of the viewer's window.
class ViewerCommandHost {
 public:
  virtual ~ViewerCommandHost() = default;
  virtual HWND Window() const = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void EnableCommand(ViewerCommand c, bool enabled) = 0;
  // The list of pictures changed: commands, strip and the shown picture
  // anew; toShown scrolls the strip to the shown picture.
  virtual void PicturesChanged(bool toShown) = 0;
  // The shown picture's pixels changed.
  virtual void PictureChanged() = 0;
  virtual void OpenFolderManager() = 0;
  virtual void ShowOptions() = 0;
};

class ViewerCommands {
 public:
  // common: the common form of the role (printing, notes); may be null.
  ViewerCommands(ViewerCommandHost& host, Settings& settings, TfrmCommon* common, ViewerFolder& folder,
                 ViewerMemo& memo);
  ~ViewerCommands();
  void Run(ViewerCommand c);
  // Held while a big save runs off the viewer's thread.
  SaveGate& gate();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace flk
