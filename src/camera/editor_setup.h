// The editor setup dialog TfrmEditSetup ("Editor Setup"): its texts and what
// OK makes of the typed path. A path copied from a shortcut's Target field
// comes in quotes; "%systemroot%" at its start stands for the Windows folder.
//
// Win32 side: editor_setup_win shows the dialog, runs the browse dialog from
// ProgramFilesDir, and on OK writes EditorPath and closes, or shows the
// refusal and stays open, as EditorSetupOk decides.
#pragma once

#include <functional>
#include <string>

#include "base/dpi.h"
#include "base/geometry.h"

namespace flk {

inline constexpr char kEditSetupCaption[] = "Editor Setup";
inline constexpr int kEditSetupMinWidth = 400, kEditSetupMinHeight = 245;  // 96 DPI
inline constexpr char kEditSetupIntro[] =
    "Select the program to pass the current image to when Editor is clicked, usually your favorite graphics editor.";
inline constexpr char kEditSetupHowTo[] =
    "How to copy & paste the path to any program:\r\n"
    "1 Right-click the program's icon on the desktop or Start menu.\r\n"
    "2 Click Properties.\r\n"
    "3 Click the Shortcut tab.\r\n"
    "4 Highlight the entire Target field and press Ctrl-C.\r\n"
    "5 Highlight the entire field above and press Ctrl-V.";
inline constexpr char kEditSetupTechDetail[] =
    "Technical detail:\r\nClicking Editor causes Framelark to create a bitmap and\r\n\"ShellExecute\" the program "
    "with the bitmap's path as a parameter.";
inline constexpr char kEditSetupInvalid[] = "Select a valid application path.";
inline constexpr char kEditSetupBrowseTitle[] = "Select Application";

// Where the parts go in a client area of `client` window pixels: the intro,
// the path and the how-to stretch with the dialog, the four buttons keep to
// its right edge (Browse and Tech Detail at the top, OK and Cancel at the foot).
struct EditorSetupLayout {
  Rect intro, path, howTo, browse, tech, ok, cancel;
};
EditorSetupLayout LayOutEditorSetup(Size client, const DpiScale& s);

// One pair of enclosing double quotes removed, a leading "%systemroot%" expanded.
std::string CleanEditorPath(const std::string& text, const std::string& windowsDirectory);

struct EditorSetupDecision {
  enum Kind { WriteEmpty, Write, Refuse } kind = Refuse;
  std::string path;  // Write: the value for EditorPath
};
// OK: an empty text clears the editor; a cleaned path naming an existing file
// is written; anything else is refused with kEditSetupInvalid.
EditorSetupDecision EditorSetupOk(const std::string& text, const std::string& windowsDirectory,
                                  const std::function<bool(const std::string&)>& fileExists);

}  // namespace flk
