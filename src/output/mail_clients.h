// The e-mail rules without windows: the fixed table of mail clients with their
// Paste/Attach instructions, the match of the system's default mail client to
// it and the prediction of Simple MAPI compatibility, the texts of the setup
// and troubleshooting dialog, the names of the MAPI results, the e-mail file's
// name and the instruction tip's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace flk {

struct MailClient {
  const char* name;
  const char* key;          // searched for in the lower-cased default client name; nullptr for "Other"
  bool mapi;                // predicted Simple MAPI compatibility
  const char* instruction;  // nullptr: no specific instruction
};

inline constexpr int kMailClientCount = 12;
const MailClient& MailClientAt(int index);  // an index outside the table gives "Other"

// MapiEmail: 0 not chosen yet, 1 MAPI mode, 2 Paste/Attach mode.
enum class MailMode { Unset = 0, Mapi = 1, PasteAttach = 2 };

struct ClientMatch {
  std::string defaultClient;      // "None" when the system names none
  int index = 0;                  // 0 when no key matched
  std::optional<bool> predicted;  // MAPI compatibility; nothing without a match
};
// The default value of HKLM "\Software\Clients\Mail" (nothing or empty: none).
ClientMatch MatchMailClient(const std::optional<std::string>& defaultClient);

// The program's own results besides the Simple MAPI codes.
inline constexpr long kMapiNoLibrary = -2;
inline constexpr long kMapiNoProcedure = -1;
inline constexpr long kMapiSendResult = 6;  // ShowMailSetup's "Send" result
// "USER ABORT", ..., "Couldn't load Mapi32.dll"; empty for a code without a name.
std::string MapiResultName(long code);

// The dialog's texts.
std::string MailSetupHeadline(MailMode stored, long errorCode);
std::string MailDiagnosis(long errorCode, const ClientMatch& match);

// What the dialog shows at first: the mode and the client of the list.
struct MailSetupChoice {
  MailMode mode = MailMode::Mapi;
  int client = 0;
};
MailSetupChoice InitialMailSetup(MailMode stored, int storedClient, const ClientMatch& match);

// The e-mail file for a format index (2 BMP, 3 GIF, 4 JPEG, 5 PNG; other: GIF):
// program folder (with its separator) + "Framelark." + extension.
std::string EmailFileName(const std::string& programFolder, int formatIndex);

// The text of the Paste/Attach instruction tip for a client and the file.
std::string PasteAttachInstruction(int client, std::string_view path);

}  // namespace flk
