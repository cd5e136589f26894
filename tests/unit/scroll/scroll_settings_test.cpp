// The "Scrolling Capture Fine Tuning" rules: bands, storing order, bad
// integers, Restore defaults and Cancel across tabs.
#include <gtest/gtest.h>

#include "scroll/scroll_settings.h"
#include "shell/startup_settings.h"

namespace flk {
namespace {

TEST(ScrollSettings, StoredValuesShowByBand) {
  struct Row { int v, wait, step, size; };
  for (Row r : {Row{1000, 0, 5, 5}, Row{801, 0, 5, 4}, Row{700, 1, 5, 0}, Row{600, 2, 5, 0}, Row{401, 2, 5, 0},
                Row{201, 3, 5, 0}, Row{101, 4, 5, 0}, Row{51, 5, 5, 0}, Row{21, 6, 4, 0}, Row{20, 7, 4, 0},
                Row{1, 7, 0, 0}, Row{-5, 7, 5, 0}, Row{2, 7, 1, 0}, Row{9, 7, 2, 0}, Row{65536, 0, 0, 0}}) {
    EXPECT_EQ(WaitItemFor(r.v), r.wait) << r.v;
    if (r.v < 1000 || r.v == 65536) {
      EXPECT_EQ(StepItemFor(r.v), r.step) << r.v;
    }
  }
  EXPECT_EQ(SizeItemFor(5000000), 1);
  EXPECT_EQ(SizeItemFor(4194303), 0);
  EXPECT_EQ(SizeItemFor(8388608), 2);
  EXPECT_EQ(SizeItemFor(67108863), 4);
  EXPECT_EQ(SizeItemFor(67108864), 5);
  EXPECT_EQ(SizeValueOf(0), 2097152);
  EXPECT_EQ(SizeValueOf(5), 67108864);
}

TEST(ScrollSettings, OkStoresTheBandValueAndEveryControl) {
  ScrollParams scroll = ResetScrollDefaults(true), robo = ResetScrollDefaults(false);
  scroll.interval = 700;
  scroll.fileLimit = 5000000;
  ScrollSettingsDialog dlg(scroll, robo, true);
  SettingsControls c = dlg.Load();
  EXPECT_EQ(c.lblTop, kScrollTabText);
  EXPECT_EQ(kWaitItems[size_t(c.rdoWait)], std::string(" 800 ms"));
  EXPECT_EQ(kSizeItems[size_t(c.rdoSize)], std::string(" 4 MB"));
  EXPECT_TRUE(c.chkMessage);  // the wheel
  EXPECT_TRUE(c.editIndexColEnabled);
  c.chkIndex = false;
  c.editIndexCol = "33";
  c.editScanBt = " 40";
  c.rdoStep = 3;
  ASSERT_FALSE(dlg.Ok(c));
  EXPECT_EQ(scroll.interval, 800);
  EXPECT_EQ(scroll.fileLimit, 4194304);
  EXPECT_EQ(scroll.stepSize, 10);
  EXPECT_FALSE(scroll.doIndex);
  EXPECT_EQ(scroll.indexLt, 33);  // stored though its edit is disabled
  EXPECT_EQ(scroll.scanBt, 40);
  EXPECT_FALSE(scroll.doVScroll);
  EXPECT_FALSE(dlg.Load().editIndexColEnabled);
}

TEST(ScrollSettings, BadIntegerStopsStoringWhereItStands) {
  ScrollParams scroll = ResetScrollDefaults(true), robo = ResetScrollDefaults(false);
  ScrollSettingsDialog dlg(scroll, robo, true);
  SettingsControls c = dlg.Load();
  c.rdoWait = 7;
  c.editScanLt = "5";
  c.editScanTp = "12x";
  c.editScanRt = "7";
  auto err = dlg.Ok(c);
  ASSERT_TRUE(err);
  EXPECT_EQ(err->message, "'12x' is not a valid integer value");
  EXPECT_EQ(err->field, 2);
  EXPECT_EQ(scroll.interval, 20);  // stored before the bad edit
  EXPECT_EQ(scroll.scanLt, 5);
  EXPECT_EQ(scroll.scanTp, 20);
  EXPECT_EQ(scroll.scanRt, 20);  // after it: untouched
  for (const char* bad : {"", " ", "1.5", "0x10", "99999999999", "+", "--1"}) EXPECT_FALSE(ParseDecimal(bad)) << bad;
  EXPECT_EQ(ParseDecimal("-12"), -12);
  EXPECT_EQ(ParseDecimal(" +7 "), 7);
}

TEST(ScrollSettings, TabsRestoreAndCancel) {
  ScrollParams scroll = ResetScrollDefaults(true), robo = ResetScrollDefaults(false);
  ScrollSettingsDialog dlg(scroll, robo, true);
  SettingsControls c = dlg.Load();
  c.editRtMargin = "25";
  ASSERT_FALSE(dlg.TabChanging(c));
  SettingsControls r = dlg.TabChange(false);
  EXPECT_EQ(r.lblTop, kRoboTabText);
  EXPECT_FALSE(r.chkMessage);  // robo starts with scroll-bar messages
  EXPECT_EQ(kWaitItems[size_t(r.rdoWait)], std::string(" 400 ms"));
  r.editScanLt = "oops";
  EXPECT_TRUE(dlg.TabChanging(r));  // the tab stays
  r.editScanLt = "3";
  robo.interval = 999;
  r = dlg.Restore();  // in effect at once, whatever the dialog's result
  EXPECT_EQ(robo.interval, 400);
  EXPECT_EQ(robo.scanLt, 20);
  // Cancel now: the scroll tab's edit stays stored, the robo defaults too.
  EXPECT_EQ(scroll.rtMargin, 25);
  EXPECT_EQ(dlg.TabChange(true).editRtMargin, "25");
  EXPECT_EQ(ScaleByLetter(514, 7), 514);
  EXPECT_EQ(ScaleByLetter(514, 10), 734);
}

}  // namespace
}  // namespace flk
