// Sticky notes: a note made from the camera appears below it with the view's
// pixels inside its frame, keeps its number and its new place across an end and
// a new start of the program, and goes with its file on Delete; files that
// cannot be notes are reported once and kept aside, never deleted.
#include <algorithm>
#include <fstream>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

constexpr RECT kCameraRect{120, 100, 120 + 300, 100 + 260};
constexpr char kNoteClass[] = "TfrmStickyItem";

// Pixels inside the note's frame that differ from the pattern under the view
// (the menu button at the top centre lies over the picture and is left out).
long NoteMismatches(HWND note, const RECT& view) {
  RECT r = WindowRect(note);
  RECT inside{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
  std::vector<HWND> buttons = Children(note);
  RECT button = buttons.empty() ? RECT{} : WindowRect(buttons.front());
  auto px = GrabScreen(inside);
  if (!px || px->width() != view.right - view.left || px->height() != view.bottom - view.top) return -1;
  long bad = 0;
  for (int y = inside.top; y < inside.bottom; ++y)
    for (int x = inside.left; x < inside.right; ++x) {
      POINT p{x, y};
      if (::PtInRect(&button, p)) continue;
      if (px->at(x, y) != PatternColour(view.left + x - inside.left, view.top + y - inside.top)) ++bad;
    }
  return bad;
}

class StickyTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ::CreateDirectoryA(StickiesFolder().c_str(), nullptr);
    for (const std::string& n : NoteFiles()) ::DeleteFileA((StickiesFolder() + n).c_str());
    for (const char* n : {"abc_1_2_.bmp", "5_10_20.bmp", "3_100_80_.bmp"})
      ::DeleteFileA((StickiesFolder() + "Unreadable\\" + n).c_str());
  }
  // Notes left behind would start a manager with every later camera.
  void TearDown() override {
    ProgramTest::TearDown();
    KillProgramProcesses();
    for (const std::string& n : NoteFiles()) ::DeleteFileA((StickiesFolder() + n).c_str());
  }
};

TEST_F(StickyTest, NoteBelowTheCameraComesBackWhereItWasDraggedAndDeleteRemovesItsFile) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCameraRect));
  Command(s, flk::CommandId::Sticky);
  HWND note = WaitWindow(kNoteClass, "StickyItem", true);
  ASSERT_TRUE(note) << DescribeBoxes(0);
  HWND manager = FindTop(kStickiesClass, kStickiesCaption);
  ASSERT_TRUE(manager);
  EXPECT_FALSE(IsVisible(manager));
  Process managerProcess = Process::Open(WindowPid(manager));
  ASSERT_TRUE(managerProcess);
  std::vector<HWND> button = Children(note);
  ASSERT_EQ(button.size(), 1u);  // the menu button, top centre
  EXPECT_EQ(WindowRect(button[0]).top, WindowRect(note).top + 3);
  const int w = s.view.right - s.view.left, h = s.view.bottom - s.view.top;
  RECT cam = WindowRect(s.cam.camera), r = WindowRect(note);
  EXPECT_EQ(r.left, cam.left + (cam.right - cam.left - (w + 4)) / 2);
  EXPECT_EQ(r.top, cam.bottom + 1);
  EXPECT_EQ(r.right - r.left, w + 8);
  EXPECT_EQ(r.bottom - r.top, h + 8);
  EXPECT_TRUE(WaitUntil([&] { return NoteMismatches(note, s.view) == 0; })) << NoteMismatches(note, s.view);
  EXPECT_TRUE(NoteFiles().empty());  // a new note is written when it closes

  // Dragged by (100, 50), the program ended and started again: same number, new place.
  DragNote(note, POINT{r.left + 20, r.top + 30}, 100, 50);
  RECT moved = WindowRect(note);
  EXPECT_EQ(moved.left, r.left + 100);
  EXPECT_EQ(moved.top, r.top + 50);
  Command(s, flk::CommandId::Exit);
  ASSERT_TRUE(s.cam.process.WaitExit());
  ASSERT_TRUE(managerProcess.WaitExit()) << DescribeBoxes(0);
  EXPECT_EQ(NoteFiles(), std::vector<std::string>{"1_" + std::to_string(moved.left) + "_" +
                                                  std::to_string(moved.top) + "_.bmp"});
  RunningCamera again = StartCameraOver(kCameraRect);
  ASSERT_TRUE(again.camera);
  note = WaitWindow(kNoteClass, "StickyItem", true);
  ASSERT_TRUE(note) << DescribeBoxes(0);
  RECT back = WindowRect(note);
  EXPECT_EQ(back.left, moved.left);
  EXPECT_EQ(back.top, moved.top);
  EXPECT_TRUE(WaitUntil([&] { return NoteMismatches(note, s.view) == 0; }));

  // Delete, from the note's menu: the file goes, nothing is saved.
  POINT on{back.left + 20, back.top + 30};
  MouseAt(on.x, on.y);
  WaitUntil([&] { return ::WindowFromPoint(on) == note; });
  MouseAt(on.x, on.y, MOUSEEVENTF_RIGHTDOWN);
  MouseAt(on.x, on.y, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitUntil([&] { return VisibleMenu(WindowPid(note)) != nullptr; })) << "no menu";
  Press({VK_UP});  // to the last entry, "Delete "
  Press({VK_RETURN});
  EXPECT_TRUE(WaitGone(note));
  EXPECT_TRUE(WaitUntil([] { return NoteFiles().empty(); }));
}

