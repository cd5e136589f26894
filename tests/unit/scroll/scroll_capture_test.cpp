// Scroll capture by hand against a fake screen: press, hold for some ticks,
// release. The stored picture must equal the rows the capture covered.
#include <gtest/gtest.h>

#include "capture_runs.h"

namespace flk::testing {
namespace {

constexpr char kRust[] = "chromium_rustbook_strings_900x8000.png";
constexpr char kGrep[] = "text_man_grep_monospace_720x11212.png";

struct Scene {
  FakeWindow w;
  Rect viewfinder;
};

// A target with a title bar, the viewfinder over its middle with its top
// edge 40 rows into the document region.
Scene MakeScene(const Document& d, bool carry, int footer = 0) {
  Scene s;
  s.w.rect = Rect{50, 40, 50 + d.width + 18, 40 + 520};
  s.w.title = 23;
  s.w.footer = footer;
  s.w.carryMarks = carry;
  s.w.stepRows = 40;
  s.viewfinder = Rect{120, 40 + 23 + 40, 120 + 500, 40 + 300};
  return s;
}

// Rows from the viewfinder top down to the last document row the window
// showed, then `tail` fixed rows under the region.
RowCheck CheckCovered(const FakeScreen& s, const Document& d, const CaptureRun& run, int startPos, int lastRow,
                      int tail) {
  const Picture& pic = *run.picture;
  const int first = startPos + run.area.tpScn - s.regionTop(), left = run.area.ltScn - s.window().rect.left;
  EXPECT_EQ(pic.height(), lastRow - first + tail);
  RowCheck body = CompareRows(pic, 0, lastRow - first, pic.width(),
                              [&](int x, int i) { return DocPixel(d, left + x, first + i); });
  RowCheck foot = CompareRows(pic, lastRow - first, tail, pic.width(), [&](int x, int i) {
    return s.Truth(run.area.ltScn + x, s.regionBottom() - (lastRow - s.pos() - s.regionHeight()) + i);
  });
  body.compared += foot.compared;
  body.differing += foot.differing;
  return body;
}

TEST(ScrollCapture, SteadyScrollingJoinsTheCoveredRows) {
  for (bool carry : {false, true}) {
    const Document& d = CorpusDocument(kRust);
    Scene sc = MakeScene(d, carry);
    FakeScreen s(d, sc.w);
    s.setPos(700);
    ScrollParams p;
    CaptureRun run = RunScroll(s, sc.viewfinder, p, 25);
    ASSERT_EQ(run.log.end, CaptureEnd::Store) << carry;
    ASSERT_TRUE(run.picture);
    EXPECT_EQ(run.picture->width(), 500);
    // Index method: the picture ends with the last measured step. Non-index:
    // the release adds the last step's rows and the 28 rows left out at the bottom.
    const int last = s.pos() + s.regionHeight() - (carry ? 40 : 0);
    RowCheck r = CheckCovered(s, d, run, 700, last, 0);
    EXPECT_EQ(r.differing, 0) << carry << " first " << r.firstDifference;
    EXPECT_EQ(run.marksLeft, 0) << carry;
    EXPECT_EQ(run.log.timers.front(), 600);
    EXPECT_EQ(std::count(run.log.timers.begin(), run.log.timers.end(), 50), carry ? 0 : 1);
    EXPECT_FALSE(run.log.saw(kNoScrollText));
    EXPECT_EQ(s.steps, carry ? 26 : 25);
  }
}

TEST(ScrollCapture, FixedFooterIsLeftOutOrAddedOnceAtRelease) {
  for (bool carry : {false, true}) {
    const Document& d = CorpusDocument(kGrep);
    Scene sc = MakeScene(d, carry, 60);
    FakeScreen s(d, sc.w);
    CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, 12);
    ASSERT_TRUE(run.picture);
    const int last = s.pos() + s.regionHeight() - (carry ? 40 : 0);
    RowCheck r = CheckCovered(s, d, run, 0, last, carry ? 0 : 60);
    EXPECT_EQ(r.differing, 0) << carry << " first " << r.firstDifference;
    EXPECT_EQ(run.marksLeft, 0);
  }
}

TEST(ScrollCapture, EndOfDocumentShowsNoMotionAndStores) {
  const Document& d = CorpusDocument(kRust);
  Scene sc = MakeScene(d, false);
  FakeScreen s(d, sc.w);
  s.setPos(s.maxPos() - 130);
  CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, 9);
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(run.log.lastStatus(), kNoMotionText);
  EXPECT_TRUE(run.log.statuses.back().warning);
  EXPECT_EQ(CheckCovered(s, d, run, s.maxPos() - 130, d.height, 0).differing, 0);
}

