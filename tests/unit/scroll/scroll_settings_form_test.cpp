#include "scroll/scroll_settings_form.h"

#include <gtest/gtest.h>

#include "base/form_check.h"

namespace flk {
namespace {

// The fine tuning as a person sees it: nothing outside the dialog or over
// another control, every radio button in one group box, every control but the
// three buttons on the tab's page.
TEST(ScrollSettingsControls, SitOnTheTabPageInTheirGroupsClearOfEachOther) {
  const std::vector<FormControl> all = ScrollSettingsControls();
  std::string faults;
  for (const std::string& f : FormTableFaults(all, kScrollSettingsClient)) faults += f + "\n";
  EXPECT_EQ(faults, "");
  auto within = [](const Rect& in, const Rect& out) { return Intersect(in, out) == in; };
  int buttons = 0;
  for (const FormControl& c : all) {
    const bool button = c.kind == FormControl::PushButton || c.kind == FormControl::DefaultButton;
    buttons += button;
    EXPECT_EQ(within(c.rect, kScrollSettingsTabs), !button) << c.text;
    if (c.kind != FormControl::RadioButton) continue;
    int holders = 0;
    for (const FormControl& g : all)
      if (g.kind == FormControl::GroupBox && within(c.rect, Rect{g.rect.left + 2, g.rect.top + 14, g.rect.right - 2, g.rect.bottom - 2}))
        ++holders;
    EXPECT_EQ(holders, 1) << c.text;
  }
  EXPECT_EQ(buttons, 3);
}

}  // namespace
}  // namespace flk
