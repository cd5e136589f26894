// Several monitors (scripts/e2e_monitors.sh runs each suite on its layout of
// an Xorg with one output per monitor): the camera opens where it was left on
// any monitor and its view is exact there, Print Screen freezes every monitor,
// Full Screen stores the whole desktop, a note comes back on its monitor, and
// what was left on a monitor that has gone opens wholly on the primary.
// Every suite skips itself on any other layout (the one-monitor e2e layer).
#include <fstream>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

constexpr char kNoteClass[] = "TfrmStickyItem";

std::vector<RECT> MonitorRects() {
  std::vector<RECT> rects;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR m, HDC, LPRECT, LPARAM p) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoW(m, &info)) reinterpret_cast<std::vector<RECT>*>(p)->push_back(info.rcMonitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&rects));
  return rects;
}

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// True when the monitors are exactly these (in any order).
bool LayoutIs(std::initializer_list<RECT> want) {
  std::vector<RECT> have = MonitorRects();
  if (have.size() != want.size()) return false;
  for (const RECT& w : want)
    if (std::none_of(have.begin(), have.end(), [&](const RECT& h) { return SameRect(h, w); })) return false;
  return true;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

constexpr RECT kPrimary{0, 0, 1280, 1024};
constexpr RECT kLeft{-1024, 0, 0, 768};   // a 1024 x 768 monitor left of the primary
constexpr RECT kAbove{0, -768, 1024, 0};  // the same monitor above it
constexpr RECT kCamLeft{-700, 200, -700 + 345, 200 + 222};
constexpr RECT kCamAbove{100, -600, 100 + 345, -600 + 222};


// A note file as the manager stores it: a 24-bit BMP of one colour.
bool WriteNoteFile(const std::string& name, int w, int h) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = DWORD(stride * h);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::vector<char> bits(ih.biSizeImage, char(0x40));
  std::ofstream out(StickiesFolder() + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  out.write(bits.data(), std::streamsize(bits.size()));
  return bool(out);
}

class MonitorsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ::CreateDirectoryA(StickiesFolder().c_str(), nullptr);
    RemoveStoredNotes();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    KillProgramProcesses();
    RemoveStoredNotes();
  }
};

// Opens the camera at `window` over the pattern and checks that it opens
// exactly there and that its view shows the pattern beneath exactly.
void OpenCameraExactly(Scene& s, const RECT& window) {
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, window));
  EXPECT_TRUE(SameRect(WindowRect(s.cam.camera), window)) << Describe(WindowRect(s.cam.camera));
}

void FreezeCovers(const RunningCamera& cam, const RECT& desktop) {
  const RECT before = WindowRect(cam.camera);
  HWND tray = FindTop(kTrayClass, kTrayCaption, cam.process.pid());
  ASSERT_TRUE(tray);
  ASSERT_TRUE(Post(tray, WM_HOTKEY, 0, MAKELPARAM(0, VK_SNAPSHOT)));
  ASSERT_TRUE(WaitStatus(cam.camera, "Desktop FROZEN. (Click desktop to thaw.)")) << StatusText(cam.camera);
  HWND freeze = WaitWindow("TfrmFreeze", nullptr, true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(freeze);
  EXPECT_TRUE(SameRect(WindowRect(freeze), desktop)) << Describe(WindowRect(freeze));
  EXPECT_TRUE(SameRect(WindowRect(cam.camera), before)) << Describe(WindowRect(cam.camera));
  EXPECT_TRUE(IsVisible(cam.camera));
}

// ---- two monitors: the primary and a 1024 x 768 one at -1024,0 -------------------

class MonitorsTwo : public MonitorsTest {
 protected:
  void SetUp() override {
    if (!LayoutIs({kPrimary, kLeft})) GTEST_SKIP() << "needs the two-monitor layout";
    MonitorsTest::SetUp();
  }
};

TEST_F(MonitorsTwo, TheCameraLeftOnTheSecondMonitorOpensThereWithAnExactView) {
  Scene s{PatternWindow{kLeft}, {}, {}};
  OpenCameraExactly(s, kCamLeft);
}

TEST_F(MonitorsTwo, PrintScreenFreezesEveryMonitorAndTheCameraStaysPut) {
  Scene s{PatternWindow{kLeft}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, kCamLeft));
  ASSERT_NO_FATAL_FAILURE(FreezeCovers(s.cam, RECT{-1024, 0, 1280, 1024}));
  // The still holds the second monitor: with the pattern gone it still shows there.
  s.pattern.Close();
  Pump();
  const RECT beside{-1024, 0, kCamLeft.left, 768};
  EXPECT_TRUE(WaitUntil([&] { return ScreenMismatches(beside) == 0; })) << ScreenMismatches(beside);
}

