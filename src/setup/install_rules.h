// The installer's and uninstaller's decisions, over the registry seam and a
// file-existence test: where the data folder is, what Browse proposes, the
// registrations written and removed, which folder may be emptied, and the
// self-removal script that deletes the program file after its process ends.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/settings.h"

namespace flk {

using FileExistsFn = std::function<bool(const std::string&)>;

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\FramelarkPro";
inline constexpr char kWindowsCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char kShortcutName[] = "FramelarkPro.lnk";
inline constexpr char kQuickLaunchSubfolder[] = "\\Microsoft\\Internet Explorer\\Quick Launch";

struct DataFolderSearch {
  std::string folder;        // with a trailing backslash
  bool existingInstall = false;  // found through App Paths with the program in place: ask nothing
  std::string proposedSubfolder;  // "Framelark\" when the folder is only a default
};
// The search in its order: App Paths (the Pro folder's parent), the record's
// BasePath (local machine, then current config), the earlier product's App
// Paths, ProgramFilesDir, "c:\".
DataFolderSearch FindDataFolder(SettingsStore& store, const FileExistsFn& fileExists);

// Browse: a picked folder becomes the edit text ("Program Files", "Program
// Files (x86)" and bare drives get "\Framelark\").
std::string BrowseProposal(std::string picked);
// A program already in the target folder (any case) is not copied onto itself.
bool SameFolder(const std::string& a, const std::string& b);
// The edit text as a folder with exactly one trailing backslash.
std::string FolderWithBackslash(std::string folder);
// Kibibytes, rounded up (what the forms and the uninstall entry show).
uint64_t KibUp(uint64_t bytes);
std::string FreeSpaceText(uint64_t neededBytes, uint64_t freeBytes, const std::string& folder);

// Registrations; false names the failing step's message for SetupWarning.
std::optional<std::string> WriteAppPath(SettingsStore& store, const std::string& programPath);
std::optional<std::string> WriteUninstallEntry(SettingsStore& store, const std::string& programFolder,
                                               uint64_t estimatedBytes);
// ReInstalCnt + 1 with BasePath and the product references, in one series.
bool WriteInstallRecord(Settings& settings, const std::string& dataFolder);

// ---- removal ------------------------------------------------------------------

struct InstallLocation {
  std::string programFolder, dataFolder;  // trailing backslashes; empty when not found
};
// Removes App Paths and the uninstall entry, and the Run value; returns where
// App Paths pointed (else the record's BasePath). Each step on its own.
InstallLocation RemoveRegistrations(SettingsStore& store);
// A program folder may be emptied only when it is a folder named "Pro" that
// holds the program file: a damaged App Paths value must never empty another folder.
bool IsProgramFolder(const std::string& folder, const FileExistsFn& fileExists);
// The working folders removed when empty, in order.
std::vector<std::string> EmptyWorkingFolders(const std::string& dataFolder);
// The batch file that deletes the program once its process has ended: at most
// `tries` attempts a second apart, then the program folder, the data folder if
// empty, and itself.
std::vector<std::string> SelfRemovalScript(const std::string& programFolder, const std::string& dataFolder,
                                           const std::string& scriptPath, int tries);

}  // namespace flk
