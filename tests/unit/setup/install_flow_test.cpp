#include "setup/install_flow.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "shell/memory_store.h"
#include "shell/names.h"

namespace flk {
namespace {

struct QuietUi : SettingsUi {
  std::vector<std::string> warnings;
  void Message(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string& t) override {
    warnings.push_back(t);
    return true;
  }
};

// A machine in memory that writes down what the installation did, in order.
struct Machine : InstallMachine {
  std::set<std::string> files, folders;
  std::vector<std::string> steps;
  std::optional<std::string> folderAnswer;
  bool copies = true, readmeWritten = true;
  bool FileExists(const std::string& p) override { return files.count(p) > 0; }
  bool DirectoryExists(const std::string& p) override { return folders.count(p) > 0; }
  void MakeFolder(const std::string& p) override { folders.insert(p); }
  void LetUsersWrite(const std::string& f) override { steps.push_back("users " + f); }
  void CloseRunningWindows() override { steps.push_back("close"); }
  std::optional<std::string> AskInstallFolder(const std::string& proposal, uint64_t) override {
    steps.push_back("ask " + proposal);
    return folderAnswer;
  }
  void ShowStep(const std::string&) override {}
  bool CopyProgram(const std::string& to) override {
    steps.push_back("copy " + to);
    return copies;
  }
  bool WriteReadme(const std::string& p) override {
    steps.push_back("readme " + p);
    return readmeWritten;
  }
  void ClearSystemError() override {}
  void MakeShortcuts(const std::string& p) override { steps.push_back("shortcuts " + p); }
  void StartProgram(const std::string& p) override { steps.push_back("start " + p); }
};

class InstallFlow : public ::testing::Test {
 protected:
  InMemorySettingsStore store;
  QuietUi ui;
  Settings settings{store, ui};
  Machine machine;
  std::optional<std::string> Registered() const {
    auto v = store.Get(RootKey::LocalMachine, kAppPathKey, "");
    return v ? std::optional<std::string>(StringOf(*v)) : std::nullopt;
  }
};

TEST_F(InstallFlow, AFirstInstallAsksTheFolderCopiesRegistersAndStarts) {
  machine.folderAnswer = "D:\\Tools\\Framelark\\";
  ASSERT_EQ(RunInstallation(settings, machine, {"E:\\Setup\\", 1000}), 0);
  const std::string program = "D:\\Tools\\Framelark\\Pro\\" + std::string(kProgramFile);
  const std::vector<std::string> head = {"close", "ask c:\\Framelark\\", "copy " + program,
                                         "readme D:\\Tools\\Framelark\\Pro\\Readme.txt"};
  ASSERT_GE(machine.steps.size(), head.size() + 2);
  EXPECT_EQ(std::vector<std::string>(machine.steps.begin(), machine.steps.begin() + 4), head);
  // New data: every working folder made and open to all users; then the shortcuts and the start, last.
  EXPECT_EQ(machine.steps[4].rfind("users D:\\Tools\\Framelark\\", 0), 0u) << machine.steps[4];
  EXPECT_EQ(machine.steps.end()[-2], "shortcuts " + program);
  EXPECT_EQ(machine.steps.back(), "start " + program);
  EXPECT_EQ(Registered(), program);
  auto base = store.Get(RootKey::LocalMachine, kSettingsPath, "BasePath");
  ASSERT_TRUE(base);
  EXPECT_EQ(StringOf(*base), "D:\\Tools\\Framelark\\");
  EXPECT_TRUE(ui.warnings.empty());
}

TEST_F(InstallFlow, AReinstallOverItsOwnDataAsksNothingAndLeavesItsFoldersAlone) {
  const std::string program = "D:\\Data\\Pro\\" + std::string(kProgramFile);
  store.Put(RootKey::LocalMachine, kAppPathKey, "", StringValue(program));
  machine.files.insert(program);
  machine.folders.insert("D:\\Data\\Folders\\");
  machine.readmeWritten = false;
  // Run from the installed folder itself: nothing is copied onto itself.
  ASSERT_EQ(RunInstallation(settings, machine, {"d:\\data\\pro\\", 1000}), 0);
  for (const std::string& s : machine.steps)
    EXPECT_TRUE(s.rfind("ask", 0) && s.rfind("copy", 0) && s.rfind("readme", 0) && s.rfind("users", 0)) << s;
  EXPECT_EQ(machine.steps.back(), "start " + program);
  EXPECT_TRUE(ui.warnings.empty());
}

TEST_F(InstallFlow, ACancelOrAFailedCopyStopsBeforeAnythingIsRegistered) {
  // Cancelled at the folder question: done, nothing made.
  EXPECT_EQ(RunInstallation(settings, machine, {"E:\\Setup\\", 1000}), 0);
  EXPECT_TRUE(machine.folders.empty());
  EXPECT_FALSE(Registered());
  // The copy given up: failed, not registered, not started.
  machine.folderAnswer = "D:\\F\\";
  machine.copies = false;
  machine.steps.clear();
  EXPECT_EQ(RunInstallation(settings, machine, {"E:\\Setup\\", 1000}), 1);
  EXPECT_EQ(machine.steps.back(), "copy D:\\F\\Pro\\" + std::string(kProgramFile));
  EXPECT_FALSE(Registered());
  // A readme that cannot be written is a warning, not a failure.
  machine.copies = true;
  machine.readmeWritten = false;
  EXPECT_EQ(RunInstallation(settings, machine, {"E:\\Setup\\", 1000}), 0);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_NE(ui.warnings[0].find("D:\\F\\Pro\\Readme.txt"), std::string::npos) << ui.warnings[0];
}

TEST_F(InstallFlow, WithoutAdministratorRightsNothingHappens) {
  store.SetReadOnly(RootKey::LocalMachine, kAdminProbeKey, true);
  machine.folderAnswer = "D:\\F\\";
  EXPECT_EQ(RunInstallation(settings, machine, {"E:\\Setup\\", 1000}), 1);
  EXPECT_TRUE(machine.steps.empty());
  EXPECT_FALSE(Registered());
}

}  // namespace
}  // namespace flk
