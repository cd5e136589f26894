// The common services on real windows, files and device contexts.
#pragma once

#include <windows.h>

#include <string>

#include "shell/common_services.h"

namespace flk {

// The full path of the running program file (UTF-8).
std::string ProgramPath();
// The data folder: the parent of the program's "Pro" folder, with a backslash.
std::string BaseFolder();

// The system's message text for an error code (empty when it has none).
// The system's text for an error code; an insert it names ("%1") is `subject`.
std::string SystemErrorText(DWORD code, const std::string& subject = "the file");
// The warning's text for the given pending error code (0: none).
std::string WarningTextFor(const std::string& message, DWORD code);
// Warning box with the caption, a warning icon and OK. A pending system error
// (GetLastError) is appended to the message and then reset to 0.
void ShowWarning(const std::string& message, const std::string& caption = "Framelark Warning");

// ClassName=<class> Title="<title>" of a window.
std::string WindowDescription(HWND window);

// Moves a top-level window back onto the primary screen.
void KeepOnScreen(HWND window);

// True when a file matches BaseFolder() + "Stickies\*.bmp".
bool StickyFilesExist();
bool StickyFilesExistIn(const std::string& baseFolder);

// Deletes every file directly in the folder (read-only ones too, subfolders
// untouched), then the folder itself; true when the folder is gone.
bool RemoveFolder(const std::string& folder);

// The thick 3-D frame of a sticky note on a device context.
void DrawThickFrame(HDC dc, bool raised, int right, int thickness, int bottom);

}  // namespace flk