TEST_F(MonitorsTwo, FullScreenStoresTheWholeDesktop) {
  Scene s{PatternWindow{kLeft}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, kCamLeft));
  const std::string ring = DataFolder() + "Folders\\LastCaptures\\";
  Command(s, flk::CommandId::FullScreen);
  HWND viewer = WaitViewer();
  ASSERT_TRUE(viewer) << DescribeBoxes(s.cam.process.pid());
  WIN32_FIND_DATAA d;
  std::string newest;
  HANDLE find = ::FindFirstFileA((ring + "*.bmp").c_str(), &d);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    if (newest < d.cFileName) newest = d.cFileName;
  } while (::FindNextFileA(find, &d));
  ::FindClose(find);
  auto picture = ReadBmpFile(ring + newest);
  ASSERT_TRUE(picture) << newest;
  ASSERT_EQ(picture->width, 2304);
  ASSERT_EQ(picture->height, 1024);
  // The left 1024 columns are the second monitor (the camera stepped aside);
  // below it no monitor shows anything: black.
  long bad = 0, notBlack = 0;
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x) {
      if (y < 768 && picture->at(x, y) != PatternColour(x - 1024, y)) ++bad;
      if (y >= 768 && picture->at(x, y) != 0) ++notBlack;
    }
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(notBlack, 0);
  EXPECT_TRUE(CloseViewer());
}

TEST_F(MonitorsTwo, ANoteMadeOnTheSecondMonitorLiesThereAndComesBackThere) {
  Scene s{PatternWindow{kLeft}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, kCamLeft));
  Command(s, flk::CommandId::Sticky);
  HWND note = WaitWindow(kNoteClass, "StickyItem", true);
  ASSERT_TRUE(note) << DescribeBoxes(0);
  const RECT made = WindowRect(note);
  EXPECT_TRUE(Inside(made, kLeft)) << Describe(made);
  Process manager = Process::Open(WindowPid(FindTop(kStickiesClass, kStickiesCaption)));
  ASSERT_TRUE(manager);
  Command(s, flk::CommandId::Exit);
  ASSERT_TRUE(s.cam.process.WaitExit());
  ASSERT_TRUE(manager.WaitExit()) << DescribeBoxes(0);
  EXPECT_EQ(NoteFiles(),
            std::vector<std::string>{"1_" + std::to_string(made.left) + "_" + std::to_string(made.top) + "_.bmp"});
  RunningCamera again = StartCameraOver(kCamLeft);
  ASSERT_TRUE(again.camera);
  note = WaitWindow(kNoteClass, "StickyItem", true);
  ASSERT_TRUE(note) << DescribeBoxes(0);
  EXPECT_TRUE(SameRect(WindowRect(note), made)) << Describe(WindowRect(note));
}

TEST_F(MonitorsTwo, APointHintNearTheSecondMonitorsRightEdgeStaysOnThatMonitor) {
  // The camera's centre is 228 pixels left of the primary: too little room for
  // the 271-pixel hint to its right on its own monitor, so it hangs to the left.
  const RECT window{-400, 200, -400 + 345, 200 + 222};
  Scene s{PatternWindow{kLeft}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, window));
  const RECT view = ViewOnScreen(window);
  const POINT centre{window.left + (window.right - window.left) / 2, view.top + (view.bottom - view.top) / 2};
  Command(s, flk::CommandId::WinCap);
  HWND hint = WaitWindow("TfrmHotPt", nullptr, true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(hint) << DescribeBoxes(s.cam.process.pid());
  const RECT r = WindowRect(hint);
  EXPECT_EQ(r.right, centre.x) << Describe(r);
  EXPECT_TRUE(Inside(r, kLeft)) << Describe(r);
  ASSERT_TRUE(Post(::GetDlgItem(hint, IDCANCEL), BM_CLICK));
  EXPECT_TRUE(WaitGone(hint));
}

