#include <gtest/gtest.h>

#include <set>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "shell/settings_table.h"
#include "shell/startup_settings.h"

namespace flk {
namespace {

constexpr RootKey CU = RootKey::CurrentUser;
constexpr RootKey LM = RootKey::LocalMachine;
constexpr RootKey CC = RootKey::CurrentConfig;

struct RecordingUi : SettingsUi {
  std::vector<std::string> messages, questions, setupWarnings;
  bool answer = true;
  void Message(const std::string& t) override { messages.push_back(t); }
  bool AskYesNo(const std::string& caption, const std::string& t) override {
    questions.push_back(caption + "|" + t);
    return answer;
  }
  bool SetupWarning(const std::string& t) override {
    setupWarnings.push_back(t);
    return true;
  }
};

class SettingsTest : public ::testing::Test {
 protected:
  InMemorySettingsStore store;
  RecordingUi ui;
  Settings settings{store, ui};
  SystemServices sys{[] { return OleDate{46000.5}; }, [] { return std::string("C:\\WINDOWS"); },
                     [this](const std::string& p) { return existingFiles.count(p) != 0; }};
  std::set<std::string> existingFiles;

  void Install(int count = 2) {
    store.Put(LM, kAppPathKey, "", StringValue("C:\\Framelark\\Pro\\FramelarkPro.exe"));
    store.Put(LM, kSettingsPath, "ProgramNameRef", StringValue("FramelarkPro"));
    store.Put(LM, kSettingsPath, "ProgramVersionRef", StringValue("1.32"));
    store.Put(LM, kSettingsPath, "ReInstalCnt", DwordValue(count));
  }
  std::optional<RegValue> User(const std::string& name) { return store.Get(CU, kSettingsPath, name); }
  StartupResult Load() { return LoadStartupSettings(settings, sys); }
};

TEST_F(SettingsTest, SingleReadsTakeTheTablesDefaultUntilAValueIsStored) {
  Install();
  store.Put(CU, kSettingsPath, "ProgramName", StringValue("FramelarkPro"));  // the user key exists, empty
  EXPECT_EQ(settings.ReadSingleInt("Width"), 345);  // read default, not the installed 186
  EXPECT_EQ(settings.ReadSingleInt("PixelFormatPro"), 6);
  EXPECT_TRUE(settings.ReadSingleBool("DoTopper"));  // installed false, read true
  EXPECT_EQ(settings.ReadSingleString("SaveToFileName"), "");
  settings.WriteSingleSetting("Width", 400);
  settings.WriteSingleSetting("DoTopper", false);
  EXPECT_EQ(settings.ReadSingleInt("Width"), 400);
  EXPECT_FALSE(settings.ReadSingleBool("DoTopper"));
}

TEST_F(SettingsTest, NewUserGetsEveryInstalledValueWithoutQuestionsAndNoReport) {
  Install();
  auto r = Load();
  ASSERT_TRUE(r.values) << r.fatal;
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(ui.messages.empty());
  for (const SettingRow& row : UserSettingsTable()) {
    auto v = User(row.name);
    if (row.type == SettingType::String && row.source == InstalledSource::Constant) {
      ASSERT_TRUE(v) << row.name;  // empty strings are written too
      EXPECT_EQ(StringOf(*v), row.installedStr) << row.name;
    } else if (row.type == SettingType::Integer || row.type == SettingType::Boolean) {
      ASSERT_TRUE(v) << row.name;
      ASSERT_EQ(v->type, RegType::Dword) << row.name;
      if (row.source == InstalledSource::Constant) {
        EXPECT_EQ(DwordOf(*v), row.installedInt) << row.name;
      }
    }
  }
  EXPECT_EQ(DwordOf(*User("ReInstalCnt")), 2);
  EXPECT_EQ(StringOf(*User("ProgramVersion")), "1.32");
  EXPECT_EQ(DwordOf(*User("Width")), 186);
  EXPECT_EQ(DwordOf(*User("DoTopper")), 0);
  EXPECT_EQ(DwordOf(*User("NonMapiOpen")), 1);
  auto a = User("a");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->type, RegType::Binary);
  EXPECT_EQ(a->data.size(), 8u);
  // The start-up's own read series found everything it needs.
  EXPECT_EQ(r.values->lastCapturesNum, 5);
  EXPECT_FALSE(r.values->doTopper);
  EXPECT_TRUE(r.values->robo.doVScroll);
  EXPECT_EQ(r.values->robo.interval, 400);
  // At 150 % the first windows are as large as a person sees them at 100 %.
  store.DeleteKeyTree(CU, kSettingsPath);
  sys.dpi = [] { return 144; };
  ASSERT_TRUE(Load().values);
  const std::pair<const char*, int> kScaled[] = {
      {"Width", 279}, {"Height", 402}, {"ViewerWidth", 1185}, {"ViewerHeight", 600}, {"Left", 0}, {"ViewerLeft", 150}};
  for (const auto& [name, value] : kScaled) EXPECT_EQ(DwordOf(*User(name)), value) << name;
  // A second start is current: nothing asked, nothing reported.
  auto again = Load();
  ASSERT_TRUE(again.values);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
}

TEST_F(SettingsTest, MissingValueIsReportedOnceAndRecreatedWithItsDefault) {
  Install();
  ASSERT_TRUE(Load().values);
  int key = store.OpenKey(CU, kSettingsPath, kAccessAll, false);
  ASSERT_TRUE(store.DeleteValue(key, "LastCapturesNum"));
  store.CloseKey(key);

  auto r = Load();
  ASSERT_TRUE(r.values);
  ASSERT_EQ(ui.messages.size(), 1u);
  const std::string& m = ui.messages[0];
  EXPECT_EQ(m.rfind("Couldn't read 1 setting(s) from registry.\r\nDefault values used.\r\n\r\nLast bad item:\r\n", 0), 0u)
      << m;
  EXPECT_NE(m.find("Name = LastCapturesNum\r\n"), std::string::npos);
  EXPECT_NE(m.find("Key = \\Software\\Hollowbrook\\Framelark"), std::string::npos);
  EXPECT_NE(m.find("Root = HKEY_CURRENT_USER"), std::string::npos);
  EXPECT_EQ(DwordOf(*User("LastCapturesNum")), 5);
  EXPECT_EQ(store.openKeys(), 0);
}

TEST_F(SettingsTest, ValueOfWrongTypeOrSizeIsReplacedByTheDefault) {
  Install();
  ASSERT_TRUE(Load().values);
  store.Put(CU, kSettingsPath, "c", StringValue("12"));
  store.Put(CU, kSettingsPath, "a", BinaryValue({1, 2, 3, 4}));
  auto r = Load();
  ASSERT_TRUE(r.values);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("Couldn't read 2 setting(s)"), std::string::npos);
  EXPECT_NE(ui.messages[0].find("Name = c\r\n"), std::string::npos);
  EXPECT_EQ(User("c")->type, RegType::Dword);
  EXPECT_EQ(DwordOf(*User("c")), 0);
  EXPECT_EQ(User("a")->data.size(), 8u);
}

