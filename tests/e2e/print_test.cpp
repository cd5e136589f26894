// Printing and copying through the output fixture (tests/e2e/fixtures), which
// calls PrintPicture and CopyToClipboard on a known 200 x 100 picture.
// scripts/e2e_print.sh runs these with a real PDF printer (CUPS + cups-pdf)
// and turns every PDF into a 72-dpi bitmap beside it (pdftoppm); the tests
// then find the picture on the page. Environment:
//   FLK_OUTPUT_FIXTURE   Windows path of output_fixture.exe
//   FLK_PRINTER          "1": the PDF printer is up; "0": no printer at all
//   FLK_PRINT_PDF_DIR    Unix path of the folder the PDFs go to
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "fixtures/fixture_picture.h"
#include "fixtures/output_helpers.h"
#include "camera_scene.h"
#include "program_fixture.h"

namespace flk::e2e {
namespace {

class PrintE2E : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    fixture_ = InstallOutputFixture();
    if (fixture_.empty()) GTEST_SKIP() << "FLK_OUTPUT_FIXTURE is not set (scripts/e2e_print.sh sets it)";
    WriteCurrentUserSettings();
  }
  void TearDown() override {
    if (proc_ && proc_.Running()) proc_.Terminate();
    ProgramTest::TearDown();
  }
  // Starts the fixture with the arguments; it is ended at the test's end.
  const Process& Run(const std::string& args) {
    proc_ = Process::StartCommand(fixture_, "\"" + fixture_ + "\" " + args);
    return proc_;
  }
  std::string fixture_;
  Process proc_;
};

struct Report {
  std::map<std::string, std::vector<int>> rows;
  int at(const std::string& key, size_t i) const {
    auto it = rows.find(key);
    return it == rows.end() || i >= it->second.size() ? -1 : it->second[i];
  }
};

Report ReadReport(const std::string& path) {
  Report r;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    int v;
    while (words >> v) r.rows[key].push_back(v);
  }
  return r;
}

// Printing with no printer installed shows the printing service's text.
TEST_F(PrintE2E, WithoutPrinterPrintShowsTheErrorAndEnds) {
  if (!EnvIs("FLK_PRINTER", "0")) GTEST_SKIP() << "runs only without a printer (FLK_PRINTER=0)";
  std::string report = DataFolder() + "print-report.txt";
  ::DeleteFileA(report.c_str());
  const Process& p = Run("print 0 \"" + report + "\"");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, "FramelarkPro");
  ASSERT_NE(box, nullptr) << DescribeBoxes(0);
  EXPECT_EQ(MessageBoxText(box), "There is no default printer currently selected.");
  ASSERT_TRUE(Answer(box, IDOK));
  auto code = p.WaitExit();
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 1u);
  EXPECT_FALSE(FileExists(report));
}

// The system's printer setup dialog says itself that there is no printer;
// the program adds no second box.
TEST_F(PrintE2E, WithoutPrinterPrinterSetupLeavesTheWordToTheSystem) {
  if (!EnvIs("FLK_PRINTER", "0")) GTEST_SKIP() << "runs only without a printer (FLK_PRINTER=0)";
  const Process& p = Run("setup");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, "Print");
  ASSERT_NE(box, nullptr) << DescribeBoxes(0);
  EXPECT_NE(MessageBoxText(box).find("install a printer"), std::string::npos) << MessageBoxText(box);
  ASSERT_TRUE(Answer(box, IDOK));
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << DescribeBoxes(p.pid());
  EXPECT_EQ(*code, 1u);
}

class PrintToPdf : public PrintE2E {
 protected:
  void SetUp() override {
    PrintE2E::SetUp();
    if (IsSkipped()) return;
    if (!EnvIs("FLK_PRINTER", "1")) GTEST_SKIP() << "needs the PDF printer (FLK_PRINTER=1)";
    const char* dir = std::getenv("FLK_PRINT_PDF_DIR");
    ASSERT_TRUE(dir && *dir) << "FLK_PRINT_PDF_DIR is not set";
    pdfDir_ = WindowsPathOfUnix(dir);
    ClearFolder(pdfDir_, "*.pdf");
    ClearFolder(pdfDir_, "*.png");
    ClearFolder(pdfDir_, "*.bmp");
  }

