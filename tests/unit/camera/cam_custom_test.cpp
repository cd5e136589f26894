#include "camera/cam_custom.h"

#include "base/form_check.h"
#include "camera/commands.h"
#include "camera/editor_setup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace flk {
namespace {

TEST(CamCustomMapping, WaitLoadsByBandsAndWritesTheItemsValue) {
  struct Row {
    int interval;
    int item;
  };
  // Band edges both sides, and the stored default 255.
  for (Row r : {Row{5000, 0}, Row{801, 0}, Row{800, 1}, Row{601, 1}, Row{600, 2}, Row{401, 2}, Row{400, 3},
                Row{301, 3}, Row{300, 4}, Row{255, 4}, Row{201, 4}, Row{200, 5}, Row{101, 5}, Row{100, 6},
                Row{51, 6}, Row{50, 7}, Row{21, 7}, Row{20, -1}, Row{0, -1}}) {
    EXPECT_EQ(WaitItemOf(r.interval), r.item) << r.interval;
  }
  EXPECT_STREQ(CustomWaitItems()[WaitItemOf(255)], " 300 ms  --  default");
  EXPECT_EQ(IntervalOfWaitItem(WaitItemOf(255)), 300);
  const int values[] = {1000, 800, 600, 400, 300, 200, 100, 50};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(IntervalOfWaitItem(i), values[i]);
    EXPECT_EQ(WaitItemOf(IntervalOfWaitItem(i)), i) << "item " << i << " must load back as itself";
  }
  EXPECT_EQ(IntervalOfWaitItem(-1), 20);
  EXPECT_EQ(CustomWaitItems().size(), 8u);
}

TEST(CamCustomMapping, RingSizeBandsAndValues) {
  struct Row {
    int count;
    int item;
  };
  for (Row r : {Row{0, 0}, Row{1, 1}, Row{5, 1}, Row{6, 2}, Row{10, 2}, Row{11, 3}, Row{20, 3}, Row{21, 4},
                Row{-1, 4}, Row{-7, 4}}) {
    EXPECT_EQ(LastCapturesItemOf(r.count), r.item) << r.count;
  }
  const int values[] = {0, 5, 10, 20, -1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(LastCapturesOfItem(i), values[i]);
    EXPECT_EQ(LastCapturesItemOf(values[i]), i);
  }
  EXPECT_EQ(LastCapturesOfItem(-1), 5);
  EXPECT_FALSE(RingItemShowsTip(0));
  EXPECT_FALSE(RingItemShowsTip(2));
  EXPECT_TRUE(RingItemShowsTip(3));
  EXPECT_TRUE(RingItemShowsTip(4));
}

TEST(CamCustomMapping, BorderAndCloseButton) {
  struct Row {
    int width;
    int item;
  };
  for (Row r : {Row{1, 0}, Row{2, 0}, Row{3, 1}, Row{5, 1}, Row{6, 2}, Row{10, 2}, Row{0, 2}, Row{40, 2}})
    EXPECT_EQ(BorderItemOf(r.width), r.item) << r.width;
  EXPECT_EQ(BorderWidthOfItem(0), 2);
  EXPECT_EQ(BorderWidthOfItem(1), 5);
  EXPECT_EQ(BorderWidthOfItem(2), 10);
  EXPECT_EQ(CloseItemOf(true), 1);
  EXPECT_EQ(CloseItemOf(false), 0);
  EXPECT_TRUE(CloseBtnExitsOfItem(1));
  EXPECT_FALSE(CloseBtnExitsOfItem(0));
}

