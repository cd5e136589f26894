#include <gtest/gtest.h>

#include "viewer/viewer_art.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_rules.h"

namespace flk {
namespace {

TEST(ViewerArrangement, ToolBarPanelHeightsByIconsAndCaptions) {
  struct Case {
    bool images, text, shown;
    int height;
  } cases[] = {{true, true, true, 44}, {true, false, true, 32}, {false, true, true, 27}, {false, false, false, 27}};
  for (const Case& c : cases) {
    ViewerLook look;
    look.toolImages = c.images;
    look.toolText = c.text;
    ViewerArrangement a(look, 39, 32);
    EXPECT_EQ(a.toolBar().shown, c.shown) << c.images << c.text;
    EXPECT_EQ(a.toolBar().height, c.height) << c.images << c.text;
    const ViewerFrame f = a.Frame(Size{600, 400}, DpiScale{96});
    EXPECT_EQ(f.toolBar.shown, c.shown);
    // The tabs start below the tool bar panel and the 7-pixel spacer.
    EXPECT_EQ(f.tabs.rect.top, (c.shown ? c.height : 0) + 7);
    EXPECT_EQ(f.toolBarEdge.empty(), !c.shown);
  }
}

TEST(ViewerArrangement, FrameAtTwoScalesWithMoreAndStatus) {
  ViewerArrangement a(ViewerLook{}, 39, 32);
  EXPECT_FALSE(a.FitButtons(700, 600));
  EXPECT_TRUE(a.FitButtons(600, 599)) << "width minus 2 below the buttons' sum";
  EXPECT_TRUE(a.moreShown());
  for (int dpi : {96, 144}) {
    const DpiScale s{dpi};
    const ViewerFrame f = a.Frame(Size{800, 500}, s);
    EXPECT_TRUE(f.toolBarMore.shown);
    EXPECT_EQ(f.toolBarMore.rect, Rect::FromXYWH(800 - 2 - s(31), 2, s(31), s(44) - 4)) << dpi;
    EXPECT_EQ(f.toolBar.rect.right, 2 + 800 - 4 - s(35)) << dpi;
    EXPECT_EQ(f.moreBevel.left, 800 - 2 - s(31) - s(4)) << dpi;
    EXPECT_EQ(f.status.rect, (Rect{0, 500 - s(22), 800, 500})) << dpi;
    EXPECT_EQ(f.tabs.rect, (Rect{0, s(44) + s(7), 800, 500 - s(22)})) << dpi;
  }
  ViewerLook hidden;
  hidden.status = false;
  a.ApplyLook(hidden);
  const ViewerFrame f = a.Frame(Size{800, 500}, DpiScale{96});
  EXPECT_FALSE(f.status.shown);
  EXPECT_EQ(f.tabs.rect.bottom, 500);
}

TEST(ViewerArrangement, PanesStackStripSplittersPictureAndMemo) {
  ViewerArrangement a(ViewerLook{}, 39, 32);
  const Rect d{4, 70, 596, 370};
  ViewerPanes p = a.Panes(d, DpiScale{96}, 3, 2);
  EXPECT_EQ(p.strip.rect, Rect::FromXYWH(4, 70, 592, 39));
  EXPECT_FALSE(p.scrollBar.shown);
  EXPECT_EQ(p.splitterTop.rect, Rect::FromXYWH(4, 109, 592, 7));
  // Inside the 3-pixel bevel: memo at the bottom with "Memo" at its right, the splitter above it.
  EXPECT_EQ(p.memo.rect, Rect::FromXYWH(7, 367 - 32, 586 - 41, 32));
  EXPECT_EQ(p.memoLabel.rect, Rect::FromXYWH(593 - 41, 367 - 32, 41, 32));
  EXPECT_EQ(p.splitterBottom.rect, Rect::FromXYWH(7, 367 - 32 - 7, 586, 7));
  EXPECT_EQ(p.pictureBox.rect, (Rect{7, 119, 593, 367 - 32 - 7}));
  // Without the memo the picture reaches down to the bevel.
  ViewerLook noMemo;
  noMemo.memo = false;
  a.ApplyLook(noMemo);
  p = a.Panes(d, DpiScale{96}, 3, 2);
  EXPECT_FALSE(p.memo.shown);
  EXPECT_FALSE(p.splitterBottom.shown);
  EXPECT_EQ(p.pictureBox.rect.bottom, 367);
  // A memo shown again after being squeezed gets a usable height back.
  ViewerArrangement squeezed(noMemo, 39, 5);
  EXPECT_EQ(squeezed.memoHeight(), kViewerMemoMin) << "read values have a floor";
  squeezed.ApplyLook(ViewerLook{});
  EXPECT_GE(squeezed.memoHeight(), 15);
}

TEST(ViewerArrangement, AStripThatPagesShowsItsScrollBarAndKeepsTheShownThumb) {
  ViewerArrangement a(ViewerLook{}, 80, 32);
  const Rect d{0, 0, 300, 400};
  ViewerPanes p = a.Panes(d, DpiScale{96}, 10, 9);
  ASSERT_TRUE(a.thumbs().paging);
  EXPECT_TRUE(p.scrollBar.shown);
  EXPECT_EQ(p.scrollBar.rect, Rect::FromXYWH(0, 80 - 16, 300, 16));
  EXPECT_EQ(p.strip.rect.height(), 80 - 16);
  EXPECT_EQ(p.scrollMax, 9);
  EXPECT_EQ(p.scrollPage, a.thumbs().pageSize);
  const int perPage = a.thumbs().cellsPerPage;
  // Showing the last picture scrolls so that it is the last cell of the page.
  EXPECT_TRUE(a.KeepThumbVisible(9));
  p = a.Panes(d, DpiScale{96}, 10, 9);
  EXPECT_EQ(a.thumbs().firstVisible, 10 - perPage);
  EXPECT_FALSE(a.KeepThumbVisible(9)) << "already on the strip";
  EXPECT_TRUE(a.KeepThumbVisible(0));
  p = a.Panes(d, DpiScale{96}, 10, 0);
  EXPECT_EQ(a.thumbs().firstVisible, 0);
  // The scroll bar's moves, kept within the list.
  struct Case {
    ScrollRequest how;
    int pos, track, expected;
  } cases[] = {{ScrollRequest::LineOn, 3, 0, 4},          {ScrollRequest::LineBack, 0, 0, 0},
               {ScrollRequest::PageOn, 2, 0, 2 + a.thumbs().largeChange},
               {ScrollRequest::Track, 0, 7, 7},           {ScrollRequest::Track, 0, 70, 9},
               {ScrollRequest::End, 2, 0, 9},             {ScrollRequest::PageBack, 9, 0, 9 - a.thumbs().largeChange}};
  for (const Case& c : cases) {
    a.ScrollThumbs(c.how, ScrollBarState{c.pos, c.track, 0, 0}, 10);
    EXPECT_EQ(a.thumbs().position, c.expected) << int(c.how) << " from " << c.pos;
  }
  a.ScrollThumbs(ScrollRequest::None, ScrollBarState{5, 0, 0, 0}, 10);
  EXPECT_EQ(a.thumbs().position, 9 - a.thumbs().largeChange) << "an end of scrolling moves nothing";
  a.ShowThumbOf(-1);
  EXPECT_EQ(a.thumbs().position, 0);
}

TEST(ViewerArrangement, SplittersAndTheWindowKeepThePictureAreaOpen) {
  ViewerArrangement a(ViewerLook{}, 39, 32);
  const DpiScale s{144};
  EXPECT_TRUE(a.MoveThumbSplitter(15, 39, 120, s));
  EXPECT_EQ(a.thumbHeight(), 39 + 10) << "window pixels to 96-DPI ones";
  EXPECT_FALSE(a.MoveThumbSplitter(15, 49, 50, s)) << "the picture area at its floor";
  EXPECT_FALSE(a.MoveThumbSplitter(-40, 50, 120, s)) << "the strip would fall below 16";
  EXPECT_TRUE(a.MoveMemoSplitter(-30, 120, s));
  EXPECT_EQ(a.memoHeight(), 32 + 20) << "dragged up, the memo grows";
  EXPECT_FALSE(a.MoveMemoSplitter(-3, 50, s));
  EXPECT_TRUE(a.MoveMemoSplitter(300, 50, s)) << "shrinking it is always allowed";
  EXPECT_EQ(a.memoHeight(), kViewerMemoMin);
  EXPECT_TRUE(ViewerArrangement::RefusesLowering(300, 310, 75, s));
  EXPECT_FALSE(ViewerArrangement::RefusesLowering(300, 310, 76, s));
  EXPECT_FALSE(ViewerArrangement::RefusesLowering(320, 310, 10, s)) << "growing is always allowed";
}

TEST(ThumbStripPlan, FacesAroundTheThumbnailsAndTheRedFrame) {
  const ThumbLayout l = LayoutThumbs(300, 100, 3, 0);  // cells of 84
  ASSERT_EQ(l.thumbSize, 84);
  const Size drawn[] = {{84, 84}, {20, 30}, {0, 0}};
  const ThumbStripPlan plan = PlanThumbStrip(l, Size{300, 100}, 3, 1, [&](int i) { return drawn[i]; });
  ASSERT_EQ(plan.cells.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(plan.cells[size_t(i)].index, i);
    EXPECT_EQ(plan.cells[size_t(i)].at, (Point{ThumbCellLeft(l, i), kThumbTop}));
  }
  // No face covers a drawn thumbnail, and every other pixel of each cell is covered by one.
  for (int i = 0; i < 3; ++i) {
    const Point at = plan.cells[size_t(i)].at;
    const Rect picture = Rect::FromXYWH(at.x, at.y, drawn[i].width, drawn[i].height);
    for (int y = at.y; y < l.cellBottom; ++y)
      for (int x = at.x; x < at.x + l.thumbSize; ++x) {
        int covered = 0;
        for (const Rect& f : plan.faces) covered += f.contains(Point{x, y});
        EXPECT_EQ(covered, picture.contains(Point{x, y}) ? 0 : 1) << i << " at " << x << "," << y;
      }
  }
  EXPECT_EQ(plan.frames, CurrentThumbFrames(l, 1));
  // An empty folder: one face over the whole strip, nothing else.
  const ThumbStripPlan empty = PlanThumbStrip(LayoutThumbs(300, 39, 0, 0), Size{300, 39}, 0, -1, [](int) {
    ADD_FAILURE() << "no thumbnails to ask for";
    return Size{};
  });
  EXPECT_EQ(empty.faces, (std::vector<Rect>{Rect{0, 0, 300, 39}}));
  EXPECT_TRUE(empty.cells.empty());
}

TEST(ViewerDecisions, TabsKeysMemoAndCamera) {
  // Tabs: the folders, then "Folder Manager".
  EXPECT_EQ(TabClicked(1, 3, 0).kind, TabAction::SelectFolder);
  EXPECT_EQ(TabClicked(1, 3, 0).index, 1);
  EXPECT_EQ(TabClicked(3, 3, 2).kind, TabAction::FolderManager);
  EXPECT_EQ(TabClicked(3, 3, 2).index, 2) << "the manager opens on the shown folder";
  EXPECT_EQ(TabRightClicked(0, 3, 2).kind, TabAction::FolderManager);
  EXPECT_EQ(TabRightClicked(0, 3, 2).index, 0) << "on the folder clicked";
  EXPECT_EQ(TabRightClicked(3, 3, 2).index, 2);
  EXPECT_EQ(TabRightClicked(-1, 3, 2).kind, TabAction::Nothing) << "beside the tabs";
  EXPECT_EQ(FolderTabStep(ViewerKey::PreviousFolder, 0, 3), -1);
  EXPECT_EQ(FolderTabStep(ViewerKey::PreviousFolder, 2, 3), 1);
  EXPECT_EQ(FolderTabStep(ViewerKey::NextFolder, 2, 3), -1) << "never onto the manager's tab";
  EXPECT_EQ(FolderTabStep(ViewerKey::NextFolder, 3, 3), -1);
  EXPECT_EQ(FolderTabStep(ViewerKey::First, 1, 3), -1);
  // The memo is saved only when edited, and removed when emptied.
  EXPECT_EQ(MemoSaveAction(true, true, true), MemoSave::Write);
  EXPECT_EQ(MemoSaveAction(true, true, false), MemoSave::Remove);
  EXPECT_EQ(MemoSaveAction(true, false, true), MemoSave::Keep);
  EXPECT_EQ(MemoSaveAction(false, true, true), MemoSave::Keep);
  // The camera request by where the camera is.
  EXPECT_EQ(CameraRequestFor(true, true, true), 2);
  EXPECT_EQ(CameraRequestFor(true, true, false), 1);
  EXPECT_EQ(CameraRequestFor(false, false, false), 2);
  EXPECT_EQ(CameraRequestFor(true, false, false), 2);
}

TEST(ViewerCommandsTable, EveryShortcutAndHintIsFoundAgain) {
  for (const ViewerShortcut& s : ViewerShortcuts()) EXPECT_EQ(ShortcutCommand(s.key, s.ctrl), s.command) << s.key;
  EXPECT_EQ(ShortcutCommand('S', false), ViewerCommand::None) << "S without Ctrl is a letter";
  EXPECT_EQ(ShortcutCommand('W', true), ViewerCommand::None);
  for (const ViewerToolButton& b : ViewerToolButtons())
    EXPECT_STREQ(ToolButtonHint(CommandMenuId(b.command)), b.hint) << b.name;
  EXPECT_EQ(ToolButtonHint(CommandMenuId(ViewerCommand::Exit)), nullptr);
  EXPECT_FALSE(ViewerCommandEnabled(ViewerCommand::None, true));
}

TEST(ScrollBox, LinesPagesAndTheEndsStayWhereAWholePageShows) {
  // A 500-pixel picture in a 200-pixel box: the bar runs 0..499, 200 a page.
  struct Case {
    ScrollRequest how;
    int pos, track, expected;
  } cases[] = {{ScrollRequest::LineOn, 0, 0, 16},      {ScrollRequest::LineBack, 10, 0, 0},
               {ScrollRequest::PageOn, 100, 0, 284},   {ScrollRequest::PageOn, 250, 0, 300},
               {ScrollRequest::PageBack, 250, 0, 66},  {ScrollRequest::Track, 0, 123, 123},
               {ScrollRequest::End, 0, 0, 300},        {ScrollRequest::Start, 77, 0, 0},
               {ScrollRequest::None, 77, 0, 77}};
  auto box = [](ScrollRequest how, int pos, int track, int max, int page) {
    const ScrollBarState bar{pos, track, max, page};
    return ScrollPosition(how, bar, ScrollBoxSteps(bar));
  };
  for (const Case& c : cases)
    EXPECT_EQ(box(c.how, c.pos, c.track, 499, 200), c.expected) << int(c.how) << " from " << c.pos;
  EXPECT_EQ(box(ScrollRequest::PageOn, 0, 0, 9, 10), 0) << "all of it shows";
  EXPECT_EQ(box(ScrollRequest::PageOn, 0, 0, 99, 10), 1) << "a page of at least one pixel";
  EXPECT_EQ(ClampScroll(350, 500, 200), 300);
  EXPECT_EQ(ClampScroll(50, 100, 200), 0) << "smaller than the box";
  EXPECT_EQ(ClampScroll(-5, 500, 200), 0);
}

TEST(NameDialog, TheSuggestionsFillTheRestAndTheButtonsStayRight) {
  const NameDialogLayout l = LayOutNameDialog(Size{200, 180});
  EXPECT_EQ(l.edit, Rect::FromXYWH(2, 19, 196, 21));
  EXPECT_EQ(l.suggestions, (Rect{2, 65, 130, 180 - 2}));
  EXPECT_EQ(l.doIt.left, 200 - 70 + 5);
  EXPECT_EQ(l.close.top - l.doIt.top, 40);
  const NameDialogLayout tiny = LayOutNameDialog(Size{50, 40});
  EXPECT_EQ(tiny.suggestions.width(), 0) << "never negative";
  EXPECT_EQ(tiny.suggestions.height(), 0);
}

TEST(ViewerArt, ShapesStayOnTheirCanvasAndEveryButtonHasItsOwnIcon) {
  auto inside = [](const std::vector<ArtShape>& shapes, int w, int h) {
    for (const ArtShape& s : shapes)
      for (Point p : s.points)
        if (p.x < 0 || p.y < 0 || p.x > w || p.y > h) return false;
    return true;
  };
  const std::vector<ArtShape> unused = ViewerIconArt(4);
  for (int i = 0; i < kViewerIconCount; ++i) {
    const std::vector<ArtShape> icon = ViewerIconArt(i);
    EXPECT_FALSE(icon.empty()) << i;
    EXPECT_TRUE(inside(icon, kViewerIconArtSize, kViewerIconArtSize)) << i;
    for (const ArtShape& s : icon) EXPECT_GE(s.points.size(), 2u) << i;
  }
  for (const ViewerToolButton& b : ViewerToolButtons()) {
    const std::vector<ArtShape> icon = ViewerIconArt(b.image);
    EXPECT_FALSE(icon.size() == unused.size() && icon[0].points == unused[0].points) << b.name << " has a drawing";
  }
  const std::vector<ArtShape> folders = FolderManagerArt();
  EXPECT_EQ(folders.size(), 3u * 8u) << "three folders of eight shapes";
  EXPECT_TRUE(inside(folders, kFolderArtW, kFolderArtH));
  // Paler: each colour two thirds of the way to 200 and a third of itself; magenta is the mask.
  uint8_t px[] = {0, 30, 255, 0, 255, 0, 255, 0};
  PaleIcon(px, 2);
  EXPECT_EQ(px[0], 66);
  EXPECT_EQ(px[1], 86);
  EXPECT_EQ(px[2], 236);
  EXPECT_EQ(px[4], 255);
  EXPECT_EQ(px[5], 0);
  EXPECT_EQ(px[6], 255);
}

TEST(ViewerToolBar, ButtonSizesFollowTheLongestCaptionAndTheBarsHeight) {
  ViewerLook look;  // icons and captions: a 44-pixel bar
  EXPECT_EQ(ToolButtonSize(look, DpiScale{96}, false, 30), (Size{46, 40})) << "at least the button width";
  EXPECT_EQ(ToolButtonSize(look, DpiScale{96}, false, 50), (Size{58, 40})) << "the caption and its margins";
  EXPECT_EQ(ToolButtonSize(look, DpiScale{144}, false, 50), (Size{69, 62}));
  EXPECT_EQ(ToolButtonSize(look, DpiScale{96}, true, 500), (Size{29, 40})) << "More keeps its own width";
  look.toolText = false;
  EXPECT_EQ(ToolButtonSize(look, DpiScale{96}, false, 0).height, 28);
}

TEST(ViewerToolBar, ASeparatorCountsWithTheNextShownButtonAndOnlyWholeButtonsFit) {
  const std::vector<MeasuredButton> measured = {
      {101, false, false, 40}, {0, true, false, 2}, {102, false, true, 40},  // hidden: its separator moves on
      {103, false, false, 40}, {0, true, false, 2}, {104, false, false, 50}};
  const std::vector<ShownButton> shown = ShownButtons(measured);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].id, 101);
  EXPECT_EQ(shown[1].id, 103);
  EXPECT_EQ(shown[1].width, 42);
  EXPECT_EQ(shown[2].width, 52);
  EXPECT_EQ(ShownButtonsWidth(shown), 134);
  EXPECT_EQ(ShownButtonsThatFit(134, shown), 3u);
  EXPECT_EQ(ShownButtonsThatFit(133, shown), 2u) << "never a cut button";
  EXPECT_EQ(ShownButtonsThatFit(39, shown), 0u);
}

