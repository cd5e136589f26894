#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "output/editor.h"

namespace flk {
namespace {

TEST(EditorNames, DatedTitle) {
  EXPECT_EQ(EditedFileTitle({2026, 12, 8}, 3), "Framelark26_12_08_3.bmp");
  EXPECT_EQ(EditedFileTitle({2001, 1, 31}, 1), "Framelark01_01_31_1.bmp");
  EXPECT_EQ(EditedFileTitle({2100, 7, 4}, 12), "Framelark00_07_04_12.bmp");
}

TEST(EditorNames, Folder) { EXPECT_EQ(EditorFolder("C:\\Framelark\\"), "C:\\Framelark\\Edited\\"); }

TEST(EditorNames, SmallestFreeNumberIsChosen) {
  std::set<std::string> files;
  auto exists = [&](const std::string& p) { return files.count(p) > 0; };
  const std::string folder = "C:\\F\\Edited\\";
  const CalendarDate day{2026, 12, 8};
  std::string first = ChooseEditedFileName(folder, day, exists);
  EXPECT_EQ(first, folder + "Framelark26_12_08_1.bmp");
  files.insert(first);
  std::string second = ChooseEditedFileName(folder, day, exists);
  EXPECT_EQ(second, folder + "Framelark26_12_08_2.bmp");
  files.insert(second);
  files.erase(first);
  EXPECT_EQ(ChooseEditedFileName(folder, day, exists), first);  // a deleted _1 is used again
  // Another day starts at 1 again.
  files.insert(first);
  EXPECT_EQ(ChooseEditedFileName(folder, {2026, 12, 9}, exists), folder + "Framelark26_12_09_1.bmp");
}

TEST(EditorTexts, Literal) {
  EXPECT_EQ(FolderNotCreatedText("C:\\F\\Edited\\"), "Couldn't create C:\\F\\Edited\\ directory.");
  EXPECT_EQ(EditorVanishedText("C:\\Tools\\paint.exe"),
            "Your editor disappeared:  C:\\Tools\\paint.exe\r\n\r\nTo select a new editor, click Custom / Editor "
            "Settings.");
  EXPECT_EQ(EditorParameter("C:\\F\\Edited\\a b.bmp"), "\"C:\\F\\Edited\\a b.bmp\"");
}

TEST(EditorRules, Launch) {
  EditorLaunch none = DecideEditorLaunch("", false);
  EXPECT_EQ(none.kind, EditorLaunch::OpenWithSystem);
  EXPECT_FALSE(none.editorVanished);
  EditorLaunch run = DecideEditorLaunch("C:\\e.exe", true);
  EXPECT_EQ(run.kind, EditorLaunch::RunEditor);
  EXPECT_FALSE(run.editorVanished);
  EditorLaunch gone = DecideEditorLaunch("C:\\e.exe", false);
  EXPECT_EQ(gone.kind, EditorLaunch::OpenWithSystem);
  EXPECT_TRUE(gone.editorVanished);
}

TEST(EditorRules, LargeFolderAlertDue) {
  EXPECT_FALSE(LargeFolderAlertDue(false, false, 50));
  EXPECT_TRUE(LargeFolderAlertDue(false, false, 51));
  EXPECT_FALSE(LargeFolderAlertDue(true, false, 51));
  EXPECT_FALSE(LargeFolderAlertDue(false, true, 51));
}

// Every effect recorded in order, files kept in a map.
class FakeEditorServices : public EditorServices {
 public:
  std::string base = "C:\\D\\";
  CalendarDate today{2026, 12, 8};
  bool folderCreatable = true;
  std::set<std::string> folders;
  std::map<std::string, int> files;  // path -> picture width written
  bool writeFails = false;
  std::string editorPath;
  bool nsaEdit = false;
  std::deque<int> tipAnswers;
  std::vector<std::string> log;

