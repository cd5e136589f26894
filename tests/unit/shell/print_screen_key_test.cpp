#include "shell/print_screen_key.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"

namespace flk {
namespace {

using H = PrintScreenHolder;

TEST(PrintScreenKey, WindowsCaptureHoldsTheKeyWhenItsSwitchIsOnOrMissingOnLaterWindows11) {
  const struct {
    std::optional<uint32_t> setting;
    uint32_t build;
    H holder;
  } kCases[] = {
      {1, 19045, H::WindowsCapture},         {1, 26100, H::WindowsCapture},
      {0, 26100, H::OtherProgram},           {0, 19045, H::OtherProgram},
      {std::nullopt, 19045, H::OtherProgram}, {std::nullopt, 22000, H::OtherProgram},
      {std::nullopt, 22620, H::OtherProgram}, {std::nullopt, 22621, H::WindowsCapture},
      {std::nullopt, 26100, H::WindowsCapture}, {std::nullopt, 0, H::OtherProgram},  // build unknown
  };
  for (const auto& c : kCases)
    EXPECT_EQ(WhoHoldsPrintScreen(c.setting, c.build), c.holder)
        << (c.setting ? int(*c.setting) : -1) << " on build " << c.build;
}

TEST(PrintScreenKey, TheSwitchIsReadAsADwordOnly) {
  InMemorySettingsStore store;
  EXPECT_EQ(ReadSnippingSetting(store), std::nullopt);  // no key at all
  store.Put(RootKey::CurrentUser, kSnippingSettingKey, kSnippingSettingName, StringValue("1"));
  EXPECT_EQ(ReadSnippingSetting(store), std::nullopt);
  store.Put(RootKey::CurrentUser, kSnippingSettingKey, kSnippingSettingName, DwordValue(1));
  EXPECT_EQ(ReadSnippingSetting(store), 1u);
  store.Put(RootKey::CurrentUser, kSnippingSettingKey, kSnippingSettingName, DwordValue(0));
  EXPECT_EQ(ReadSnippingSetting(store), 0u);
  EXPECT_EQ(store.openKeys(), 0);
}

TEST(PrintScreenKey, TheBoxNamesStepsThatExistOnTheUsersWindows) {
  const struct {
    H holder;
    uint32_t build;
    const char* names;
  } kCases[] = {
      {H::WindowsCapture, 26100, "Turn off \"Use the Print screen key to open screen capture\""},
      {H::WindowsCapture, 26100, "Settings > Accessibility > Keyboard"},
      {H::WindowsCapture, 19045, "Settings > Ease of Access > Keyboard"},
      {H::WindowsCapture, 19045, "\"Use the PrtScn button to open screen snipping\""},
      {H::OtherProgram, 26100, "Settings > Apps > Installed apps"},
      {H::OtherProgram, 19045, "Settings > Apps > Apps & features"},
  };
  for (const auto& c : kCases) {
    std::string text = PrintScreenTakenText(c.holder, c.build);
    EXPECT_NE(text.find(c.names), std::string::npos) << text;
    EXPECT_EQ(text.find("Control Panel"), std::string::npos) << text;
    // Both say how to get the key back without a restart.
    EXPECT_NE(text.find(std::string("click \"") + kUsePrintScreenKeyItem + "\""), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace flk
