#include "stickies/note_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "stickies/gr_btn.h"

namespace flk {
namespace {

TEST(NoteWindow, MenuIdsDecodeToTheirCommandsAndSeparatorsHaveNone) {
  int separators = 0;
  std::set<NoteCommand> seen;
  for (const NoteMenuItem& item : NoteMenuItems()) {
    if (!item.label) {
      ++separators;
      EXPECT_EQ(item.command, NoteCommand::None);
      continue;
    }
    EXPECT_EQ(NoteCommandOf(unsigned(item.command)), item.command) << item.label;
    EXPECT_TRUE(seen.insert(item.command).second) << item.label;
  }
  EXPECT_EQ(separators, 2);
  EXPECT_EQ(seen.size(), 9u);
  EXPECT_STREQ(NoteMenuItems().back().label, "Delete ");  // the last entry, reached with Up from the top
  EXPECT_EQ(NoteCommandOf(0), NoteCommand::None);
  EXPECT_EQ(NoteCommandOf(10), NoteCommand::None);
}

TEST(NoteWindow, SixEntriesAreOutputsAndThoseThatWriteAFileTakeTheFileDepth) {
  std::set<PictureOutput> outputs;
  for (const NoteMenuItem& item : NoteMenuItems())
    if (std::optional<PictureOutput> o = OutputOfNoteCommand(item.command)) outputs.insert(*o);
  EXPECT_EQ(outputs.size(), 6u);
  EXPECT_FALSE(OutputOfNoteCommand(NoteCommand::PrinterSetup));
  EXPECT_FALSE(OutputOfNoteCommand(NoteCommand::Delete));
  // Save As, Edit and Email write a file; print and copy take the note as it is.
  EXPECT_TRUE(OutputWritesFile(*OutputOfNoteCommand(NoteCommand::SaveAs)));
  EXPECT_TRUE(OutputWritesFile(*OutputOfNoteCommand(NoteCommand::Email)));
  EXPECT_TRUE(OutputWritesFile(*OutputOfNoteCommand(NoteCommand::Edit)));
  EXPECT_FALSE(OutputWritesFile(*OutputOfNoteCommand(NoteCommand::Copy)));
  EXPECT_FALSE(OutputWritesFile(*OutputOfNoteCommand(NoteCommand::PrintFit)));
}

TEST(NoteWindow, ContextMenuPointFromTheMessageOrTheCursor) {
  EXPECT_EQ(ContextMenuPoint({400, 300}, {9, 9}, {350, 280}), (Point{50, 20}));
  EXPECT_EQ(ContextMenuPoint({-1, -1}, {360, 290}, {350, 280}), (Point{10, 10}));
  EXPECT_EQ(ContextMenuPoint({-1, 5}, {360, 290}, {0, 0}), (Point{-1, 5}));  // only both -1 mean the keyboard
}

TEST(NoteWindow, DragFollowsTheGrabPointAndMarksTheNoteMoved) {
  NoteDrag drag;
  EXPECT_FALSE(drag.Move({100, 100}, {5, 5}));
  EXPECT_FALSE(drag.moved());
  drag.Press({10, 20});
  EXPECT_EQ(drag.Move({100, 100}, {15, 18}), (Point{105, 98}));
  EXPECT_TRUE(drag.moved());
  drag.Release();
  EXPECT_FALSE(drag.Move({105, 98}, {50, 50}));
  EXPECT_TRUE(drag.moved());  // stays moved until the note closes
}

TEST(NoteWindow, SaveWritesNewNotesAndRenamesMovedOnes) {
  const std::string folder = "C:\\Data\\Stickies\\";
  StickyIds ids;
  ids.Found(4);
  NoteSave fresh = PlanNoteSave(folder, "", true, false, {10, -20}, ids);
  EXPECT_EQ(fresh.kind, NoteSave::Write);
  EXPECT_EQ(fresh.path, folder + "5_10_-20_.bmp");
  EXPECT_EQ(ids.highest(), 5);

  const std::string stored = folder + "07_1_2_.bmp";
  NoteSave moved = PlanNoteSave(folder, stored, false, true, {30, 40}, ids);
  EXPECT_EQ(moved.kind, NoteSave::Rename);
  EXPECT_EQ(moved.path, folder + "07_30_40_.bmp");
  EXPECT_EQ(ids.highest(), 5);  // a stored note keeps its number
  EXPECT_EQ(PlanNoteSave(folder, stored, false, true, {1, 2}, ids).kind, NoteSave::Nothing);  // back where it was
  EXPECT_EQ(PlanNoteSave(folder, stored, false, false, {30, 40}, ids).kind, NoteSave::Nothing);
}

TEST(NoteWindow, StoredFilesBecomeNotesOrAreSetAsideWithTheirReason) {
  StoredNoteVerdict ok = JudgeStoredNote("3_120_455_.bmp", true);
  EXPECT_EQ(ok.setAside, nullptr);
  EXPECT_EQ(ok.note, (NoteName{3, 120, 455}));
  EXPECT_STREQ(JudgeStoredNote("3_120_455_.bmp", false).setAside, kNoteUnreadableText);
  EXPECT_STREQ(JudgeStoredNote("holiday.bmp", true).setAside, kNoteInvalidText);
  EXPECT_STREQ(JudgeStoredNote("holiday.bmp", false).setAside, kNoteUnreadableText);  // unreadable is said first

  EXPECT_EQ(FileNameOf("C:\\Data\\Stickies\\a_1_2_.bmp"), "a_1_2_.bmp");
  EXPECT_EQ(FileNameOf("a.bmp"), "a.bmp");
  EXPECT_EQ(SetAsideFolder("C:\\S\\"), "C:\\S\\Unreadable\\");
  EXPECT_EQ(SetAsideReport("Bad: ", "C:\\S\\x.bmp", ""), "Bad: C:\\S\\x.bmp");
  EXPECT_EQ(SetAsideReport("Bad: ", "C:\\S\\x.bmp", "C:\\S\\Unreadable\\x.bmp"),
            "Bad: C:\\S\\x.bmp\r\n\r\nThe file was moved to C:\\S\\Unreadable\\x.bmp");
}

TEST(NoteWindow, RefusalsAndHandOverTexts) {
  EXPECT_EQ(StickyCheckText(StickyCheck::Ok), nullptr);
  EXPECT_STREQ(StickyCheckText(StickyCheck::TooBig), "Sticky is too big.");
  EXPECT_STREQ(StickyCheckText(StickyCheck::SourceTooTall), "Window is too tall to create sticky.");
  EXPECT_EQ(HandOverErrorText("C:\\P\\NewSticky.bmp"), "Unable to save file.\r\nC:\\P\\NewSticky.bmp");
}

// ---- the glyph button ---------------------------------------------------------------

TEST(GlyphButton, PressReleaseClicksAndLeavingWithTheButtonHeldDisarms) {
  GlyphButtonState b;
  GlyphButtonState::Reply r = b.Move(true, false, false);
  EXPECT_TRUE(r.hilite && r.repaint && !r.click);
  EXPECT_EQ(b.state(), GlyphState::Highlighted);
  EXPECT_FALSE(b.Move(true, false, false).hilite);  // once per entry
  b.Press();
  EXPECT_EQ(b.state(), GlyphState::Pressed);
  EXPECT_FALSE(b.Move(true, true, false).repaint);  // held inside: still armed
  r = b.Release();
  EXPECT_TRUE(r.click && r.repaint);
  EXPECT_EQ(b.state(), GlyphState::Normal);
  EXPECT_FALSE(b.Release().click);  // nothing armed

  b.Press();
  EXPECT_TRUE(b.Move(false, true, false).repaint);  // dragged out with the left button
  EXPECT_EQ(b.state(), GlyphState::Normal);
  EXPECT_FALSE(b.Release().click);

  b.Press();
  EXPECT_FALSE(b.Move(false, false, true).repaint);  // the right button held outside stays armed
  EXPECT_TRUE(b.Release().click);

  b.Move(true, false, false);
  EXPECT_TRUE(b.Leave().repaint);
  EXPECT_EQ(b.Cell(false), int(GlyphState::Normal));
  b.Press();
  EXPECT_EQ(b.Cell(false), 1);
  EXPECT_EQ(b.Cell(true), 3);
}

TEST(GlyphButton, CellsAreCentredAndTakenFromTheirQuarter) {
  GlyphCellPlace p = PlaceGlyphCell({64, 24}, {16, 14}, 2);
  EXPECT_EQ(p.width, 16);
  EXPECT_EQ(p.height, 12);
  EXPECT_EQ(p.sourceX, 32);
  EXPECT_EQ(p.imageY, 0);
  EXPECT_EQ(p.maskY, 12);
  EXPECT_EQ(p.at, (Point{0, 1}));
  EXPECT_EQ(PlaceGlyphCell({64, 24}, {24, 21}, 3).at, (Point{4, 4}));  // scaled button, truncated halves
}

TEST(GlyphButton, MenuGlyphInksItsMarkAndMasksEverythingElse) {
  Picture g = NoteMenuGlyph();
  ASSERT_EQ(g.width(), 64);
  ASSERT_EQ(g.height(), 24);
  EXPECT_EQ(g.bitsPerPixel(), 24);
  const Rgb ink[4] = {MakeRgb(64, 64, 64), MakeRgb(0, 0, 0), MakeRgb(0, 84, 227), MakeRgb(160, 160, 160)};
  for (int cell = 0; cell < 4; ++cell) {
    const int shift = cell == 1 ? 1 : 0, x0 = cell * 16;
    // A bar pixel and the triangle's tip: ink above, black (drawn) in the mask.
    for (Point p : {Point{3, 1}, Point{12, 8}, Point{6, 10}}) {
      EXPECT_EQ(g.pixel(x0 + p.x + shift, p.y + shift), ink[cell]) << cell;
      EXPECT_EQ(g.pixel(x0 + p.x + shift, p.y + shift + 12), MakeRgb(0, 0, 0)) << cell;
    }
    // Between the bars and at the cell's corner nothing is drawn.
    for (Point p : {Point{3, 3 + shift}, Point{0, 0}}) {
      EXPECT_EQ(g.pixel(x0 + p.x, p.y), MakeRgb(0, 0, 0)) << cell;
      EXPECT_EQ(g.pixel(x0 + p.x, p.y + 12), MakeRgb(255, 255, 255)) << cell;
    }
  }
  // The pressed mark moves right: its first column is empty.
  EXPECT_EQ(g.pixel(16 + 3, 2), MakeRgb(0, 0, 0));
  EXPECT_EQ(g.pixel(16 + 3, 2 + 12), MakeRgb(255, 255, 255));
}

}  // namespace
}  // namespace flk
