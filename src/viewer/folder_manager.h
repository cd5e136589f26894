// The folder manager's rules: the viewer's list of picture folders (sorted as
// the camera sorts them, so an index means the same folder in both), adding a
// folder, giving one a new name, deleting one with every file in it, the texts
// of each step, and FoldersChanged, which tells the viewer to rebuild its tabs.
//
// Win32 side: TfrmFolderWiz (folder_wiz_win) shows the list and the buttons
// and asks DeleteQuestion's question in a message box; TfrmAddFolder
// (add_folder_win) asks for a name and hands it to DoName. A warning text is
// shown with ShowWarning right after the failed call, so the system's error
// text of that call is appended (refusedName: a name refused before the disk
// was asked; the glue reports it as an invalid name).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/form_controls.h"
#include "base/geometry.h"
#include "output/picture_store.h"

namespace flk {

inline constexpr char kFolderManagerCaption[] = "Folder Manager";
inline constexpr char kFolderManagerHeading[] = "Add, rename or delete image folders.";
inline constexpr char kNameDialogCaption[] = "New Folder Name";
inline constexpr char kAddCaption[] = "&Add";
inline constexpr char kRenameCaption[] = "&Rename";
inline constexpr char kDeleteQuestionCaption[] = "Warning";
inline constexpr int kFolderManagerHelp = 5;

// The Folder Manager dialog at 96 DPI, in creation (and tab) order: the
// heading over a rule, the folder list between the art panel (125 wide) and
// the buttons panel (110 wide), a rule, the status line.
inline constexpr int kFolderWizWidth = 374, kFolderWizHeight = 235;
enum FolderWizId {
  kFolderWizHeading = 601,
  kFolderWizList,
  kFolderWizAdd,
  kFolderWizRename,
  kFolderWizDelete,
  kFolderWizClose,
  kFolderWizStatus
};
struct FolderWizForm {
  Rect heading;
  FormControl topRule;
  Rect list;
  std::vector<FormControl> buttons;  // Add, Rename, Delete, Close
  FormControl bottomRule;
  Rect status;
  Rect art;  // Image1, centred in the art panel between the bands
};
FolderWizForm FolderWizLayout(Size art);

// lstSuggest of the name dialog, in its sorted order.
inline constexpr std::array<const char*, 18> kFolderSuggestions = {
    "Art",    "Examples", "Friends",  "Movie frames", "Orders",  "Passwords", "People", "Places",    "Products",
    "Projects", "Research", "Results", "Subject",      "Tips",    "Tools",     "Vehicles", "Web clips", "Welcomes"};

// The suggestion a click on row `row` of lstSuggest puts in the name field;
// nothing for no row.
inline const char* SuggestionAt(int row) {
  return row >= 0 && row < int(kFolderSuggestions.size()) ? kFolderSuggestions[size_t(row)] : nullptr;
}

// What the name dialog does after "&Add" / "&Rename".
struct NameOutcome {
  bool closeDialog = false;
  bool clearName = false;  // a folder was added: the field empties for the next name
  std::string warning;     // not empty: show it ("Framelark Warning"); the dialog stays
  bool refusedName = false;
};

struct DeleteOutcome {
  bool deleted = false;  // the folder left the list
  std::string warning;   // not empty: the directory could not be removed
};

class FolderManager {
 public:
  FolderManager(StoreFileSystem& fs, std::string baseFolder);

  // The list from disk; "First Folder" is made and listed when there is none.
  void BuildFolderList();
  const std::vector<std::string>& Folders() const { return folders_; }
  // Index of a name in the list (exact text), -1 when absent.
  int IndexOf(const std::string& name) const;

  // Opening the dialog with the row at index selected (clamped to the list;
  // -1 only when the list is empty). FoldersChanged starts false.
  void Begin(int index);
  bool FoldersChanged() const { return foldersChanged_; }
  int Selected() const { return selected_; }
  void Select(int index);  // a click in the list; out-of-range means no row
  bool DeleteEnabled() const { return folders_.size() > 1; }
  // "Picture folders located at: <base in lower case>Folders\"
  std::string StatusText() const;

  // The name dialog for index (below 0 or no such row: add).
  bool IsRename(int index) const { return index >= 0 && index < static_cast<int>(folders_.size()); }
  std::string InitialName(int index) const { return IsRename(index) ? folders_[static_cast<size_t>(index)] : ""; }
  std::string DoItCaption(int index) const { return IsRename(index) ? kRenameCaption : kAddCaption; }
  // "&Add" or "&Rename" with the text of the name field.
  NameOutcome DoName(int index, const std::string& name);

  // The question before the folder at index is deleted with its files; empty
  // when nothing needs asking (an empty or vanished folder).
  std::string DeleteQuestion(int index);
  // Deletes the folder's normal files and the directory (after OK, or when
  // nothing was asked).
  DeleteOutcome Delete(int index);

 private:
  NameOutcome Add(const std::string& name);
  NameOutcome Rename(int index, const std::string& name);
  void Insert(const std::string& name);  // in sorted place, selected
  std::string FolderDir(const std::string& name) const;  // without a trailing backslash

  StoreFileSystem& fs_;
  std::string base_;
  std::vector<std::string> folders_;
  int selected_ = -1;
  bool foldersChanged_ = false;
};

}  // namespace flk
