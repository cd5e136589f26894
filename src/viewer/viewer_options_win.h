// "Customize Viewer" TfrmViewerOptions: the viewer's non-modal options
// dialog. Its two check lists show which panels and tool bar buttons of the
// viewer are shown; every click hands the new look to the viewer at once, and
// there is no cancel. One dialog at most, owned by the viewer; OK or its close
// box destroys it, and the next opening makes a new one.
#pragma once

#include <windows.h>

#include "viewer/viewer_options.h"

namespace flk {

// Creates the one dialog when there is none, places it at the pointer (kept on
// the screen), ticks its rows from host.Look() and shows it without making it
// modal. The host must outlive the dialog (CloseViewerOptions at the viewer's end).
void ShowViewerOptions(HWND viewer, ViewerOptionsHost& host);
// The viewer's end: destroys the dialog if it exists.
void CloseViewerOptions();
// The dialog, or nullptr: the viewer's message loop passes it to IsDialogMessage.
HWND ViewerOptionsWindow();

}  // namespace flk