// A 2 x 2 24-bit bitmap file.
void WriteSmallBmp(const std::string& path) {
  const unsigned char file[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
                                1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0};
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file), sizeof file);
}

TEST_F(StickyTest, FilesThatCannotBeNotesAreReportedOnceAndKeptAside) {
  WriteCurrentUserSettings();
  for (const char* bad : {"abc_1_2_.bmp", "5_10_20.bmp"}) WriteSmallBmp(StickiesFolder() + bad);
  std::ofstream(StickiesFolder() + "3_100_80_.bmp") << "not a picture";
  WriteSmallBmp(StickiesFolder() + "2_300_200_.bmp");
  Process p = Process::Start("Sticky");  // the role word in any case
  ASSERT_TRUE(p);
  std::vector<std::string> reports;
  while (reports.size() < 3) {
    HWND box = WaitBoxOf(p, "FLK Stickies");
    ASSERT_TRUE(box) << "reports so far: " << reports.size();
    reports.push_back(MessageBoxText(box));
    ASSERT_TRUE(Answer(box, IDOK));
  }
  std::string aside = StickiesFolder() + "Unreadable\\";
  for (const char* name : {"abc_1_2_.bmp", "5_10_20.bmp", "3_100_80_.bmp"}) {
    std::string kind = name[0] == '3' ? "Couldn't load Sticky item: " : "Invalid Sticky found: ";
    std::string text = kind + StickiesFolder() + name + "\n\nThe file was moved to " + aside + name;
    EXPECT_EQ(std::count(reports.begin(), reports.end(), text), 1) << text;
    EXPECT_TRUE(FileExists(aside + name)) << name;
  }
  HWND note = WaitWindow(kNoteClass, "StickyItem", true, kWaitMs, p.pid());
  ASSERT_TRUE(note);
  RECT r = WindowRect(note);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 200);
  EXPECT_EQ(r.right - r.left, 2 + 8);
  EXPECT_EQ(NoteFiles(), std::vector<std::string>{"2_300_200_.bmp"});
  Post(FindTop(kStickiesClass, kStickiesCaption, p.pid()), WM_CLOSE);
  EXPECT_TRUE(p.WaitExit());
  EXPECT_EQ(NoteFiles(), std::vector<std::string>{"2_300_200_.bmp"});  // unmoved: unchanged
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty());
}

}  // namespace
}  // namespace flk::e2e
