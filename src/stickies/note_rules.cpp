// The note window's decisions; see note_rules.h.
#include "stickies/note_rules.h"

namespace flk {

namespace {

constexpr NoteMenuItem kMenu[] = {
    {NoteCommand::Print, "Print"},  {NoteCommand::PrintFit, "Print Fit Page"},
    {NoteCommand::PrinterSetup, "Printer Setup"}, {NoteCommand::None, nullptr},
    {NoteCommand::Copy, "Copy"},    {NoteCommand::Edit, "Edit"},
    {NoteCommand::Email, "Email..."}, {NoteCommand::SaveAs, "SaveAs..."},
    {NoteCommand::None, nullptr},   {NoteCommand::Help, "Help"},
    {NoteCommand::Delete, "Delete "},
};

}  // namespace

std::span<const NoteMenuItem> NoteMenuItems() { return kMenu; }

NoteCommand NoteCommandOf(unsigned id) {
  return id >= unsigned(NoteCommand::Print) && id <= unsigned(NoteCommand::Delete) ? NoteCommand(id)
                                                                                  : NoteCommand::None;
}

Point ContextMenuPoint(Point message, Point cursor, Point window) {
  Point p = message.x == -1 && message.y == -1 ? cursor : message;
  return {p.x - window.x, p.y - window.y};
}

std::optional<Point> NoteDrag::Move(Point windowTopLeft, Point client) {
  if (!dragging_) return std::nullopt;
  moved_ = true;
  return Point{windowTopLeft.x + client.x - grab_.x, windowTopLeft.y + client.y - grab_.y};
}

NoteSave PlanNoteSave(const std::string& folder, const std::string& storedPath, bool isNew, bool moved, Point at,
                      StickyIds& ids) {
  std::string number =
      storedPath.empty() ? std::to_string(ids.TakeNext()) : NoteNumberText(FileNameOf(storedPath));
  std::string path = folder + NoteFileName(number, at.x, at.y);
  if (isNew) return {NoteSave::Write, path};
  if (moved && path != storedPath) return {NoteSave::Rename, path};
  return {};
}

StoredNoteVerdict JudgeStoredNote(std::string_view fileName, bool pictureRead) {
  if (!pictureRead) return {std::nullopt, kNoteUnreadableText};
  std::optional<NoteName> name = ParseNoteFileName(fileName);
  if (!name) return {std::nullopt, kNoteInvalidText};
  return {name, nullptr};
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string SetAsideFolder(const std::string& notesFolder) { return notesFolder + kSetAsideFolder + "\\"; }

std::string SetAsideReport(const std::string& message, const std::string& path, const std::string& movedTo) {
  return message + path + (movedTo.empty() ? "" : "\r\n\r\nThe file was moved to " + movedTo);
}

const char* StickyCheckText(StickyCheck check) {
  switch (check) {
    case StickyCheck::SourceTooTall: return kStickySourceTooTallText;
    case StickyCheck::TooBig: return kStickyTooBigText;
    case StickyCheck::Ok: break;
  }
  return nullptr;
}

std::string HandOverErrorText(const std::string& path) { return "Unable to save file.\r\n" + path; }

std::optional<PictureOutput> OutputOfNoteCommand(NoteCommand command) {
  switch (command) {
    case NoteCommand::Print: return PictureOutput::Print;
    case NoteCommand::PrintFit: return PictureOutput::PrintFit;
    case NoteCommand::Copy: return PictureOutput::Copy;
    case NoteCommand::Edit: return PictureOutput::Edit;
    case NoteCommand::Email: return PictureOutput::Email;
    case NoteCommand::SaveAs: return PictureOutput::SaveAs;
    default: return std::nullopt;
  }
}

std::string NoteNotSavedText(const std::string& path, const std::string& reason) {
  return kNoteNotSavedText + path + (reason.empty() ? "" : "\r\n" + reason) + "\r\n\r\n" + kSaveNoteElsewhere;
}

}  // namespace flk
