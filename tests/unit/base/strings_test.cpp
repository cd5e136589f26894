#include "base/strings.h"

#include <gtest/gtest.h>

namespace flk {
namespace {

TEST(Strings, CaseIsFoldedForAsciiLettersOnly) {
  EXPECT_EQ(AsciiLower("LastCaptures\\0000000001.BMP"), "lastcaptures\\0000000001.bmp");
  EXPECT_EQ(AsciiLower("\xC3\x84pfel"), "\xC3\x84pfel");  // "Äpfel": the UTF-8 bytes stay
  EXPECT_TRUE(EqualsNoCase("Viewer", "vIEWER"));
  EXPECT_FALSE(EqualsNoCase("Viewer", "Viewers"));
  EXPECT_TRUE(EndsWithNoCase("shot.PNG", ".png"));
  EXPECT_FALSE(EndsWithNoCase("png", ".png"));
  // Text order with case ignored: "10" before "9", "a" and "A" the same, shorter first.
  EXPECT_LT(CompareNoCase("10.bmp", "9.bmp"), 0);
  EXPECT_EQ(CompareNoCase("Alpha", "aLPHA"), 0);
  EXPECT_LT(CompareNoCase("Alp", "alpha"), 0);
  EXPECT_GT(CompareNoCase("beta", "Alpha"), 0);
}

TEST(Strings, LineBreaks) {
  EXPECT_EQ(WithCrLf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(WithCrLf("\n"), "\r\n");
  EXPECT_EQ(WithCrLf("\r\r\n"), "\r\r\n");
  EXPECT_EQ(TrimLineEnd("Access is denied. \r\n"), "Access is denied.");
  EXPECT_EQ(TrimLineEnd("\r\n"), "");
}

}  // namespace
}  // namespace flk
