// libFuzzer target for the note files' names ("<number>_<left>_<top>_.bmp"
// as the sticky manager finds them in Stickies\, written by any program):
// a parsed name writes back to a name that parses to the same note, the
// verdicts agree with the parser, and set-aside names never loop.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "stickies/note_rules.h"
#include "stickies/sticky_notes.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  std::optional<flk::NoteName> note = flk::ParseNoteFileName(name);
  flk::StoredNoteVerdict read = flk::JudgeStoredNote(name, true);
  flk::StoredNoteVerdict unreadable = flk::JudgeStoredNote(name, false);
  Check(!unreadable.note && unreadable.setAside != nullptr);
  Check(read.note == note && (read.setAside == nullptr) == note.has_value());
  const std::string number = flk::NoteNumberText(name);
  Check(number.size() <= name.size() && name.substr(0, number.size()) == number);
  if (note) {
    // What the manager writes for it reads back as the same note.
    const std::string again = flk::NoteFileName(note->number, note->left, note->top);
    Check(flk::ParseNoteFileName(again) == note);
    flk::StickyIds ids;
    ids.Found(note->number);
    Check(ids.highest() >= note->number);
  }
  // A set-aside name is free and keeps the file's extension.
  std::set<std::string> taken{std::string(name)};
  for (int i = 2; i < 5; ++i) taken.insert(flk::SetAsideName(std::string(name), [&](const std::string& n) { return taken.count(n) > 0; }));
  Check(taken.size() == 4);
  Check(flk::FileNameOf(name).size() <= name.size());
  return 0;
}