TEST_F(MonitorsTwo, WindowCaptureOnTheSecondMonitorTakesTheWholeWindowThere) {
  const std::string ring = DataFolder() + "Folders\\LastCaptures\\";
  std::vector<std::string> old;
  WIN32_FIND_DATAA d;
  HANDLE find = ::FindFirstFileA((ring + "*.bmp").c_str(), &d);
  if (find != INVALID_HANDLE_VALUE) {
    do old.push_back(d.cFileName);
    while (::FindNextFileA(find, &d));
    ::FindClose(find);
  }
  for (const std::string& n : old) ::DeleteFileA((ring + n).c_str());
  Scene s{PatternWindow{kLeft}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, kCamLeft));
  ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NsaCntrPt", 1));  // no point hint first
  Command(s, flk::CommandId::WinCap);
  // The window under the camera's centre is the pattern window covering the second monitor.
  std::optional<ReadPicture> picture;
  ASSERT_TRUE(WaitUntil([&] {
    HANDLE f = ::FindFirstFileA((ring + "*.bmp").c_str(), &d);
    if (f == INVALID_HANDLE_VALUE) return false;
    ::FindClose(f);
    picture = ReadBmpFile(ring + d.cFileName);
    return picture.has_value();
  })) << DescribeBoxes(s.cam.process.pid()) << " status: " << StatusText(s.cam.camera);
  EXPECT_EQ(picture->width, 1024);
  EXPECT_EQ(picture->height, 768);
  EXPECT_EQ(PatternMismatches(*picture, kLeft), 0);
  CloseViewer();
}

// ---- the primary alone: what was left on the second monitor ------------------------

class MonitorsAlone : public MonitorsTest {
 protected:
  void SetUp() override {
    if (!LayoutIs({kPrimary})) GTEST_SKIP() << "needs the primary monitor alone";
    // Only where the layer restarted the display with the primary alone: the
    // one-monitor e2e layer has the same layout and its own scenarios.
    if (!::GetEnvironmentVariableA("FLK_E2E_MONITORS", nullptr, 0)) GTEST_SKIP() << "outside e2e-monitors";
    MonitorsTest::SetUp();
  }
};

TEST_F(MonitorsAlone, TheCameraAndANoteLeftOnAGoneMonitorOpenWhollyOnThePrimary) {
  ASSERT_TRUE(WriteNoteFile("1_-695_469_.bmp", 200, 150));
  Scene s{PatternWindow{RECT{0, 0, 900, 760}}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, kCamLeft));
  const RECT cam = WindowRect(s.cam.camera);
  EXPECT_TRUE(SameRect(cam, RECT{0, 200, 345, 422})) << Describe(cam);
  HWND note = WaitWindow(kNoteClass, "StickyItem", true);
  ASSERT_TRUE(note) << DescribeBoxes(0);
  const RECT r = WindowRect(note);
  EXPECT_TRUE(Inside(r, kPrimary)) << Describe(r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 469);
  // Nothing stored changes until the note is moved: the file keeps its name.
  Process manager = Process::Open(WindowPid(FindTop(kStickiesClass, kStickiesCaption)));
  ASSERT_TRUE(manager);
  Command(s, flk::CommandId::Exit);
  ASSERT_TRUE(s.cam.process.WaitExit());
  ASSERT_TRUE(manager.WaitExit()) << DescribeBoxes(0);
  EXPECT_EQ(NoteFiles(), std::vector<std::string>{"1_-695_469_.bmp"});
}

// ---- a monitor above the primary (negative y) ---------------------------------------

class MonitorsAbove : public MonitorsTest {
 protected:
  void SetUp() override {
    if (!LayoutIs({kPrimary, kAbove})) GTEST_SKIP() << "needs a monitor above the primary";
    MonitorsTest::SetUp();
  }
};

TEST_F(MonitorsAbove, TheCameraOpensAboveThePrimaryWithAnExactViewAndPrintScreenFreezesBoth) {
  Scene s{PatternWindow{kAbove}, {}, {}};
  ASSERT_NO_FATAL_FAILURE(OpenCameraExactly(s, kCamAbove));
  ASSERT_NO_FATAL_FAILURE(FreezeCovers(s.cam, RECT{0, -768, 1280, 1024}));
}

}  // namespace
}  // namespace flk::e2e
