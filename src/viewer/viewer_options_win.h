// "Customize Viewer" TfrmViewerOptions: the viewer's non-modal options
// dialog. Its two check lists show which panels and tool bar buttons of the
// viewer are shown; every click hands the new look to the viewer at once, and
// there is no cancel. One dialog at most, owned by the viewer role; OK or its
// close box destroys it, and the next opening makes a new one.
#pragma once

#include <windows.h>

#include <memory>

#include "viewer/viewer_options.h"

namespace flk {

class TfrmViewerOptions;

// The one dialog of a viewer, owned by the viewer role.
class ViewerOptionsDialog {
 public:
  ViewerOptionsDialog();
  ~ViewerOptionsDialog();
  // Creates the dialog when there is none, places it at the pointer (kept on
  // the screen), ticks its rows from host.Look() and shows it without making
  // it modal. The host must outlive the dialog (Close at the viewer's end).
  void Show(HWND viewer, ViewerOptionsHost& host);
  // The viewer's end: destroys the dialog if it exists.
  void Close();
  // The dialog, or nullptr: the viewer's message loop passes it to IsDialogMessage.
  HWND window() const;

 private:
  std::unique_ptr<TfrmViewerOptions> dialog_;
};

}  // namespace flk
