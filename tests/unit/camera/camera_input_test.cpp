#include "camera/camera_input.h"

#include <gtest/gtest.h>

#include "base/dpi.h"
#include "camera/camera_toolbar.h"
#include "camera/capture_modes.h"
#include "camera/move_resize.h"

namespace flk {
namespace {

TEST(CameraInput, MenuIdsDecodeToTheirKinds) {
  EXPECT_EQ(DecodeMenuId(CommandControlId(CommandId::SaveAs)).command, CommandId::SaveAs);
  EXPECT_EQ(DecodeMenuId(CommandControlId(CommandId::SaveAs)).kind, MenuChoice::Command);
  MenuChoice folder = DecodeMenuId(kCmdFolderBase + 3);
  EXPECT_EQ(folder.kind, MenuChoice::Folder);
  EXPECT_EQ(folder.value, 3);
  EXPECT_EQ(DecodeMenuId(kCmdNewFolder).kind, MenuChoice::NewFolder);
  MenuChoice depth = DecodeMenuId(kCmdDepthBase + 6);
  EXPECT_EQ(depth.kind, MenuChoice::ColorDepth);
  EXPECT_EQ(depth.value, 6);
  EXPECT_EQ(DecodeMenuId(kCmdBase).kind, MenuChoice::Nothing);  // CommandId::None
  EXPECT_EQ(DecodeMenuId(7).kind, MenuChoice::Nothing);
}

TEST(CameraInput, CheckMarksFollowHoldAndThePanelSide) {
  EXPECT_TRUE(CommandChecked(CommandId::Hold, true, PanelAlign::Top));
  EXPECT_FALSE(CommandChecked(CommandId::Hold, false, PanelAlign::Top));
  EXPECT_TRUE(CommandChecked(CommandId::ControlsBottom, false, PanelAlign::Bottom));
  EXPECT_FALSE(CommandChecked(CommandId::ControlsTop, false, PanelAlign::Bottom));
  EXPECT_TRUE(CommandChecked(CommandId::ToEdge, false, PanelAlign::Floating));
  EXPECT_FALSE(CommandChecked(CommandId::SaveAs, true, PanelAlign::Floating));
}

TEST(CameraInput, Keys) {
  const ShiftState none{}, ctrl{false, true, false}, shift{true, false, false};
  KeyAction save = CameraKeyDown('S', ctrl, CameraModes{}, false);
  EXPECT_TRUE(save.handled && save.swallowChar);
  EXPECT_EQ(save.run, CommandId::SaveAs);
  EXPECT_EQ(CameraKeyDown(kKeyF1, none, CameraModes{}, false).run, CommandId::Help);
  EXPECT_FALSE(CameraKeyDown(kKeyF1, shift, CameraModes{}, false).handled);
  EXPECT_TRUE(CameraKeyDown(kKeyEscape, none, CameraModes{}, false).thaw);
  KeyAction grow = CameraKeyDown(kKeyRight, shift, CameraModes{}, false);
  EXPECT_EQ(grow.growX, 1);
  EXPECT_EQ(grow.moveX, 0);
  KeyAction move = CameraKeyDown(kKeyUp, none, CameraModes{}, false);
  EXPECT_EQ(move.moveY, -1);
  KeyAction stale = CameraKeyDown(kKeyUp, none, CameraModes{}, true);
  EXPECT_TRUE(stale.handled);
  EXPECT_EQ(stale.moveY, 0);  // a stale view does not move
  EXPECT_FALSE(CameraKeyDown('Q', none, CameraModes{}, false).handled);
}

TEST(CameraInput, OnlyTheFrameResizesAndCornersTakeTwoEdges) {
  // 345 x 222 camera, bevel 5.
  EXPECT_EQ(FrameResizeEdges(2, 100, 345, 222, 5), kEdgeLeft);
  EXPECT_EQ(FrameResizeEdges(2, 10, 345, 222, 5), kEdgeLeft | kEdgeTop);
  EXPECT_EQ(FrameResizeEdges(340, 215, 345, 222, 5), kEdgeRight | kEdgeBottom);
  EXPECT_EQ(FrameResizeEdges(100, 220, 345, 222, 5), kEdgeBottom);
  EXPECT_EQ(FrameResizeEdges(10, 100, 345, 222, 5), 0);  // inside the frame: a move
  EXPECT_EQ(FrameResizeEdges(1, 100, 345, 222, 0), kEdgeLeft);  // the frame is never thinner than 2
}

TEST(DpiScale, RoundsAndConvertsBack) {
  DpiScale s{144};
  EXPECT_EQ(s(22), 33);
  EXPECT_EQ(s(19), 29);  // 28.5 rounds up
  EXPECT_EQ(s(-5), -8);
  EXPECT_EQ(s.ToBase(33), 22);
  EXPECT_EQ(s(Rect{2, 4, 10, 20}), (Rect{3, 6, 15, 30}));
  EXPECT_EQ(DpiScale{}(17), 17);
  EXPECT_EQ(DpiScaleOf(0).dpi, 96);
  EXPECT_EQ(DpiScaleOf(120).dpi, 120);
}

// A 345 x 222 camera with the top panel as the default layout makes it.
CameraHitMap DefaultMap() {
  LayoutInput in;
  CamLayout l = ArrangeControls(in);
  CameraHitMap m;
  m.client = Size{345, 222};
  m.bevel = l.bevel;
  m.latchTop = l.latchTop;
  m.latchBottom = l.latchBottom;
  m.control = l.control;
  m.titleBar = l.titleBar.offset(l.control.left, l.control.top);
  m.titleGlyphs[0] = Rect{273, 9, 289, 23};
  m.titleGlyphs[1] = Rect{289, 9, 305, 23};
  m.titleGlyphs[2] = Rect{309, 9, 325, 23};
  m.menuRow = l.menuRow.offset(l.control.left, l.control.top);
  m.menuButtons = {Rect{5, 27, 40, 46}, Rect{40, 27, 80, 46}};
  m.toolBar = l.toolBar.offset(l.control.left, l.control.top);
  m.toolItems = {Rect{7, 48, 52, 88}, Rect{}, Rect{60, 48, 105, 88}};
  return m;
}

TEST(CameraPress, FirstPartInTheCamerasOrderTakesThePress) {
  using K = PressTarget::Kind;
  CameraHitMap m = DefaultMap();
  struct Case {
    Point p;
    bool dbl;
    K kind;
    int value;
  } cases[] = {
      {{m.latchTop.left + 1, m.latchTop.top + 1}, false, K::Latch, 1},  // the latch lies on the frame
      {{m.latchBottom.left + 1, 218}, false, K::Latch, 2},
      {{1, 100}, false, K::Resize, kEdgeLeft},
      {{343, 220}, false, K::Resize, kEdgeRight | kEdgeBottom},
      {{280, 12}, false, K::Minimize, 0},
      {{300, 12}, false, K::Maximize, 0},
      {{315, 12}, true, K::Close, 0},     // a glyph wins over the double click
      {{100, 12}, false, K::Move, 0},     // the title bar moves
      {{100, 12}, true, K::Maximize, 0},  // and maximizes on a double click
      {{50, 30}, false, K::MenuButton, 1},
      {{200, 30}, false, K::Move, 0},     // the empty part of the menu row moves
      {{70, 60}, false, K::ToolItem, 2},
      {{55, 60}, false, K::CustomiseToolbar, 0},  // a separator is an empty part
      {{200, 150}, false, K::Move, 0},    // the view
  };
  for (const Case& k : cases) {
    PressTarget t = PressAt(m, k.p, k.dbl);
    EXPECT_EQ(t.kind, k.kind) << k.p.x << "," << k.p.y;
    EXPECT_EQ(t.value, k.value) << k.p.x << "," << k.p.y;
  }
}

TEST(CameraPress, StaleHoldAndFloatingChangeTheAnswer) {
  using K = PressTarget::Kind;
  CameraHitMap m = DefaultMap();
  m.stale = true;
  EXPECT_EQ(PressAt(m, {1, 100}, false).kind, K::RefreshOnly);
  m.stale = false;
  m.hold = true;  // no latches with Hold: the frame resizes
  EXPECT_EQ(PressAt(m, {m.latchTop.left + 1, m.latchTop.top + 1}, false).kind, K::Resize);
  m.hold = false;
  m.controlVisible = false;
  m.align = PanelAlign::Floating;
  EXPECT_EQ(PressAt(m, {200, 150}, false).kind, K::Floating);
  EXPECT_EQ(PressAt(m, {100, 12}, false).kind, K::Floating);  // no docked panel to hit
  m.more = Rect{300, 48, 340, 88};
  EXPECT_EQ(ToolItemAt(m, {310, 60}), kMoreItem);
  EXPECT_EQ(ToolItemAt(m, {55, 60}), -1);
}

// A map whose toolbar holds Store (1), a separator, Scroll (14) and Window (15), and "More".
CameraHitMap ToolMap() {
  CameraHitMap m = DefaultMap();
  m.toolItems = {Rect{7, 48, 64, 88}, Rect{}, Rect{72, 48, 117, 88}, Rect{117, 48, 162, 88}};
  m.toolButtons = {1, -1, 14, 15};
  m.more = Rect{300, 48, 340, 88};
  m.status = Rect{5, 90, 340, 108};
  m.viewPanel = Rect{5, 108, 340, 217};
  return m;
}

TEST(CameraCursor, ResizeAtTheFrameFourWayWhereAPressMoves) {
  using C = CameraCursor;
  CameraHitMap m = ToolMap();
  struct Case {
    Point p;
    C want;
  } cases[] = {
      {{1, 100}, C::SizeWE},       {{100, 220}, C::SizeNS},  {{1, 1}, C::SizeNWSE},
      {{343, 1}, C::SizeNESW},     {{100, 12}, C::SizeAll},  // the title bar
      {{280, 12}, C::Arrow},       // a corner button
      {{50, 30}, C::Arrow},        // a menu button
      {{200, 30}, C::Arrow},       // the empty menu row moves, but without the four-way cursor
      {{100, 95}, C::SizeAll},     // the status line
      {{100, 60}, C::Arrow},       // a toolbar button
      {{200, 150}, C::SizeAll},    // the view
  };
  for (const Case& k : cases) EXPECT_EQ(CursorAt(m, k.p, false, false), k.want) << k.p.x << "," << k.p.y;
  // No four-way cursor while keys are held, a toolbar item is pressed or the view is stale.
  EXPECT_EQ(CursorAt(m, {200, 150}, true, false), C::Arrow);
  EXPECT_EQ(CursorAt(m, {100, 12}, false, true), C::Arrow);
  m.stale = true;
  EXPECT_EQ(CursorAt(m, {200, 150}, false, false), C::Arrow);
  EXPECT_EQ(CursorAt(m, {1, 100}, false, false), C::Arrow);  // a stale frame does not resize either
}

TEST(ToolRelease, OnlyOverThePressedItemAndTheStoreArrowDropsItsMenu) {
  using K = ToolRelease::Kind;
  CameraHitMap m = ToolMap();
  struct Case {
    int pressed;
    Point p;
    CameraModes modes;
    K kind;
    CommandId command;
    Point at;
  } cases[] = {
      {0, {20, 60}, {}, K::Run, CommandId::StoreRing, {}},
      {0, {52, 60}, {}, K::PopupStore, CommandId::None, {7, 88}},  // the right 12 pixels
      {0, {80, 60}, {}, K::Nothing, CommandId::None, {}},          // released elsewhere
      {3, {120, 60}, {}, K::Run, CommandId::WinCap, {}},
      {3, {120, 60}, {true, false}, K::Nothing, CommandId::None, {}},  // disabled with Hold
      {2, {80, 60}, {false, true}, K::Nothing, CommandId::None, {}},   // and on a frozen desktop
      {kMoreItem, {310, 60}, {}, K::PopupMore, CommandId::None, {300, 88}},
  };
  for (const Case& k : cases) {
    ToolRelease r = ReleaseToolItem(m, k.pressed, k.p, k.modes);
    EXPECT_EQ(r.kind, k.kind) << k.pressed << " at " << k.p.x;
    EXPECT_EQ(r.command, k.command) << k.pressed << " at " << k.p.x;
    if (k.kind == K::PopupMore || k.kind == K::PopupStore) {
      EXPECT_EQ(r.at, k.at);
    }
  }
}

TEST(RightPress, SettingsCustomisationFloatingPanelOrTheViewsPopup) {
  using K = RightPress::Kind;
  CameraHitMap m = ToolMap();
  EXPECT_EQ(RightPressAt(m, {80, 60}).kind, K::ScrollSettings);
  EXPECT_EQ(RightPressAt(m, {20, 60}).kind, K::Customise);  // other buttons, the menu row, the status line
  EXPECT_EQ(RightPressAt(m, {100, 95}).kind, K::Customise);
  EXPECT_EQ(RightPressAt(m, {200, 150}).kind, K::ViewPopup);
  EXPECT_EQ(RightPressAt(m, {1, 150}).kind, K::Nothing);  // the frame
  m.toolButtons[2] = 13;
  EXPECT_EQ(RightPressAt(m, {80, 60}).kind, K::RoboSettings);
  m.align = PanelAlign::Floating;
  m.controlVisible = false;
  RightPress f = RightPressAt(m, {200, 150});
  EXPECT_EQ(f.kind, K::Floating);
  EXPECT_TRUE(f.viewPopupElse);
  EXPECT_FALSE(RightPressAt(m, {1, 150}).viewPopupElse);
  m.hold = true;  // Hold has no floating panel
  EXPECT_EQ(RightPressAt(m, {200, 150}).kind, K::ViewPopup);
  m.stale = true;
  EXPECT_EQ(RightPressAt(m, {200, 150}).kind, K::Nothing);
}

TEST(MenuRowAccelerator, TheUnderlinedLetterOfEachMenu) {
  const struct {
    int ch;
    int menu;
  } cases[] = {{'F', 0}, {'g', 1}, {'T', 2}, {'c', 3}, {'H', 4}, {'X', -1}, {'&', -1}, {0, -1}};
  for (const auto& k : cases) EXPECT_EQ(MenuRowOfAccelerator(k.ch, true), k.menu) << char(k.ch);
  EXPECT_EQ(MenuRowOfAccelerator('F', false), -1);  // no menu row shown
}

TEST(CommandRoute, EachCommandRunsItsOwnWay) {
  using K = CommandRoute::Kind;
  const struct {
    CommandId id;
    K kind;
  } cases[] = {
      {CommandId::Print, K::GenClick},       {CommandId::StoreRing, K::GenClick},
      {CommandId::Hold, K::GenClick},        {CommandId::FullScreen, K::Capture},
      {CommandId::WinCap, K::Capture},       {CommandId::Robo, K::ScrollTool},
      {CommandId::ToEdge, K::ToEdge},        {CommandId::EdgeOff, K::Dock},
      {CommandId::More, K::PopupMore},       {CommandId::StoreMenu, K::PopupStore},
      {CommandId::Help, K::Help},            {CommandId::GeneralSettings, K::GeneralSettings},
      {CommandId::ColorDepthMenu, K::Nothing},  // a submenu: nothing to run
      {CommandId::None, K::Nothing},
  };
  for (const auto& c : cases) EXPECT_EQ(RouteOf(c.id).kind, c.kind) << int(c.id);
  // Every dispatcher command goes to GenClick with its own tag.
  for (CommandId id : {CommandId::Print, CommandId::Sticky, CommandId::SaveAs, CommandId::IncSave}) {
    EXPECT_EQ(RouteOf(id).tag, TagOf(id));
    EXPECT_EQ(CommandOfTag(RouteOf(id).tag), id);
  }
}

TEST(CommandRoute, WindowPicksAskFirstAndTheCapturesTakeTheirModes) {
  CommandRoute win = RouteOf(CommandId::WinCap), inside = RouteOf(CommandId::WorkArea);
  EXPECT_EQ(win.mode, kModeWindowAtCentre);
  EXPECT_EQ(inside.mode, kModeInsideAtCentre);
  EXPECT_STREQ(win.hintKey, kHintKeyCentre);
  EXPECT_STREQ(inside.hintKey, kHintKeyCentre);
  CommandRoute full = RouteOf(CommandId::FullScreen);
  EXPECT_EQ(full.mode, kModeFullScreen);
  EXPECT_EQ(full.hintKey, nullptr);  // nothing to point at
  CommandRoute scroll = RouteOf(CommandId::ScrollCap), robo = RouteOf(CommandId::Robo);
  EXPECT_FALSE(scroll.robo);
  EXPECT_TRUE(robo.robo);
  EXPECT_STREQ(robo.hintKey, kHintKeyScroll);
  EXPECT_EQ(RouteOf(CommandId::ControlsBottom).align, PanelAlign::Bottom);
  EXPECT_EQ(RouteOf(CommandId::ControlsTop).align, PanelAlign::Top);
  EXPECT_EQ(RouteOf(CommandId::EdgeOff).align, PanelAlign::Top);
  // Only Recall and Refresh count a use of their own.
  EXPECT_EQ(RouteOf(CommandId::OpenViewer).usageCode, kUsageRecall);
  EXPECT_EQ(RouteOf(CommandId::Refresh).usageCode, kUsageRefresh);
  EXPECT_EQ(RouteOf(CommandId::FullScreen).usageCode, 0);  // counted when the capture is kept
}

TEST(MenuItemState, CommandsGreyAndCheckOthersAreLeftAlone) {
  const CameraModes hold{true, false};
  MenuItemState win = MenuItemStateOf(CommandControlId(CommandId::WinCap), hold, PanelAlign::Top);
  EXPECT_TRUE(win.command);
  EXPECT_FALSE(win.enabled);  // a window pick with Hold on
  MenuItemState lock = MenuItemStateOf(CommandControlId(CommandId::Hold), hold, PanelAlign::Top);
  EXPECT_TRUE(lock.enabled && lock.checked);
  MenuItemState bottom = MenuItemStateOf(CommandControlId(CommandId::ControlsBottom), {}, PanelAlign::Bottom);
  EXPECT_TRUE(bottom.enabled && bottom.checked);
  EXPECT_FALSE(MenuItemStateOf(CommandControlId(CommandId::ControlsTop), {}, PanelAlign::Bottom).checked);
  for (int other : {kCmdDepthBase + 6, kCmdFolderBase + 2, kCmdNewFolder, -1, 0, kCmdBase - 1})
    EXPECT_FALSE(MenuItemStateOf(other, {}, PanelAlign::Top).command) << other;
}

TEST(MenuEntryText, TheShortcutFollowsATab) {
  const MenuEntry* save = FindMenuEntry("mnuSaveAs");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(MenuEntryText(*save), std::string(save->caption) + "\t" + ShortcutText(*save));
  EXPECT_NE(ShortcutText(*save), "");
  EXPECT_EQ(MenuEntryText(*save), "Save As . . .\tCtrl+S");
  const MenuEntry* plain = FindMenuEntry("mnuPrinterSetup");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(MenuEntryText(*plain), "Printer Setup . . .");  // no shortcut, no tab
}

TEST(FolderMenuItem, FoldersCarryTheirIndexHiddenEntriesAreLeftOut) {
  using K = FolderMenuItem::Kind;
  FolderMenuItem folder = FolderMenuItemOf(FolderMenuEntry{FolderMenuEntry::Folder, "Beta", FolderTag(2)});
  EXPECT_EQ(folder.kind, K::Item);
  EXPECT_EQ(DecodeMenuId(folder.id).kind, MenuChoice::Folder);
  EXPECT_EQ(DecodeMenuId(folder.id).value, 2);  // decode what the menu was given
  FolderMenuEntry same{FolderMenuEntry::SameFolder, "Same Folder", FolderTag(0)};
  same.enabled = false;
  FolderMenuItem sameItem = FolderMenuItemOf(same);
  EXPECT_EQ(sameItem.kind, K::Item);
  EXPECT_FALSE(sameItem.enabled);
  EXPECT_EQ(DecodeMenuId(sameItem.id).value, 0);
  FolderMenuItem create = FolderMenuItemOf(FolderMenuEntry{FolderMenuEntry::CreateFolder, "New Folder"});
  EXPECT_EQ(DecodeMenuId(create.id).kind, MenuChoice::NewFolder);
  EXPECT_EQ(FolderMenuItemOf(FolderMenuEntry{FolderMenuEntry::Separator, ""}).kind, K::Separator);
  FolderMenuEntry hidden{FolderMenuEntry::Folder, "Gone", FolderTag(1)};
  hidden.visible = false;
  EXPECT_EQ(FolderMenuItemOf(hidden).kind, K::Hidden);
}

TEST(HitMapOf, TheLayoutAndThePanelsPartsMakeTheMap) {
  LayoutInput in;
  CamLayout l = ArrangeControls(in);
  MenuRowPlacement row = PlaceMenuRow(l, {20, 20, 20, 20, 20}, DpiScale{});
  bool visible[kToolButtonCount];
  for (bool& v : visible) v = true;
  PanelPlaces places;
  places.Place(row, PlaceToolbar(l, true, visible, DpiScale{}));
  CameraHitMap m = HitMapOf(l, Size{345, 222}, false, false, PanelAlign::Top, places);
  EXPECT_EQ(m.viewPanel, l.viewPanel);
  EXPECT_FALSE(m.toolItems.empty());
  EXPECT_EQ(PressAt(m, Point{m.menuButtons[1].left + 1, m.menuButtons[1].top + 1}, false).kind,
            PressTarget::MenuButton);
  // With the panel hidden nothing of it is hit.
  l.controlVisible = false;
  CameraHitMap bare = HitMapOf(l, Size{345, 222}, true, true, PanelAlign::Floating, places);
  EXPECT_TRUE(bare.toolItems.empty() && bare.menuButtons.empty());
  EXPECT_TRUE(bare.stale && bare.hold);
  EXPECT_EQ(bare.align, PanelAlign::Floating);
}

}  // namespace
}  // namespace flk
