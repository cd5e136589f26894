// The note window's decisions without windows: its menu (commands, labels,
// separators), dragging, what closing does to the note's file, and how the
// manager treats the files it finds and the files it cannot read.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "output/picture_outputs.h"
#include "stickies/sticky_notes.h"

namespace flk {

// ---- the menu ---------------------------------------------------------------------

enum class NoteCommand { None = 0, Print, PrintFit, PrinterSetup, Copy, Edit, Email, SaveAs, Help, Delete };
// The picture output a menu command runs; nothing for the note's own commands.
std::optional<PictureOutput> OutputOfNoteCommand(NoteCommand command);
struct NoteMenuItem {
  NoteCommand command;  // None: a separator
  const char* label;
};
// In the order shown; "Delete " keeps its trailing space.
std::span<const NoteMenuItem> NoteMenuItems();
// A menu's answer (0 when nothing was chosen) as a command.
NoteCommand NoteCommandOf(unsigned id);

// The context menu's point: the message's screen point, or the cursor's when
// the keyboard asked (-1, -1); relative to the note's top-left.
Point ContextMenuPoint(Point message, Point cursor, Point window);

// ---- dragging ---------------------------------------------------------------------

// Any mouse button drags the note by the point it was pressed at; the note
// counts as moved once a drag has moved it.
class NoteDrag {
 public:
  void Press(Point client) {
    dragging_ = true;
    grab_ = client;
  }
  // The window's new top-left for a mouse move at `client`; nothing when not dragging.
  std::optional<Point> Move(Point windowTopLeft, Point client);
  void Release() { dragging_ = false; }
  bool moved() const { return moved_; }

 private:
  bool dragging_ = false, moved_ = false;
  Point grab_;
};

// ---- saving on close --------------------------------------------------------------

struct NoteSave {
  enum Kind { Nothing, Write, Rename } kind = Nothing;
  std::string path;  // Write: the new file; Rename: the new name of storedPath
};
// A new note takes the next number and is written; a stored note keeps its
// number (as written) and is renamed to its new place when it was moved.
NoteSave PlanNoteSave(const std::string& folder, const std::string& storedPath, bool isNew, bool moved, Point at,
                      StickyIds& ids);

// ---- the manager's files ----------------------------------------------------------

inline constexpr char kNoteUnreadableText[] = "Couldn't load Sticky item: ";
inline constexpr char kNoteInvalidText[] = "Invalid Sticky found: ";
inline constexpr char kNoteNotSavedText[] = "Couldn't save Sticky: ";
inline constexpr char kNoStickiesFolderText[] = "Couldn't create Stickies directory.";
inline constexpr char kSaveNoteElsewhere[] = "The note's picture is not lost yet. Save it somewhere else?";

// A note whose file could not be written as it closed: the file, the reason
// when there is one, and the offer to save its picture elsewhere.
std::string NoteNotSavedText(const std::string& path, const std::string& reason);

// A stored file becomes a note at its place, or is set aside with the message's first words.
struct StoredNoteVerdict {
  std::optional<NoteName> note;
  const char* setAside = nullptr;
};
StoredNoteVerdict JudgeStoredNote(std::string_view fileName, bool pictureRead);

// The file name after the last backslash.
std::string FileNameOf(std::string_view path);
// The set-aside folder inside the notes folder (trailing backslash).
std::string SetAsideFolder(const std::string& notesFolder);
// The report: the message, the file and, when it was moved, where to.
std::string SetAsideReport(const std::string& message, const std::string& path, const std::string& movedTo);

// ---- making a note ----------------------------------------------------------------

// The refusal's text; nullptr when the picture may become a note.
const char* StickyCheckText(StickyCheck check);
// What the user is told when the hand-over file cannot be written.
inline constexpr char kHandOverErrorCaption[] = "Save File Error";
std::string HandOverErrorText(const std::string& path);

}  // namespace flk
