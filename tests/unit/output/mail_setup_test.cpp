#include "output/mail_setup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/form_check.h"

namespace flk {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  return all;
}

TEST(MailSetupControls, LieInsideTheDialogClearOfEachOtherWithTheIdsTheWindowUses) {
  const std::vector<FormControl> c = MailSetupControls("A headline", "A diagnosis");
  EXPECT_EQ(Joined(FormTableFaults(c, Size{kMailSetupWidth, kMailSetupHeight})), "");
  for (int id : {int(kMailMemoTop), int(kMailChkMapi), int(kMailChkNonMapi), int(kMailCbxClients),
                 int(kMailChkNonMapiOpen), int(kMailBtnHelp), int(kMailBtnWeb), int(kMailBtnEmail), int(kMailBtnSend),
                 kMailOk, kMailCancel})
    EXPECT_TRUE(std::any_of(c.begin(), c.end(), [&](const FormControl& f) { return f.id == id; })) << id;
  EXPECT_EQ(c.front().text, "A headline");
  EXPECT_EQ(c[1].kind, FormControl::ScrollingNote);
  EXPECT_EQ(c[1].text, "A diagnosis");
}

// The checker itself finds what it is there to find.
TEST(FormTableFaults, NameAControlOutsideOverlappingTwiceOrUnreachable) {
  using K = FormControl;
  const std::vector<FormControl> bad = {
      {K::RadioButton, "first", 1, Rect::FromXYWH(0, 0, 10, 10)},      // no group start
      {K::PushButton, "over", 2, Rect::FromXYWH(5, 5, 10, 10)},        // overlaps "first"
      {K::PushButton, "out", 2, Rect::FromXYWH(90, 90, 20, 20)},       // outside, and id 2 again
  };
  const std::vector<std::string> f = FormTableFaults(bad, Size{100, 100});
  ASSERT_EQ(f.size(), 4u) << Joined(f);
  EXPECT_NE(Joined(f).find("\"first\" cannot be reached with Tab"), std::string::npos);
  EXPECT_NE(Joined(f).find("\"first\" overlaps #2 \"over\""), std::string::npos);
  EXPECT_NE(Joined(f).find("\"out\" lies outside"), std::string::npos);
  EXPECT_NE(Joined(f).find("\"out\": its id twice"), std::string::npos);
}

}  // namespace
}  // namespace flk
