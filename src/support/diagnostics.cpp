// Diagnostics and support-mail texts; see diagnostics.h.
#include "support/diagnostics.h"

#include <cstdio>

#include "shell/names.h"

namespace flk {

namespace {

const char* Letter(bool b) { return b ? "T" : "F"; }

constexpr char kGreeting[] = "Hello Hollowbrook,\r\n\r\n";

}  // namespace

std::string PlatformName(int platformId, int minor) {
  switch (platformId) {
    case 0: return "Windows 3.1 Win32s";
    case 1: return minor == 0 ? "Windows 95" : "Windows 98";
    case 2: return "WinNT/2000/XP";
    default: return "unknown";
  }
}

int ReportedScreenDepth(int bitsPerPixel, bool palette, int paletteSize) {
  if (!palette) return bitsPerPixel;
  if (paletteSize > 16) return 8;
  if (paletteSize > 4) return 4;
  if (paletteSize >= 3) return 2;
  return 1;
}

std::string MapiClientName(int client) {
  static const char* const kNames[] = {"Other",   "AOL",      "Bat",     "Eudora", "MS Outlook", "MSN",
                                       "Netscape", "Express", "Pegasus", "Poco",   "Yahoo"};
  return client >= 0 && client <= 10 ? kNames[client] : "unlisted";
}

std::string ScrollSettingsText(const ScrollParams& p) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s %s %d %d %d %d %d %d %d %d %d %s", Letter(p.doVScroll), Letter(p.doIndex),
                p.interval, p.stepSize, p.fileLimit, p.indexLt, p.scanLt, p.scanTp, p.scanRt, p.scanBt, p.rtMargin,
                Letter(p.srchVScroll));
  return buf;
}

void ReadStoredDiagnostics(Settings& s, DiagnosticsInput& in) {
  // One read series for the whole report, with the startup's scroll-parameter reader.
  if (!s.OpenSettingsKey(kAccessRead)) return;
  using D = DiagnosticsInput;
  static constexpr struct {
    const char* name;
    int D::*number;
    bool D::*flag;
  } kStored[] = {{"RefreshDelay", &D::refreshDelay, nullptr},     {"MapiClient", &D::mapiClient, nullptr},
                 {"MapiEmail", &D::mapiEmail, nullptr},
                 {"CamTitle", nullptr, &D::camTitle},             {"CamToolImages", nullptr, &D::camToolImages},
                 {"CamToolText", nullptr, &D::camToolText},       {"CamStatus", nullptr, &D::camStatus},
                 {"ViewerToolImages", nullptr, &D::viewerToolImages}, {"ViewerToolText", nullptr, &D::viewerToolText},
                 {"ViewerMemo", nullptr, &D::viewerMemo},         {"ViewerStatus", nullptr, &D::viewerStatus}};
  for (const auto& f : kStored) {
    if (f.number) in.*f.number = ReadOrTableInt(s, f.name);
    else in.*f.flag = ReadOrTableBool(s, f.name);
  }
  // As the mail dialogs read it (true when missing), not the table's integer read.
  in.nonMapiOpen = s.ReadSetting("NonMapiOpen", in.nonMapiOpen);
  ReadScrollParams(s, "SS_", in.scroll);
  ReadScrollParams(s, "AS_", in.robo);
  in.toolUse = s.ReadSetting("ToolUse", in.toolUse);
  s.EndReadSeries();
}

