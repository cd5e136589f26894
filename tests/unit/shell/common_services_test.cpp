#include "shell/common_services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/frame_raster.h"

namespace flk {
namespace {

// ---- data folder ----------------------------------------------------------

TEST(BaseFolder, IsTheParentOfTheThreeLetterProgramFolder) {
  EXPECT_EQ(BaseFolderFromProgramPath("C:\\Program Files\\Framelark\\Pro\\FramelarkPro.exe"),
            "C:\\Program Files\\Framelark\\");
  EXPECT_EQ(BaseFolderFromProgramPath("D:\\Pro\\FramelarkPro.exe"), "D:\\");
}

TEST(BaseFolder, DropsThreeLettersNotThreeBytes) {
  // "Prö" has four UTF-8 bytes but three letters.
  EXPECT_EQ(BaseFolderFromProgramPath("C:\\Data\\Pr\xC3\xB6\\FramelarkPro.exe"), "C:\\Data\\");
}

// ---- file sizes -------------------------------------------------------------

class FileSizes : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("flk_sizes_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Make(const std::string& name, size_t bytes) {
    auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'z');
    auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
  }
  std::filesystem::path dir_;
};

TEST_F(FileSizes, RoundUpToWholeKiB) {
  EXPECT_EQ(FileSizeKiB(Make("one.bin", 1)), 1);
  EXPECT_EQ(FileSizeKiB(Make("k.bin", 1024)), 1);
  EXPECT_EQ(FileSizeKiB(Make("kplus.bin", 1025)), 2);
  EXPECT_EQ(FileSizeKiB(Make("empty.bin", 0)), 0);
}

TEST_F(FileSizes, MissingFilesAndFoldersGiveZero) {
  EXPECT_EQ(FileSizeKiB(Make("x", 3) + ".missing"), 0);
  auto u8 = dir_.u8string();
  EXPECT_EQ(FileSizeKiB(std::string(u8.begin(), u8.end())), 0);
}

TEST_F(FileSizes, SavedTextNamesTheFileAndItsSize) {
  std::string one = Make("a.bmp", 1), k = Make("b.bmp", 1024), kplus = Make("c.bmp", 1025);
  EXPECT_EQ(SavedText(one), "Saved to " + one + "    1 KiB");
  EXPECT_EQ(SavedText(k), "Saved to " + k + "    1 KiB");
  EXPECT_EQ(SavedText(kplus), "Saved to " + kplus + "    2 KiB");
  EXPECT_EQ(SavedText(kplus + "gone"), "Saved to " + kplus + "gone    0 KiB");
}

TEST(KiB, RoundsUpAtEveryBoundary) {
  EXPECT_EQ(KiBFromBytes(0), 0);
  EXPECT_EQ(KiBFromBytes(1023), 1);
  EXPECT_EQ(KiBFromBytes(2048), 2);
  EXPECT_EQ(KiBFromBytes(2049), 3);
  EXPECT_EQ(KiBFromBytes(uint64_t(5) << 32), int64_t(5) << 22);
}

// ---- warnings and descriptions ------------------------------------------------

TEST(WarningText, AppendsTheCodeAndSystemTextAfterAnEmptyLine) {
  EXPECT_EQ(ComposeWarningText("Can't make folder.", 5, "Access denied.\r\n"),
            "Can't make folder.\r\n\r\nError # 5, Access denied.");
  EXPECT_EQ(ComposeWarningText("Plain.", 0, "ignored"), "Plain.");
}

TEST(WindowDescription, QuotesTheTitle) {
  EXPECT_EQ(WindowDescriptionText("Notepad", "Untitled - Notepad"), "ClassName=Notepad Title=\"Untitled - Notepad\"");
  EXPECT_EQ(WindowDescriptionText("", ""), "ClassName= Title=\"\"");
}

// ---- KeepOnScreen -----------------------------------------------------------

TEST(KeepOnScreen, LeavesAWindowOnScreenAlone) {
  EXPECT_EQ(KeepOnScreenBox({100, 50, 300, 200}, 1280, 1024), (WindowBox{100, 50, 300, 200}));
  EXPECT_EQ(KeepOnScreenBox({980, 824, 300, 200}, 1280, 1024), (WindowBox{980, 824, 300, 200}));
}

