// The viewer's commands against a folder in memory, a window and a system
// that record what they were asked.
#include "viewer/viewer_command_runner.h"

#include <gtest/gtest.h>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "viewer/viewer_fakes.h"
#include "viewer/viewer_rules.h"

namespace flk {
namespace {

using namespace flk::testing;

struct QuietUi : SettingsUi {
  void Message(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string&) override { return true; }
};

struct Recorder : ViewerCommandHost, ViewerServices {
  std::vector<std::string> log;
  bool outputGoes = true, clipboardHolds = false;
  std::optional<Picture> clipboard;
  std::vector<PictureOutput> outputs;
  std::string warning, informed, caption, status;

  void SetStatus(const std::string& text) override { status = text; }
  void EnableCommand(ViewerCommand c, bool enabled) override {
    log.push_back("enable " + std::to_string(int(c)) + (enabled ? " on" : " off"));
  }
  void PicturesChanged(bool toShown) override { log.push_back(toShown ? "pictures to shown" : "pictures"); }
  void PictureChanged() override { log.push_back("picture"); }
  void OpenFolderManager() override { log.push_back("manager"); }
  void ShowOptions() override { log.push_back("options"); }

  bool RunOutput(PictureOutput output, Picture&, SaveGate&) override {
    outputs.push_back(output);
    return outputGoes;
  }
  bool ClipboardHoldsPicture() override { return clipboardHolds; }
  std::optional<Picture> ClipboardPicture() override { return clipboard; }
  void Warn(const std::string& text) override { warning = text; }
  void Inform(const std::string& text, const std::string& c) override { informed = text, caption = c; }
  void StillSaving() override { log.push_back("still saving"); }
  void Camera() override { log.push_back("camera"); }
  void Crop() override { log.push_back("crop"); }
  void PrinterSetup() override { log.push_back("printer setup"); }
  void Help() override { log.push_back("help"); }
  void Sticky(const Picture&) override { log.push_back("sticky"); }
  void Close() override { log.push_back("close"); }
  std::string FileDate(const std::string&) override { return "Monday     12:00"; }
  void SaveMemo(bool shown) override { log.push_back(shown ? "save memo" : "keep memo"); }
  void ForgetMemo() override { log.push_back("forget memo"); }
};

struct Viewer {
  FakeDisk disk;
  ViewerFolder folder{disk, kBase};
  InMemorySettingsStore store;
  QuietUi ui;
  Settings settings{store, ui};
  Recorder r;
  ViewerCommandRunner runner{r, r, settings, folder};
  Viewer() {
    store.CloseKey(store.OpenKey(RootKey::CurrentUser, kSettingsPath, kAccessWrite, true));
    disk.folders.insert(FolderOf("A"));
    disk.files[FolderOf("A") + "1.bmp"] = Solid(4, 3, 0x112233);
    disk.files[FolderOf("A") + "2.bmp"] = Solid(5, 3, 0x445566);
    folder.SetFolders({"A"});
    folder.ChooseStartFolder();
    EXPECT_TRUE(folder.Load());
  }
};

TEST(ViewerCommandRunner, EachOutputCommandSendsTheShownPictureToItsOutput) {
  const struct {
    ViewerCommand command;
    PictureOutput output;
  } cases[] = {{ViewerCommand::SaveAs, PictureOutput::SaveAs},
               {ViewerCommand::IncSave, PictureOutput::SaveSamePlusOne},
               {ViewerCommand::MakeEmailAttachment, PictureOutput::EmailAttachment},
               {ViewerCommand::Print, PictureOutput::Print},
               {ViewerCommand::PrintFit, PictureOutput::PrintFit},
               {ViewerCommand::Edit, PictureOutput::Edit},
               {ViewerCommand::Email, PictureOutput::Email},
               {ViewerCommand::Copy, PictureOutput::Copy}};
  for (const auto& c : cases) {
    Viewer v;
    v.runner.Run(c.command);
    EXPECT_EQ(v.r.outputs, std::vector<PictureOutput>{c.output}) << int(c.command);
    EXPECT_EQ(OutputOfCommand(c.command), c.output);
  }
  EXPECT_EQ(OutputOfCommand(ViewerCommand::Delete), std::nullopt);
  Viewer v;
  v.r.clipboardHolds = true;
  v.runner.Run(ViewerCommand::Email);
  EXPECT_EQ(v.r.log, std::vector<std::string>{"enable 2 on"}) << "Paste follows the clipboard after a mail";
}

TEST(ViewerCommandRunner, CutDeletesOnlyAPictureThatReachedTheClipboard) {
  Viewer v;
  v.r.outputGoes = false;
  v.runner.Run(ViewerCommand::Cut);
  EXPECT_EQ(v.folder.pictures().size(), 2u);
  EXPECT_TRUE(v.r.log.empty());
  v.r.outputGoes = true;
  v.runner.Run(ViewerCommand::Cut);
  EXPECT_EQ(v.folder.pictures().size(), 1u);
  EXPECT_FALSE(v.disk.files.count(FolderOf("A") + "2.bmp"));
  EXPECT_EQ(v.r.log, (std::vector<std::string>{"enable 2 on", "forget memo", "pictures"}));
}

TEST(ViewerCommandRunner, ADeleteThatFailedKeepsThePictureAndSaysWhy) {
  Viewer v;
  const std::string path = FolderOf("A") + "2.bmp";
  v.disk.held.insert(path);
  v.runner.Run(ViewerCommand::Delete);
  EXPECT_EQ(v.folder.pictures().size(), 2u);
  EXPECT_EQ(v.r.warning, CouldNotDeleteText(path, "The file is in use by another program."));
  EXPECT_TRUE(v.r.log.empty()) << "the memo and the list stay";
}

TEST(ViewerCommandRunner, EditsMarkThePictureForTheWriteBack) {
  Viewer v;
  v.runner.Run(ViewerCommand::Invert);
  EXPECT_EQ(v.r.log, std::vector<std::string>{"picture"});
  EXPECT_TRUE(v.disk.writes.empty()) << "written when the folder is left";
  EXPECT_EQ(v.folder.WriteBack(false), 0);
  EXPECT_EQ(v.disk.writes, std::vector<std::string>{FolderOf("A") + "2.bmp"});
  EXPECT_EQ(v.disk.files[FolderOf("A") + "2.bmp"]->pixel(0, 0), 0xBBAA99u);
}

TEST(ViewerCommandRunner, PasteNumbersTheNewPictureOrSaysTheClipboardHoldsNone) {
  Viewer v;
  v.runner.Run(ViewerCommand::Paste);
  EXPECT_EQ(v.r.status, kNoClipboardPicture);
  EXPECT_EQ(v.r.log, (std::vector<std::string>{"save memo", "enable 2 off"}));
  v.r.log.clear();
  v.settings.WriteSingleSetting("NxtFileNum", 7);
  v.r.clipboard = Solid(3, 3, 0xABCDEF);
  v.runner.Run(ViewerCommand::Paste);
  EXPECT_EQ(v.folder.pictures().size(), 3u);
  EXPECT_TRUE(v.disk.files.count(FolderOf("A") + "7.bmp"));
  EXPECT_EQ(v.settings.ReadSingleInt("NxtFileNum"), 8);
  EXPECT_EQ(v.r.log, (std::vector<std::string>{"save memo", "pictures to shown"}));
  EXPECT_TRUE(v.r.warning.empty());
  v.disk.blocked.insert(FolderOf("A") + "8.bmp");
  v.runner.Run(ViewerCommand::Paste);
  EXPECT_NE(v.r.warning.find("8.bmp"), std::string::npos) << v.r.warning;
}

TEST(ViewerCommandRunner, PropertiesAboutAndTheOtherCommands) {
  Viewer v;
  v.runner.Run(ViewerCommand::Properties);
  EXPECT_EQ(v.r.caption, kPropertiesCaption);
  EXPECT_NE(v.r.informed.find("Monday     12:00"), std::string::npos) << v.r.informed;
  v.runner.Run(ViewerCommand::About);
  EXPECT_EQ(v.r.caption, kViewerAboutCaption);
  EXPECT_EQ(v.r.informed, ViewerAboutText());
  EXPECT_NE(ViewerAboutText().find(kProgramVersion), std::string::npos);
  const struct {
    ViewerCommand command;
    const char* done;
  } cases[] = {{ViewerCommand::Camera, "camera"},      {ViewerCommand::Crop, "crop"},
               {ViewerCommand::PrinterSetup, "printer setup"}, {ViewerCommand::FolderWiz, "manager"},
               {ViewerCommand::Exit, "close"},         {ViewerCommand::Options, "options"},
               {ViewerCommand::Help, "help"},          {ViewerCommand::Sticky, "sticky"}};
  for (const auto& c : cases) {
    v.r.log.clear();
    v.runner.Run(c.command);
    EXPECT_EQ(v.r.log, std::vector<std::string>{c.done}) << int(c.command);
  }
}

TEST(ViewerCommandRunner, WhileABigSaveRunsPictureCommandsWait) {
  Viewer v;
  SaveGate::Hold hold(&v.runner.gate());
  v.runner.Run(ViewerCommand::Delete);
  v.runner.Run(ViewerCommand::Properties);
  EXPECT_EQ(v.folder.pictures().size(), 2u);
  EXPECT_EQ(v.r.log, std::vector<std::string>{"still saving"});
  EXPECT_EQ(v.r.caption, kPropertiesCaption) << "properties only show";
}

}  // namespace
}  // namespace flk
