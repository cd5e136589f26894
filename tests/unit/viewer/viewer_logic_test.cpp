#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "viewer/picture_edits.h"
#include "viewer/picture_list.h"
#include "viewer/viewer_commands.h"
#include "viewer/viewer_rules.h"
#include "viewer/viewer_settings.h"

namespace flk {
namespace {

std::vector<std::string> Names(const PictureList& l) {
  std::vector<std::string> n;
  for (const PictureEntry& e : l.entries()) n.push_back(e.fileName);
  return n;
}

TEST(PictureList, LoadsInTextOrderWithTheLastShown) {
  PictureList l;
  l.Load({"9.bmp", "10.bmp", "2.bmp", "A.bmp", "b.bmp"}, {1, 2, 3, 4, 5});
  EXPECT_EQ(Names(l), (std::vector<std::string>{"10.bmp", "2.bmp", "9.bmp", "A.bmp", "b.bmp"}));
  EXPECT_EQ(l.currentIndex(), 4);
  EXPECT_EQ(l.entries()[0].sizeKiB, 2) << "sizes follow their names";
  l.Load({}, {});
  EXPECT_EQ(l.currentIndex(), -1);
}

TEST(PictureList, RefreshAppendsNewFilesAndDropsVanishedOnes) {
  PictureList l;
  l.Load({"1.bmp", "2.bmp", "3.bmp"}, {});
  l.SetCurrent(1);
  EXPECT_FALSE(l.Refresh({{"1.bmp"}, {"2.bmp"}, {"3.bmp"}}));
  // 0.bmp sorts first but a refresh appends it; the last appended is shown.
  EXPECT_TRUE(l.Refresh({{"1.bmp"}, {"3.bmp"}, {"0.bmp", 7}}));
  EXPECT_EQ(Names(l), (std::vector<std::string>{"1.bmp", "3.bmp", "0.bmp"}));
  EXPECT_EQ(l.currentIndex(), 2);
  EXPECT_EQ(l.entries()[2].sizeKiB, 7);
  // The shown last one vanishes: the new last is shown; all gone: none.
  EXPECT_TRUE(l.Refresh({{"1.bmp"}, {"3.bmp"}}));
  EXPECT_EQ(l.currentIndex(), 1);
  EXPECT_TRUE(l.Refresh({}));
  EXPECT_EQ(l.currentIndex(), -1);
  // A pasted picture not written yet is no vanished file.
  l.Append("5.bmp", true);
  EXPECT_FALSE(l.Refresh({}));
  EXPECT_EQ(l.size(), 1u);
}

TEST(PictureList, DeleteShowsThePreviousOrTheNewFirst) {
  struct Case {
    int current;
    int expected;
    size_t left;
  } cases[] = {{0, 0, 2}, {1, 0, 2}, {2, 1, 2}};
  for (const Case& c : cases) {
    PictureList l;
    l.Load({"1.bmp", "2.bmp", "3.bmp"}, {});
    l.SetCurrent(c.current);
    l.DeleteCurrent();
    EXPECT_EQ(l.currentIndex(), c.expected) << c.current;
    EXPECT_EQ(l.size(), c.left);
  }
  PictureList one;
  one.Load({"1.bmp"}, {});
  one.DeleteCurrent();
  EXPECT_TRUE(one.empty());
  EXPECT_EQ(one.currentIndex(), -1);
}

TEST(PictureList, PasteTakesTheFirstFreeNumber) {
  std::set<std::string> present{"5.bmp", "6.bmp", "9.bmp"};
  auto exists = [&](const std::string& n) { return present.count(n) > 0; };
  PasteName p = NextPasteName(5, exists);
  EXPECT_EQ(p.fileName, "7.bmp");
  EXPECT_EQ(p.nextFileNum, 8);
  EXPECT_EQ(NextPasteName(1, exists).fileName, "1.bmp");
  EXPECT_EQ(MemoFileName("12.bmp"), "12.rtf");
}

Picture Solid(int w, int h) { return *Picture::Create(w, h, 32); }

TEST(PictureList, TheCacheStaysInItsBoundButKeepsChangedAndShownPictures) {
  const size_t one = Solid(100, 100).bitsSize();
  PictureList l(2 * one);
  l.Load({"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp"}, {});
  l.SetCurrent(5);
  l.Hold(5, Solid(100, 100));
  l.Hold(0, Solid(100, 100));
  l.MarkModified(0);  // changed: never dropped before it is written
  for (int i = 1; i <= 4; ++i) l.Hold(i, Solid(100, 100));
  EXPECT_TRUE(l.PictureAt(0)) << "the changed one";
  EXPECT_TRUE(l.PictureAt(5)) << "the shown one";
  EXPECT_TRUE(l.PictureAt(4)) << "the newest";
  EXPECT_FALSE(l.PictureAt(1)) << "the oldest unchanged one";
  EXPECT_LE(l.heldPictureBytes(), 4 * one);
  l.ReleaseAll();
  EXPECT_TRUE(l.PictureAt(0)) << "released only once written";
  l.WriteBack([](const std::string&, const Picture&) { return true; });
  l.ReleaseAll();
  EXPECT_EQ(l.heldPictureBytes(), 0u);
}

TEST(ThumbStrip, CellSizeScrollBarAndPaging) {
  struct Case {
    int w, h, n, pos;
    int size;
    bool bar, paging;
    int first, last, position;
  } cases[] = {
      {600, 39, 1, 0, 25, false, false, 0, 0, 0},     // the strip's height bounds the cell
      {300, 100, 3, 0, 84, false, false, 0, 2, 0},    // all three fit side by side
      {300, 200, 10, 0, 170, true, true, 0, 0, 0},    // tall strip: cells of its height, a page of one
      {300, 200, 10, 20, 170, true, true, 9, 9, 9},   // scrolled beyond the end: back to the last page
      {600, 60, 40, 3, 30, true, true, 3, 16, 3},     // more than fit: fourteen cells a page
  };
  for (const Case& c : cases) {
    ThumbLayout l = LayoutThumbs(c.w, c.h, c.n, c.pos);
    EXPECT_EQ(l.thumbSize, c.size) << c.w << "x" << c.h << " n " << c.n;
    EXPECT_EQ(l.scrollShown, c.bar) << c.n;
    EXPECT_EQ(l.paging, c.paging) << c.n;
    EXPECT_EQ(l.firstVisible, c.first) << c.n;
    EXPECT_EQ(l.lastVisible, c.last) << c.n;
    EXPECT_EQ(l.position, c.position) << c.n;
    EXPECT_EQ(l.cellBottom, c.size + 7);
  }
  ThumbLayout l = LayoutThumbs(600, 60, 40, 3);
  EXPECT_EQ(l.largeChange, l.cellsPerPage - 1);
  EXPECT_EQ(ThumbIndexAt(l, 0), 3);
  EXPECT_EQ(ThumbIndexAt(l, 41), 3);
  EXPECT_EQ(ThumbIndexAt(l, 42), 4);
  EXPECT_EQ(ThumbCellLeft(l, 4), 12 + 42);
  // The red frame: two rectangles around the current cell, none off the page.
  std::vector<Rect> f = CurrentThumbFrames(l, 4);
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0], (Rect{53, 6, 85, 38}));
  EXPECT_EQ(f[1], (Rect{52, 5, 86, 39}));
  EXPECT_TRUE(CurrentThumbFrames(l, 2).empty());
  EXPECT_TRUE(CurrentThumbFrames(l, 17).empty());
  EXPECT_EQ(ThumbDrawSize(20, 400, 46), (Size{20, 46}));
  EXPECT_EQ(LayoutThumbs(300, 39, 0, 0).lastVisible, -1);
}

