// The program's help: HTML pages built into the program file, one per help
// context the windows pass (1 general, 2 scroll settings, 3 scroll capture,
// 4 sticky notes, 5 viewer and folders, 6 customisation, 21 e-mail setup,
// 22 paste/attach) plus a contents page and a style sheet. At first use they
// are written to a folder of the user's own and opened in the browser there.
//
// Win32 side: help_win's ShowHelp(owner, context) is the one way every help
// button, F1 and help menu entry opens help: it writes the pages that
// HelpFileNeedsWrite asks for (from their RCDATA resources), then opens
// HelpPageForContext's file with ShellExecute, and shows HelpOpenFailedText
// when that fails.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace flk {

struct HelpFile {
  const char* name;  // file name in the help folder and in res/help/
  int resourceId;    // RCDATA id in res/framelark.rc
  int context;       // help context it answers; 0 for the contents and the style sheet
  const char* title;
};

// Every file, the contents page first.
std::span<const HelpFile> HelpFiles();
// The page of a context; contexts without a page of their own get the contents.
const HelpFile& HelpPageForContext(int context);

// The per-user help folder, with a trailing backslash: under the local
// application data folder, or the temporary folder when that is unknown.
std::string HelpFolder(const std::string& localAppData, const std::string& tempFolder);
// A page is (re)written when it is missing or differs from the built-in one
// (another version of the program wrote it, or it was damaged).
bool HelpFileNeedsWrite(const std::optional<std::string>& onDisk, std::string_view builtIn);

inline constexpr char kHelpCaption[] = "Framelark Help";
// The message when a page cannot be written (opening false) or opened;
// systemText may be empty. The page and its folder stand on lines of their own;
// a page that no program opens comes with the question whether to show its folder.
std::string HelpOpenFailedText(const std::string& path, unsigned long code, const std::string& systemText,
                               bool opening = false);

}  // namespace flk
