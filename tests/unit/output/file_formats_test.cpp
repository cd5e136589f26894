#include <gtest/gtest.h>

#include "output/file_formats.h"

namespace flk {
namespace {

TEST(FileFormats, FormatFromExtensionIgnoresCaseAndKnowsOnlyFourExtensions) {
  EXPECT_EQ(FormatFromExtension("C:\\Pics\\a.bmp"), kFormatBmp);
  EXPECT_EQ(FormatFromExtension("C:\\Pics\\a.BmP"), kFormatBmp);
  EXPECT_EQ(FormatFromExtension("a.gif"), kFormatGif);
  EXPECT_EQ(FormatFromExtension("a.JPG"), kFormatJpeg);
  EXPECT_EQ(FormatFromExtension("a.Png"), kFormatPng);
  EXPECT_EQ(FormatFromExtension("a.jpeg"), kFormatAll);
  EXPECT_EQ(FormatFromExtension("a.tif"), kFormatAll);
  EXPECT_EQ(FormatFromExtension("a"), kFormatAll);
  EXPECT_EQ(FormatFromExtension("C:\\my.png\\picture"), kFormatAll);
  EXPECT_EQ(FormatFromExtension("a.png.txt"), kFormatAll);
  EXPECT_EQ(FormatFromExtension(""), kFormatAll);
}

TEST(FileFormats, ExtensionFromFormat) {
  EXPECT_EQ(ExtensionFromFormat(2), ".bmp");
  EXPECT_EQ(ExtensionFromFormat(3), ".gif");
  EXPECT_EQ(ExtensionFromFormat(4), ".jpg");
  EXPECT_EQ(ExtensionFromFormat(5), ".png");
  EXPECT_EQ(ExtensionFromFormat(1), "");
  EXPECT_EQ(ExtensionFromFormat(0), "");
  EXPECT_EQ(ExtensionFromFormat(6), "");
  for (int f = 2; f <= 5; ++f) EXPECT_EQ(FormatFromExtension("x" + ExtensionFromFormat(f)), f);
}

TEST(FileFormats, AdvanceNumberedNameExamples) {
  EXPECT_EQ(AdvanceNumberedName("shot.gif"), "shot002.gif");
  EXPECT_EQ(AdvanceNumberedName("shot002.gif"), "shot003.gif");
  EXPECT_EQ(AdvanceNumberedName("shot7.gif"), "shot008.gif");
  EXPECT_EQ(AdvanceNumberedName("shot099.png"), "shot100.png");
  EXPECT_EQ(AdvanceNumberedName("shot999.jpg"), "shot1000.jpg");
  EXPECT_EQ(AdvanceNumberedName("scan12.png"), "scan013.png");
  EXPECT_EQ(AdvanceNumberedName("C:\\Pics\\shot.gif"), "C:\\Pics\\shot002.gif");
  EXPECT_EQ(AdvanceNumberedName("C:\\Pics2\\a.bmp"), "C:\\Pics2\\a002.bmp");
}

TEST(FileFormats, AdvanceNumberedNameWalksASeries) {
  std::string n = "C:\\Pics\\a.bmp";
  std::vector<std::string> seen;
  for (int i = 0; i < 3; ++i) seen.push_back(n = AdvanceNumberedName(n));
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\Pics\\a002.bmp", "C:\\Pics\\a003.bmp", "C:\\Pics\\a004.bmp"}));
}

TEST(FileFormats, AdvanceNumberedNameEdgeCases) {
  // leading zeros are part of the number, and the pad is "at least three"
  EXPECT_EQ(AdvanceNumberedName("x0009.gif"), "x010.gif");
  EXPECT_EQ(AdvanceNumberedName("x00000.gif"), "x001.gif");
  // a name that is all digits
  EXPECT_EQ(AdvanceNumberedName("41.png"), "042.png");
  // far beyond any integer type: no overflow, plain decimal carry
  EXPECT_EQ(AdvanceNumberedName("n99999999999999999999999.bmp"), "n100000000000000000000000.bmp");
  // digits further left, not directly before the dot, are not the number
  EXPECT_EQ(AdvanceNumberedName("2024shot.gif"), "2024shot002.gif");
}

TEST(FileFormats, FolderOfName) {
  EXPECT_EQ(FolderOfName("C:\\Pics\\shot.gif"), "C:\\Pics");
  EXPECT_EQ(FolderOfName("C:\\shot.gif"), "C:\\");
  EXPECT_EQ(FolderOfName("\\\\server\\share\\x.png"), "\\\\server\\share");
  EXPECT_EQ(FolderOfName("/tmp/a/b.png"), "/tmp/a");
  EXPECT_EQ(FolderOfName("/b.png"), "/");
  EXPECT_EQ(FolderOfName("b.png"), "");
}

TEST(FileFormats, NameWithoutExtension) {
  EXPECT_EQ(NameWithoutExtension("C:\\Pics\\shot.gif"), "C:\\Pics\\shot");
  EXPECT_EQ(NameWithoutExtension("C:\\Pi.cs\\shot"), "C:\\Pi.cs\\shot");
}

TEST(FileFormats, AcceptedSaveNameFollowsTheDialogRules) {
  EXPECT_EQ(AcceptedSaveName("C:\\a.JPG", 1), "C:\\a.JPG");
  EXPECT_EQ(AcceptedSaveName("C:\\a.png", 3), "C:\\a.png");  // the extension wins over the filter
  EXPECT_EQ(AcceptedSaveName("C:\\a.bmp", 5), "C:\\a.bmp");
  EXPECT_EQ(AcceptedSaveName("C:\\a.gif", 2), "C:\\a.gif");
  EXPECT_EQ(AcceptedSaveName("C:\\a", 5), "C:\\a.png");
  EXPECT_EQ(AcceptedSaveName("C:\\a", 2), "C:\\a.bmp");
  EXPECT_EQ(AcceptedSaveName("C:\\a", 4), "C:\\a.jpg");
  EXPECT_EQ(AcceptedSaveName("C:\\a", 1), std::nullopt);
  EXPECT_EQ(AcceptedSaveName("C:\\a.jpeg", 4), std::nullopt);
  EXPECT_EQ(AcceptedSaveName("C:\\a.tif", 5), std::nullopt);
}

TEST(FileFormats, SilencedAndChooserFormats) {
  EXPECT_EQ(SilencedFilterIndex("C:\\x.tif"), kFormatGif);
  EXPECT_EQ(SilencedFilterIndex("C:\\x"), kFormatGif);
  EXPECT_EQ(SilencedFilterIndex("C:\\x.PNG"), kFormatPng);
  EXPECT_EQ(SilencedFilterIndex("C:\\x.bmp"), kFormatBmp);
  EXPECT_EQ(ChooserInitialFormat("C:\\x.jpg"), kFormatJpeg);
  EXPECT_EQ(ChooserInitialFormat("C:\\x.jpeg"), kFormatGif);
}

TEST(FileFormats, SavedIntoPictureFoldersComparesTheFolderWithoutCase) {
  const std::string root = "C:\\Framelark\\Folders\\";
  EXPECT_TRUE(SavedIntoPictureFolders("c:\\framelark\\FOLDERS\\x.bmp", root));
  EXPECT_FALSE(SavedIntoPictureFolders("C:\\Framelark\\Folders\\x.png", root));
  EXPECT_FALSE(SavedIntoPictureFolders("C:\\Framelark\\Folders\\Sub\\x.bmp", root));
  EXPECT_FALSE(SavedIntoPictureFolders("C:\\Framelark\\x.bmp", root));
}

TEST(FileFormats, UnableToSaveTextIsTheSystemsText) {
  EXPECT_EQ(UnableToSaveText("C:\\a.png", "EFCreateError"),
            "Unable to save file.\r\n\r\nCheck -\r\nthe drive door is closed\r\nthe drive is formatted\r\n"
            "the drive isn't write protected\r\nthe drive has sufficient space\r\nthe drive exists\r\n\r\n"
            "Path  C:\\a.png\r\nException type: EFCreateError");
}

}  // namespace
}  // namespace flk