TEST(ViewerKeys, ArrowsNeedAModifierWhileTheMemoIsShown) {
  using K = KeyCode;
  using A = ViewerKey;
  EXPECT_EQ(KeyAction(K::Left, false, true), A::None);
  EXPECT_EQ(KeyAction(K::Left, true, true), A::Previous);
  EXPECT_EQ(KeyAction(K::Right, false, false), A::Next);
  EXPECT_EQ(KeyAction(K::Up, true, true), A::PreviousFolder);
  EXPECT_EQ(KeyAction(K::Down, false, false), A::NextFolder);
  EXPECT_EQ(KeyAction(K::Down, false, true), A::None);
  EXPECT_EQ(KeyAction(K::Home, false, true), A::First);
  EXPECT_EQ(KeyAction(K::End, false, true), A::Last);
  EXPECT_EQ(KeyAction(K::Other, true, false), A::None);
  // Editing keys stay with the memo; the others are the viewer's.
  EXPECT_TRUE(MemoKeepsKey(0x2E, false));
  EXPECT_TRUE(MemoKeepsKey('C', true));
  EXPECT_FALSE(MemoKeepsKey('M', true));
  EXPECT_FALSE(MemoKeepsKey('C', false));
}

TEST(ViewerTexts, StatusLoadedAndProperties) {
  EXPECT_EQ(PictureStatusText(2, 12, "Monday, 7 December 2026     10:11:12", "3.bmp", 41),
            "3 / 12     Monday, 7 December 2026     10:11:12     3.bmp     41 KiB");
  EXPECT_EQ(PictureStatusText(0, 1, "d", "1.bmp", 0), "1 / 1     d     1.bmp     ");
  EXPECT_EQ(LoadedText(12, "LastCaptures"), "12 pictures loaded from LastCaptures folder.");
  PictureFacts f{1, 3, "C:\\F\\Folders\\A\\2.bmp", "d     t", 6, 640, 480, 15};
  EXPECT_EQ(PropertiesText(f),
            "Picture number: \t2 of 3\r\nFile path: \tC:\\F\\Folders\\A\\2.bmp\r\nCreation date: \td     t\r\n"
            "File size: \t6 KiB\r\nWidth:      \t640 pixels\r\nHeight:      \t480 pixels\r\nColor depth: \t15 bits");
  EXPECT_EQ(NotSavedText(2), "Note, 2 picture file(s) could't be saved.");
}