TEST(KeepOnScreen, PullsBackFromTheRightEdge) {
  EXPECT_EQ(KeepOnScreenBox({1100, 10, 300, 200}, 1280, 1024), (WindowBox{980, 10, 300, 200}));
}

TEST(KeepOnScreen, AWindowTenPixelsBelowTheBottomEndsThirtyAboveIt) {
  EXPECT_EQ(KeepOnScreenBox({10, 834, 300, 200}, 1280, 1024), (WindowBox{10, 794, 300, 200}));
}

TEST(KeepOnScreen, PullsInFromTheLeftAndTop) {
  EXPECT_EQ(KeepOnScreenBox({-40, -7, 300, 200}, 1280, 1024), (WindowBox{0, 0, 300, 200}));
}

TEST(KeepOnScreen, AWindowLargerThanTheScreenEndsAtTheOrigin) {
  EXPECT_EQ(KeepOnScreenBox({200, 300, 1500, 1100}, 1280, 1024), (WindowBox{0, 0, 1500, 1100}));
}

// Two monitors: a 1024 x 768 one left of the 1280 x 1024 primary, whose work
// area leaves 40 pixels for a taskbar; the left one has none.
const MonitorTable kTwoMonitors{
    Monitor{Rect{0, 0, 1280, 1024}, Rect{0, 0, 1280, 984}, 96},
    Monitor{Rect{-1024, 0, 0, 768}, Rect{-1024, 0, 0, 768}, 144},
};

TEST(KeepOnScreen, OnSeveralMonitorsEachWindowIsKeptOnItsOwn) {
  struct Row {
    WindowBox box, kept;
  } rows[] = {
      {{-700, 200, 345, 222}, {-700, 200, 345, 222}},    // wholly on the left monitor: stays
      {{-100, 200, 345, 222}, {-100, 200, 345, 222}},    // across the seam, wholly shown: stays
      {{-1100, 200, 345, 222}, {-1024, 200, 345, 222}},  // off the left monitor's left edge
      {{-700, 700, 345, 222}, {-700, 516, 345, 222}},    // below the left monitor: 30 above its bottom
      {{1000, 900, 345, 222}, {935, 732, 345, 222}},     // off the primary's right and its work area's bottom
      {{-200, 700, 345, 222}, {0, 700, 345, 222}},       // partly shown by none, mostly on the primary: onto it
  };
  for (const Row& row : rows)
    EXPECT_EQ(KeepOnScreenBox(row.box, kTwoMonitors), row.kept) << row.box.left << "," << row.box.top;
  // Without monitors nothing moves.
  EXPECT_EQ(KeepOnScreenBox(WindowBox{-5000, 0, 10, 10}, MonitorTable{}), (WindowBox{-5000, 0, 10, 10}));
}

// ---- TraceLine --------------------------------------------------------------

std::vector<std::string> g_lines;
void Collect(const std::string& line) { g_lines.push_back(line); }

TEST(TraceLine, JoinsValuesEachAfterABlank) {
  g_lines.clear();
  SetTraceSink(&Collect);
  TraceLine(3, true, "x");
  SetTraceSink(nullptr);
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_EQ(g_lines[0], " 3 T x");
  EXPECT_EQ(g_lines[0].size(), 6u);
}

TEST(TraceLine, FormatsEveryBasicType) {
  EXPECT_EQ(TraceText(false, 'q', -12, int64_t(1) << 40, 2.5, std::string("Open LtScn="), TraceClass{"TfrmCam"}),
            " F q -12 1099511627776 2.5 Open LtScn= TfrmCam");
  EXPECT_EQ(TraceText(0.1), " 0.1");
  EXPECT_EQ(TraceText(), "");
}

TEST(TraceLine, DoesNothingWithoutADiagnosticsWindow) {
  g_lines.clear();
  SetTraceSink(nullptr);
  TraceLine("Start Scroll Capture", 1);
  EXPECT_TRUE(g_lines.empty());
}

// ---- DrawThickFrame ---------------------------------------------------------

