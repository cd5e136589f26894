#include <gtest/gtest.h>

#include <deque>

#include "base/bmp.h"
#include "decoders.h"
#include "output/file_formats.h"
#include "output/save_file.h"

namespace flk {
namespace {

using namespace flk::testing;
namespace fs = std::filesystem;

// Records every effect and answers the dialogs from scripted queues.
class FakeServices : public SaveServices {
 public:
  std::string saveToFileName;
  bool nsa = false;
  std::string defaultFolder, picturesRoot;
  std::deque<std::optional<int>> chooserAnswers;
  struct DialogCall {
    std::string name, folder;
    int filter;
  };
  std::vector<DialogCall> dialogCalls;
  std::deque<std::optional<DialogResult>> dialogAnswers;
  int dialogFailures = 0;  // the next n dialogs fail
  std::deque<bool> selectFormatAnswers, nameNotSavedAnswers;
  int selectFormatAsked = 0, nameNotSavedAsked = 0, viewerNotified = 0, chooserShown = 0;
  std::vector<std::string> foldersNotCreated, saveFailures, saved, clipboard, information, chooserNames;
  std::vector<std::string> settingWrites;

  std::string ReadSaveToFileName() override { return saveToFileName; }
  void WriteSaveToFileName(const std::string& n) override {
    saveToFileName = n;
    settingWrites.push_back(n);
  }
  bool ReadNsaSaveAsFormat() override { return nsa; }
  void ReportFolderNotCreated(const std::string& folder) override { foldersNotCreated.push_back(folder); }
  void ReportSaveFailed(const std::string& text, const SaveError&) override { saveFailures.push_back(text); }
  void ShowSaved(const std::string& n) override { saved.push_back(n); }
  std::optional<int> ChooseFormat(const std::string& remembered) override {
    ++chooserShown;
    chooserNames.push_back(remembered);
    auto a = chooserAnswers.front();
    chooserAnswers.pop_front();
    return a;
  }
  std::optional<DialogResult> ShowSaveDialog(const std::string& name, const std::string& folder, int filter,
                                             bool* failed) override {
    dialogCalls.push_back({name, folder, filter});
    if (dialogFailures > 0) {
      --dialogFailures;
      *failed = true;
      return std::nullopt;
    }
    auto a = dialogAnswers.front();
    dialogAnswers.pop_front();
    return a;
  }
  bool AskSelectFormat() override {
    ++selectFormatAsked;
    bool a = selectFormatAnswers.front();
    selectFormatAnswers.pop_front();
    return a;
  }
  bool AskNameNotSaved() override {
    ++nameNotSavedAsked;
    bool a = nameNotSavedAnswers.front();
    nameNotSavedAnswers.pop_front();
    return a;
  }
  std::string DefaultSaveFolder() override { return defaultFolder; }
  std::string PictureFoldersRoot() override { return picturesRoot; }
  void NotifyViewerFoldersChanged() override { ++viewerNotified; }
  bool PutTextOnClipboard(const std::string& t) override {
    clipboard.push_back(t);
    return true;
  }
  void ShowInformation(const std::string& t) override { information.push_back(t); }
};

std::string U(const fs::path& p) { return Utf8FromPath(p); }

TEST(SaveBitmapToFile, CreatesTheFolderChainWritesAndAdvancesTheName) {
  ScratchFolder dir;
  FakeServices ui;
  Picture p = MakeScreenLike(40, 30, 24, 1);
  std::string name = U(dir / "a" / "b" / "c" / "shot.png");
  ASSERT_TRUE(SaveBitmapToFile(name, p, ui));
  EXPECT_EQ(name, U(dir / "a" / "b" / "c" / "shot002.png"));
  auto img = ReadPng(dir / "a" / "b" / "c" / "shot.png");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");
  EXPECT_TRUE(ui.saveFailures.empty());
}

TEST(SaveBitmapToFile, AFolderThatCannotBeCreatedIsReportedAndTheNameKept) {
  ScratchFolder dir;
  WriteAll(dir / "file", {1, 2, 3});
  FakeServices ui;
  std::string name = U(dir / "file" / "sub" / "x.gif");
  const std::string before = name;
  EXPECT_FALSE(SaveBitmapToFile(name, MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(name, before);
  EXPECT_EQ(ui.foldersNotCreated, std::vector<std::string>{U(dir / "file" / "sub")});
  EXPECT_TRUE(ui.saveFailures.empty());
}

TEST(SaveBitmapToFile, AWriterErrorShowsTheUnableToSaveTextAndKeepsTheName) {
  ScratchFolder dir;
  fs::create_directory(dir / "taken.bmp");
  FakeServices ui;
  std::string name = U(dir / "taken.bmp");
  EXPECT_FALSE(SaveBitmapToFile(name, MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(name, U(dir / "taken.bmp"));
  ASSERT_EQ(ui.saveFailures.size(), 1u);
  EXPECT_EQ(ui.saveFailures[0], UnableToSaveText(name, "EFCreateError"));
}

// A window's services that write elsewhere (another thread, say) and fail.
class WritingServices : public FakeServices {
 public:
  struct Call {
    std::string name;
    int format;
    int width;
  };
  std::vector<Call> calls;
  bool fail = false;
  bool WritePicture(const std::string& name, int format, const Picture& p, SaveError* error) override {
    calls.push_back({name, format, p.width()});
    if (!fail) return SaveServices::WritePicture(name, format, p, error);
    *error = SaveError{kErrorWrite, "disk gone", 5};
    return false;
  }
};

TEST(SaveBitmapToFile, TheFileIsWrittenThroughTheServicesAndTheirFailureKeepsTheName) {
  ScratchFolder dir;
  WritingServices ui;
  Picture p = MakeScreenLike(12, 9, 24, 1);
  std::string name = U(dir / "w.png");
  ASSERT_TRUE(SaveBitmapToFile(name, p, ui));
  ASSERT_EQ(ui.calls.size(), 1u);
  EXPECT_EQ(ui.calls[0].name, U(dir / "w.png"));
  EXPECT_EQ(ui.calls[0].format, 5);
  EXPECT_EQ(ui.calls[0].width, 12);
  auto img = ReadPng(dir / "w.png");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");

  ui.fail = true;
  std::string again = U(dir / "x.gif");
  EXPECT_FALSE(SaveBitmapToFile(again, p, ui));
  EXPECT_EQ(again, U(dir / "x.gif"));
  ASSERT_EQ(ui.saveFailures.size(), 1u);
  EXPECT_EQ(ui.saveFailures[0], UnableToSaveText(again, kErrorWrite));
  EXPECT_EQ(ui.calls.back().format, 3);
}

TEST(SaveBitmapToFile, TooLargeForJpegSaysWhy) {
  ScratchFolder dir;
  FakeServices ui;
  std::string name = U(dir / "robo.jpg");
  EXPECT_FALSE(SaveBitmapToFile(name, *Picture::Create(10, 70000, 1), ui));
  ASSERT_EQ(ui.saveFailures.size(), 1u);
  EXPECT_EQ(ui.saveFailures[0].rfind(UnableToSaveText(name, "EInvalidGraphicOperation"), 0), 0u);
  EXPECT_NE(ui.saveFailures[0].find("65500"), std::string::npos);
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
}

TEST(SaveBitmapToFile, EveryExtensionWritesItsOwnFormat) {
  ScratchFolder dir;
  FakeServices ui;
  Picture p = MakeScreenLike(33, 21, 24, 2);
  for (const char* ext : {".BMP", ".Gif", ".jpg", ".PNG"}) {
    std::string name = U(dir / "x") + ext;
    ASSERT_TRUE(SaveBitmapToFile(name, p, ui)) << ext;
  }
  EXPECT_TRUE(DecodeBmp(ReadAll(dir / "x.BMP")));
  EXPECT_TRUE(ReadGif(dir / "x.Gif"));
  EXPECT_TRUE(ReadJpeg(dir / "x.jpg"));
  EXPECT_TRUE(ReadPng(dir / "x.PNG"));
}

TEST(SaveAs, ThenSameNamePlusOneTwiceWritesASeries) {
  ScratchFolder dir;
  FakeServices ui;
  ui.chooserAnswers = {kFormatBmp};
  ui.dialogAnswers = {FakeServices::DialogResult{U(dir / "a.bmp"), kFormatBmp}};
  Picture p = MakeScreenLike(20, 10, 8, 1);
  ASSERT_TRUE(SaveAs(p, ui));
  ASSERT_TRUE(SaveSameNamePlusOne(p, ui));
  ASSERT_TRUE(SaveSameNamePlusOne(p, ui));
  EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"a.bmp", "a002.bmp", "a003.bmp"}));
  EXPECT_EQ(ui.saveToFileName, U(dir / "a004.bmp"));
  EXPECT_EQ(ui.saved, (std::vector<std::string>{U(dir / "a.bmp"), U(dir / "a002.bmp"), U(dir / "a003.bmp")}));
  EXPECT_EQ(ui.dialogCalls.size(), 1u);
}

TEST(SaveAs, FirstSaveStartsFromTheDefaultFolderWithTheGifName) {
  ScratchFolder dir;
  FakeServices ui;
  ui.defaultFolder = U(dir / "Captures");
  ui.chooserAnswers = {std::nullopt};
  EXPECT_FALSE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.chooserNames, std::vector<std::string>{U(dir / "Captures") + "\\Framelark.gif"});
  EXPECT_TRUE(ui.dialogCalls.empty());
  EXPECT_TRUE(ui.settingWrites.empty());
}

TEST(SaveAs, DialogGetsTheNameWithoutExtensionAndItsFolder) {
  ScratchFolder dir;
  FakeServices ui;
  ui.saveToFileName = "C:\\Pics\\shot004.png";
  ui.chooserAnswers = {kFormatPng};
  ui.dialogAnswers = {std::nullopt};
  EXPECT_FALSE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  ASSERT_EQ(ui.dialogCalls.size(), 1u);
  EXPECT_EQ(ui.dialogCalls[0].name, "C:\\Pics\\shot004");
  EXPECT_EQ(ui.dialogCalls[0].folder, "C:\\Pics");
  EXPECT_EQ(ui.dialogCalls[0].filter, kFormatPng);
}

TEST(SaveAs, JpegExtensionIsRefusedAndCancelSavesNothing) {
  ScratchFolder dir;
  FakeServices ui;
  ui.saveToFileName = U(dir / "x.gif");
  ui.chooserAnswers = {kFormatJpeg};
  ui.dialogAnswers = {FakeServices::DialogResult{U(dir / "x.jpeg"), kFormatJpeg}};
  ui.selectFormatAnswers = {false};
  EXPECT_FALSE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.selectFormatAsked, 1);
  EXPECT_TRUE(FolderEntries(dir.path()).empty());
  EXPECT_EQ(ui.saveToFileName, U(dir / "x.gif"));
}

TEST(SaveAs, AllFilterWithoutExtensionAsksAgainAndOkShowsTheDialogsAgain) {
  ScratchFolder dir;
  FakeServices ui;
  ui.saveToFileName = U(dir / "x.gif");
  ui.chooserAnswers = {kFormatGif, kFormatGif};
  ui.dialogAnswers = {FakeServices::DialogResult{U(dir / "y"), kFormatAll},
                      FakeServices::DialogResult{U(dir / "y"), kFormatPng}};
  ui.selectFormatAnswers = {true};
  Picture p = MakeScreenLike(16, 9, 24, 1);
  ASSERT_TRUE(SaveAs(p, ui));
  EXPECT_EQ(ui.chooserShown, 2);
  EXPECT_EQ(ui.selectFormatAsked, 1);
  // A bare name with the PNG filter gets ".png" and is a PNG.
  auto img = ReadPng(dir / "y.png");
  ASSERT_TRUE(img);
  EXPECT_EQ(FirstDifference(p, *img), "");
  EXPECT_EQ(ui.saveToFileName, U(dir / "y002.png"));
}

TEST(SaveAs, SilencedChooserOpensTheDialogWithTheNamesFormatOrGif) {
  FakeServices ui;
  ui.nsa = true;
  ui.saveToFileName = "C:\\Pics\\old.tif";
  ui.dialogAnswers = {std::nullopt};
  EXPECT_FALSE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.chooserShown, 0);
  ASSERT_EQ(ui.dialogCalls.size(), 1u);
  EXPECT_EQ(ui.dialogCalls[0].filter, kFormatGif);
  ui.saveToFileName = "C:\\Pics\\old.JPG";
  ui.dialogAnswers = {std::nullopt};
  SaveAs(MakeScreenLike(8, 8, 24, 1), ui);
  EXPECT_EQ(ui.dialogCalls[1].filter, kFormatJpeg);
}

