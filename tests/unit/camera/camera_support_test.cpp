// The camera's support texts: About, and the report's settings as this run holds them.
#include "camera/camera_support.h"

#include <gtest/gtest.h>

#include "shell/names.h"

namespace flk {
namespace {

TEST(CameraSupport, AboutNamesTheVersionTheMakerAndTheLibraries) {
  const std::string text = AboutText();
  EXPECT_EQ(text.rfind(std::string(kProgramName) + " version " + kProgramVersion + "\r\n", 0), 0u);
  for (const char* part : {kMakerAddress, "libpng", "giflib", "Independent JPEG Group"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(CameraSupport, TheRunsUnsavedValuesWinOverTheStoredOnes) {
  DiagnosticsInput stored;
  stored.refreshDelay = 255;
  stored.mapiClient = 3;
  stored.viewerMemo = false;
  stored.toolUse = "1 2";
  CameraSaveValues camera;
  camera.refreshDelay = 900;
  camera.camToolImages = false;
  camera.camStatus = false;
  StartupValues role;
  role.scroll.interval = 4242;
  role.toolUse = "7 8 9";
  DiagnosticsInput in = WithUnsavedValues(stored, camera, role);
  EXPECT_EQ(in.refreshDelay, 900);
  EXPECT_FALSE(in.camToolImages);
  EXPECT_FALSE(in.camStatus);
  EXPECT_TRUE(in.camTitle);
  EXPECT_EQ(in.scroll.interval, 4242);
  EXPECT_EQ(in.toolUse, "7 8 9");
  EXPECT_EQ(in.mapiClient, 3);     // what the run does not hold stays as stored
  EXPECT_FALSE(in.viewerMemo);
}

}  // namespace
}  // namespace flk