TEST(CamCustomDialog, LoadsTheCameraAndOkReportsOnlyARealRingChange) {
  CamAppearance cam;
  cam.captions = false;
  cam.buttons[3] = false;
  cam.bevel = 10;
  CamCustomChoices c = LoadCamCustom(cam, 255, 20, false);
  EXPECT_EQ(c.panels, (std::array<bool, 4>{true, true, false, true}));
  EXPECT_FALSE(c.buttons[3]);
  EXPECT_TRUE(c.buttonsEnabled);
  EXPECT_EQ(c.wait, 4);
  EXPECT_EQ(c.lastCaptures, 3);
  EXPECT_EQ(c.border, 2);
  EXPECT_EQ(c.close, 0);

  CamCustomOk same = CamCustomOkResult(c, 20);
  EXPECT_EQ(same.intervalMs, 300);  // 255 goes back as the item's 300
  EXPECT_EQ(same.lastCapturesNum, 20);
  EXPECT_FALSE(same.ringChanged);
  EXPECT_FALSE(same.closeBtnExits);

  c.lastCaptures = 1;  // "5  -- default" after 20: trim now
  c.close = 1;
  CamCustomOk changed = CamCustomOkResult(c, 20);
  EXPECT_EQ(changed.lastCapturesNum, 5);
  EXPECT_TRUE(changed.ringChanged);
  EXPECT_TRUE(changed.closeBtnExits);

  // A stored 7 loads as "10" and is written as 10: a change.
  CamCustomChoices seven = LoadCamCustom(cam, 300, 7, true);
  EXPECT_TRUE(CamCustomOkResult(seven, 7).ringChanged);
}

TEST(CamCustomDialog, ButtonListNeedsIconsOrTextAndPanelsFollowTheList) {
  EXPECT_FALSE(ButtonListEnabled(false, false));
  EXPECT_TRUE(ButtonListEnabled(true, false));
  EXPECT_TRUE(ButtonListEnabled(false, true));
  CamAppearance cam = ApplyPanelChoices(CamAppearance{}, {false, false, false, true});
  EXPECT_FALSE(cam.title);
  EXPECT_FALSE(cam.images);
  EXPECT_FALSE(cam.captions);
  EXPECT_TRUE(cam.status);
  EXPECT_FALSE(LoadCamCustom(cam, 300, 5, true).buttonsEnabled);
}

TEST(CamCustomDialog, GrowsUntilTwentyAboveThePanel) {
  // Panel of all four rows: 22 + 19 + 44 + 18 = 103.
  EXPECT_TRUE(CustomNeedsGrowth(122, 103));
  EXPECT_FALSE(CustomNeedsGrowth(123, 103));
}

TEST(CamCustomDialog, ListsMatchTheToolbarAndRestoreDefaultsIsTheInstalledCamera) {
  ASSERT_EQ(CustomButtonItems().size(), size_t(kToolButtonCount));
  // Item i is toolbar button i: the captions agree but for the spelled-out ones.
  const std::set<std::string> renamed{"Save +1", "Print Fit", "Hold", "Window"};
  for (int i = 0; i < kToolButtonCount; ++i) {
    std::string item = CustomButtonItems()[size_t(i)];
    if (!renamed.count(item)) {
      EXPECT_EQ(item, ToolButtons()[size_t(i)].caption) << i;
    }
  }
  EXPECT_EQ(CustomPanelItems().size(), 4u);
  EXPECT_EQ(CustomLastCapturesItems().size(), 5u);
  EXPECT_EQ(CustomBorderItems().size(), 3u);
  EXPECT_EQ(CustomCloseItems().size(), 2u);
  CamCustomDefaults d = CamCustomRestoreDefaults();
  EXPECT_EQ(d.intervalMs, 300);
  EXPECT_EQ(d.lastCapturesNum, 5);
  EXPECT_TRUE(d.closeBtnExits);
  EXPECT_EQ(d.appearance.bevel, 5);
  for (bool b : d.appearance.buttons) EXPECT_TRUE(b);
  EXPECT_NE(std::string(CustomAdviceText(CustomAdvice::Wait)).find("Scroll Capture Settings"), std::string::npos);
}

TEST(CamCustomDialog, ButtonListItemsReachTheirOwnSwitch) {
  // "Save +1" (item 3) is btnIncSave, stored as CambtnIncSave, fourth of the settings.
  EXPECT_EQ(ButtonSettingIndex(3), 3);
  EXPECT_EQ(ButtonSettingIndex(0), 9);   // Recall -> CambtnRecall
  EXPECT_EQ(ButtonSettingIndex(4), 0);   // Print -> CambtnPrint
  EXPECT_EQ(ButtonSettingIndex(16), 14);  // Inside -> CambtnInside
  std::set<int> seen;
  for (int i = 0; i < kToolButtonCount; ++i) EXPECT_TRUE(seen.insert(ButtonSettingIndex(i)).second) << i;
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 16);
  EXPECT_EQ(ButtonSettingIndex(17), -1);
}

