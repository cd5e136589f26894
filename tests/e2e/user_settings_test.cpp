// The user's settings at start-up: a new user gets every installed value, a
// damaged key is repaired and reported once, a reinstallation refreshes them.
#include <cmath>

#include "camera_scene.h"
#include "program_fixture.h"

namespace flk::e2e {
namespace {

constexpr char kKeepCaption[] = "Framelark";
constexpr char kKeepQuestion[] =
    "An administrator re-installed or upgraded Framelark. Do you want to keep your personal settings?\n\n"
    "If no, settings will revert to default values.";

std::string ReadFailureText(const std::string& name) {
  return "Couldn't read 1 setting(s) from registry.\nDefault values used.\n\nLast bad item:\nName = " + name +
         "\nKey = ";
}

// A window's first size as a new user gets it: the 96-DPI size at the run's scale.
DWORD FirstSize(int px96) { return static_cast<DWORD>(E2eScale()(px96)); }

class UserSettingsTest : public ProgramTest {
 protected:
  // Starts the camera role and waits for its camera, failing on any box.
  Process StartExpectingCamera() {
    Process p = Process::Start("");
    EXPECT_TRUE(p);
    CameraStart s = WaitCameraOrBox(p);
    EXPECT_TRUE(s.camera) << "no camera; boxes: " << DescribeBoxes(p.pid()) << (s.exited ? "; the program ended" : "");
    return p;
  }

  // Checks one value against its installed value.
  static void ExpectInstalled(const InstalledSetting& s) {
    SCOPED_TRACE(s.name);
    switch (s.kind) {
      case InstalledSetting::Integer:
      case InstalledSetting::WindowSize: {
        auto v = RegDword(HKEY_CURRENT_USER, kSettingsPath, s.name);
        ASSERT_TRUE(v) << DescribeUserValue(s.name);
        EXPECT_EQ(*v, s.kind == InstalledSetting::WindowSize ? FirstSize(s.number) : static_cast<DWORD>(s.number));
        break;
      }
      case InstalledSetting::Text: {
        auto v = RegString(HKEY_CURRENT_USER, kSettingsPath, s.name);
        ASSERT_TRUE(v) << DescribeUserValue(s.name);
        EXPECT_EQ(*v, s.text);
        break;
      }
      case InstalledSetting::Date: {
        auto v = RegDate(HKEY_CURRENT_USER, kSettingsPath, s.name);
        ASSERT_TRUE(v) << DescribeUserValue(s.name) << " (an 8-byte REG_BINARY OLE date)";
        EXPECT_NEAR(*v, OleNow(), 10.0 / (24 * 60)) << "not within 10 minutes of now";
        break;
      }
    }
  }
};

TEST_F(UserSettingsTest, NewUserGetsEveryInstalledValueWithoutReport) {
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  // A new user's start also starts the daily tips (NextTip 1); its box is not ours.
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << "boxes: " << DescribeBoxes(p.pid()) << (s.exited ? "; the program ended" : "");
  // Nothing to report, nothing to ask: also not after the camera opened.
  EXPECT_TRUE(p.WaitIdle());
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty()) << DescribeBoxes(p.pid());
  for (const auto& row : InstalledSettings()) ExpectInstalled(row);
  // The settings the start-up reads were written by the installation, not as
  // repaired defaults: Width and Height differ between the two.
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), FirstSize(186));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Height"), FirstSize(268));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerWidth"), FirstSize(790));
  auto a = RegRead(HKEY_CURRENT_USER, kSettingsPath, "a");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(a->bytes.size(), 8u);
  // The camera uses the installed rectangle, widened where its title and menu row need it.
  RECT r = WindowRect(s.camera);
  EXPECT_GE(r.right - r.left, E2eScale()(186));
  EXPECT_LE(r.right - r.left, E2eScale()(186) * 5 / 4);
  EXPECT_EQ(r.bottom - r.top, E2eScale()(268));
}

