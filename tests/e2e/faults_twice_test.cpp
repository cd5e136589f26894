// Two programs at once (the e2e-faults layer): a second camera and a second
// viewer started while the first one writes end at once without writing, so
// that every file has one writer and nothing is written over.
//
// Outside that layer (no FLK_FAULTS_DRIVE) every scenario here is skipped.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "camera_scene.h"
#include "viewer/viewer_commands.h"

namespace flk::e2e {
namespace {

#define SKIP_OUTSIDE_FAULTS_LAYER() \
  if (!std::getenv("FLK_FAULTS_DRIVE")) GTEST_SKIP() << "only in the e2e-faults layer"

std::string Ring() { return DataFolder() + "Folders\\LastCaptures\\"; }

std::set<std::string> Files(const std::string& folder, const char* pattern) {
  std::set<std::string> names;
  WIN32_FIND_DATAA d;
  HANDLE f = ::FindFirstFileA((folder + pattern).c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return names;
  do names.insert(d.cFileName);
  while (::FindNextFileA(f, &d));
  ::FindClose(f);
  return names;
}

class FaultsTwice : public ProgramTest {
 protected:
  void SetUp() override {
    SKIP_OUTSIDE_FAULTS_LAYER();
    ProgramTest::SetUp();
    // The ring may be a link into the layer's tmpfs: its files go, the folder stays.
    ::CreateDirectoryA((DataFolder() + "Folders").c_str(), nullptr);
    ::CreateDirectoryA(Ring().c_str(), nullptr);
    for (const char* pattern : {"*.bmp", "*.rtf", "*.flktmp"})
      for (const std::string& n : Files(Ring(), pattern)) ::DeleteFileA((Ring() + n).c_str());
  }
  void TearDown() override {
    if (!std::getenv("FLK_FAULTS_DRIVE")) return;
    ProgramTest::TearDown();
    KillProgramProcesses();
  }
};

// Starts the role `args` again and waits until that second process has ended.
bool SecondEnds(const std::string& args) {
  Process second = Process::Start(args);
  return second && second.WaitExit(15000).has_value();
}

TEST_F(FaultsTwice, ASecondCameraAndASecondViewerWhileTheFirstWriteEndAndOverwriteNothing) {
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "NsaCntrPt", 1);
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "LastCapturesNum", static_cast<DWORD>(-1));  // keep every picture
  Process first = Process::Start("");
  HWND cam = WaitCameraOrBox(first).camera;
  ASSERT_TRUE(cam) << DescribeBoxes(0);
  first.WaitIdle();
  Process viewer = Process::Start("viewer");
  HWND v = WaitViewer();
  ASSERT_TRUE(v) << DescribeBoxes(0);
  const DWORD viewerPid = WindowPid(v);
  // The first camera stores 60 pictures into the ring while second cameras
  // and second viewers start; the first viewer writes back a mirrored
  // picture all along.
  constexpr int kStores = 60;
  int seconds = 0;
  for (int i = 0; i < kStores; ++i) {
    ASSERT_TRUE(Post(cam, WM_COMMAND, CommandParam(flk::CommandId::StoreRing)));
    if (i % 10 == 5) {
      EXPECT_TRUE(SecondEnds("")) << "a second camera kept running";
      EXPECT_TRUE(SecondEnds("viewer")) << "a second viewer kept running";
      seconds += 2;
      Post(v, WM_COMMAND, WPARAM(CommandMenuId(ViewerCommand::Mirror)));
      Post(v, WM_COMMAND, WPARAM(kFolderItemBase + 0));  // the write-back of the mirrored picture
    }
  }
  ASSERT_TRUE(WaitUntil([] { return Files(Ring(), "*.bmp").size() >= kStores; }, 30000))
      << Files(Ring(), "*.bmp").size() << " of " << kStores << "; " << DescribeBoxes(0);
  first.WaitIdle();
  // One writer per file: exactly 1..60, each once, each whole; no temporary file.
  const std::set<std::string> ring = Files(Ring(), "*.bmp");
  EXPECT_EQ(ring.size(), size_t(kStores));
  for (int n = 1; n <= kStores; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "%010d.bmp", n);
    EXPECT_TRUE(ring.count(name)) << name;
    EXPECT_TRUE(ReadBmpFile(Ring() + name)) << name;
  }
  EXPECT_TRUE(Files(Ring(), "*.flktmp").empty());
  // Still the first ones, and alone.
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(TopWindows(kCameraClass, kCameraCaption).size(), 1u);
  EXPECT_EQ(TopWindows(kViewerClass, kViewerCaption).size(), 1u);
  EXPECT_EQ(WindowPid(FindTop(kViewerClass, kViewerCaption)), viewerPid);
  EXPECT_TRUE(MessageBoxes(nullptr, 0).empty()) << DescribeBoxes(0);
  std::printf("twice: %d stores, %d second roles started and ended, %zu ring files\n", kStores, seconds, ring.size());
}

}  // namespace
}  // namespace flk::e2e
