// Robo capture against a fake screen that scrolls real documents: the stored
// picture must equal the window's fixed rows once, the whole document, and
// its fixed bottom rows once, row by row.
#include <gtest/gtest.h>

#include "capture_runs.h"

namespace flk::testing {
namespace {

constexpr char kRust[] = "chromium_rustbook_strings_900x8000.png";
constexpr char kGrep[] = "text_man_grep_monospace_720x11212.png";
constexpr char kNode[] = "chromium_nodejs_events_dark_1000x8000.png";

// The picture of a complete robo capture: title and header, every document
// row, then the footer.
RowCheck CheckWhole(const FakeScreen& s, const Document& d, const Picture& pic) {
  const FakeWindow& w = s.window();
  const int fixedTop = w.title + w.header, left = w.rect.left, width = pic.width();
  EXPECT_EQ(pic.height(), fixedTop + d.height + w.footer);
  RowCheck all = CompareRows(pic, 0, fixedTop, width, [&](int x, int i) { return s.Truth(left + x, w.rect.top + i); });
  RowCheck body = CompareRows(pic, fixedTop, d.height, width, [&](int x, int i) { return DocPixel(d, x, i); });
  RowCheck foot = CompareRows(pic, fixedTop + d.height, w.footer, width,
                              [&](int x, int i) { return s.Truth(left + x, s.regionBottom() + i); });
  all.compared += body.compared + foot.compared;
  all.differing += body.differing + foot.differing;
  if (all.firstDifference < 0) all.firstDifference = body.firstDifference >= 0 ? body.firstDifference : foot.firstDifference;
  return all;
}

// The largest limit, so that a whole corpus document fits.
ScrollParams WholeDocument() {
  ScrollParams p = RoboDefaults();
  p.fileLimit = 67108864;
  return p;
}

struct WholeCase {
  const char* name;
  const char* doc;
  int title, header, footer;
  bool carryMarks;  // true: the index method carries the capture
  int stepRows;
};

class RoboWhole : public ::testing::TestWithParam<WholeCase> {};

TEST_P(RoboWhole, StoresEveryRowOnce) {
  const WholeCase& c = GetParam();
  const Document& d = CorpusDocument(c.doc);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  w.title = c.title;
  w.header = c.header;
  w.footer = c.footer;
  w.carryMarks = c.carryMarks;
  w.stepRows = c.stepRows;
  FakeScreen s(d, w);
  s.setPos(1234);  // the capture starts at the top whatever the window shows
  CaptureRun run = RunRobo(s, WholeDocument());
  ASSERT_EQ(run.log.end, CaptureEnd::Store);
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(run.picture->width(), d.width);
  RowCheck r = CheckWhole(s, d, *run.picture);
  EXPECT_EQ(r.differing, 0) << "first differing row " << r.firstDifference << " of " << r.compared;
  EXPECT_EQ(run.marksLeft, 0);
  EXPECT_EQ(s.pos(), 0) << "the window is left at its top";
  EXPECT_TRUE(run.log.messages.empty());
  EXPECT_EQ(run.log.timers.front(), 800);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RoboWhole,
    ::testing::Values(WholeCase{"RustSteady", kRust, 0, 0, 0, false, 57}, WholeCase{"GrepSteady", kGrep, 0, 0, 0, false, 51},
                      WholeCase{"NodeSteady", kNode, 0, 0, 0, false, 40}, WholeCase{"RustIndex", kRust, 0, 0, 0, true, 57},
                      WholeCase{"GrepIndexFooter", kGrep, 23, 0, 40, true, 34},
                      WholeCase{"Header20", kNode, 0, 20, 0, false, 45}, WholeCase{"Header60", kNode, 0, 60, 0, false, 45},
                      WholeCase{"Header120", kRust, 0, 120, 0, false, 45}, WholeCase{"Footer28", kGrep, 0, 0, 28, false, 51},
                      WholeCase{"Footer60", kGrep, 0, 0, 60, false, 51},
                      WholeCase{"TitleBarAboveClient", kRust, 23, 0, 0, false, 60},
                      WholeCase{"TitleHeaderFooter", kNode, 23, 60, 60, false, 33}),
    [](const auto& info) { return std::string(info.param.name); });

// Documents built from corpus rows: a blank band taller than the region, and
// a block of rows repeated many times (every multiple of its height fits).
Document Spliced(const std::vector<std::pair<int, int>>& parts, int repeat = 1) {
  const Document& src = CorpusDocument(kRust);
  Document d;
  d.width = src.width;
  for (auto [from, to] : parts)
    for (int k = 0; k < (to - from < 40 ? repeat : 1); ++k)
      for (int y = from; y < to; ++y)
        for (int x = 0; x < src.width; ++x) d.px.push_back(from < 0 ? MakeRgb(255, 255, 255) : src.at(x, y));
  d.height = int(d.px.size()) / d.width;
  return d;
}

TEST(RoboCapture, PassesBlankBandsTallerThanTheRegion) {
  Document d = Spliced({{0, 1500}, {-900, 0}, {1500, 3000}, {-450, 0}, {3000, 3600}});
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  w.title = 23;
  w.stepRows = 57;
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, WholeDocument());
  ASSERT_TRUE(run.picture);
  RowCheck r = CheckWhole(s, d, *run.picture);
  EXPECT_EQ(r.differing, 0) << "first differing row " << r.firstDifference;
}

TEST(RoboCapture, RepeatedRowsKeepTheSteadyShift) {
  // 34 rows repeated 40 times: within them 57 - 34 = 23 fits as well as 57.
  Document d = Spliced({{0, 1200}, {2000, 2034}, {3000, 4000}}, 40);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  w.stepRows = 57;
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, WholeDocument());
  ASSERT_TRUE(run.picture);
  RowCheck r = CheckWhole(s, d, *run.picture);
  EXPECT_EQ(r.differing, 0) << "first differing row " << r.firstDifference;
}

