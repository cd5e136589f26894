#include "shell/help.h"

namespace flk {

namespace {

constexpr HelpFile kFiles[] = {
    {"index.html", 3000, 0, "FramelarkPro Help"},
    {"help.css", 3001, 0, "style sheet"},
    {"general.html", 3002, 1, "Using the camera"},
    {"scroll-settings.html", 3003, 2, "Scrolling capture fine tuning"},
    {"scroll-capture.html", 3004, 3, "Scroll and Robo capture"},
    {"sticky-notes.html", 3005, 4, "Sticky notes"},
    {"viewer.html", 3006, 5, "Recall Viewer and picture folders"},
    {"customize.html", 3007, 6, "Customizing the camera"},
    {"email-setup.html", 3008, 21, "E-mail setup"},
    {"paste-attach.html", 3009, 22, "Paste/Attach e-mail"},
};

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

}  // namespace

std::span<const HelpFile> HelpFiles() { return kFiles; }

const HelpFile& HelpPageForContext(int context) {
  if (context != 0)
    for (const HelpFile& f : kFiles)
      if (f.context == context) return f;
  return kFiles[0];
}

std::string HelpFolder(const std::string& localAppData, const std::string& tempFolder) {
  std::string base = WithSlash(localAppData.empty() ? tempFolder : localAppData);
  return base + "Hollowbrook\\Framelark\\Help\\";
}

bool HelpFileNeedsWrite(const std::optional<std::string>& onDisk, std::string_view builtIn) {
  return !onDisk || *onDisk != builtIn;
}

std::string HelpOpenFailedText(const std::string& path, unsigned long code, const std::string& systemText,
                               bool opening) {
  const size_t slash = path.find_last_of('\\');
  const std::string page = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string text = std::string(opening ? "The help page could not be opened:" : "The help page could not be written:") +
                     "\r\n" + page;
  if (!folder.empty()) text += "\r\n\r\nIn the folder:\r\n" + folder;
  if (code != 0) {
    text += "\r\n\r\nError # " + std::to_string(code);
    if (!systemText.empty()) text += ", " + systemText;
  }
  text += opening ? "\r\n\r\nNo program opened the page. Show its folder, to open it from there?"
                  : "\r\n\r\nIf no web browser is set up, open the page from that folder by hand.";
  return text;
}

}  // namespace flk
