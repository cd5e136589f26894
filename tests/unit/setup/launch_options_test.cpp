#include "setup/launch_options.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

bool OnlyDesktopLink(const std::string& p) { return p == "C:\\Desk\\FramelarkPro.lnk"; }

TEST(LaunchOptions, BoxesFollowFoldersAndShortcutsAndOkChangesOnlyWhatDiffers) {
  const std::optional<std::string> folders[3] = {"C:\\Desk", "C:\\Start", "C:\\QL"};
  LaunchOptions o = ReadLaunchOptions(true, folders, false, &OnlyDesktopLink);
  EXPECT_TRUE(o.startWithWindows);
  EXPECT_TRUE(o.boxes[0].enabled && o.boxes[0].ticked);
  EXPECT_TRUE(o.boxes[1].enabled && !o.boxes[1].ticked);
  EXPECT_FALSE(o.boxes[2].enabled);  // no Quick Launch folder: disabled and unticked
  EXPECT_FALSE(o.boxes[2].ticked);

  const bool ticked[3] = {true, true, true};
  LaunchChanges c = PlanLaunchChanges(o, false, ticked);
  EXPECT_TRUE(c.deleteRun && !c.writeRun);
  ASSERT_EQ(c.create.size(), 1u);  // the desktop shortcut exists already
  EXPECT_EQ(c.create[0], "C:\\Start\\FramelarkPro.lnk");
  EXPECT_TRUE(c.remove.empty());

  const bool none[3] = {false, false, false};
  LaunchChanges off = PlanLaunchChanges(o, true, none);
  EXPECT_TRUE(off.writeRun);
  EXPECT_EQ(off.remove, (std::vector<std::string>{"C:\\Desk\\FramelarkPro.lnk", "C:\\Start\\FramelarkPro.lnk"}));

  const std::optional<std::string> unknown[3] = {std::nullopt, std::nullopt, "C:\\QL"};
  LaunchOptions u = ReadLaunchOptions(false, unknown, true, &OnlyDesktopLink);
  EXPECT_FALSE(u.boxes[0].enabled);
  EXPECT_TRUE(u.boxes[2].enabled);
}

}  // namespace
}  // namespace flk