std::vector<std::string> Picture(bool raised, int right, int thickness, int bottom) {
  std::vector<int> cells;
  RasteriseFrameOps(ThickFrameOps(raised, right, thickness, bottom), right, bottom, cells);
  const char letters[] = "LKWSF";
  std::vector<std::string> rows;
  for (int y = 0; y < bottom; ++y) {
    std::string row;
    for (int x = 0; x < right; ++x) {
      int c = cells[size_t(y) * right + x];
      row += c < 0 ? '.' : letters[c];
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(DrawThickFrame, RaisedFrameHasLightTopLeftAndDarkBottomRight) {
  // L light 3-D, K black, W white, S shadow, F button face.
  std::vector<std::string> want = {
      "LLLLLLLK",  //
      "LLLLLLKK",  //
      "LLWWWSKK",  //
      "LLWFFSKK",  //
      "LLWSSSKK",  //
      "LLKKKKKK",  //
      "LKKKKKKK",
  };
  EXPECT_EQ(Picture(true, 8, 4, 7), want);
}

TEST(DrawThickFrame, SunkenFrameHasAFaceRimAndDarkTopLeft) {
  std::vector<std::string> want = {
      "FFFFFFFF",  //
      "FSSSSSWF",  //
      "FSKKKLWF",  //
      "FSKKLLWF",  //
      "FSKLLLWF",  //
      "FSWWWWWF",  //
      "FFFFFFFF",
  };
  EXPECT_EQ(Picture(false, 8, 4, 7), want);
}

TEST(DrawThickFrame, EveryRimPixelOfAThickRaisedFrameIsPaintedOnce) {
  // Interior stays untouched apart from the face outline; rings do not overlap.
  auto ops = ThickFrameOps(true, 40, 6, 30);
  std::vector<int> count(40 * 30, 0);
  for (const FrameOp& op : ops) {
    std::vector<int> one;
    RasteriseFrameOps({op}, 40, 30, one);
    for (size_t i = 0; i < one.size(); ++i) count[i] += one[i] >= 0;
  }
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      int inset = std::min(std::min(x, y), std::min(39 - x, 29 - y));
      EXPECT_EQ(count[size_t(y) * 40 + x], inset <= 5 ? 1 : 0) << x << "," << y;
    }
}

// ---- hover watch --------------------------------------------------------------

struct Button : HoverTarget {
  int left = 0;
  void MouseLeft() override { ++left; }
};

TEST(HoverWatch, StartsOnEnterAndEndsWhenTheCursorLeavesTheRectangle) {
  HoverWatch w;
  Button b;
  EXPECT_EQ(w.Enter(&b, 105, 52, 5, 2, 16, 14), HoverWatch::Timer::Start);
  EXPECT_EQ(w.rect(), (HoverWatch::Rect{100, 50, 116, 64}));
  EXPECT_EQ(w.Enter(&b, 110, 55, 10, 5, 16, 14), HoverWatch::Timer::Keep);
  EXPECT_EQ(w.Poll(116, 64), HoverWatch::Timer::Keep);  // edges count as inside
  EXPECT_EQ(w.Poll(100, 50), HoverWatch::Timer::Keep);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(w.Poll(117, 60), HoverWatch::Timer::Stop);
  EXPECT_EQ(b.left, 1);
  EXPECT_FALSE(w.watching());
}

TEST(HoverWatch, EnteringAnotherButtonEndsTheFirstWatch) {
  HoverWatch w;
  Button a, b;
  w.Enter(&a, 10, 10, 0, 0, 16, 14);
  EXPECT_EQ(w.Enter(&b, 50, 10, 0, 0, 16, 14), HoverWatch::Timer::Start);
  EXPECT_EQ(a.left, 1);
  EXPECT_EQ(w.button(), &b);
}

TEST(HoverWatch, AForgottenButtonHearsNothing) {
  HoverWatch w;
  Button a;
  w.Enter(&a, 10, 10, 0, 0, 16, 14);
  EXPECT_EQ(w.Forget(&a), HoverWatch::Timer::Stop);
  EXPECT_EQ(w.Poll(500, 500), HoverWatch::Timer::Stop);
  EXPECT_EQ(a.left, 0);
}

}  // namespace
}  // namespace flk