  std::string BaseFolder() override { return base; }
  CalendarDate Today() override { return today; }
  bool CreateFolder(const std::string& folder) override {
    log.push_back("create " + folder);
    if (folderCreatable) folders.insert(folder);
    return folderCreatable;
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool WriteBitmap(const std::string& path, const Picture& picture) override {
    log.push_back("write " + path);
    if (writeFails) return false;
    files[path] = picture.width();
    return true;
  }
  void Warn(const std::string& text) override { log.push_back("warn " + text); }
  void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
  std::string ReadEditorPath() override { return editorPath; }
  void ClearEditorPath() override {
    log.push_back("clear EditorPath");
    editorPath.clear();
  }
  bool ReadNsaEdit() override { return nsaEdit; }
  bool OpenWithSystem(const std::string& path) override {
    log.push_back("open " + path);
    return true;
  }
  bool RunProgram(const std::string& program, const std::string& parameters) override {
    log.push_back("run " + program + " " + parameters);
    return true;
  }
  int CountPlainFiles(const std::string& folder) override {
    log.push_back("count " + folder);
    int n = 0;
    for (auto& [path, w] : files)
      if (path.rfind(folder, 0) == 0) ++n;
    return n;
  }
  int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int help) override {
    log.push_back("tip " + key + " " + caption + " " + std::to_string(help) + " " + text.substr(0, 26));
    int answer = tipAnswers.empty() ? 2 : tipAnswers.front();
    if (!tipAnswers.empty()) tipAnswers.pop_front();
    return answer;
  }
};

Picture Pic(int w) { return *Picture::Create(w, 3, 24); }

TEST(OpenInEditorFlow, TwoEditsOnOneDayThenReuseOfDeletedFirst) {
  FakeEditorServices s;
  EditorSession session;
  const std::string folder = "C:\\D\\Edited\\";
  EXPECT_EQ(OpenInEditor(Pic(5), s, session), folder + "Framelark26_12_08_1.bmp");
  EXPECT_EQ(OpenInEditor(Pic(6), s, session), folder + "Framelark26_12_08_2.bmp");
  EXPECT_EQ(s.files[folder + "Framelark26_12_08_1.bmp"], 5);
  EXPECT_EQ(s.files[folder + "Framelark26_12_08_2.bmp"], 6);
  s.files.erase(folder + "Framelark26_12_08_1.bmp");
  EXPECT_EQ(OpenInEditor(Pic(7), s, session), folder + "Framelark26_12_08_1.bmp");
  EXPECT_EQ(s.files[folder + "Framelark26_12_08_1.bmp"], 7);
  // No editor set: the system opens each file.
  EXPECT_EQ(s.log[0], "create " + folder);
  EXPECT_EQ(s.log[1], "write " + folder + "Framelark26_12_08_1.bmp");
  EXPECT_EQ(s.log[2], "open " + folder + "Framelark26_12_08_1.bmp");
}

TEST(OpenInEditorFlow, ExistingEditorGetsQuotedPath) {
  FakeEditorServices s;
  EditorSession session;
  s.editorPath = "C:\\Tools\\paint.exe";
  s.files[s.editorPath] = 0;
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(s.log.at(2), "run C:\\Tools\\paint.exe \"C:\\D\\Edited\\Framelark26_12_08_1.bmp\"");
  EXPECT_EQ(s.editorPath, "C:\\Tools\\paint.exe");
}

TEST(OpenInEditorFlow, VanishedEditorIsReportedClearedAndSystemOpensTheFile) {
  FakeEditorServices s;
  EditorSession session;
  s.editorPath = "C:\\Gone\\paint.exe";
  OpenInEditor(Pic(5), s, session);
  ASSERT_GE(s.log.size(), 5u);
  EXPECT_EQ(s.log[2], "message " + EditorVanishedText("C:\\Gone\\paint.exe"));
  EXPECT_EQ(s.log[3], "clear EditorPath");
  EXPECT_EQ(s.log[4], "open C:\\D\\Edited\\Framelark26_12_08_1.bmp");
  EXPECT_TRUE(s.editorPath.empty());
}

TEST(OpenInEditorFlow, FolderThatCannotBeCreatedWritesNothing) {
  FakeEditorServices s;
  EditorSession session;
  s.folderCreatable = false;
  EXPECT_EQ(OpenInEditor(Pic(5), s, session), "");
  EXPECT_TRUE(s.files.empty());
  ASSERT_EQ(s.log.size(), 2u);
  EXPECT_EQ(s.log[1], "warn Couldn't create C:\\D\\Edited\\ directory.");
}

TEST(OpenInEditorFlow, FailedWriteStopsBeforeTheEditor) {
  FakeEditorServices s;
  EditorSession session;
  s.writeFails = true;
  EXPECT_EQ(OpenInEditor(Pic(5), s, session), "");
  ASSERT_EQ(s.log.size(), 2u);  // create, write
}

void FillFolder(FakeEditorServices& s, int n) {
  for (int i = 0; i < n; ++i) s.files["C:\\D\\Edited\\old" + std::to_string(i) + ".bmp"] = 1;
}

int Count(const std::vector<std::string>& log, const std::string& prefix) {
  int n = 0;
  for (auto& l : log)
    if (l.rfind(prefix, 0) == 0) ++n;
  return n;
}

TEST(OpenInEditorFlow, LargeFolderAlertOncePerProcessEscLeavesFolderClosed) {
  FakeEditorServices s;
  EditorSession session;
  FillFolder(s, 50);  // with the new file: 51
  s.tipAnswers = {2};
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(Count(s.log, "tip NsaEdit Large Directory Alert 1 Over 50 images have collec"), 1);
  EXPECT_EQ(Count(s.log, "open C:\\D\\Edited\\"), 1);  // only the picture, not the folder
  EXPECT_TRUE(session.largeFolderAlertShown);
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(Count(s.log, "tip "), 1);
  EXPECT_EQ(Count(s.log, "count "), 1);
}

TEST(OpenInEditorFlow, LargeFolderAlertOkOpensTheFolder) {
  FakeEditorServices s;
  EditorSession session;
  FillFolder(s, 60);
  s.tipAnswers = {1};
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(s.log.back(), "open C:\\D\\Edited\\");
}

TEST(OpenInEditorFlow, NoAlertAtFiftyFilesOrWhenSilenced) {
  FakeEditorServices s;
  EditorSession session;
  FillFolder(s, 49);  // with the new file: 50
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(Count(s.log, "tip "), 0);
  EXPECT_FALSE(session.largeFolderAlertShown);
  s.nsaEdit = true;
  FillFolder(s, 80);
  OpenInEditor(Pic(5), s, session);
  EXPECT_EQ(Count(s.log, "tip "), 0);
  EXPECT_EQ(Count(s.log, "count "), 1);  // a silenced alert costs no listing
}

}  // namespace
}  // namespace flk
