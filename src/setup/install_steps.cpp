// The installer's and uninstaller's steps; see install_steps.h.
#include "setup/install_steps.h"

#include "setup/install_rules.h"
#include "shell/names.h"

namespace flk {

const char kReadmeText[] =
    "FramelarkPro 1.32\r\n\r\n"
    "A screen-capture utility: a camera window that shows what lies beneath it, whole-screen and window "
    "captures, scrolling captures, picture folders with a recall viewer, printing, the clipboard, e-mail and "
    "desktop notes.\r\n\r\n"
    "Copyright Hollowbrook. You may use this program on any number of computers. It comes without warranty of "
    "any kind.\r\n\r\n"
    "Acknowledgements\r\n"
    "This software is based in part on the work of the Independent JPEG Group.\r\n"
    "PNG files are written with libpng and zlib; GIF files with giflib.\r\n\r\n"
    "To remove the program, use the system's list of installed apps (it runs \"FramelarkPro.exe uninstal\").\r\n";

const char kUninstallMemoText[] =
    "\r\nClick Uninstal to remove FramelarkPro\r\nfrom your system.\r\n\r\nHowever, any images you saved will\r\n"
    "remain in the the installation directory.";

const char kInstallDirText[] =
    "Normally, programs are copied to the \r\nProgram Files directory on your hard disk. \r\n"
    "Click Browse to select a different directory.";

namespace {

constexpr RunningWindow kRunningWindows[] = {
    {kCameraClass, kCameraCaption, true},     {kTrayClass, kTrayCaption, true},
    {nullptr, "Framelark Help", true},        {kStickiesClass, kStickiesCaption, false},
    {kViewerClass, kViewerCaption, false},    {kTipsClass, kTipsCaption, false},
};

}  // namespace

size_t ReadmeSize() { return sizeof kReadmeText - 1; }

uint64_t BytesNeeded(std::optional<uint64_t> programFileBytes) {
  return programFileBytes.value_or(4u << 20) + sizeof kReadmeText + (1u << 20);
}

std::string SetupMemoText(uint64_t neededBytes) {
  return "Click OK to install FramelarkPro, a tool for taking snapshots of anything on your screen.\r\n\r\n"
         "An uninstaller is included.\r\n\r\nRequires only " +
         std::to_string(KibUp(neededBytes)) + " KiB hard disk space.";
}


std::string CopyProgramErrorText(const std::string& from, const std::string& to) {
  return "Couldn't copy from " + from + " to " + to +
         ".\r\n\r\nIf another user on this computer is running Framelark, go there and close it.";
}

std::string ReadmeWarningText(const std::string& path) { return "Couldn't write " + path + "."; }

std::span<const RunningWindow> RunningWindows() { return kRunningWindows; }

FolderVerdict JudgeInstallFolder(const std::string& folder, bool proFolderMade, std::optional<uint64_t> freeBytes,
                                 uint64_t neededBytes) {
  if (!proFolderMade) return {false, "Couldn't create directory " + folder};
  if (freeBytes && *freeBytes > neededBytes) return {true, {}};
  return {false, FreeSpaceText(neededBytes, freeBytes.value_or(0), folder)};
}

std::string RemovalScriptName(unsigned long processId, unsigned long tick) {
  return "flk-remove-" + std::to_string(processId) + "-" + std::to_string(tick) + ".bat";
}

std::string ScriptText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

SetupFormLayout LayOutSetupForm() {
  constexpr int W = kSetupFormWidth, H = kSetupFormHeight, P = kSetupPicture;
  return {Rect::FromXYWH(P + 32, 16, W - P - 48, 120), Rect::FromXYWH(W - 184, H - 40, 80, 26),
          Rect::FromXYWH(W - 96, H - 40, 80, 26)};
}

}  // namespace flk