TEST_F(SettingsTest, MissingStringReadsEmptyWithoutReportOrCreation) {
  Install();
  ASSERT_TRUE(Load().values);
  int key = store.OpenKey(CU, kSettingsPath, kAccessAll, false);
  store.DeleteValue(key, "SaveToFileName");
  store.CloseKey(key);
  EXPECT_EQ(settings.ReadSingleSetting("SaveToFileName", "x.bmp"), "");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(User("SaveToFileName"));
  // Expand strings count as strings.
  store.Put(CU, kSettingsPath, "EditorPath", RegValue{RegType::ExpandString, {'p', 'a'}});
  EXPECT_EQ(settings.ReadSingleSetting("EditorPath", ""), "pa");
}

TEST_F(SettingsTest, LaterVersionResetsWithoutAskingAndEarlierOneAsks) {
  Install();
  ASSERT_TRUE(Load().values);
  store.Put(CU, kSettingsPath, "ProgramVersion", StringValue("1.4"));  // greater than "1.32" as text
  store.Put(CU, kSettingsPath, "Width", DwordValue(999));
  ASSERT_TRUE(Load().values);
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(DwordOf(*User("Width")), 186);

  store.Put(CU, kSettingsPath, "ProgramVersion", StringValue("1.30"));
  ASSERT_TRUE(Load().values);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0],
            "Framelark|An administrator re-installed or upgraded Framelark. Do you want to keep your personal "
            "settings?\r\n\r\nIf no, settings will revert to default values.");
}