TEST(ScrollCapture, TargetIgnoringTheWheelGetsScrollBarMessages) {
  const Document& d = CorpusDocument(kRust);
  Scene sc = MakeScene(d, false);
  sc.w.wheel = false;
  FakeScreen s(d, sc.w);
  CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, 8);
  ASSERT_TRUE(run.picture);
  ASSERT_FALSE(run.log.statuses.empty());
  EXPECT_EQ(run.log.statuses[0].text, kNoScrollText);
  EXPECT_TRUE(run.log.statuses[0].warning);
  EXPECT_EQ(run.log.lastStatus(), kScrollHoldingText);
  EXPECT_FALSE(run.log.statuses.back().warning);
  EXPECT_FALSE(run.log.stepMethods[0]);
  EXPECT_TRUE(run.log.stepMethods.back());
  EXPECT_EQ(CheckCovered(s, d, run, 0, s.pos() + s.regionHeight(), 0).differing, 0);
  EXPECT_EQ(run.marksLeft, 0);
}

TEST(ScrollCapture, SynchLostStopsSteppingAndKeepsWhatWasJoined) {
  const Document& d = CorpusDocument(kRust);
  Scene sc = MakeScene(d, false);
  FakeScreen s(d, sc.w);
  ScrollParams p;
  const CaptureArea a = ScrollArea(s, sc.viewfinder, p);
  ScrollCaptureSession session(a, p);
  Log log;
  Perform(s, session.OnPress(s), log);
  for (int i = 0; i < 5; ++i) Perform(s, session.OnTick(s), log);
  const int before = s.pos();
  s.JumpNext(600);  // further than the region is tall
  bool timer = true;
  for (int i = 0; i < 3 && timer; ++i) timer = Perform(s, session.OnTick(s), log);
  EXPECT_FALSE(timer);
  EXPECT_EQ(log.lastStatus(), kSynchLostText);
  Perform(s, session.OnRelease(s), log);
  ASSERT_EQ(log.end, CaptureEnd::Store);
  CaptureRun run;
  run.area = a;
  run.picture = session.TakePicture();
  ASSERT_TRUE(run.picture);
  // The region ends 28 rows above the window bottom; nothing after the jump.
  const int last = before + s.regionHeight() - 28;
  EXPECT_EQ(CheckCovered(s, d, run, 0, last, 0).differing, 0);
  EXPECT_EQ(s.MarkedPixelsShowing(), 0);
}

TEST(ScrollCapture, ReleaseBeforeTheFirstTickAndEscStoreNothing) {
  const Document& d = CorpusDocument(kRust);
  for (bool carry : {false, true})
    for (auto [ticks, esc] : {std::pair{0, false}, {0, true}, {1, true}, {6, true}}) {
      Scene sc = MakeScene(d, carry);
      FakeScreen s(d, sc.w);
      CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, ticks, esc);
      EXPECT_EQ(run.log.end, CaptureEnd::Discard) << ticks << esc;
      EXPECT_FALSE(run.picture);
      EXPECT_EQ(run.marksLeft, 0) << carry << ticks << esc;
    }
}

TEST(ScrollCapture, OutOfMemoryBeepsAndDiscards) {
  const Document& d = CorpusDocument(kRust);
  Scene sc = MakeScene(d, false);
  FakeScreen s(d, sc.w);
  CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, 40, false, 500 * 4 * 700);
  EXPECT_TRUE(run.log.saw(kOutOfMemoryText));
  EXPECT_EQ(run.log.beeps, 1);
  EXPECT_EQ(run.log.end, CaptureEnd::Discard);
  EXPECT_EQ(run.marksLeft, 0);
}

TEST(ScrollCapture, MaximumSizeStopsSteppingAndStores) {
  const Document& d = CorpusDocument(kRust);
  Scene sc = MakeScene(d, false);
  FakeScreen s(d, sc.w);
  ScrollParams p;
  p.fileLimit = 500 * 4 * 800;  // MaxCapHt 800
  CaptureRun run = RunScroll(s, sc.viewfinder, p, 40);
  EXPECT_EQ(run.area.maxCapHt, 800);
  EXPECT_TRUE(run.log.saw(kMaxSizeText));
  EXPECT_EQ(run.log.beeps, 1);
  ASSERT_TRUE(run.picture);
  EXPECT_LT(run.picture->height(), 800);
  EXPECT_EQ(CompareRows(*run.picture, 0, run.picture->height(), 500,
                        [&](int x, int i) { return d.at(70 + x, 40 + i); }).differing, 0);
  ASSERT_EQ(run.log.tips.size(), 1u);
  EXPECT_NE(run.log.tips[0].find("pretty large image, 1."), std::string::npos);
}

TEST(ScrollCapture, PlainPageFindsNoMotion) {
  Document d;
  d.width = 900;
  d.height = 5000;
  d.px.assign(size_t(d.width) * d.height, MakeRgb(250, 250, 250));
  Scene sc = MakeScene(d, false);
  FakeScreen s(d, sc.w);
  CaptureRun run = RunScroll(s, sc.viewfinder, ScrollParams{}, 4);
  EXPECT_EQ(run.log.lastStatus(), kNoMotionText);
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(run.marksLeft, 0);
}

}  // namespace
}  // namespace flk::testing