TEST(SplitterDrag, OnlyTheDistanceTheViewerAllowedCountsAsDone) {
  SplitterDrag d;
  EXPECT_EQ(d.Move(120), 0) << "not pressed";
  d.Press(100);
  EXPECT_EQ(d.Move(100), 0);
  EXPECT_EQ(d.Move(110), 10);
  d.Moved(0);  // refused
  EXPECT_EQ(d.Move(112), 12) << "asked again from where the splitter stands";
  d.Moved(12);
  EXPECT_EQ(d.Move(112), 0);
  EXPECT_EQ(d.Move(105), -7);
  EXPECT_TRUE(d.Release());
  EXPECT_FALSE(d.Release()) << "one end a drag";
  EXPECT_EQ(d.Move(90), 0);
}

TEST(PictureBoxView, ThePositionStaysInRangeAsTheBoxAndThePictureChange) {
  PictureBoxView v;
  v.SetPictureSize(Size{500, 300});
  PictureBoxView::Bars b = v.Fit(Size{200, 100});
  EXPECT_EQ(b.horizontal.max, 499);
  EXPECT_EQ(b.horizontal.page, 200);
  EXPECT_EQ(b.vertical.max, 299);
  EXPECT_EQ(b.vertical.page, 100);
  EXPECT_EQ(v.Scroll(true, ScrollRequest::End, b.horizontal), 300);
  EXPECT_EQ(v.Scroll(false, ScrollRequest::PageOn, b.vertical), 84) << "a page less a line";
  EXPECT_EQ(v.position(), (Point{300, 84}));
  EXPECT_EQ(v.Paint(Size{200, 100}).shown, (Size{200, 100}));
  // A larger box: the position comes back so that the picture's end meets the box's.
  b = v.Fit(Size{400, 250});
  EXPECT_EQ(v.position(), (Point{100, 50}));
  EXPECT_EQ(b.horizontal.pos, 100);
  v.SetPictureSize(Size{0, 0});
  b = v.Fit(Size{400, 250});
  EXPECT_EQ(v.position(), (Point{0, 0})) << "nothing shown";
  EXPECT_EQ(b.horizontal.max, 0);
  EXPECT_EQ(PictureBoxView::WheelLines(120, 120), 3);
  EXPECT_EQ(PictureBoxView::WheelLines(-240, 120), -6);
  EXPECT_EQ(PictureBoxView::WheelLines(60, 120), 0) << "less than a notch";
}

}  // namespace
}  // namespace flk