TEST_F(SettingsTest, KeepAnswerDecidesWhichValuesAreReset) {
  Install(2);
  ASSERT_TRUE(Load().values);
  store.Put(CU, kSettingsPath, "Width", DwordValue(999));
  store.Put(CU, kSettingsPath, "c", DwordValue(17));
  store.Put(CU, kSettingsPath, "ToolUse", StringValue("1,2"));
  int key = store.OpenKey(CU, kSettingsPath, kAccessAll, false);
  store.DeleteValue(key, "Height");
  store.CloseKey(key);

  Install(3);  // an administrator reinstalled
  ui.answer = true;
  ASSERT_TRUE(Load().values);
  EXPECT_EQ(DwordOf(*User("Width")), 999);  // kept
  EXPECT_EQ(DwordOf(*User("Height")), 268);  // missing value added
  EXPECT_EQ(DwordOf(*User("ReInstalCnt")), 3);

  Install(4);
  ui.answer = false;
  ASSERT_TRUE(Load().values);
  EXPECT_EQ(DwordOf(*User("Width")), 186);
  EXPECT_EQ(DwordOf(*User("c")), 17);
  EXPECT_EQ(StringOf(*User("ToolUse")), "1,2");
  EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(SettingsTest, FatalFindingsOfTheInstallationRecord) {
  EXPECT_EQ(Load().fatal, std::string("No FramelarkPro App Path.") + kNotSetUpSuffix);
  store.Put(LM, kAppPathKey, "", StringValue("x"));
  EXPECT_EQ(Load().fatal, std::string("Couldn't open HKEY_LOCAL_MACHINE.") + kNotSetUpSuffix);
  Install();
  store.Put(LM, kSettingsPath, "ProgramVersionRef", StringValue("1.31"));
  EXPECT_EQ(Load().fatal, std::string("Wrong program name or version in HKEY_LOCAL_MACHINE.") + kNotSetUpSuffix);
  Install();
  store.Put(LM, kSettingsPath, "ReInstalCnt", StringValue("2"));
  EXPECT_EQ(Load().fatal, std::string("Got exception reading from HKEY_LOCAL_MACHINE.") + kNotSetUpSuffix);
  EXPECT_FALSE(store.KeyExists(CU, kSettingsPath));  // nothing installed for the user on a fatal finding
}

TEST_F(SettingsTest, EarlierSettingsMoveFromCurrentConfigOnce) {
  Install();
  store.Put(CC, kSettingsPath, "Width", DwordValue(444));
  store.Put(CC, kSettingsPath, "EditorPath", StringValue("old.exe"));  // never copied
  store.Put(CC, kSettingsPath, "Top", StringValue("bad type"));        // skipped
  ui.answer = true;
  ASSERT_TRUE(Load().values);
  EXPECT_EQ(ui.questions.size(), 1u);  // the moved settings count as the user's own
  EXPECT_EQ(DwordOf(*User("Width")), 444);
  EXPECT_EQ(DwordOf(*User("Top")), 0);
  EXPECT_EQ(StringOf(*User("EditorPath")), "");
  EXPECT_FALSE(store.KeyExists(CC, "Software\\Hollowbrook"));
}

TEST_F(SettingsTest, EditorFoundUnderAppPathsWithSystemRootExpanded) {
  Install();
  store.Put(LM, std::string(kAppPathsKey) + "\\PBRUSH.EXE", "", StringValue("%SystemRoot%\\pbrush.exe"));
  store.Put(LM, std::string(kAppPathsKey) + "\\mspaint.exe", "", StringValue("%SYSTEMROOT%\\system32\\mspaint.exe"));
  existingFiles.insert("C:\\WINDOWS\\system32\\mspaint.exe");
  ASSERT_TRUE(Load().values);
  EXPECT_EQ(StringOf(*User("EditorPath")), "C:\\WINDOWS\\system32\\mspaint.exe");
  EXPECT_EQ(ExpandSystemRoot("%windir%\\x", "C:\\W"), "%windir%\\x");
}

TEST_F(SettingsTest, SaveWithoutCameraStoresOnlyExitAndScrollValues) {
  Install();
  auto r = Load();
  ASSERT_TRUE(r.values);
  store.Put(CU, kSettingsPath, "Width", DwordValue(500));
  r.values->c = 7;
  r.values->scroll.interval = 777;
  r.values->lastCapturesNum = 9;
  SaveSettings(settings, sys, *r.values, nullptr);
  EXPECT_EQ(DwordOf(*User("c")), 8);
  EXPECT_EQ(DwordOf(*User("SS_Interval")), 777);
  EXPECT_EQ(DwordOf(*User("LastCapturesNum")), 5);
  EXPECT_EQ(DwordOf(*User("Width")), 500);

  CameraSaveValues cam;
  cam.width = 640;
  cam.buttons[16] = false;
  SaveSettings(settings, sys, *r.values, &cam);
  EXPECT_EQ(DwordOf(*User("Width")), 640);
  EXPECT_EQ(DwordOf(*User("LastCapturesNum")), 9);
  EXPECT_EQ(DwordOf(*User("CambtnRobo")), 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SettingsTest, UnwritableKeysAreReportedWithTheFailingName) {
  Install();
  ASSERT_TRUE(Load().values);
  store.SetReadOnly(CU, kSettingsPath, true);
  settings.WriteSingleSetting("NxtFileNum", 3);
  EXPECT_TRUE(ui.messages.empty());  // a single write is reported at the next write series' end
  ASSERT_TRUE(settings.OpenKeyAt(CU, kSettingsPath, kAccessWrite, false, true));
  settings.EndWriteSeries();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Couldn't write 1 setting(s) to registry.\r\n\r\nLast bad item:\r\nName = NxtFileNum", 0),
            0u)
      << ui.messages[0];

  store.DeleteKeyTree(CU, "Software\\Hollowbrook");
  SaveSettings(settings, sys, StartupValues{}, nullptr);
  EXPECT_EQ(ui.messages.back(), "Couldn't open Framelark registry key to save your settings.");
  EXPECT_EQ(settings.ReadSingleSetting("RefreshDelay", 255), 255);
  EXPECT_EQ(ui.messages.back(), "Couldn't open Framelark registry key.");
}

TEST_F(SettingsTest, AdministratorProbeLeavesNoKeyBehind) {
  EXPECT_TRUE(IsAdministrator(settings));
  EXPECT_FALSE(store.KeyExists(LM, kAdminProbeKey));
  store.SetReadOnly(LM, kAdminProbeKey, true);
  EXPECT_FALSE(IsAdministrator(settings));
  EXPECT_EQ(ui.messages.back(),
            "Sorry, only an administrator of this computer can perform this function because it effects all users.");
}

TEST(CountToolUse, FillsGrowsAndCountsFields) {
  EXPECT_EQ(CountToolUse("", 1), "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
  EXPECT_EQ(CountToolUse("5,7", 1), "6,7,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
  EXPECT_EQ(CountToolUse("", 23), "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1");
  EXPECT_EQ(CountToolUse("1,2x,3", 2).substr(0, 6), "1,3,3,");
  EXPECT_EQ(CountToolUse("1,abc,3", 2).substr(0, 6), "1,1,3,");
}

TEST(ScrollDefaults, SetsDifferOnlyInMethodAndInterval) {
  ScrollParams s = ResetScrollDefaults(true), r = ResetScrollDefaults(false);
  EXPECT_FALSE(s.doVScroll);
  EXPECT_TRUE(r.doVScroll);
  EXPECT_EQ(s.interval, 600);
  EXPECT_EQ(r.interval, 400);
  EXPECT_EQ(s.scanBt, r.scanBt);
  EXPECT_EQ(s.fileLimit, 8388608);
}

TEST(ScrollParams, EachOfTheTwelveIsStoredUnderItsOwnNameAndReadBack) {
  InMemorySettingsStore store;
  RecordingUi ui;
  Settings s(store, ui);
  store.CreateKey(RootKey::CurrentUser, kSettingsPath);
  // Every value differs from its default and from the others.
  const ScrollParams want{true, false, 701, 2, 4096, 11, 12, 13, 14, 15, 16, false};
  ASSERT_TRUE(s.OpenSettingsKey(kAccessWrite));
  WriteScrollParams(s, "AS_", want);
  s.EndWriteSeries();
  EXPECT_EQ(DwordOf(store.Get(RootKey::CurrentUser, kSettingsPath, "AS_ScanTp").value_or(DwordValue(-1))), 13);
  EXPECT_EQ(DwordOf(store.Get(RootKey::CurrentUser, kSettingsPath, "AS_SrchVScroll").value_or(DwordValue(-1))), 0);
  ScrollParams got = ResetScrollDefaults(true);
  ASSERT_TRUE(s.OpenSettingsKey(kAccessRead));
  ReadScrollParams(s, "AS_", got);
  s.EndReadSeries();
  const auto fields = {&ScrollParams::interval, &ScrollParams::stepSize, &ScrollParams::fileLimit,
                       &ScrollParams::indexLt,  &ScrollParams::scanLt,   &ScrollParams::scanTp,
                       &ScrollParams::scanRt,   &ScrollParams::scanBt,   &ScrollParams::rtMargin};
  for (int ScrollParams::*f : fields) EXPECT_EQ(got.*f, want.*f);
  EXPECT_EQ(got.doVScroll, want.doVScroll);
  EXPECT_EQ(got.doIndex, want.doIndex);
  EXPECT_EQ(got.srchVScroll, want.srchVScroll);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(OleDate, CountsDaysFromTheEndOf1899) {
  EXPECT_DOUBLE_EQ(OleDateFromUnixSeconds(0).days, 25569.0);
  EXPECT_DOUBLE_EQ(OleDateFromUnixSeconds(43200).days, 25569.5);
}

TEST(SixMonthNotice, ShownOnceAfterEachHalfYearStepSinceTheProgramDate) {
  const double file = 45000;
  EXPECT_FALSE(SixMonthNoticeDue(file, file - 1, file + 400));  // program newer than the last exit
  EXPECT_FALSE(SixMonthNoticeDue(file, file + 10, file + 100));  // within the first half year
  EXPECT_TRUE(SixMonthNoticeDue(file, file + 10, file + 190));   // crossed the first step
  EXPECT_FALSE(SixMonthNoticeDue(file, file + 190, file + 191));  // the exit after the notice stored a new time
  EXPECT_TRUE(SixMonthNoticeDue(file, file + 190, file + 370));   // the next step
}

TEST(SetupWarning, SystemErrorComesFirst) {
  EXPECT_EQ(SetupWarningText("Couldn't open source key for copy.", 0, ""),
            "Couldn't open source key for copy.\r\n\r\nIt's not required, so let's continue.\r\n\r\nPressing Cancel "
            "aborts this installation.");
  EXPECT_EQ(SetupWarningText("M", 5, "Access denied.").rfind("Error # 5, Access denied.\r\n\r\nM\r\n\r\n", 0), 0u);
}

TEST(CameraValues, NarrowCameraIsWidenedTo120) {
  InMemorySettingsStore store;
  RecordingUi ui;
  Settings s(store, ui);
  store.Put(RootKey::CurrentUser, kSettingsPath, "Width", DwordValue(80));
  ASSERT_TRUE(s.OpenSettingsKey(kAccessRead));
  CameraSaveValues v = ReadCameraValues(s);
  s.EndReadSeries();
  EXPECT_EQ(v.width, 120);
  EXPECT_EQ(v.height, 222);  // missing: default, reported once
  ASSERT_EQ(ui.messages.size(), 1u);
  // Every camera value but Width was missing; the last one read is the bevel.
  EXPECT_NE(ui.messages[0].find("Couldn't read 27 setting(s)"), std::string::npos) << ui.messages[0];
  EXPECT_NE(ui.messages[0].find("Name = CamBevelWidth\r\n"), std::string::npos);
}

}  // namespace
}  // namespace flk
