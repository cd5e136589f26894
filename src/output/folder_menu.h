// The Store submenus and new folders: the sorted list of picture folders
// (letter case ignored, so a folder index means the same folder in camera and
// viewer), the entries BuildFolderMenu appends after the submenu's fixed
// separator ("Same Folder", the folders, "Create New Folder"), and the
// creation of a folder from the name the user typed.
//
// Win32 side: when a Store submenu opens (WM_INITMENUPOPUP), camera_win
// deletes the entries it appended last time, calls BuildFolderMenu, keeps the
// folder list for the dispatcher (an entry's tag -1 - i indexes it), and
// appends one menu item per entry (hidden entries are left out, disabled ones
// greyed, separators as separators). "Create New Folder" asks with AskText
// and passes the answer to CreatePictureFolder, then shows its message.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/picture_store.h"

namespace flk {

// Dispatcher tag of the folder entry for folder index i: -1 - i; and back.
constexpr int FolderTag(int folderIndex) { return -1 - folderIndex; }
constexpr int FolderIndexOfTag(int tag) { return -1 - tag; }

inline constexpr char kFirstFolderName[] = "First Folder";
inline constexpr char kSameFolderCaption[] = "Same Folder";
inline constexpr char kCreateFolderCaption[] = "Create New Folder";

// Order of folder names: letter case ignored (ties broken by the exact
// text so the order is always the same).
bool FolderNameLess(std::string_view a, std::string_view b);
bool SameFolderName(std::string_view a, std::string_view b);  // letter case ignored
// A name that makes exactly one folder directly in Folders\: not empty, not
// "." or "..", none of \ / : * ? " < > | or control characters, no trailing
// dot or space (which Windows would drop).
bool UsableFolderName(std::string_view name);

struct FolderList {
  std::vector<std::string> names;  // sorted
  bool createdFirstFolder = false;
};
// The subdirectories of <base>Folders\, sorted; when there are none,
// "First Folder" is created and listed (if it can be).
FolderList ListPictureFolders(StoreFileSystem& fs, const std::string& baseFolder);

struct FolderMenuEntry {
  enum Kind { SameFolder, Separator, Folder, CreateFolder } kind;
  std::string caption;
  int tag = 0;           // dispatcher tag (-1 - index) for folder entries
  bool visible = true;
  bool enabled = true;
  friend bool operator==(const FolderMenuEntry&, const FolderMenuEntry&) = default;
};

struct FolderMenu {
  std::vector<std::string> folders;  // the list the tags index
  std::vector<FolderMenuEntry> entries;
  bool createdFirstFolder = false;
};

// "Same Folder" (hidden below 2 folders; with LastFolderName in the list it
// takes that name and its tag, else it stays "Same Folder" and disabled), a
// separator, one entry per folder, a separator, "Create New Folder".
FolderMenu BuildFolderMenu(StoreFileSystem& fs, const std::string& baseFolder, const std::string& lastFolderName);
// The same entries for a folder list already made.
std::vector<FolderMenuEntry> FolderMenuEntries(const std::vector<std::string>& folders,
                                               const std::string& lastFolderName);

// "Create New Folder" asks for the name in a box kNewFolderDialogHeight tall.
inline constexpr char kNewFolderPrompt[] = "Name of new folder to create?";
inline constexpr char kNewFolderCaption[] = "FramelarkPro";
inline constexpr int kNewFolderDialogHeight = 125;
struct NewFolderResult {
  enum Outcome { Nothing, Created, Failed } outcome = Nothing;
  std::string message;  // "Folder <name> created." or the warning text
};
inline constexpr char kWarningCaption[] = "Framelark Warning";
// Creates the one directory <base>Folders\<answer> (not its parents). An
// empty answer does nothing. Names that would leave Folders\ or that Windows
// refuses in a file name fail like any other folder that cannot be made.
// notify gets -2 when a folder was created.
NewFolderResult CreatePictureFolder(StoreFileSystem& fs, const std::string& baseFolder, const std::string& answer,
                                    const std::function<void(int)>& notify);

}  // namespace flk