TEST(ViewerNotices, FolderIndexesAndCodes) {
  using N = NoticeAction;
  EXPECT_EQ(OnViewerNotice(2, 2, false), N::Refresh);
  EXPECT_EQ(OnViewerNotice(1, 2, false), N::Nothing);
  EXPECT_EQ(OnViewerNotice(-1, 0, false), N::ShowLastCaptures);
  EXPECT_EQ(OnViewerNotice(-2, 0, false), N::RebuildFolders);
  EXPECT_EQ(OnViewerNotice(-3, 0, false), N::Nothing);
  EXPECT_EQ(OnViewerNotice(-3, 1, true), N::Refresh);
  EXPECT_EQ(OnViewerNotice(-1, -1, false), N::Refresh) << "the index of the shown folder always refreshes";
  const std::vector<std::string> folders{"Alpha", "beta", "LastCaptures"};
  EXPECT_EQ(FolderToShow(folders, "beta", true), "beta");
  EXPECT_EQ(FolderToShow(folders, "Gone", false), "Alpha");
  EXPECT_EQ(FolderToShow(folders, "Beta", true), "Alpha") << "names compare exactly";
  EXPECT_EQ(StartFolder(folders, true), "LastCaptures");
  EXPECT_EQ(StartFolder(folders, false), "Alpha");
  EXPECT_TRUE(ThumbSplitterMoves(5, 20, 51));
  EXPECT_FALSE(ThumbSplitterMoves(5, 20, 50));
  EXPECT_TRUE(ThumbSplitterMoves(-4, 20, 10));
  EXPECT_FALSE(ThumbSplitterMoves(-5, 20, 10));
  EXPECT_FALSE(MemoSplitterMoves(3, 50));
  EXPECT_EQ(ShownMemoHeight(4), 15);
}

TEST(ViewerCommandsTable, AnEmptyFolderLeavesCameraPasteAndTheManager) {
  using C = ViewerCommand;
  for (C c : {C::Camera, C::Paste, C::FolderWiz, C::Options, C::Exit}) EXPECT_TRUE(ViewerCommandEnabled(c, false));
  for (C c : {C::SaveAs, C::Print, C::Copy, C::Cut, C::Delete, C::Mirror, C::Email, C::Sticky, C::Properties,
              C::MakeEmailAttachment, C::Crop})
    EXPECT_FALSE(ViewerCommandEnabled(c, false)) << int(c);
  for (int i = int(C::Camera); i <= int(C::About); ++i) {
    EXPECT_TRUE(ViewerCommandEnabled(C(i), true)) << i;
    EXPECT_EQ(CommandOfMenuId(CommandMenuId(C(i))), C(i));
  }
  EXPECT_EQ(FolderOfMenuId(kFolderItemBase + 3), 3);
  EXPECT_FALSE(FolderOfMenuId(CommandMenuId(C::Copy)));
  // The options dialog's rows and the tool bar's buttons are in one order.
  ASSERT_EQ(ViewerToolButtons().size(), kViewerButtonCount);
  for (size_t i = 0; i < kViewerButtonCount; ++i) EXPECT_EQ(size_t(ViewerToolButtons()[i].button), i);
}