TEST(SaveAs, AFailingDialogAsksWhetherToTryAgain) {
  FakeServices ui;
  ui.nsa = true;
  ui.saveToFileName = "C:\\P\\a.png";
  ui.dialogFailures = 2;
  ui.nameNotSavedAnswers = {true, false};
  EXPECT_FALSE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.nameNotSavedAsked, 2);
  EXPECT_EQ(ui.dialogCalls.size(), 2u);
}

TEST(SaveAs, BitmapIntoThePictureFoldersTellsTheViewer) {
  ScratchFolder dir;
  FakeServices ui;
  ui.nsa = true;
  ui.saveToFileName = U(dir / "Folders" / "a.bmp");
  ui.picturesRoot = U(dir / "Folders") + "/";
  ui.dialogAnswers = {FakeServices::DialogResult{U(dir / "Folders" / "a.bmp"), kFormatBmp},
                      FakeServices::DialogResult{U(dir / "Folders" / "a.png"), kFormatPng}};
  ASSERT_TRUE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.viewerNotified, 1);
  ASSERT_TRUE(SaveAs(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.viewerNotified, 1);
}

TEST(SaveSameNamePlusOne, WithoutARememberedNameOrItsFolderRunsSaveAs) {
  ScratchFolder dir;
  FakeServices ui;
  ui.chooserAnswers = {std::nullopt, std::nullopt};
  EXPECT_FALSE(SaveSameNamePlusOne(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.chooserShown, 1);
  ui.saveToFileName = U(dir / "gone" / "a.png");
  EXPECT_FALSE(SaveSameNamePlusOne(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.chooserShown, 2);
  EXPECT_FALSE(fs::exists(dir / "gone"));
}

TEST(SaveSameNamePlusOne, AFailedSaveDoesNotAdvanceTheRememberedName) {
  ScratchFolder dir;
  fs::create_directory(dir / "b.png");
  FakeServices ui;
  ui.saveToFileName = U(dir / "b.png");
  EXPECT_FALSE(SaveSameNamePlusOne(MakeScreenLike(8, 8, 24, 1), ui));
  EXPECT_EQ(ui.saveToFileName, U(dir / "b.png"));
  EXPECT_TRUE(ui.settingWrites.empty());
  EXPECT_EQ(ui.saveFailures.size(), 1u);
}

TEST(MakeEmailAttachment, WritesFramelarkJpgBesideTheProgramAndPutsItsPathOnTheClipboard) {
  ScratchFolder dir;
  FakeServices ui;
  const std::string programFolder = U(dir.path()) + "/";
  Picture p = MakePhotoLike(64, 48, 1);
  auto path = MakeEmailAttachment(p, programFolder, ui);
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, programFolder + "Framelark.jpg");
  EXPECT_EQ(ui.clipboard, std::vector<std::string>{*path});
  EXPECT_EQ(ui.saved, std::vector<std::string>{*path});
  EXPECT_EQ(ui.information,
            std::vector<std::string>{"JPG file created.\r\n\r\nThe path to this file is ready on the Windows "
                                     "clipboard.\r\n\r\n(Use this for replies or to attach multiple images.)"});
  auto img = ReadJpeg(dir / "Framelark.jpg");
  ASSERT_TRUE(img);
  EXPECT_GT(Psnr(p, *img), 30.0);
  // The same file every time; the remembered name is not touched.
  Picture q = MakePhotoLike(32, 16, 2);
  ASSERT_TRUE(MakeEmailAttachment(q, programFolder, ui));
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Framelark.jpg"});
  EXPECT_EQ(ReadJpeg(dir / "Framelark.jpg")->width, 32);
  EXPECT_TRUE(ui.settingWrites.empty());
}

TEST(MakeEmailAttachment, AFailedWriteStopsBeforeTheClipboard) {
  ScratchFolder dir;
  fs::create_directory(dir / "Framelark.jpg");
  FakeServices ui;
  EXPECT_FALSE(MakeEmailAttachment(MakeScreenLike(8, 8, 24, 1), U(dir.path()) + "/", ui));
  EXPECT_TRUE(ui.clipboard.empty());
  EXPECT_TRUE(ui.information.empty());
  EXPECT_EQ(ui.saveFailures.size(), 1u);
}

}  // namespace
}  // namespace flk