TEST(EditorSetupOk, QuotesSystemRootEmptyAndMissingFiles) {
  const std::set<std::string> files{"C:\\Windows\\system32\\mspaint.exe", "C:\\Tools\\Paint Pro\\pp.exe"};
  auto exists = [&](const std::string& p) { return files.count(p) > 0; };
  struct Row {
    const char* typed;
    EditorSetupDecision::Kind kind;
    const char* written;
  };
  using K = EditorSetupDecision::Kind;
  for (Row r : {
           Row{"", K::WriteEmpty, ""},
           Row{"\"C:\\Tools\\Paint Pro\\pp.exe\"", K::Write, "C:\\Tools\\Paint Pro\\pp.exe"},
           Row{"C:\\Tools\\Paint Pro\\pp.exe", K::Write, "C:\\Tools\\Paint Pro\\pp.exe"},
           Row{"%SystemRoot%\\system32\\mspaint.exe", K::Write, "C:\\Windows\\system32\\mspaint.exe"},
           Row{"\"%systemroot%\\system32\\mspaint.exe\"", K::Write, "C:\\Windows\\system32\\mspaint.exe"},
           Row{"\"C:\\Tools\\Paint Pro\\pp.exe", K::Refuse, ""},    // one quote only: kept, no such file
           Row{"\"\"C:\\Tools\\Paint Pro\\pp.exe\"\"", K::Refuse, ""},  // only one pair goes
           Row{"\"\"", K::Refuse, ""},
           Row{"C:\\Tools\\gone.exe", K::Refuse, ""},
       }) {
    EditorSetupDecision d = EditorSetupOk(r.typed, "C:\\Windows", exists);
    EXPECT_EQ(d.kind, r.kind) << r.typed;
    EXPECT_EQ(d.path, r.written) << r.typed;
  }
}

// What a person would notice in the dialog, checked on its table: the shared
// form faults (outside, overlapping, an id twice, a radio group Tab cannot
// enter), and here a control outside its group, or a "?" over its group's
// title or first row.
TEST(CamCustomControls, EveryControlSitsInsideItsGroupClearOfTheOthers) {
  const std::vector<FormControl> all = CamCustomControls();
  std::string faults;
  for (const std::string& f : FormTableFaults(all, Size{kCamCustomWidth, kCamCustomHeight})) faults += f + "\n";
  EXPECT_EQ(faults, "");
  auto within = [](const Rect& inner, const Rect& outer) { return Intersect(inner, outer) == inner; };
  std::vector<Rect> groups;
  std::set<int> ids;
  for (const FormControl& c : all) {
    if (c.kind == FormControl::GroupBox) groups.push_back(c.rect);
    ids.insert(c.id);
  }
  EXPECT_EQ(groups.size(), 5u);
  for (const FormControl& c : all) {
    if (c.kind == FormControl::GroupBox) continue;
    int holders = 0;
    for (const Rect& g : groups)
      if (within(c.rect, Rect{g.left + 2, g.top + 14, g.right - 2, g.bottom - 2})) ++holders;
    const bool grouped = c.kind == FormControl::CheckBox || c.kind == FormControl::RadioButton ||
                         (c.kind == FormControl::HelpMark && c.id != kCustomAdviceBase + int(CustomAdvice::Wait));
    EXPECT_EQ(holders, grouped ? 1 : 0) << c.text;
  }
  EXPECT_EQ(ids.count(kCustomOkId) + ids.count(kCustomRestoreId) + ids.count(kCustomWaitId), 3u);
}