TEST(ViewerCommandKinds, CommandsOnPicturesFilesAndFoldersWaitForASave) {
  using C = ViewerCommand;
  for (C c : {C::Paste, C::SaveAs, C::IncSave, C::Print, C::PrintFit, C::Copy, C::Cut, C::Edit, C::Email, C::Sticky,
              C::Delete, C::Invert, C::Mirror, C::Flip, C::FolderWiz, C::MakeEmailAttachment, C::Exit})
    EXPECT_EQ(CommandKindOf(c), CommandKind::kPicture) << int(c);
  for (C c : {C::None, C::Camera, C::Crop, C::Properties, C::PrinterSetup, C::Options, C::Help, C::About})
    EXPECT_EQ(CommandKindOf(c), CommandKind::kShowOnly) << int(c);
}

struct NoUi : SettingsUi {
  void Message(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string&) override { return true; }
};

TEST(ViewerSettingsStore, WrittenValuesReadBack) {
  InMemorySettingsStore store;
  NoUi ui;
  Settings s(store, ui);
  store.CloseKey(store.OpenKey(RootKey::CurrentUser, kSettingsPath, kAccessWrite, true));
  ViewerSettings d;
  ASSERT_TRUE(ReadViewerSettings(s, &d));
  EXPECT_EQ(d, ViewerSettings{}) << "defaults on an empty key";
  ViewerSettings v;
  v.left = -20;
  v.top = 33;
  v.width = 700;
  v.height = 500;
  v.look.toolText = false;
  v.look.memo = false;
  v.look.buttons[size_t(ViewerButton::Crop)] = false;
  v.look.buttons[size_t(ViewerButton::Camera)] = false;
  v.thumbHeight = 90;
  v.memoHeight = 44;
  ASSERT_TRUE(WriteViewerSettings(s, v));
  ViewerSettings r;
  ASSERT_TRUE(ReadViewerSettings(s, &r));
  EXPECT_EQ(r, v);
}

TEST(PictureEdits, MirrorFlipTwiceRestoreAndInvertTouchesColoursOnly) {
  for (int depth : {1, 4, 8, 15, 16, 24, 32}) {
    Picture p = *Picture::Create(7, 5, depth);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) p.setPixel(x, y, MakeRgb(uint8_t(x * 36), uint8_t(y * 60), 200));
    const Picture original = p;
    MirrorPicture(p);
    EXPECT_EQ(p.pixel(0, 1), original.pixel(6, 1)) << depth;
    EXPECT_EQ(p.pixel(2, 4), original.pixel(4, 4)) << depth;
    MirrorPicture(p);
    FlipPicture(p);
    EXPECT_EQ(p.pixel(3, 0), original.pixel(3, 4)) << depth;
    FlipPicture(p);
    InvertPicture(p);
    InvertPicture(p);
    EXPECT_EQ(p.bitsSize(), original.bitsSize());
    EXPECT_TRUE(std::equal(p.bits(), p.bits() + p.bitsSize(), original.bits())) << depth;
    EXPECT_EQ(p.palette(), original.palette()) << depth;
  }
  Picture pal = *Picture::Create(2, 1, 8);
  pal.palette()[3] = PaletteEntry{10, 20, 30, 0};
  pal.setRawPixel(0, 0, 3);
  InvertPicture(pal);
  EXPECT_EQ(pal.rawPixel(0, 0), 3u) << "the index stays";
  EXPECT_EQ(pal.pixel(0, 0), MakeRgb(225, 235, 245));
  Picture rgb = *Picture::Create(1, 1, 24);
  rgb.setPixel(0, 0, MakeRgb(1, 2, 250));
  InvertPicture(rgb);
  EXPECT_EQ(rgb.pixel(0, 0), MakeRgb(254, 253, 5));
}

}  // namespace
}  // namespace flk
