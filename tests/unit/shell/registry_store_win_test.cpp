// The settings rules on the real registry (runs under Wine or Windows).
#include <gtest/gtest.h>

#include "shell/names.h"
#include "shell/registry_store_win.h"
#include "shell/settings.h"
#include "shell/startup_settings.h"

namespace flk {
namespace {

constexpr char kTestPath[] = "Software\\Hollowbrook\\FramelarkUnitTest";

struct QuietUi : SettingsUi {
  std::vector<std::string> messages;
  void Message(const std::string& t) override { messages.push_back(t); }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool SetupWarning(const std::string& t) override {
    messages.push_back(t);
    return true;
  }
};

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store.DeleteKeyTree(RootKey::CurrentUser, kTestPath); }
  void TearDown() override { store.DeleteKeyTree(RootKey::CurrentUser, kTestPath); }
  std::unique_ptr<SettingsStore> registry = MakeRegistryStore();
  SettingsStore& store = *registry;
  QuietUi ui;
};

TEST_F(RegistryStoreTest, TypedValuesRoundTripThroughTheRegistry) {
  Settings s(store, ui);
  ASSERT_TRUE(s.OpenKeyAt(RootKey::CurrentUser, kTestPath, kAccessAll, true, false));
  s.WriteSetting("i", -5);
  s.WriteSetting("b", true);
  s.WriteSetting("d", OleDate{46000.25});
  s.WriteSetting("s", std::string("Bilder \xc3\xa4\xc3\xb6 \xe2\x82\xac"));
  s.EndWriteSeries();
  EXPECT_TRUE(ui.messages.empty());

  ASSERT_TRUE(s.OpenKeyAt(RootKey::CurrentUser, kTestPath, kAccessRead, false, false));
  EXPECT_EQ(s.ReadSetting("i", 0), -5);
  EXPECT_TRUE(s.ReadSetting("b", false));
  EXPECT_EQ(s.ReadSetting("d", OleDate{}).days, 46000.25);
  EXPECT_EQ(s.ReadSetting("s", std::string()), "Bilder \xc3\xa4\xc3\xb6 \xe2\x82\xac");
  // A DWORD read as a date is of the wrong type: default, written back, reported.
  EXPECT_EQ(s.ReadSetting("i", OleDate{1.5}).days, 1.5);
  s.EndReadSeries();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("Name = i\r\n"), std::string::npos);

  int key = store.OpenKey(RootKey::CurrentUser, kTestPath, kAccessRead, false);
  ASSERT_NE(key, 0);
  auto v = store.GetValue(key, "i");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, RegType::Binary);
  EXPECT_EQ(v->data.size(), 8u);
  store.CloseKey(key);
}

TEST_F(RegistryStoreTest, QueryOnlyKeyRefusesWritesAndTreesAreDeletedWhole) {
  int key = store.OpenKey(RootKey::CurrentUser, std::string(kTestPath) + "\\Sub\\Deeper", kAccessAll, true);
  ASSERT_NE(key, 0);
  store.CloseKey(key);
  key = store.OpenKey(RootKey::CurrentUser, kTestPath, kAccessRead | 8, false);
  ASSERT_NE(key, 0);
  EXPECT_FALSE(store.SetValue(key, "x", DwordValue(1)));
  EXPECT_EQ(store.SubkeyNames(key), std::vector<std::string>{"Sub"});
  store.CloseKey(key);
  EXPECT_TRUE(store.DeleteKeyTree(RootKey::CurrentUser, kTestPath));
  EXPECT_FALSE(store.KeyExists(RootKey::CurrentUser, kTestPath));
  EXPECT_FALSE(store.KeyExists(RootKey::CurrentUser, "Software\\Hollowbrook\\NoSuchKeyHere"));
}

TEST_F(RegistryStoreTest, AdministratorProbeWorksOnTheMachineKey) {
  Settings s(store, ui);
  EXPECT_TRUE(IsAdministrator(s));
  EXPECT_FALSE(store.KeyExists(RootKey::LocalMachine, kAdminProbeKey));
}

}  // namespace
}  // namespace flk
