#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "shell/tips_layout.h"

namespace flk {
namespace {

struct QuietUi : SettingsUi {
  int messages = 0;
  void Message(const std::string&) override { ++messages; }
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string&) override { return true; }
};

class RestoreTips : public ::testing::Test {
 protected:
  void SetUp() override {
    store.CreateKey(RootKey::CurrentUser, kSettingsPath);
    for (const char* key : kNoShowAgainKeys) settings.WriteSingleSetting(key, true);
  }
  InMemorySettingsStore store;
  QuietUi ui;
  Settings settings{store, ui};
};

TEST_F(RestoreTips, EveryTipShowsAgain) {
  settings.WriteSingleSetting("NextTip", 7);
  RestoreAllNoShowAgainDialogs(settings);
  for (const char* key : kNoShowAgainKeys) EXPECT_FALSE(settings.ReadSingleSetting(key, true)) << key;
  EXPECT_EQ(settings.ReadSingleSetting("NextTip", 0), 7);  // daily tips that were on keep their page
  EXPECT_EQ(ui.messages, 0);
}

TEST_F(RestoreTips, DailyTipsSwitchedOffStartAgainAtTipOne) {
  settings.WriteSingleSetting("NextTip", -1);
  RestoreAllNoShowAgainDialogs(settings);
  EXPECT_EQ(settings.ReadSingleSetting("NextTip", 0), 1);
  EXPECT_FALSE(settings.ReadSingleSetting("NsaEteOff", true));
}

TEST_F(RestoreTips, AMissingNextTipCountsAsSwitchedOff) {
  RestoreAllNoShowAgainDialogs(settings);
  EXPECT_EQ(settings.ReadSingleSetting("NextTip", 0), 1);
}

}  // namespace
}  // namespace flk
