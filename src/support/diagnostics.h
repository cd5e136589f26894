// What support needs to know, as text: the diagnostics report line by line,
// the support mails of the program's five callers, the configuration appended
// to a mail, the mailto link of "Try Next" and the instructions of "Try Last".
#pragma once

#include <cstdint>
#include <string>

#include "shell/settings.h"
#include "shell/settings_table.h"
#include "shell/startup_settings.h"

namespace flk {

// The facts of the machine the report describes.
struct SystemFacts {
  int platformId = 2;  // 0 Win32s, 1 Windows 9x, 2 NT
  int major = 10, minor = 0, build = 0;
  std::string servicePack;
  uint64_t totalRam = 0, availableRam = 0;  // bytes
  int screenWidth = 0, screenHeight = 0, bitsPerPixel = 32;
  bool palette = false;  // a palette display: the depth follows from its palette size
  int paletteSize = 0;
};

struct DiagnosticsInput {
  SystemFacts system;
  int refreshDelay = 255;
  int mapiClient = 0, mapiEmail = 0;
  bool nonMapiOpen = true;
  bool camTitle = true, camToolImages = true, camToolText = true, camStatus = true;
  bool viewerToolImages = true, viewerToolText = true, viewerMemo = true, viewerStatus = true;
  ScrollParams scroll = ResetScrollDefaults(true), robo = ResetScrollDefaults(false);
  std::string toolUse;
};

std::string PlatformName(int platformId, int minor);
int ReportedScreenDepth(int bitsPerPixel, bool palette, int paletteSize);
std::string MapiClientName(int client);
std::string ScrollSettingsText(const ScrollParams& p);  // "F T 600 1 8388608 19 20 20 20 28 18 T"
// The report's settings as stored, in one read series (what cannot be read
// keeps its value in `in`); the system facts are not touched.
void ReadStoredDiagnostics(Settings& settings, DiagnosticsInput& in);

// The thirteen lines, separated by "\r\n".
std::string DiagnosticsText(const DiagnosticsInput& in);
// The diagnostics window's height: (9 + line breaks) letters.
int DiagnosticsWindowHeight(const std::string& text, int letterHeight);

// ---- support mail -------------------------------------------------------------

struct MailRequest {
  std::string address, subject, body;
  bool byClipboard = false;
  bool appendConfiguration = false;
};
MailRequest FeedbackMail();                                   // "Send Email to Hollowbrook . . ."
MailRequest BugReportMail();                                  // "Send a Bug Report . . ."
MailRequest ProblemReportMail(const std::string& diagnostics);  // the diagnostics window's Send
MailRequest MapiCommentMail();                                // the e-mail setup's Email
MailRequest SuggestionMail();                                 // the daily tips' Submit Suggestion

// body + the configuration block (appended again at every press).
std::string WithConfiguration(const std::string& body, const std::string& diagnostics);

inline constexpr size_t kMailtoBodyLimit = 418;
// Line feed "%0A", carriage return "%0D", "&" "{and}", "=" ":", "?" "{Qmark}";
// cut to at most 418 characters, never inside one of the escapes.
std::string EscapeMailtoBody(const std::string& body);
// "mailto:<address>?subject=...&body=..." with the body as given (already escaped).
std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body);

inline constexpr char kPasteBodyText[] = "Click Edit/Paste to insert message body";
inline constexpr char kTryNextInstructions[] =
    "1 Click inside the message body.\r\n2 Click Edit / Paste on the email program.\r\n3 Click Send.";
// "Try Last"'s steps: the body (or, with an address and no clipboard request, the address) is on the clipboard.
std::string TryLastInstructions(bool bodyOnClipboard, const std::string& address);
std::string MapiErrorText(long code);

}  // namespace flk