  // Prints through the fixture and checks the page: the rectangle the
  // fixture computed from the printer's figures must match the page
  // arithmetic, and the picture must appear there on the rendered PDF.
  void PrintAndCheck(bool fit) {
    std::string report = DataFolder() + "print-report.txt";
    ::DeleteFileA(report.c_str());
    const Process& p = Run(std::string("print ") + (fit ? "1" : "0") + " \"" + report + "\"");
    ASSERT_TRUE(p);
    auto code = p.WaitExit(60000);
    ASSERT_TRUE(code) << DescribeBoxes(p.pid());
    ASSERT_EQ(*code, 0u) << DescribeBoxes(0);
    Report r = ReadReport(report);
    const int dpiX = r.at("dpi", 0), dpiY = r.at("dpi", 1);
    ASSERT_GT(dpiX, 0);
    ASSERT_GT(dpiY, 0);
    const double sx = dpiX / 96.0, sy = dpiY / 96.0;
    const int left = int(25 * sx), top = int(25 * sy);
    EXPECT_EQ(r.at("dest", 0), left);
    EXPECT_EQ(r.at("dest", 1), top);
    const int printableW = r.at("printable", 0), printableH = r.at("printable", 1);
    EXPECT_EQ(r.at("marks", 0), int(printableW / sx));
    EXPECT_EQ(r.at("marks", 1), int(printableH / sy));
    const int w = r.at("dest", 2), h = r.at("dest", 3);
    std::printf("printer %d x %d dpi, paper %d x %d at offset %d,%d; picture %d x %d at %d,%d; marks %d x %d\n", dpiX,
                dpiY, r.at("physical", 2), r.at("physical", 3), r.at("physical", 0), r.at("physical", 1), w, h, left,
                top, r.at("marks", 0), r.at("marks", 1));
    if (fit) {
      EXPECT_EQ(w, printableW);  // a wide picture is bound by the page width
      EXPECT_NEAR(h, printableW / 2, 1);
    } else {
      EXPECT_EQ(w, int(kFixtureWidth * sx));
      EXPECT_EQ(h, int(kFixtureHeight * sy));
    }

    // The rendered page: 72 pixels per inch from the paper's corner.
    std::optional<Image> page;
    std::string bmp;
    WaitUntil(
        [&] {
          bmp = FirstFile(pdfDir_, "*.bmp");
          return !bmp.empty() && (page = LoadBitmapFile(bmp)).has_value();
        },
        60000, 100);
    ASSERT_TRUE(page) << "no rendered page in " << pdfDir_;
    const double k72x = 72.0 / dpiX, k72y = 72.0 / dpiY;
    EXPECT_NEAR(page->width, r.at("physical", 2) * k72x, 2);
    EXPECT_NEAR(page->height, r.at("physical", 3) * k72y, 2);
    const double ex0 = (r.at("physical", 0) + left) * k72x, ey0 = (r.at("physical", 1) + top) * k72y;
    const double ex1 = (r.at("physical", 0) + left + w) * k72x, ey1 = (r.at("physical", 1) + top + h) * k72y;
    const bool paletteScreen = PaletteScreen();
    EXPECT_EQ(r.at("source", 0), paletteScreen ? 8 : 24);
    Box box = InkBox(*page);
    ASSERT_TRUE(box.found) << "the page is blank";
    std::printf("page %d x %d px at 72 dpi: picture found at %d,%d..%d,%d, expected %.1f,%.1f..%.1f,%.1f\n",
                page->width, page->height, box.left, box.top, box.right, box.bottom, ex0, ey0, ex1, ey1);
    EXPECT_NEAR(box.left, ex0, 3);
    EXPECT_NEAR(box.top, ey0, 3);
    EXPECT_NEAR(box.right, ex1, 3);
    EXPECT_NEAR(box.bottom, ey1, 3);
    // Each quadrant in its place and colour.
    for (int qy = 0; qy < 2; ++qy)
      for (int qx = 0; qx < 2; ++qx) {
        int px = int(box.left + (box.right - box.left) * (qx * 2 + 1) / 4.0);
        int py = int(box.top + (box.bottom - box.top) * (qy * 2 + 1) / 4.0);
        uint32_t want = FixtureColour(qx * kFixtureWidth / 2, qy * kFixtureHeight / 2);
        // A palette screen prints through its system palette.
        if (paletteScreen) want = NearestSystemColour(want);
        EXPECT_TRUE(CloseColour(page->at(px, py), want, 24))
            << "quadrant " << qx << "," << qy << " at " << px << "," << py << ": " << std::hex << page->at(px, py)
            << " vs " << want;
      }
  }

  std::string pdfDir_;
};

TEST_F(PrintToPdf, PrintKeepsScreenSizeAtTheMargins) { PrintAndCheck(false); }

// The diagnostics window's Print: the report as plain text on the printer.
TEST_F(PrintToPdf, DiagnosticsPrintAsText) {
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, RECT{120, 100, 420, 360}));
  Command(s, flk::CommandId::Diagnostics);
  HWND memo = WaitWindow("TfrmMemo", "FramelarkPro Diagnostics", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(memo) << DescribeBoxes(s.cam.process.pid());
  ASSERT_TRUE(PressButton(memo, "Print"));
  std::string bmp;
  ASSERT_TRUE(WaitUntil([&] { return !(bmp = FirstFile(pdfDir_, "*.bmp")).empty(); }, 60000, 100))
      << "no printed page in " << pdfDir_ << "; " << DescribeBoxes(0);
  std::ifstream in(bmp.substr(0, bmp.size() - 4) + ".txt", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("FramelarkPro 1.32"), std::string::npos) << text;
  EXPECT_NE(text.find("ScrollSettings=F T 600 1 8388608 19 20 20 20 28 18 T"), std::string::npos) << text;
  EXPECT_NE(text.find("Source=Hollowbrook web site"), std::string::npos) << text;
}

TEST_F(PrintToPdf, PrintFitFillsThePrintableWidth) { PrintAndCheck(true); }

TEST_F(PrintE2E, CopyPutsTheExactPixelsOnTheClipboard) {
  const Process& p = Run("copy");
  ASSERT_TRUE(p);
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << DescribeBoxes(p.pid());
  ASSERT_EQ(*code, 0u);
  std::optional<Image> dib = ClipboardDib();
  ASSERT_TRUE(dib);
  ASSERT_EQ(dib->width, kFixtureWidth);
  ASSERT_EQ(dib->height, kFixtureHeight);
  int wrong = 0;
  for (int y = 0; y < kFixtureHeight; ++y)
    for (int x = 0; x < kFixtureWidth; ++x)
      if (dib->at(x, y) != FixtureColour(x, y)) ++wrong;
  EXPECT_EQ(wrong, 0);
  // The system's bitmap takes the screen's format; on a palette screen its
  // colours are the palette's, so only a true-colour screen compares exactly.
  if (PaletteScreen()) return;
  std::optional<Image> bitmap = ClipboardBitmap();
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(bitmap->width, kFixtureWidth);
  wrong = 0;
  for (int y = 0; y < kFixtureHeight; ++y)
    for (int x = 0; x < kFixtureWidth; ++x)
      if (bitmap->at(x, y) != FixtureColour(x, y)) ++wrong;
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace flk::e2e