TEST_F(UserSettingsTest, InstalledEditorIsFoundThroughAppPaths) {
  // An image editor registered the way Windows registers Paint.
  const std::string key = std::string(kAppPathsKey) + "\\MSPaint.exe";
  ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, key, "", "%SystemRoot%\\system32\\notepad.exe"));
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  Process p = StartExpectingCamera();
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "EditorPath"),
            std::string(windows) + "\\system32\\notepad.exe");
}

TEST_F(UserSettingsTest, MissingValueIsReportedOnceAndRecreated) {
  WriteCurrentUserSettings();
  ASSERT_TRUE(RegRemoveValue(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum"));
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, nullptr);
  ASSERT_TRUE(box) << "no report" << (p.Running() ? "" : "; the program ended");
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind(ReadFailureText("LastCapturesNum"), 0), 0u) << text;
  EXPECT_NE(text.find("Key = "), std::string::npos) << text;
  EXPECT_NE(text.find("Root = HKEY_CURRENT_USER"), std::string::npos) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  CameraStart s = WaitCameraOrBox(p);
  EXPECT_TRUE(s.camera) << "after the report: " << DescribeBoxes(p.pid());
  EXPECT_TRUE(p.WaitIdle());
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty()) << "a second box: " << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum"), 5u) << DescribeUserValue("LastCapturesNum");
  // A current key is not refreshed: a value that differs from the installed one stays.
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"), static_cast<DWORD>(-1));
}

TEST_F(UserSettingsTest, TextWhereAnIntegerBelongsIsReportedAndReplaced) {
  WriteCurrentUserSettings();
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "RefreshDelay", "fast"));
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, nullptr);
  ASSERT_TRUE(box) << "no report" << (p.Running() ? "" : "; the program ended");
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind(ReadFailureText("RefreshDelay"), 0), 0u) << text;
  ASSERT_TRUE(Answer(box, IDOK));
  CameraStart s = WaitCameraOrBox(p);
  EXPECT_TRUE(s.camera) << "after the report: " << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "RefreshDelay"), 255u) << DescribeUserValue("RefreshDelay");
}

TEST_F(UserSettingsTest, TwoBadValuesMakeOneReportCountingTwo) {
  WriteCurrentUserSettings();
  ASSERT_TRUE(RegRemoveValue(HKEY_CURRENT_USER, kSettingsPath, "c"));
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "SS_Interval", "600"));
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, nullptr);
  ASSERT_TRUE(box) << "no report" << (p.Running() ? "" : "; the program ended");
  const std::string text = MessageBoxText(box);
  // `c` is read before the scroll values, so SS_Interval is the last bad item.
  EXPECT_EQ(text.rfind("Couldn't read 2 setting(s) from registry.\nDefault values used.\n\nLast bad item:\n"
                       "Name = SS_Interval\n",
                       0),
            0u)
      << text;
  ASSERT_TRUE(Answer(box, IDOK));
  CameraStart s = WaitCameraOrBox(p);
  EXPECT_TRUE(s.camera) << "after the report: " << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "c"), 0u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "SS_Interval"), 600u);
}

// A user key written by a later version ("1.4" > "1.32" as text) is reset
// without asking.
TEST_F(UserSettingsTest, LaterVersionIsResetWithoutAsking) {
  WriteCurrentUserSettings();
  RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "ProgramVersion", "1.4");
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Width", 300);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "c", 17);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  CameraStart s = WaitCameraOrBox(p);
  EXPECT_TRUE(MessageBoxes(kKeepCaption, p.pid()).empty()) << "asked: " << DescribeBoxes(p.pid());
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "ProgramVersion"), "1.32");
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), FirstSize(186)) << "not reset";
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"), 1u) << "not reset";
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "c"), 17u) << "c is kept";
}

