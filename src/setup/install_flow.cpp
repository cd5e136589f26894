#include "setup/install_flow.h"

#include "setup/install_rules.h"
#include "setup/install_steps.h"
#include "shell/data_folders.h"
#include "shell/names.h"
#include "shell/startup_settings.h"

namespace flk {

int RunInstallation(Settings& settings, InstallMachine& machine, const InstallFacts& facts) {
  SettingsStore& store = settings.store();
  if (!IsAdministrator(settings)) return 1;
  machine.CloseRunningWindows();
  const DataFolderSearch found =
      FindDataFolder(store, [&machine](const std::string& p) { return machine.FileExists(p); });
  std::string data = found.folder;
  if (!found.existingInstall) {
    std::optional<std::string> chosen = machine.AskInstallFolder(data + found.proposedSubfolder, facts.needed);
    if (!chosen) return 0;
    data = *chosen;
  }
  const std::string pro = data + "Pro\\", program = pro + kProgramFile;
  // Pictures already there keep their folders as they are.
  const bool freshData = !machine.DirectoryExists(PictureFoldersOf(data));
  machine.MakeFolder(pro);
  if (!SameFolder(pro, facts.runningFolder)) {
    machine.ShowStep(program);
    if (!machine.CopyProgram(program)) return 1;
    machine.ShowStep(pro + kReadmeFile);
    if (!machine.WriteReadme(pro + kReadmeFile)) settings.ui().SetupWarning(ReadmeWarningText(pro + kReadmeFile));
  }
  if (freshData) {
    for (const std::string& folder : WorkingFoldersOf(data)) {
      machine.MakeFolder(folder);
      machine.LetUsersWrite(folder);
    }
  }
  machine.ClearSystemError();
  if (auto problem = WriteAppPath(store, program)) settings.ui().SetupWarning(*problem);
  if (auto problem = WriteUninstallEntry(store, pro, facts.needed)) settings.ui().SetupWarning(*problem);
  WriteInstallRecord(settings, data);
  machine.MakeShortcuts(program);
  machine.StartProgram(program);
  return 0;
}

}  // namespace flk
