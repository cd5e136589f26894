// Open In Editor through the output fixture: the fake editor
// (tests/e2e/fixtures/fake_editor.cpp) records every path it is started with,
// and the tests read the files those paths name. Environment (set by
// scripts/e2e_print.sh): FLK_OUTPUT_FIXTURE and FLK_FAKE_EDITOR, Windows
// paths of the two programs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "fixtures/fixture_picture.h"
#include "fixtures/output_helpers.h"
#include "program_fixture.h"
#include "shell/names.h"

namespace flk::e2e {
namespace {

constexpr char kToolsFolder[] = "C:\\FlkTools\\";
constexpr char kBmpClass[] = "FlkTest.bmpfile";

class EditorE2E : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    fixture_ = InstallOutputFixture();
    const char* editor = std::getenv("FLK_FAKE_EDITOR");
    if (fixture_.empty() || !editor || !*editor)
      GTEST_SKIP() << "FLK_OUTPUT_FIXTURE / FLK_FAKE_EDITOR are not set (scripts/e2e_print.sh sets them)";
    ::CreateDirectoryA(kToolsFolder, nullptr);
    editor_ = std::string(kToolsFolder) + "fake_editor.exe";
    ASSERT_TRUE(::CopyFileA(editor, editor_.c_str(), FALSE));
    log_ = std::string(kToolsFolder) + "fake_editor.log";
    ::DeleteFileA(log_.c_str());
    edited_ = DataFolder() + "Edited\\";
    ClearFolder(edited_, "*");
    WriteCurrentUserSettings();
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "Framelark%02d_%02d_%02d_", now.wYear % 100, now.wMonth, now.wDay);
    prefix_ = edited_ + stamp;
  }
  void TearDown() override {
    if (proc_ && proc_.Running()) proc_.Terminate();
    RegRemoveTree(HKEY_CLASSES_ROOT, kBmpClass);
    if (bmpAssociationSaved_) {
      if (oldBmpClass_)
        RegWriteString(HKEY_CLASSES_ROOT, ".bmp", "", *oldBmpClass_);
      else
        RegRemoveValue(HKEY_CLASSES_ROOT, ".bmp", "");
    }
    ProgramTest::TearDown();
  }

  void SetEditorPath(const std::string& path) {
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "EditorPath", path));
  }

  // The fake editor is the system's program for .bmp files.
  void AssociateBmpWithFakeEditor() {
    oldBmpClass_ = RegString(HKEY_CLASSES_ROOT, ".bmp", "");
    bmpAssociationSaved_ = true;
    ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, ".bmp", "", kBmpClass));
    ASSERT_TRUE(RegWriteString(HKEY_CLASSES_ROOT, std::string(kBmpClass) + "\\shell\\open\\command", "",
                               "\"" + editor_ + "\" \"%1\""));
  }

  std::vector<std::string> EditorLog() {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  // Runs "edit [n]" and waits for the process to end and the editor to
  // have recorded `expectLines` paths in all.
  void Edit(int times, size_t expectLines) {
    proc_ = Process::StartCommand(fixture_, "\"" + fixture_ + "\" edit " + std::to_string(times));
    ASSERT_TRUE(proc_);
    auto code = proc_.WaitExit(20000);
    ASSERT_TRUE(code) << DescribeBoxes(proc_.pid());
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return EditorLog().size() >= expectLines; }, 10000, 20))
        << "the editor recorded " << EditorLog().size() << " paths";
  }

  // The file is the fixture's picture, pixel for pixel.
  void ExpectFixturePicture(const std::string& path) {
    std::optional<Image> img = LoadBitmapFile(path);
    ASSERT_TRUE(img) << path;
    ASSERT_EQ(img->width, kFixtureWidth);
    ASSERT_EQ(img->height, kFixtureHeight);
    int wrong = 0;
    for (int y = 0; y < kFixtureHeight; ++y)
      for (int x = 0; x < kFixtureWidth; ++x)
        if (img->at(x, y) != FixtureColour(x, y)) ++wrong;
    EXPECT_EQ(wrong, 0) << path;
  }

  std::string fixture_, editor_, log_, edited_, prefix_;
  Process proc_;
  std::optional<std::string> oldBmpClass_;
  bool bmpAssociationSaved_ = false;
};

TEST_F(EditorE2E, TwoEditsOnOneDayThenTheDeletedFirstIsReused) {
  SetEditorPath(editor_);
  Edit(1, 1);
  Edit(1, 2);
  std::vector<std::string> log = EditorLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], prefix_ + "1.bmp");
  EXPECT_EQ(log[1], prefix_ + "2.bmp");
  ExpectFixturePicture(log[0]);
  ExpectFixturePicture(log[1]);

  ASSERT_TRUE(::DeleteFileA((prefix_ + "1.bmp").c_str()));
  Edit(1, 3);
  log = EditorLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[2], prefix_ + "1.bmp");
  ExpectFixturePicture(log[2]);
  EXPECT_EQ(CountFiles(edited_), 2);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "EditorPath"), editor_);
}

TEST_F(EditorE2E, EmptyEditorPathOpensWithTheSystemProgram) {
  AssociateBmpWithFakeEditor();
  SetEditorPath("");
  Edit(1, 1);
  std::vector<std::string> log = EditorLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], prefix_ + "1.bmp");
  ExpectFixturePicture(log[0]);
}

TEST_F(EditorE2E, VanishedEditorIsReportedClearedAndTheSystemOpensTheFile) {
  AssociateBmpWithFakeEditor();
  const std::string gone = std::string(kToolsFolder) + "gone_editor.exe";
  SetEditorPath(gone);
  proc_ = Process::StartCommand(fixture_, "\"" + fixture_ + "\" edit 1");
  ASSERT_TRUE(proc_);
  HWND box = WaitBoxOf(proc_, "FramelarkPro");
  ASSERT_NE(box, nullptr) << DescribeBoxes(0);
  EXPECT_EQ(MessageBoxText(box),
            "Your editor disappeared:  " + gone + "\n\nTo select a new editor, click Custom / Editor Settings.");
  ASSERT_TRUE(Answer(box, IDOK));
  auto code = proc_.WaitExit();
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "EditorPath"), std::string());
  ASSERT_TRUE(WaitUntil([&] { return EditorLog().size() == 1; }));
  EXPECT_EQ(EditorLog()[0], prefix_ + "1.bmp");
}

TEST_F(EditorE2E, LargeFolderAlertOncePerProcessAndEscLeavesTheFolderClosed) {
  SetEditorPath(editor_);
  for (int i = 0; i < 50; ++i) {
    std::FILE* f = std::fopen((edited_ + "old" + std::to_string(i) + ".bmp").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  proc_ = Process::StartCommand(fixture_, "\"" + fixture_ + "\" edit 2");
  ASSERT_TRUE(proc_);
  HWND tip = WaitWindow("TfrmNSA", "Large Directory Alert", true, kWaitMs, proc_.pid());
  ASSERT_NE(tip, nullptr) << DescribeBoxes(0);
  EXPECT_EQ(CountFiles(edited_), 51);
  // Esc answers the tip box; nothing else is opened.
  Post(tip, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!WaitGone(tip, 3000)) Post(tip, WM_CLOSE);
  auto code = proc_.WaitExit(20000);
  ASSERT_TRUE(code) << "a second alert? " << (FindTop("TfrmNSA", "Large Directory Alert", proc_.pid()) != nullptr);
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(WaitUntil([&] { return EditorLog().size() == 2; }));
  EXPECT_EQ(CountFiles(edited_), 52);
}

}  // namespace
}  // namespace flk::e2e