class ReinstallQuestionTest : public UserSettingsTest {
 protected:
  // A user key of this version from before the last installation.
  static void WriteOlderUserKey(const char* version, DWORD reinstalCnt) {
    WriteCurrentUserSettings();
    RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "ProgramVersion", version);
    RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "ReInstalCnt", reinstalCnt);
    RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Width", 300);
    RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "c", 17);
    RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "ToolUse", "4,5");
    RegRemoveValue(HKEY_CURRENT_USER, kSettingsPath, "ViewerHeight");
  }

  HWND ExpectQuestion(const Process& p) {
    HWND box = WaitBoxOf(p, kKeepCaption);
    EXPECT_TRUE(box) << "not asked; boxes: " << DescribeBoxes(0);
    if (!box) return nullptr;
    EXPECT_EQ(MessageBoxText(box), kKeepQuestion);
    EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"Yes", "No"}));
    return box;
  }
};

TEST_F(ReinstallQuestionTest, OlderVersionAsksAndYesKeepsSettings) {
  WriteOlderUserKey("1.30", kInstalledReInstalCnt);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = ExpectQuestion(p);
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDYES));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "ProgramVersion"), "1.32");
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), 300u) << "kept settings changed";
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"), static_cast<DWORD>(-1));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerHeight"), FirstSize(400)) << "a missing value is added";
}

TEST_F(ReinstallQuestionTest, NewInstallationAsksAndNoResetsAllButKeptValues) {
  // Same version, but the administrator installed again since the last refresh.
  WriteOlderUserKey("1.32", 1);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = ExpectQuestion(p);
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDNO));
  CameraStart s = WaitCameraOrBox(p);
  // NextTip is reset to 1, so the tips role starts too; its box is not ours.
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ReInstalCnt"), kInstalledReInstalCnt);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), FirstSize(186));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"), 1u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ViewerHeight"), FirstSize(400));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "c"), 17u) << "c is kept";
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "ToolUse"), "4,5") << "ToolUse is kept";
}

}  // namespace
}  // namespace flk::e2e

namespace flk::e2e {
namespace {

// Settings of an earlier version under HKEY_CURRENT_CONFIG move to the user key.
class OldConfigTest : public ReinstallQuestionTest {
 protected:
  static void WriteOldConfig() {
    RegWriteString(HKEY_CURRENT_CONFIG, kSettingsPath, "ProgramName", "FramelarkPro");
    RegWriteString(HKEY_CURRENT_CONFIG, kSettingsPath, "ProgramVersion", "1.1");
    RegWriteDword(HKEY_CURRENT_CONFIG, kSettingsPath, "Width", 250);
    RegWriteDword(HKEY_CURRENT_CONFIG, kSettingsPath, "NextTip", static_cast<DWORD>(-1));
    RegWriteDword(HKEY_CURRENT_CONFIG, kSettingsPath, "ReInstalCnt", 9);
  }
};

TEST_F(OldConfigTest, MovedToTheUserKeyAndKeptOnYes) {
  WriteOldConfig();
  ASSERT_TRUE(RegKeyExists(HKEY_CURRENT_CONFIG, kSettingsPath));
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = ExpectQuestion(p);
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDYES));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), 250u);
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "NextTip"), static_cast<DWORD>(-1));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "ReInstalCnt"), kInstalledReInstalCnt) << "not copied";
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "ProgramVersion"), "1.32");
  // Without the earlier product's App Paths entry the old key goes.
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_CONFIG, kOldConfigParentKey));
}

TEST_F(OldConfigTest, KeptWhileTheEarlierProductIsInstalled) {
  WriteOldConfig();
  ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, kOldAppPathKey, "", "C:\\Framelark\\Framelark.exe"));
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = ExpectQuestion(p);
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDNO));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, kSettingsPath, "Width"), FirstSize(186)) << "No resets the moved settings";
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_CONFIG, kSettingsPath));
}

}  // namespace
}  // namespace flk::e2e
