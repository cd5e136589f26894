// Installer and uninstaller decisions; see install_rules.h.
#include "setup/install_rules.h"

#include <algorithm>
#include <cctype>

#include "base/strings.h"
#include "shell/data_folders.h"
#include "shell/names.h"

namespace flk {

namespace {

constexpr RootKey kMachine = RootKey::LocalMachine;

std::optional<std::string> ReadString(SettingsStore& store, RootKey root, const std::string& path,
                                      const std::string& name) {
  KeyGuard key(store, store.OpenKey(root, path, kAccessRead, false));
  if (!key) return std::nullopt;
  std::optional<RegValue> v = store.GetValue(key.id(), name);
  if (!v || (v->type != RegType::String && v->type != RegType::ExpandString)) return std::nullopt;
  std::string s = StringOf(*v);
  if (s.empty()) return std::nullopt;
  return s;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WithoutBackslash(std::string s) {
  while (!s.empty() && (s.back() == '\\' || s.back() == '/')) s.pop_back();
  return s;
}

}  // namespace

DataFolderSearch FindDataFolder(SettingsStore& store, const FileExistsFn& fileExists) {
  DataFolderSearch r;
  if (auto app = ReadString(store, kMachine, kAppPathKey, "")) {
    // The program folder "...\Pro\": its parent, without the last three characters.
    std::string pro = FolderOf(*app);
    if (pro.size() >= 4) {
      r.folder = pro.substr(0, pro.size() - 4);
      r.existingInstall = fileExists(r.folder + "Pro\\" + kProgramFile);
      return r;
    }
  }
  for (RootKey root : {kMachine, RootKey::CurrentConfig})
    if (auto base = ReadString(store, root, kSettingsPath, "BasePath")) {
      r.folder = FolderWithBackslash(*base);
      return r;
    }
  if (auto old = ReadString(store, kMachine, kOldAppPathKey, "")) {
    r.folder = FolderOf(*old);
    return r;
  }
  auto programFiles = ReadString(store, kMachine, kWindowsCurrentVersionKey, "ProgramFilesDir");
  r.folder = programFiles ? FolderWithBackslash(*programFiles) : "c:\\";
  r.proposedSubfolder = "Framelark\\";
  return r;
}

std::string BrowseProposal(std::string picked) {
  picked = WithoutBackslash(picked);
  std::string low = AsciiLower(picked);
  auto endsWith = [&](const std::string& tail) {
    return low.size() >= tail.size() && low.compare(low.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (endsWith("program files") || endsWith("program files (x86)") || picked.size() == 2)
    return picked + "\\Framelark\\";
  return picked + "\\";
}

bool SameFolder(const std::string& a, const std::string& b) { return EqualsNoCase(a, b); }

std::string FolderWithBackslash(std::string folder) { return WithoutBackslash(std::move(folder)) + "\\"; }

uint64_t KibUp(uint64_t bytes) { return (bytes + 1023) / 1024; }

std::string FreeSpaceText(uint64_t neededBytes, uint64_t freeBytes, const std::string& folder) {
  return std::to_string(KibUp(neededBytes)) + " KiB needed\r\nOnly " + std::to_string(freeBytes / 1024) +
         " KiB available at " + folder + ".";
}

std::optional<std::string> WriteAppPath(SettingsStore& store, const std::string& programPath) {
  KeyGuard key(store, store.OpenKey(kMachine, kAppPathKey, kAccessAll, true));
  if (!key) return std::string("Couldn't open App Paths key.");
  if (!store.SetValue(key.id(), "", StringValue(programPath)))
    return std::string("Couldn't add FramelarkPro to App Paths.");
  return std::nullopt;
}

std::optional<std::string> WriteUninstallEntry(SettingsStore& store, const std::string& programFolder,
                                               uint64_t estimatedBytes) {
  KeyGuard key(store, store.OpenKey(kMachine, kUninstallKey, kAccessAll, true));
  if (!key) return std::string("Couldn't open Uninstall FramelarkPro Key.");
  const std::string exe = programFolder + kProgramFile;
  bool ok = store.SetValue(key.id(), "DisplayName", StringValue(kProgramName)) &&
            store.SetValue(key.id(), "UninstallString", StringValue("\"" + exe + "\" " + kRoleUninstal));
  // What the system's list of installed apps shows beside the name.
  ok = ok && store.SetValue(key.id(), "DisplayIcon", StringValue(exe)) &&
       store.SetValue(key.id(), "DisplayVersion", StringValue(kProgramVersion)) &&
       store.SetValue(key.id(), "Publisher", StringValue("Hollowbrook")) &&
       store.SetValue(key.id(), "EstimatedSize", DwordValue(int32_t(KibUp(estimatedBytes)))) &&
       store.SetValue(key.id(), "NoModify", DwordValue(1)) && store.SetValue(key.id(), "NoRepair", DwordValue(1));
  if (!ok) return std::string("Couldn't add FramelarkPro to uninstall list.");
  return std::nullopt;
}

bool WriteInstallRecord(Settings& settings, const std::string& dataFolder) {
  int count = 1;
  if (settings.OpenKeyAt(kMachine, kSettingsPath, kAccessRead, false, false)) {
    count = settings.ReadSetting("ReInstalCnt", 1);
    settings.EndReadSeries();
  }
  if (!settings.OpenKeyAt(kMachine, kSettingsPath, kAccessAll, true, true)) return false;
  settings.WriteSetting("ReInstalCnt", count + 1);
  settings.WriteSetting("BasePath", dataFolder);
  settings.WriteSetting("ProgramNameRef", std::string(kProgramName));
  settings.WriteSetting("ProgramVersionRef", std::string(kProgramVersion));
  settings.EndWriteSeries();
  return true;
}

InstallLocation RemoveRegistrations(SettingsStore& store) {
  InstallLocation loc;
  if (auto app = ReadString(store, kMachine, kAppPathKey, "")) {
    loc.programFolder = FolderOf(*app);
    if (loc.programFolder.size() >= 4) loc.dataFolder = loc.programFolder.substr(0, loc.programFolder.size() - 4);
  }
  store.DeleteKeyTree(kMachine, kAppPathKey);
  store.DeleteKeyTree(kMachine, kUninstallKey);
  {
    KeyGuard run(store, store.OpenKey(RootKey::CurrentUser, kRunKey, kAccessAll, false));
    if (run) store.DeleteValue(run.id(), kRunValue);
  }
  if (loc.programFolder.empty()) {
    if (auto base = ReadString(store, kMachine, kSettingsPath, "BasePath")) {
      loc.dataFolder = FolderWithBackslash(*base);
      loc.programFolder = loc.dataFolder + "Pro\\";
    }
  }
  return loc;
}

bool IsProgramFolder(const std::string& folder, const FileExistsFn& fileExists) {
  std::string f = WithoutBackslash(folder);
  size_t slash = f.find_last_of('\\');
  if (slash == std::string::npos || slash < 2) return false;  // a drive or no folder at all
  return AsciiLower(f.substr(slash + 1)) == "pro" && fileExists(f + "\\" + kProgramFile);
}

std::vector<std::string> EmptyWorkingFolders(const std::string& d) {
  std::vector<std::string> folders = WorkingFoldersOf(d);
  folders.insert(folders.begin(), PictureFoldersOf(d) + kFirstFolder);  // the inner one first
  return folders;
}

std::vector<std::string> SelfRemovalScript(const std::string& programFolder, const std::string& dataFolder,
                                           const std::string& scriptPath, int tries) {
  const std::string exe = "\"" + programFolder + kProgramFile + "\"";
  return {
      "@echo off",
      "set /a n=0",
      ":Repeat",
      "del " + exe,
      "if not exist " + exe + " goto Done",
      "set /a n+=1",
      "if %n% geq " + std::to_string(tries) + " goto Done",
      // About a second between tries, without a console program that may be missing.
      "ping -n 2 127.0.0.1 > nul",
      "goto Repeat",
      ":Done",
      "rmdir \"" + WithoutBackslash(programFolder) + "\"",
      "rmdir \"" + WithoutBackslash(dataFolder) + "\"",
      "del \"" + scriptPath + "\"",
  };
}

}  // namespace flk
