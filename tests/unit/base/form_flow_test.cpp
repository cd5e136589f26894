#include "base/form_flow.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

// A radio button with its two-line description beside it, a second pair
// under them, and buttons at the bottom.
const std::vector<Rect> kForm = {
    Rect::FromXYWH(8, 140, 16, 18),   // 0 radio
    Rect::FromXYWH(28, 140, 356, 30), // 1 its text
    Rect::FromXYWH(8, 176, 16, 18),   // 2 radio
    Rect::FromXYWH(28, 176, 356, 30), // 3 its text
    Rect::FromXYWH(146, 376, 75, 25), // 4 OK
};

TEST(FormFlowTest, NothingMovesWhenEveryTextFits) {
  for (int dpi : {96, 144}) {
    const DpiScale s{dpi};
    FlowedForm f = FlowDown(kForm, {0, s(30), 0, s(20), 0}, s);
    ASSERT_EQ(f.rects.size(), kForm.size());
    for (size_t i = 0; i < kForm.size(); ++i) EXPECT_EQ(f.rects[i], s(kForm[i])) << i << " at " << dpi;
    EXPECT_EQ(f.grownBy, 0);
  }
}

TEST(FormFlowTest, ATallerTextPushesWhatLiesBelowItButNotWhatLiesBesideIt) {
  struct Case {
    int dpi;
    std::vector<int> needed;
    std::vector<int> tops, heights;
    int grownBy;
  };
  const Case cases[] = {
      // The first text takes three lines (45 px): the second pair and OK move down by 15.
      {96, {0, 45, 0, 0, 0}, {140, 140, 191, 191, 391}, {18, 45, 18, 30, 25}, 15},
      // Both grow: the lower pair moves by the first's growth, OK by both.
      {96, {0, 45, 0, 42, 0}, {140, 140, 191, 191, 403}, {18, 45, 18, 42, 25}, 27},
      // At 150 %: design 30 is 45 px; 66 needed moves everything below by 21.
      {144, {0, 66, 0, 0, 0}, {210, 210, 285, 285, 585}, {27, 66, 27, 45, 38}, 21},
  };
  for (const Case& c : cases) {
    const DpiScale s{c.dpi};
    FlowedForm f = FlowDown(kForm, c.needed, s);
    ASSERT_EQ(f.rects.size(), kForm.size());
    for (size_t i = 0; i < kForm.size(); ++i) {
      EXPECT_EQ(f.rects[i].top, c.tops[i]) << i << " at " << c.dpi;
      EXPECT_EQ(f.rects[i].height(), c.heights[i]) << i << " at " << c.dpi;
      EXPECT_EQ(f.rects[i].left, s(kForm[i].left)) << i;
      EXPECT_EQ(f.rects[i].width(), s(kForm[i]).width()) << i;
    }
    EXPECT_EQ(f.grownBy, c.grownBy) << c.dpi;
  }
}

TEST(FormFlowTest, ATextThatNeedsLessKeepsItsDesignedHeightAndMissingMeasuresCountAsNone) {
  FlowedForm f = FlowDown(kForm, {0, 5}, DpiScale{});
  ASSERT_EQ(f.rects.size(), kForm.size());
  for (size_t i = 0; i < kForm.size(); ++i) EXPECT_EQ(f.rects[i], kForm[i]) << i;
  EXPECT_EQ(f.grownBy, 0);
  EXPECT_TRUE(FlowDown({}, {10}, DpiScale{}).rects.empty());
}

}  // namespace
}  // namespace flk
