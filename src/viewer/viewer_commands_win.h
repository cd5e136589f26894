// The recall viewer's commands on the shown picture as the system performs
// them: the pure ViewerCommandRunner decides, this room gives it the outputs,
// the clipboard, the camera, the message boxes and the memo box.
#pragma once

#include <windows.h>

#include <memory>

#include "viewer/viewer_command_runner.h"

namespace flk {

class TfrmCommon;
class ViewerMemo;

class ViewerCommands {
 public:
  // window: the viewer's. The commands make the role's common form
  // (printing, notes) for themselves.
  ViewerCommands(HWND window, ViewerCommandHost& host, Settings& settings, ViewerFolder& folder, ViewerMemo& memo);
  ~ViewerCommands();
  void Run(ViewerCommand c);
  // Held while a big save runs off the viewer's thread.
  SaveGate& gate();

 private:
  class Services;
  std::unique_ptr<TfrmCommon> common_;  // null when it could not be made
  std::unique_ptr<Services> services_;
  std::unique_ptr<ViewerCommandRunner> runner_;
};

}  // namespace flk
