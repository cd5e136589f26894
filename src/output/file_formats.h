// File formats of saved pictures and the name rules around them: the format a
// name's extension selects, the extension a save-dialog filter adds, and the
// numbered names that Save Same Name +1 walks through. Pure string logic.
#pragma once

#include <optional>
#include <string>

namespace flk {

// Format index: equals the filter index of the save dialog.
enum SaveFormat : int { kFormatAll = 1, kFormatBmp, kFormatGif, kFormatJpeg, kFormatPng };

// The save dialog's filter, '|'-separated as the dialog form keeps it.
inline constexpr const char* kSaveDialogFilter =
    "All (*.*)|*.*|Bitmap (*.bmp)|*.bmp|GIF ImageFile (*.gif)|*.gif|JPEG ImageFile (*.jpg)|*.jpg|"
    "PNG ImageFile (*.png)|*.png";

// The extension of a name: from its last dot (which must come after the last
// path separator) to the end, dot included; empty when there is none.
std::string ExtensionOf(const std::string& fileName);

// 2, 3, 4 or 5 for ".BMP", ".GIF", ".JPG", ".PNG" in any case; 1 for anything
// else, ".jpeg" included.
int FormatFromExtension(const std::string& fileName);

// ".bmp", ".gif", ".jpg", ".png" for 2..5; empty for any other index.
std::string ExtensionFromFormat(int formatIndex);

// The next numbered name: the digits right before a three-letter extension are
// the number (1 when there are none); they are replaced by number + 1, padded to
// at least three digits. shot.gif -> shot002.gif, shot999.jpg -> shot1000.jpg.
std::string AdvanceNumberedName(const std::string& fileName);

// Folder part of a path without a trailing separator; a drive root ("C:\") or
// the file-system root keeps its separator. Empty when the name has no folder.
std::string FolderOfName(const std::string& fileName);

// The full path minus its extension (what the save dialog is given as name).
std::string NameWithoutExtension(const std::string& fileName);

// What Save As does with the name the dialog returned: the accepted name (with
// the filter's extension appended to a bare name), or nothing when the user has
// to be asked to pick a format ("Select GIF, JPG, PNG, or BMP graphic format.").
std::optional<std::string> AcceptedSaveName(const std::string& chosen, int filterIndex);

// Filter index the dialog opens with when the format chooser is silenced: the
// remembered name's format, GIF when its extension is not one of ours.
int SilencedFilterIndex(const std::string& rememberedName);

// Format the chooser selects when it is created for a name: BMP, JPEG or PNG by
// extension, GIF for anything else.
int ChooserInitialFormat(const std::string& rememberedName);

// True when a .bmp was saved straight into the picture folders, so the viewer
// has to re-read its folder list. Both folders compare without regard to case;
// picturesRoot is BaseFolder + "Folders\".
bool SavedIntoPictureFolders(const std::string& acceptedName, const std::string& picturesRoot);

// Texts the save paths show.
inline constexpr const char* kSaveFileErrorCaption = "Save File Error";
inline constexpr const char* kCouldntCreateDirectory = "Couldn't create directory ";
inline constexpr const char* kSelectFormatText = "Select GIF, JPG, PNG, or BMP graphic format.";
inline constexpr const char* kNameNotSavedText = "File could not be saved to that name and or directory.";
inline constexpr const char* kAttachmentFileName = "Framelark.jpg";
inline constexpr const char* kAttachmentMadeText =
    "JPG file created.\r\n\r\nThe path to this file is ready on the Windows clipboard.\r\n\r\n"
    "(Use this for replies or to attach multiple images.)";

// "Unable to save file. ... Path  <name>\r\nException type: <class>".
std::string UnableToSaveText(const std::string& fileName, const std::string& errorClass);
// The same box's text with what the system said, for a write that failed
// (the file's name, its error class, then the reason on a line of its own).
std::string SaveFailedText(const std::string& fileName, const std::string& errorClass, const std::string& reason);

}  // namespace flk
