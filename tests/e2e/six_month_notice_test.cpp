// The notice that points to a possible upgrade, shown at the first start after
// each 182.5-day boundary counted from the program file's date.
#include "program_fixture.h"

namespace flk::e2e {
namespace {

constexpr char kNoticeCaption[] = "Six month notice";

class SixMonthNoticeTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    original_ = FileModified(ProgramPath());
    ASSERT_TRUE(original_);
    // The program file is 400 days old: the last boundary lies 35 days back.
    ASSERT_TRUE(SetFileModified(ProgramPath(), OleNow() - 400));
  }
  void TearDown() override {
    ProgramTest::TearDown();
    if (original_) SetFileModified(ProgramPath(), *original_);
  }

  std::optional<double> original_;
};

TEST_F(SixMonthNoticeTest, ShownOnceAfterABoundary) {
  WriteCurrentUserSettings(OleNow() - 300);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  HWND box = WaitBoxOf(p, kNoticeCaption);
  ASSERT_TRUE(box) << "no notice; boxes: " << DescribeBoxes(p.pid());
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind("This is FramelarkPro version 1.32\n\nTo see if a later version is now available, (and "
                       "possible free upgrade), go to:\n",
                       0),
            0u)
      << text;
  const std::string tail = "\n\nWould you like to go there now?";
  EXPECT_TRUE(text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0) << text;
  EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"Yes", "No"}));
  ASSERT_TRUE(Answer(box, IDNO));
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());

  // The exit stores a new last-exit time, so the next start says nothing.
  ASSERT_TRUE(Post(s.camera, WM_CLOSE));
  ASSERT_TRUE(p.WaitExit()) << DescribeBoxes(p.pid());
  Process again = Process::Start("");
  ASSERT_TRUE(again);
  CameraStart s2 = WaitCameraOrBox(again);
  EXPECT_TRUE(s2.camera) << DescribeBoxes(again.pid());
  EXPECT_TRUE(again.WaitIdle());
  EXPECT_TRUE(MessageBoxes(nullptr, again.pid()).empty()) << DescribeBoxes(again.pid());
}

TEST_F(SixMonthNoticeTest, NotShownWhenTheLastExitFollowsTheBoundary) {
  WriteCurrentUserSettings(OleNow() - 10);
  Process p = Process::Start("");
  ASSERT_TRUE(p);
  CameraStart s = WaitCameraOrBox(p);
  ASSERT_TRUE(s.camera) << DescribeBoxes(p.pid());
  EXPECT_TRUE(p.WaitIdle());
  EXPECT_TRUE(MessageBoxes(nullptr, p.pid()).empty()) << DescribeBoxes(p.pid());
}

}  // namespace
}  // namespace flk::e2e