// Editor Setup from its smallest size to a large one, at 96 and 144 DPI: every
// part inside the dialog and clear of the others, the buttons at its right edge.
TEST(EditorSetupLayout, PartsStayClearFromTheSmallestSizeUp) {
  for (int dpi : {96, 144}) {
    const DpiScale s = DpiScaleOf(dpi);
    // The smallest window less a sizing frame and a caption.
    for (Size client : {Size{s(kEditSetupMinWidth) - s(16), s(kEditSetupMinHeight) - s(39)}, Size{s(900), s(600)}}) {
      const EditorSetupLayout l = LayOutEditorSetup(client, s);
      const Rect parts[] = {l.intro, l.path, l.howTo, l.browse, l.tech, l.ok, l.cancel};
      for (size_t i = 0; i < std::size(parts); ++i) {
        EXPECT_EQ(Intersect(parts[i], Rect{0, 0, client.width, client.height}), parts[i]) << dpi << " part " << i;
        for (size_t j = i + 1; j < std::size(parts); ++j)
          EXPECT_TRUE(Intersect(parts[i], parts[j]).empty()) << dpi << " parts " << i << " and " << j;
      }
      for (const Rect& b : {l.browse, l.tech, l.ok, l.cancel}) EXPECT_EQ(b.right, client.width - s(8)) << dpi;
      EXPECT_EQ(l.path.width(), client.width - 2 * s(8)) << "the path stretches";
    }
  }
}

TEST(CamAppearance, ReadFromAndWrittenBackIntoTheSavedValuesInTheSettingsOrder) {
  CameraSaveValues v;
  v.camTitle = false;
  v.camToolText = false;
  v.camBevelWidth = 10;
  v.buttons.fill(true);
  v.buttons[0] = false;  // CambtnPrint: toolbar button 4
  CamAppearance a = AppearanceOf(v);
  EXPECT_FALSE(a.title);
  EXPECT_TRUE(a.images);
  EXPECT_FALSE(a.captions);
  EXPECT_EQ(a.bevel, 10);
  EXPECT_FALSE(a.buttons[4]);
  EXPECT_TRUE(a.buttons[0]);

  a.buttons[4] = true;
  a.buttons[0] = false;  // Recall: CambtnRecall, setting 9
  a.status = false;
  a.bevel = 0;
  CameraSaveValues back = v;
  SetAppearanceIn(back, a);
  EXPECT_TRUE(back.buttons[0]);
  EXPECT_FALSE(back.buttons[9]);
  EXPECT_FALSE(back.camStatus);
  EXPECT_EQ(back.camBevelWidth, 1);  // never below 1
  EXPECT_EQ(back.left, v.left);      // the rest stays
  a.bevel = 5;
  SetAppearanceIn(back, a);
  EXPECT_EQ(AppearanceOf(back).buttons, a.buttons);  // decode what was encoded
}

TEST(CustomClick, EachControlsClickAndNothingForOtherNotifications) {
  using K = CustomClick::Kind;
  const struct {
    int id, code;
    K kind;
    int item;
  } cases[] = {
      {kCustomOkId, 0, K::Ok, 0},
      {kCustomCancelId, 0, K::Cancel, 0},
      {kCustomRestoreId, 0, K::Restore, 0},
      {kCustomPanelBase + 3, 0, K::Panels, 0},
      {kCustomButtonBase + 16, 0, K::Buttons, 0},
      {kCustomButtonBase + 17, 0, K::None, 0},
      {kCustomBorderBase + 2, 0, K::Border, 0},
      {kCustomCloseBase + 1, 0, K::Border, 0},  // the close button's choice shares the handler
      {kCustomLastCapturesBase + 4, 0, K::RingSize, 4},
      {kCustomAdviceBase + 5, 0, K::Advice, 5},
      {kCustomAdviceBase + 6, 0, K::None, 0},
      {kCustomPanelBase, 1, K::None, 0},  // not a click
      {kCustomWaitId, 0, K::None, 0},
  };
  for (const auto& c : cases) {
    CustomClick k = DecodeCustomClick(c.id, c.code);
    EXPECT_EQ(k.kind, c.kind) << c.id;
    EXPECT_EQ(k.item, c.item) << c.id;
  }
}

}  // namespace
}  // namespace flk
