// Scroll and robo capture of the real program over a scrolling window of the
// driver that shows the corpus documents: the stored ring picture must hold
// exactly the document's rows, Esc and the close box store nothing and leave
// no painted pixel, and the settings dialog keeps its rules.
#include <gtest/gtest.h>

#include <cstdio>

#include "camera_scene.h"
#include "scroll/scroll_settings_win.h"
#include "scroll_doc_window.h"

namespace flk::e2e {
namespace {

constexpr RECT kCameraRect{300, 200, 300 + 345, 200 + 222};
constexpr POINT kDocAt{20, 90};

std::string Ring() { return DataFolder() + "Folders\\LastCaptures\\"; }

std::vector<std::string> RingFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE find = ::FindFirstFileA((Ring() + "*.bmp").c_str(), &d);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(d.cFileName);
  while (::FindNextFileA(find, &d));
  ::FindClose(find);
  return names;
}

void EmptyRing() {
  for (const std::string& name : RingFiles()) ::DeleteFileA((Ring() + name).c_str());
}

std::optional<ReadPicture> WaitRingPicture(DWORD timeoutMs) {
  std::optional<ReadPicture> picture;
  WaitUntil([&] {
    auto names = RingFiles();
    if (names.empty()) return false;
    picture = ReadBmpFile(Ring() + names.front());
    return picture.has_value();
  }, timeoutMs, 50);
  return picture;
}

RunningCamera StartCamera(std::initializer_list<std::pair<const char*, DWORD>> extra) {
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Left", DWORD(kCameraRect.left));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Top", DWORD(kCameraRect.top));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Width", DWORD(kCameraRect.right - kCameraRect.left));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Height", DWORD(kCameraRect.bottom - kCameraRect.top));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NsaScrollPt", 1);
  for (const auto& [name, value] : extra) RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, name, value);
  RunningCamera r;
  r.process = Process::Start("");
  if (!r.process) return r;
  r.camera = WaitCameraOrBox(r.process).camera;
  if (r.camera) r.process.WaitIdle();
  return r;
}

// A button press or release at a screen point.
void Mouse(DWORD flags, POINT at) { MouseAt(at.x, at.y, flags); }

// The centre of the hold-down button: 2 rows under the status line (which is
// as tall as its text needs), 23 high, centred; 96-DPI rows at the tool's scale.
POINT ButtonCentre(HWND tool) {
  RECT c;
  ::GetClientRect(tool, &c);
  const RECT status = WindowRect(::GetDlgItem(tool, 101));
  POINT p{c.right / 2, (status.bottom - status.top) + E2eScale()(2) + E2eScale()(23) / 2};
  ::ClientToScreen(tool, &p);
  return p;
}

// Rows of the picture from (left, top) of `pictureOrigin` against the window's
// whole contents from row `firstRow`, columns of the document within the picture.
struct RowCount {
  int compared = 0, differing = 0, first = -1;
};
RowCount CompareWithContents(const ReadPicture& pic, const ScrollDocWindow& w, const TallDocument& d, int px0, int py0,
                             int docX0, int firstRow, int rows) {
  RowCount c;
  const int width = std::min(pic.width - px0, d.width - docX0);
  for (int i = 0; i < rows && py0 + i < pic.height; ++i) {
    ++c.compared;
    for (int x = 0; x < width; ++x)
      if (pic.at(px0 + x, py0 + i) != w.Whole(docX0 + x, firstRow + i)) {
        ++c.differing;
        if (c.first < 0) c.first = firstRow + i;
        break;
      }
  }
  return c;
}

// Pixels of the window's client that differ from what it shows, outside the
// camera (which has come back over it).
long PaintedPixels(const ScrollDocWindow& w, HWND camera) {
  const RECT c = w.client(), camRect = WindowRect(camera);
  auto px = GrabScreen(c);
  if (!px) return -1;
  long painted = 0;
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x)
      if (!::PtInRect(&camRect, POINT{x, y})) painted += px->at(x, y) != w.Expected(x - c.left, y - c.top);
  return painted;
}

struct RoboCase {
  const char* name;
  const char* doc;
  int header, footer;
  bool child;
};

class ScrollCaptureTest : public ProgramTest, public ::testing::WithParamInterface<RoboCase> {};