TEST(RoboCapture, TargetIgnoringScrollBarMessagesIsScrolledByWheel) {
  const Document& d = CorpusDocument(kRust);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  w.vscroll = false;
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, WholeDocument());
  ASSERT_TRUE(run.picture);
  ASSERT_GE(run.log.stepMethods.size(), 3u);
  EXPECT_TRUE(run.log.stepMethods[0]);  // robo starts with scroll-bar messages
  EXPECT_FALSE(run.log.stepMethods[1]);
  EXPECT_FALSE(run.log.stepMethods.back());
  EXPECT_EQ(CheckWhole(s, d, *run.picture).differing, 0);
}

TEST(RoboCapture, WindowThatScrollsNeitherWayStoresItsFirstScreen) {
  const Document& d = CorpusDocument(kRust);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  w.vscroll = w.wheel = false;
  w.footer = 40;
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, RoboDefaults());
  ASSERT_EQ(run.log.end, CaptureEnd::Store);
  ASSERT_TRUE(run.picture);
  ASSERT_EQ(run.picture->height(), 420);
  EXPECT_EQ(CompareRows(*run.picture, 0, 420, d.width, [&](int x, int i) { return s.Truth(60 + x, 50 + i); }).differing, 0);
  EXPECT_EQ(run.marksLeft, 0);
}

TEST(RoboCapture, DocumentShorterThanTheWindow) {
  Document d = Spliced({{0, 300}});
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, RoboDefaults());
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(run.picture->height(), 420);
  EXPECT_EQ(CompareRows(*run.picture, 0, 300, d.width, [&](int x, int i) { return DocPixel(d, x, i); }).differing, 0);
}

TEST(RoboCapture, StopsAtTheMaximumSize) {
  // 1000 px wide at 32 bpp with 8388608 bytes: MaxCapHt 2097.
  const Document& d = CorpusDocument(kNode);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + 1018, 50 + 500};
  w.stepRows = 60;
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, RoboDefaults());
  EXPECT_EQ(run.area.maxCapHt, 2097);
  ASSERT_EQ(run.log.end, CaptureEnd::Store);
  ASSERT_EQ(run.log.messages, std::vector<std::string>{"Stopped at maximum size setting."});
  ASSERT_TRUE(run.picture);
  EXPECT_LT(run.picture->height(), 2097);
  EXPECT_GT(run.picture->height() + 60, 2097);
  EXPECT_EQ(CompareRows(*run.picture, 0, run.picture->height(), 1000, [&](int x, int i) { return d.at(x, i); }).differing, 0);
  EXPECT_EQ(run.log.tips.size(), 1u);  // more than half of the limit
  EXPECT_NE(run.log.tips[0].find(" MB."), std::string::npos);
  EXPECT_EQ(run.marksLeft, 0);
  EXPECT_EQ(run.log.scrollToTops, 1) << "a stopped capture leaves the window where it is";
}

TEST(RoboCapture, StopKeepsThePictureSoFarWithoutTheBottomStrip) {
  for (bool carry : {false, true}) {
    const Document& d = CorpusDocument(kGrep);
    FakeWindow w;
    w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
    w.footer = 30;
    w.carryMarks = carry;
    FakeScreen s(d, w);
    CaptureRun run = RunRobo(s, RoboDefaults(), Picture::kMaxBytes, 12);
    ASSERT_EQ(run.log.end, CaptureEnd::Store) << carry;
    ASSERT_TRUE(run.picture);
    // The step sent by the last tick was never measured.
    const int measured = s.pos() - w.stepRows;
    const int shown = measured + (carry ? s.regionHeight() : s.regionHeight() - 28 + 30);
    EXPECT_EQ(run.picture->height(), shown) << carry;
    EXPECT_EQ(CompareRows(*run.picture, 0, std::min(shown, measured + s.regionHeight()), d.width,
                          [&](int x, int i) { return d.at(x, i); }).differing, 0);
    EXPECT_NE(s.pos(), 0);
    EXPECT_EQ(run.marksLeft, 0) << carry;
  }
}

TEST(RoboCapture, EscAndStopBeforeTheFirstPictureStoreNothing) {
  const Document& d = CorpusDocument(kRust);
  for (auto [after, esc] : {std::pair{0, false}, {0, true}, {5, true}, {1, true}}) {
    for (bool carry : {false, true}) {
      FakeWindow w;
      w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
      w.carryMarks = carry;
      FakeScreen s(d, w);
      CaptureRun run = RunRobo(s, RoboDefaults(), Picture::kMaxBytes, after, esc);
      EXPECT_EQ(run.log.end, CaptureEnd::Discard) << after << esc;
      EXPECT_EQ(run.marksLeft, 0) << after << esc << carry;
    }
  }
}

TEST(RoboCapture, OutOfMemoryDiscardsWithAMessage) {
  const Document& d = CorpusDocument(kRust);
  FakeWindow w;
  w.rect = Rect{60, 50, 60 + d.width + 18, 50 + 420};
  FakeScreen s(d, w);
  CaptureRun run = RunRobo(s, RoboDefaults(), size_t(d.width) * 4 * 1000);
  EXPECT_EQ(run.log.end, CaptureEnd::Discard);
  EXPECT_EQ(run.log.messages, std::vector<std::string>{"Ran out of memory."});
  EXPECT_EQ(run.marksLeft, 0);
}

}  // namespace
}  // namespace flk::testing
