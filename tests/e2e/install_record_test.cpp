// Start-up without a valid installation record: the program offers to run the
// installer and ends.
#include <algorithm>

#include "program_fixture.h"

namespace flk::e2e {
namespace {

constexpr char kErrorCaption[] = "FramelarkPro Installation Error";
constexpr char kErrorLead[] = "Press OK to install (or reinstall) the program.\n\n";
constexpr char kNotSetUp[] = "\n\nLooks like this this version of Framelark hasn't been setup yet.";
constexpr char kSetupTitle[] = "Framelark Setup";

class InstallationRecordTest : public ProgramTest {
 protected:
  // Starts the camera role and expects the installation error box with `message`.
  HWND ExpectInstallationError(Process& p, const std::string& message) {
    p = Process::Start("");
    EXPECT_TRUE(p) << "could not start " << ProgramPath();
    HWND box = WaitBoxOf(p, kErrorCaption);
    EXPECT_TRUE(box) << "no \"" << kErrorCaption << "\" box; boxes: " << DescribeBoxes(0)
                     << "; running: " << p.Running();
    if (!box) return nullptr;
    EXPECT_EQ(MessageBoxText(box), std::string(kErrorLead) + message);
    auto buttons = ButtonTexts(box);
    EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_FALSE(FindTop(kCameraClass, kCameraCaption, p.pid()) &&
                 IsWindowVisible(FindTop(kCameraClass, kCameraCaption, p.pid())))
        << "the camera opened although the program is not installed";
    EXPECT_FALSE(TrayIconShown()) << "a tray icon although the program is not installed";
    return box;
  }
};

TEST_F(InstallationRecordTest, NoAppPathOffersSetupAndOkStartsIt) {
  ASSERT_TRUE(RegRemoveTree(HKEY_LOCAL_MACHINE, kAppPathKey));
  Process p;
  HWND box = ExpectInstallationError(p, std::string("No FramelarkPro App Path.") + kNotSetUp);
  ASSERT_TRUE(box);
  const auto before = ProgramProcessIds();
  ASSERT_TRUE(Answer(box, IDOK));

  // The program ends, and the installer role starts in a process of its own.
  auto code = p.WaitExit();
  ASSERT_TRUE(code) << "the program did not end after OK";
  HWND setupForm = WaitWindow("TfrmSetup", "Setup FramelarkPro version 1.32", true);
  ASSERT_TRUE(setupForm) << "the installer did not start; boxes: " << DescribeBoxes(0);
  Process setup = Process::Open(WindowPid(setupForm));
  ASSERT_TRUE(setup);
  EXPECT_NE(setup.pid(), p.pid());
  EXPECT_TRUE(std::find(before.begin(), before.end(), setup.pid()) == before.end());
  ASSERT_TRUE(PressButton(setupForm, IDCANCEL));
  auto setupCode = setup.WaitExit();
  ASSERT_TRUE(setupCode) << "the installer did not end on Cancel";
  EXPECT_EQ(*setupCode, 0u);
  // Ending early stores nothing.
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kSettingsPath));
}

TEST_F(InstallationRecordTest, CancelEndsWithoutSetup) {
  ASSERT_TRUE(RegRemoveTree(HKEY_LOCAL_MACHINE, kAppPathKey));
  Process p;
  HWND box = ExpectInstallationError(p, std::string("No FramelarkPro App Path.") + kNotSetUp);
  ASSERT_TRUE(box);
  ASSERT_TRUE(Answer(box, IDCANCEL));
  ASSERT_TRUE(p.WaitExit()) << "the program did not end after Cancel";
  // Nothing else of the program may still be running (no installer).
  EXPECT_TRUE(WaitUntil([] { return ProgramProcessIds().empty(); }, 2000))
      << "a program process still runs: " << DescribeBoxes(0);
  EXPECT_TRUE(MessageBoxes(kSetupTitle).empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kSettingsPath));
}

TEST_F(InstallationRecordTest, MissingRecordKey) {
  ASSERT_TRUE(RegRemoveTree(HKEY_LOCAL_MACHINE, kSettingsPath));
  Process p;
  ASSERT_TRUE(ExpectInstallationError(p, std::string("Couldn't open HKEY_LOCAL_MACHINE.") + kNotSetUp));
}

TEST_F(InstallationRecordTest, WrongVersionInRecord) {
  ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, kSettingsPath, "ProgramVersionRef", "1.31"));
  Process p;
  ASSERT_TRUE(
      ExpectInstallationError(p, std::string("Wrong program name or version in HKEY_LOCAL_MACHINE.") + kNotSetUp));
}

TEST_F(InstallationRecordTest, WrongProgramNameInRecord) {
  ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, kSettingsPath, "ProgramNameRef", "Framelark"));
  Process p;
  ASSERT_TRUE(
      ExpectInstallationError(p, std::string("Wrong program name or version in HKEY_LOCAL_MACHINE.") + kNotSetUp));
}

}  // namespace
}  // namespace flk::e2e