TEST_P(ScrollCaptureTest, RoboStoresTheWholeDocumentOnce) {
  const RoboCase& rc = GetParam();
  TallDocument d = LoadScrollDocument(rc.doc);
  ASSERT_GT(d.height, 0) << rc.doc;
  ScrollDocWindow w(d, kDocAt, 600, rc.header, rc.footer, rc.child, 60);
  ASSERT_EQ(w.WaitShown(), 0);
  EmptyRing();
  // 150 ms: time enough for the driver to repaint on a loaded machine (no motion ends a robo capture).
  RunningCamera cam = StartCamera({{"AS_Interval", 150}, {"AS_FileLimit", 67108864}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ::SetWindowPos(w.top(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(cam.camera, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const DWORD t0 = ::GetTickCount();
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(CommandId::Robo)));
  std::optional<ReadPicture> pic = WaitRingPicture(180000);
  ASSERT_TRUE(pic) << "no picture; boxes: " << DescribeBoxes(cam.process.pid());
  const DWORD ms = ::GetTickCount() - t0;

  const RECT wr = WindowRect(w.doc()), c = w.client();
  const int ox = c.left - wr.left, oy = c.top - wr.top;
  const int contents = rc.header + d.height + rc.footer;
  EXPECT_EQ(pic->width, (wr.right - wr.left) - 18);
  EXPECT_EQ(pic->height, oy + contents + (wr.bottom - c.bottom));
  RowCount r = CompareWithContents(*pic, w, d, ox, oy, 0, 0, contents);
  std::printf("[ robo ] %s: %d rows compared, %d differing (first %d), %d x %d in %lu ms\n", rc.name, r.compared,
              r.differing, r.first, pic->width, pic->height, static_cast<unsigned long>(ms));
  EXPECT_EQ(r.compared, contents);
  EXPECT_EQ(r.differing, 0) << "first differing contents row " << r.first;
  EXPECT_TRUE(WaitUntil([&] { return w.pos() == 0; })) << "the window goes back to its top";
  EXPECT_TRUE(WaitViewer()) << "the viewer shows the result";
  EXPECT_TRUE(CloseViewer());
  EXPECT_TRUE(WaitUntil([&] { return PaintedPixels(w, cam.camera) == 0; }, kWaitMs, 100))
      << "index pixels left on the window: " << PaintedPixels(w, cam.camera);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ScrollCaptureTest,
    ::testing::Values(RoboCase{"RustTopLevel", "chromium_rustbook_strings_900x8000.png", 0, 0, false},
                      RoboCase{"GrepHeaderFooter", "text_man_grep_monospace_720x11212.png", 40, 60, false},
                      RoboCase{"NodeChild", "chromium_nodejs_events_dark_1000x8000.png", 30, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

class ScrollByHandTest : public ProgramTest {
 protected:
  // Starts the camera and the scroll tool over the window; the tool window.
  HWND StartTool(RunningCamera& cam, ScrollDocWindow& w) {
    EmptyRing();
    cam = StartCamera({{"SS_Interval", 100}});
    if (!cam.camera) return nullptr;
    ::SetWindowPos(w.top(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(cam.camera, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!Post(cam.camera, WM_COMMAND, CommandParam(CommandId::ScrollCap))) return nullptr;
    HWND tool = WaitWindow("TfrmScroll", "Scroll Capture", true, kWaitMs, cam.process.pid());
    return tool;
  }
};

TEST_F(ScrollByHandTest, HoldingTheButtonJoinsTheRowsItCovered) {
  TallDocument d = LoadScrollDocument("chromium_rustbook_strings_900x8000.png");
  ScrollDocWindow w(d, kDocAt, 600, 0, 0, false, 40);
  ASSERT_EQ(w.WaitShown(), 0);
  RunningCamera cam;
  HWND tool = StartTool(cam, w);
  ASSERT_TRUE(tool) << DescribeBoxes(cam.process.pid());
  const RECT tr = WindowRect(tool);
  const int tpScn = tr.bottom + 2, ltScn = tr.left, wd = tr.right - tr.left;
  const POINT button = ButtonCentre(tool);
  Mouse(MOUSEEVENTF_LEFTDOWN, button);
  WaitUntil([] { return false; }, 2500);
  const std::string held = WindowText(::GetDlgItem(tool, 101));
  const int posAtRelease = w.pos();  // a step still queued here may or may not be in the picture
  Mouse(MOUSEEVENTF_LEFTUP, button);
  std::optional<ReadPicture> pic = WaitRingPicture(20000);
  ASSERT_TRUE(pic) << DescribeBoxes(cam.process.pid()) << "; status while held: " << held << "; window at "
                   << w.pos() << "; tool visible " << IsVisible(tool);
  const RECT wr = WindowRect(w.doc()), c = w.client();
  EXPECT_EQ(pic->width, wd);
  EXPECT_GT(w.pos(), 200) << "the window scrolled";
  // From the viewfinder's top to the window's bottom row as last shown, then the frame below.
  const int first = tpScn - c.top, frame = wr.bottom - c.bottom;
  const int last = first + pic->height - frame;
  EXPECT_TRUE(last == posAtRelease + (c.bottom - c.top) || last == w.pos() + (c.bottom - c.top))
      << last << " " << posAtRelease << " " << w.pos();
  RowCount r = CompareWithContents(*pic, w, d, 0, 0, ltScn - c.left, first, last - first);
  std::printf("[ scroll ] rust by hand: %d rows compared, %d differing (first %d), window at %d\n", r.compared,
              r.differing, r.first, w.pos());
  EXPECT_EQ(r.differing, 0) << "first differing row " << r.first;
  // The result is in the viewer, the camera in the tray; once the viewer is
  // gone the window shows nothing of the capture's marks.
  EXPECT_TRUE(WaitViewer()) << "the viewer shows the result";
  EXPECT_FALSE(IsVisible(cam.camera));
  EXPECT_TRUE(CloseViewer());
  EXPECT_TRUE(WaitUntil([&] { return PaintedPixels(w, cam.camera) == 0; }, kWaitMs, 100))
      << PaintedPixels(w, cam.camera);
}

TEST_F(ScrollByHandTest, EscAndTheCloseBoxStoreNothingAndLeaveNoPaint) {
  TallDocument d = LoadScrollDocument("text_man_grep_monospace_720x11212.png");
  for (bool esc : {true, false}) {
    ScrollDocWindow w(d, kDocAt, 600, 0, 0, false, 40);
    ASSERT_EQ(w.WaitShown(), 0);
    RunningCamera cam;
    HWND tool = StartTool(cam, w);
    ASSERT_TRUE(tool) << DescribeBoxes(cam.process.pid());
    const POINT button = ButtonCentre(tool);
    Mouse(MOUSEEVENTF_LEFTDOWN, button);  // the index column is painted now, the first tick 100 ms away
    // Esc or the close box while the button is held: the tool has taken the
    // press once it holds the mouse (on a loaded machine that takes a while).
    auto thread = [&] {
      GUITHREADINFO gi{};
      gi.cbSize = sizeof gi;
      ::GetGUIThreadInfo(::GetWindowThreadProcessId(tool, nullptr), &gi);
      return gi;
    };
    EXPECT_TRUE(WaitUntil([&] { return thread().hwndCapture == tool; }, 5000)) << "the press reached the tool";
    if (esc && !WaitUntil([&] { return ::GetForegroundWindow() == tool; }, 2000)) {
      // Without a window manager Wine can leave the pressed tool inactive when an
      // earlier scenario left no window in front: the driver activates it, as the
      // press itself does on Windows, so that Esc goes to the tool.
      ::SetForegroundWindow(tool);
      WaitUntil([&] { return ::GetForegroundWindow() == tool; }, 2000);
    }
    if (esc) Press({VK_ESCAPE});
    else Post(tool, WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(tool); }))
        << esc << " tool " << tool << " foreground " << ::GetForegroundWindow() << " focus " << thread().hwndFocus;
    Mouse(MOUSEEVENTF_LEFTUP, button);
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(cam.camera); })) << "the camera comes back";
    EXPECT_EQ(PaintedPixels(w, cam.camera), 0) << (esc ? "Esc" : "close box");
    WaitUntil([] { return false; }, 500);
    EXPECT_TRUE(RingFiles().empty()) << esc << ": " << (RingFiles().empty() ? "" : RingFiles().front());
    Post(cam.camera, WM_COMMAND, CommandParam(CommandId::Exit));
    cam.process.WaitExit();
  }
}

class ScrollSettingsTest : public ProgramTest {};

bool Checked(HWND dlg, int id) { return Send(::GetDlgItem(dlg, id), BM_GETCHECK).value_or(0) == BST_CHECKED; }

TEST_F(ScrollSettingsTest, BandsBadIntegerTabsAndRestoreDefaults) {
  RunningCamera cam = StartCamera({{"SS_Interval", 700}, {"SS_ScanTp", 33}, {"AS_Interval", 100}, {"SS_FileLimit", 5000000}});
  ASSERT_TRUE(cam.camera) << DescribeBoxes(cam.process.pid());
  ASSERT_TRUE(Post(cam.camera, WM_COMMAND, CommandParam(CommandId::ScrollCaptureSettings)));
  HWND dlg = WaitWindow("TfrmScrollSettings", "Scrolling Capture Fine Tuning", true, kWaitMs, cam.process.pid());
  ASSERT_TRUE(dlg) << DescribeBoxes(cam.process.pid());
  EXPECT_EQ(WindowText(::GetDlgItem(dlg, kIdLblTop)), kScrollTabText);
  for (int i = 0; i < 8; ++i)
    std::printf("[ settings ] wait item %d: %s checked %d\n", i, WindowText(::GetDlgItem(dlg, kIdRdoWait + i)).c_str(),
                int(Checked(dlg, kIdRdoWait + i)));
  EXPECT_TRUE(Checked(dlg, kIdRdoWait + 1));  // 700 shows as " 800 ms"
  EXPECT_TRUE(Checked(dlg, kIdRdoSize + 1));  // 5000000 as " 4 MB"
  EXPECT_TRUE(Checked(dlg, kIdChkMessage));
  EXPECT_EQ(WindowText(::GetDlgItem(dlg, kIdEditScanTp)), "33");

  // A bad integer keeps the dialog open.
  Send(::GetDlgItem(dlg, kIdEditScanTp), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12x"));
  Post(::GetDlgItem(dlg, IDOK), BM_CLICK);
  HWND box = WaitBoxOf(cam.process, "FramelarkPro");
  ASSERT_TRUE(box) << DescribeBoxes(cam.process.pid());
  EXPECT_EQ(MessageBoxText(box), "'12x' is not a valid integer value");
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(IsVisible(dlg));

  // Leaving the tab stores it; the robo tab shows its own set.
  Send(::GetDlgItem(dlg, kIdEditScanTp), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25"));
  RECT tab = WindowRect(::GetDlgItem(dlg, kIdTabControl1));
  Mouse(MOUSEEVENTF_LEFTDOWN, POINT{tab.left + 130, tab.top + 10});
  Mouse(MOUSEEVENTF_LEFTUP, POINT{tab.left + 130, tab.top + 10});
  ASSERT_TRUE(WaitUntil([&] { return WindowText(::GetDlgItem(dlg, kIdLblTop)) == kRoboTabText; }))
      << WindowText(::GetDlgItem(dlg, kIdLblTop));
  EXPECT_TRUE(Checked(dlg, kIdRdoWait + 5));  // 100 ms
  EXPECT_FALSE(Checked(dlg, kIdChkMessage));  // robo starts with scroll-bar messages

  // Restore defaults, then Cancel: the defaults stay, and so does the scroll tab.
  Post(::GetDlgItem(dlg, kIdBtnRestore), BM_CLICK);
  EXPECT_TRUE(WaitUntil([&] { return Checked(dlg, kIdRdoWait + 3); }));  // 400 ms
  Post(::GetDlgItem(dlg, IDCANCEL), BM_CLICK);
  EXPECT_TRUE(WaitGone(dlg) || WaitUntil([&] { return !IsVisible(dlg); }));
  Post(cam.camera, WM_COMMAND, CommandParam(CommandId::Exit));
  ASSERT_TRUE(cam.process.WaitExit());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "SS_Interval"), 800u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "SS_ScanTp"), 25u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "SS_FileLimit"), 4194304u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "AS_Interval"), 400u);
}

}  // namespace
}  // namespace flk::e2e