std::string DiagnosticsText(const DiagnosticsInput& in) {
  const SystemFacts& s = in.system;
  char os[200], ram[80], screen[80];
  std::snprintf(os, sizeof os, "%s %d.%d.%d.%s", PlatformName(s.platformId, s.minor).c_str(), s.major, s.minor,
                s.build, s.servicePack.c_str());
  std::snprintf(ram, sizeof ram, "%llu MiB, %llu MiB available", static_cast<unsigned long long>(s.totalRam >> 20),
                static_cast<unsigned long long>(s.availableRam >> 20));
  std::snprintf(screen, sizeof screen, "%d x %d x %d bit", s.screenWidth, s.screenHeight,
                ReportedScreenDepth(s.bitsPerPixel, s.palette, s.paletteSize));
  const char* mapi = in.mapiEmail == 0 ? "unset" : in.mapiEmail == 1 ? "T" : in.mapiEmail == 2 ? "F" : "unlisted";
  std::string lines[] = {
      std::string(kProgramName) + " " + kProgramVersion + (sizeof(void*) == 8 ? " (64-bit)" : " (32-bit)"),
      "Source=Hollowbrook web site",
      std::string("OS=") + os + "  ",
      std::string("RAM=") + ram,
      std::string("Screen=") + screen,
      "RefreshDelay=" + std::to_string(in.refreshDelay),
      "SelectedClient=" + MapiClientName(in.mapiClient),
      std::string("Mapi=") + mapi,
      std::string("NonMapiPop=") + Letter(in.nonMapiOpen),
      std::string("Panels=") + Letter(in.camTitle) + Letter(in.camToolImages) + Letter(in.camToolText) +
          Letter(in.camStatus) + "_" + Letter(in.viewerToolImages) + Letter(in.viewerToolText) +
          Letter(in.viewerMemo) + Letter(in.viewerStatus),
      "ScrollSettings=" + ScrollSettingsText(in.scroll),
      "RoboSettings=" + ScrollSettingsText(in.robo),
      "ToolsUsed=" + in.toolUse,
  };
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

int DiagnosticsWindowHeight(const std::string& text, int letterHeight) {
  int breaks = 0;
  for (char c : text) breaks += c == '\n';
  return (9 + breaks) * letterHeight;
}

// ---- support mail -------------------------------------------------------------

MailRequest FeedbackMail() {
  return {kSupportAddress, "FramelarkPro Feedback", std::string(kGreeting) + "\r\n\r\n", false, true};
}

MailRequest BugReportMail() {
  return {kSupportAddress, "FramelarkPro Bug Report",
          std::string(kGreeting) + "This happened . . .\r\n\r\n\r\n\r\nBut, I expected . . .\r\n\r\n", true, true};
}

MailRequest ProblemReportMail(const std::string& diagnostics) {
  return {kSupportAddress, "FramelarkPro Problem Report",
          std::string(kGreeting) + "\r\n\r\n\r\n\r\nDiagnostics:\r\n" + diagnostics, true, false};
}

MailRequest MapiCommentMail() {
  return {kSupportAddress, "Framelark MAPI Comment", std::string(kGreeting) + "I wanted to let you know . . .\r\n",
          false, true};
}

MailRequest SuggestionMail() {
  return {kSupportAddress, "FramelarkPro Suggestion",
          std::string(kGreeting) + "Here's my suggestion . . .\r\n\r\n\r\n", false, true};
}

std::string WithConfiguration(const std::string& body, const std::string& diagnostics) {
  return body + "\r\n\r\nMy configuration (this is optional):\r\n" + diagnostics;
}

std::string EscapeMailtoBody(const std::string& body) {
  std::string out;
  for (char c : body) {
    std::string piece;
    switch (c) {
      case '\n': piece = "%0A"; break;
      case '\r': piece = "%0D"; break;
      case '&': piece = "{and}"; break;
      case '=': piece = ":"; break;
      case '?': piece = "{Qmark}"; break;
      default: piece = std::string(1, c); break;
    }
    // A cut inside an escape would leave a broken "%0" that mail programs reject.
    if (out.size() + piece.size() > kMailtoBodyLimit) break;
    out += piece;
  }
  return out;
}

std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body) {
  std::string link = "mailto:<" + address + ">";
  link += subject.empty() ? "?" : "?subject=" + subject + "&";
  return link + "body=" + body;
}

std::string TryLastInstructions(bool bodyOnClipboard, const std::string& address) {
  std::string text = "1 Start your email program.\r\n2 Start a new email.\r\n";
  if (bodyOnClipboard) {
    text += "3 Click inside the message body.\r\n4 Click Edit / Paste on the email program.\r\n";
    text += address.empty() ? "5 Enter the To address.\r\n" : "5 Address to: " + address + "\r\n";
  } else {
    text += "3 Click inside the \"To\" field.\r\n4 Click Edit / Paste on the email program.\r\n5 Enter your message.\r\n";
  }
  return text + "6 Click Send.";
}

std::string MapiErrorText(long code) {
  return "MapiSendMail Err # " + std::to_string(code) + "\r\n\r\nTry another email method.";
}

}  // namespace flk
