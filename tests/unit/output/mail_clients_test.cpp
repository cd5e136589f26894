#include "output/mail_clients.h"

#include <gtest/gtest.h>

#include "output/file_formats.h"

namespace flk {
namespace {

TEST(MailClients, DefaultClientMatchesTheTableAndPredicts) {
  struct Row {
    std::optional<std::string> system;
    std::string shown;
    int index;
    std::optional<bool> predicted;
  } rows[] = {
      {std::nullopt, "None", 0, std::nullopt},
      {std::string(), "None", 0, std::nullopt},
      {"Outlook Express", "Outlook Express", 7, true},
      {"Pegasus Mail", "Pegasus Mail", 8, false},
      {"Microsoft Outlook", "Microsoft Outlook", 4, true},
      {"Mozilla Thunderbird", "Mozilla Thunderbird", 0, std::nullopt},
      {"YAHOO! Mail", "YAHOO! Mail", 10, false},  // the key is looked for in lower case
  };
  for (const Row& r : rows) {
    ClientMatch m = MatchMailClient(r.system);
    EXPECT_EQ(m.defaultClient, r.shown);
    EXPECT_EQ(m.index, r.index) << r.shown;
    EXPECT_EQ(m.predicted, r.predicted) << r.shown;
  }
}

TEST(MailClients, DiagnosisRecommendsByPredictionAndNamesTheError) {
  EXPECT_EQ(MailDiagnosis(0, MatchMailClient(std::nullopt)),
            "  System default email client = None\r\n  Predicted MAPI compatibility of this email client = Unknown"
            "\r\n\r\n  Based on the above data, Framelark recommends trying MAPI mode.\r\nIf the picture isn't "
            "attached, switch to Paste/Attach mode.");
  EXPECT_NE(MailDiagnosis(0, MatchMailClient("Outlook Express"))
                .find("compatibility of this email client = True\r\n\r\n  Based on the above data, Framelark "
                      "recommends MAPI mode."),
            std::string::npos);
  EXPECT_NE(MailDiagnosis(0, MatchMailClient("Pegasus Mail")).find("= False\r\n\r\n  Based on the above data, "
                                                                   "Framelark recommends Paste/Attach mode."),
            std::string::npos);
  EXPECT_EQ(MailDiagnosis(1, MatchMailClient("Outlook Express")),
            "  MAPISendDocuments Err # 1  USER ABORT\r\n\r\n  System default email client = Outlook Express\r\n\r\n"
            "  Either your email client isn't MAPI compatible (switch to\r\n  Paste/Attach mode) or it isn't "
            "configured correctly\r\n  (Click Help for assistance on fixing it).");
  EXPECT_EQ(MapiResultName(26), "NOT SUPPORTED");
  EXPECT_EQ(MapiResultName(7), "");
  EXPECT_EQ(MapiResultName(-2), "Couldn't load Mapi32.dll");
  EXPECT_EQ(MapiResultName(-1), "Couldn't find procedure");
  EXPECT_EQ(MapiResultName(27), "");
}

TEST(MailClients, FirstSetupPreselectsByPredictionLaterOnesKeepTheChoice) {
  EXPECT_EQ(MailSetupHeadline(MailMode::Unset, 0), "First time setup; choose MAPI or Paste/Attach email mode.");
  EXPECT_EQ(MailSetupHeadline(MailMode::Mapi, 1), "MAPI error or cancellation.");
  EXPECT_EQ(MailSetupHeadline(MailMode::PasteAttach, 0), "Choose MAPI or Paste/Attach email mode.");
  MailSetupChoice pegasus = InitialMailSetup(MailMode::Unset, 3, MatchMailClient("Pegasus Mail"));
  EXPECT_EQ(pegasus.mode, MailMode::PasteAttach);
  EXPECT_EQ(pegasus.client, 8);
  MailSetupChoice express = InitialMailSetup(MailMode::Unset, 3, MatchMailClient("Outlook Express"));
  EXPECT_EQ(express.mode, MailMode::Mapi);
  EXPECT_EQ(express.client, 7);
  MailSetupChoice none = InitialMailSetup(MailMode::Unset, 3, MatchMailClient(std::nullopt));
  EXPECT_EQ(none.mode, MailMode::Mapi);
  EXPECT_EQ(none.client, 0);
  MailSetupChoice kept = InitialMailSetup(MailMode::PasteAttach, 11, MatchMailClient("Outlook Express"));
  EXPECT_EQ(kept.mode, MailMode::PasteAttach);
  EXPECT_EQ(kept.client, 11);
}

TEST(MailClients, InstructionTipNamesAClientWithoutStepsAndTheLowerCasePath) {
  std::string yahoo = PasteAttachInstruction(10, "C:\\Framelark\\Pro\\Framelark.GIF");
  EXPECT_EQ(yahoo,
            "Press F1 if your email program didn't open.\r\n\r\nNo specific instruction available for Yahoo Mail\r\n"
            "General Instruction:\r\n1 Click a toolbar or menu item labeled \"Attach\".\r\n2 Press Ctrl-V to paste "
            "the file path I already put on the clipboard.\r\n3 Click Open.\r\n4 Click Send.\r\n\r\nPicture file "
            "path:\r\nc:\\framelark\\pro\\framelark.gif");
  std::string express = PasteAttachInstruction(7, "X");
  EXPECT_EQ(express.find("\r\n\r\nTo attach this picture to an Outlook email:\r\n1 Click the Attach toolbar button "
                         "(a paperclip)."),
            std::string("Press F1 if your email program didn't open.").size());
  EXPECT_EQ(PasteAttachInstruction(99, "x"), PasteAttachInstruction(0, "x"));
  EXPECT_EQ(EmailFileName("C:\\P\\", kFormatJpeg), "C:\\P\\Framelark.jpg");
  EXPECT_EQ(EmailFileName("C:\\P\\", kFormatPng), "C:\\P\\Framelark.png");
  EXPECT_EQ(EmailFileName("C:\\P\\", kFormatBmp), "C:\\P\\Framelark.bmp");
  EXPECT_EQ(EmailFileName("C:\\P\\", kFormatGif), "C:\\P\\Framelark.gif");
}

}  // namespace
}  // namespace flk
