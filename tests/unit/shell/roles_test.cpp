#include <gtest/gtest.h>

#include "shell/roles.h"

namespace flk {
namespace {

TEST(Roles, FirstArgumentSelectsTheRoleInAnyCase) {
  EXPECT_EQ(RoleFromArgument("VIEWER"), Role::Viewer);
  EXPECT_EQ(RoleFromArgument("Viewer"), Role::Viewer);
  EXPECT_EQ(RoleFromArgument("viewer"), Role::Viewer);
  EXPECT_EQ(RoleFromArgument("viewers"), Role::Camera);
  EXPECT_EQ(RoleFromArgument("uninstall"), Role::Camera);  // the role word has one "l"
  EXPECT_EQ(RoleFromArgument("Uninstal"), Role::Uninstal);
  EXPECT_EQ(RoleFromArgument(""), Role::Camera);
  EXPECT_EQ(RoleFromArgument("SETUP"), Role::Setup);
  EXPECT_EQ(RoleFromArgument("sticky"), Role::Sticky);
  EXPECT_EQ(RoleFromArgument("welcome"), Role::Welcome);
  EXPECT_STREQ(ApplicationTitle(Role::Sticky), "FLK Stickies");
  EXPECT_STREQ(ApplicationTitle(Role::Camera), "FramelarkPro");
}

}  // namespace
}  // namespace flk
