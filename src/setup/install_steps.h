// The installer's and uninstaller's steps without windows: their texts (the
// forms' words, the readme, the messages of failing steps), the room needed,
// the working folders made, whether the program file must be copied, the
// windows asked to close first, the removal script's file, and the 96-DPI
// layout of their forms.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace flk {

// ---- installing ---------------------------------------------------------------------

// The readme written beside the program.
inline constexpr char kReadmeFile[] = "Readme.txt";
extern const char kReadmeText[];
// The readme's length without its terminating zero.
size_t ReadmeSize();

// Room for the program file (4 MiB when its size is unknown), the readme and
// some to spare for the first pictures.
uint64_t BytesNeeded(std::optional<uint64_t> programFileBytes);

inline constexpr char kSetupCaption[] = "Setup FramelarkPro";
std::string SetupMemoText(uint64_t neededBytes);
inline constexpr char kUninstallCaption[] = "Uninstall Framelark Pro";
inline constexpr char kUninstallOk[] = "&Uninstal";
extern const char kUninstallMemoText[];

std::string CopyProgramErrorText(const std::string& from, const std::string& to);
std::string ReadmeWarningText(const std::string& path);

// The program's windows asked to close before installing or removing: posted
// to the camera, the tray and the help window; sent without waiting to the
// others, whose closing saves what they hold.
struct RunningWindow {
  const char* windowClass;  // nullptr: any class
  const char* caption;
  bool post;
};
std::span<const RunningWindow> RunningWindows();

// ---- the folder dialog ----------------------------------------------------------------

inline constexpr char kInstallDirCaption[] = "Directory Selection";
extern const char kInstallDirText[];
inline constexpr char kBrowseTitle[] = "Select the folder for FramelarkPro";
// OK on a folder: its "Pro\" folder could be made and the drive's free bytes
// (nothing when unknown) exceed what is needed; else what the user is told.
struct FolderVerdict {
  bool accept = false;
  std::string message;
};
FolderVerdict JudgeInstallFolder(const std::string& folder, bool proFolderMade, std::optional<uint64_t> freeBytes,
                                 uint64_t neededBytes);

// ---- removing -----------------------------------------------------------------------

inline constexpr char kLocationGoneText[] =
    "Can't locate program files to delete them, location information is strangely gone.";
// The removal script's name in the temporary folder, unique to this process and moment.
std::string RemovalScriptName(unsigned long processId, unsigned long tick);
// The script's lines as one text, each line ended by "\r\n".
std::string ScriptText(const std::vector<std::string>& lines);

// ---- the forms' layout (96 DPI) -----------------------------------------------------

inline constexpr int kSetupFormWidth = 400, kSetupFormHeight = 190, kSetupPicture = 64;
struct SetupFormLayout {
  Rect memo, ok, cancel;  // the product picture sits at the left of the memo
};
SetupFormLayout LayOutSetupForm();

}  // namespace flk
