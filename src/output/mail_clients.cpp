#include "output/mail_clients.h"

#include <algorithm>
#include <cctype>

#include "base/strings.h"
#include "output/file_formats.h"

namespace flk {

namespace {

const MailClient kClients[kMailClientCount] = {
    {"Other", nullptr, false,
     "General Instruction:\r\n1 Click a toolbar or menu item labeled \"Attach\".\r\n2 Press Ctrl-V to paste the file "
     "path I already put on the clipboard.\r\n3 Click Open.\r\n4 Click Send."},
    {"America Online", "aol", false,
     "To attach this picture to an AOL email:\r\n1 Click the Attachments button at bottom.\r\n  ( \"The Insert A "
     "Picture\" button doesn't always work.)\r\n2 Click Attach.\r\n3 Press Ctrl-V to paste the file path I already "
     "put on the clipboard.\r\n4 Click Open.\r\n5 Click Ok (file name appears next to Attachments button.)\r\n6 Fill "
     "in remaining fields and click Send Now."},
    {"The Bat!", "the bat", false,
     "To attach this picture to a Bat! email:\r\n1 Click Utilities / Attach Files / MIME-coded.\r\n2 Press Ctrl-V to "
     "paste the file path I already put on the clipboard.\r\n3 Click Open.\r\n4 Fill in remaining fields and click "
     "the Send toolbar button."},
    {"Eudora by Qualcomm", "eudora", true,
     "To attach this picture to a Eudora email:\r\n1 Click Message / Attach File . . .\r\n2 Press Ctrl-V to paste the "
     "file path I already put on the clipboard.\r\n3 Click Open.\r\n4 Fill in remaining fields and click the Send "
     "toolbar button."},
    {"Microsoft Outlook", "microsoft outlook", true,
     "To attach this picture to a MS Outlook email:\r\n1 Click Insert / File.\r\n2 Press Ctrl-V to paste the file "
     "path I already put on the clipboard.\r\n3 Click the Insert button to close the dialog box.\r\n4 Fill in "
     "remaining fields and click Send."},
    {"MSN Hotmail", "hotmail", false, nullptr},
    {"Netscape Messenger", "netscape", true,
     "To attach this picture to a Messenger email:\r\n1 Click the Attach toolbar button.\r\n2 Click File.\r\n3 Press "
     "Ctrl-V to paste the file path I already put on the clipboard.\r\n4 Click Open.\r\n5 Fill in remaining fields "
     "and click Send."},
    {"Outlook Express", "outlook express", true,
     "To attach this picture to an Outlook email:\r\n1 Click the Attach toolbar button (a paperclip).\r\n2 Press "
     "Ctrl-V to paste the file path I already put on the clipboard.\r\n3 Click the Attach button to close the dialog "
     "box.\r\n4 Fill in remaining fields and click Send."},
    {"Pegasus Mail", "pegasus", false, nullptr},
    {"Poco", "poco", false,
     "To attach this picture to a Poco email:\r\n1 Click the Attach tool bar button.\r\n2 Press Ctrl-V to paste the "
     "file path I already put on the clipboard.\r\n3 Click Open.\r\n4 Fill in remaining fields and click the Send "
     "toolbar button."},
    {"Yahoo Mail", "yahoo", false, nullptr},
    {"Juno", "juno", false,
     "To attach this picture to a Juno email:\r\n1 Click Attach File.\r\n2 Press Ctrl-V to paste the file path I "
     "already put on the clipboard.\r\n3 Click the Attach button to close the dialog box.\r\n4 Fill in remaining "
     "fields and click Send Mail."},
};

const char* const kResultNames[] = {"",
                                    "USER ABORT",
                                    "FAILURE",
                                    "LOGIN FAILURE",
                                    "DISK FULL",
                                    "INSUFFICIENT MEMORY",
                                    "ACCESS DENIED",
                                    "",
                                    "TOO MANY SESSIONS",
                                    "TOO MANY FILES",
                                    "TOO MANY RECIPIENTS",
                                    "ATTACHMENT NOT FOUND",
                                    "ATTACHMENT OPEN FAILURE",
                                    "ATTACHMENT WRITE FAILURE",
                                    "UNKNOWN RECIPIENT",
                                    "BAD RECIPTYPE",
                                    "NO MESSAGES",
                                    "INVALID MESSAGE",
                                    "TEXT TOO LARGE",
                                    "INVALID SESSION",
                                    "TYPE NOT SUPPORTED",
                                    "AMBIGUOUS RECIPIENT",
                                    "MESSAGE IN USE",
                                    "NETWORK FAILURE",
                                    "INVALID EDIT FIELDS",
                                    "INVALID RECIPS",
                                    "NOT SUPPORTED"};

}  // namespace

const MailClient& MailClientAt(int index) { return kClients[index >= 0 && index < kMailClientCount ? index : 0]; }

ClientMatch MatchMailClient(const std::optional<std::string>& defaultClient) {
  ClientMatch m;
  m.defaultClient = defaultClient && !defaultClient->empty() ? *defaultClient : "None";
  std::string lower = AsciiLower(m.defaultClient);
  for (int i = 1; i < kMailClientCount; ++i) {
    if (lower.find(kClients[i].key) != std::string::npos) {
      m.index = i;
      m.predicted = kClients[i].mapi;
      break;
    }
  }
  return m;
}

std::string MapiResultName(long code) {
  if (code == kMapiNoLibrary) return "Couldn't load Mapi32.dll";
  if (code == kMapiNoProcedure) return "Couldn't find procedure";
  if (code < 0 || code >= long(std::size(kResultNames))) return std::string();
  return kResultNames[code];
}

std::string MailSetupHeadline(MailMode stored, long errorCode) {
  if (stored == MailMode::Unset) return "First time setup; choose MAPI or Paste/Attach email mode.";
  if (errorCode != 0) return "MAPI error or cancellation.";
  return "Choose MAPI or Paste/Attach email mode.";
}

std::string MailDiagnosis(long errorCode, const ClientMatch& match) {
  if (errorCode != 0)
    return "  MAPISendDocuments Err # " + std::to_string(errorCode) + "  " + MapiResultName(errorCode) +
           "\r\n\r\n  System default email client = " + match.defaultClient +
           "\r\n\r\n  Either your email client isn't MAPI compatible (switch to\r\n  Paste/Attach mode) or it isn't "
           "configured correctly\r\n  (Click Help for assistance on fixing it).";
  std::string predicted = !match.predicted ? "Unknown" : *match.predicted ? "True" : "False";
  std::string advice = !match.predicted ? "trying MAPI mode.\r\nIf the picture isn't attached, switch to Paste/Attach mode."
                       : *match.predicted ? "MAPI mode."
                                          : "Paste/Attach mode.";
  return "  System default email client = " + match.defaultClient +
         "\r\n  Predicted MAPI compatibility of this email client = " + predicted +
         "\r\n\r\n  Based on the above data, Framelark recommends " + advice;
}

MailSetupChoice InitialMailSetup(MailMode stored, int storedClient, const ClientMatch& match) {
  MailSetupChoice c;
  c.client = storedClient >= 0 && storedClient < kMailClientCount ? storedClient : 0;
  if (stored == MailMode::Unset) {
    c.mode = match.predicted == false ? MailMode::PasteAttach : MailMode::Mapi;
    c.client = match.index;
  } else {
    c.mode = stored == MailMode::PasteAttach ? MailMode::PasteAttach : MailMode::Mapi;
  }
  return c;
}

std::string EmailFileName(const std::string& programFolder, int formatIndex) {
  const char* ext = formatIndex == kFormatJpeg  ? "jpg"
                    : formatIndex == kFormatPng ? "png"
                    : formatIndex == kFormatBmp ? "bmp"
                                                : "gif";
  return programFolder + "Framelark." + ext;
}

std::string PasteAttachInstruction(int client, std::string_view path) {
  const MailClient& c = MailClientAt(client);
  std::string instruction = c.instruction ? c.instruction
                                          : std::string("No specific instruction available for ") + c.name + "\r\n" +
                                                kClients[0].instruction;
  return "Press F1 if your email program didn't open.\r\n\r\n" + instruction + "\r\n\r\nPicture file path:\r\n" +
         AsciiLower(std::string(path));
}

}  // namespace flk
