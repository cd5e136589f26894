// The uninstaller: registrations and shortcuts go, the ring is emptied, empty
// working folders and the program folder are removed, and a script in the
// user's temporary folder deletes the program file once this process has ended.
#include <shlobj.h>

#include "setup/install_rules.h"
#include "setup/install_steps.h"
#include "setup/installer_win.h"
#include "setup/setup_form_win.h"
#include "setup/shortcut_win.h"
#include "shell/app_win.h"
#include "shell/data_folders.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/startup_settings.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr UINT kRemovalDelayMs = 600;  // the closed windows need a moment to go
constexpr int kScriptTries = 60;       // about a minute of waiting for the program file

void DeleteShortcutBelow(int csidl, const std::string& sub) {
  if (auto folder = SpecialFolder(csidl)) win::RemoveFile(*folder + sub + "\\" + kShortcutName);
}

std::string TempScriptPath() {
  wchar_t temp[MAX_PATH] = {};
  DWORD n = ::GetTempPathW(MAX_PATH, temp);
  std::string dir = n ? win::Narrow(temp) : std::string("C:\\");
  return dir + RemovalScriptName(::GetCurrentProcessId(), ::GetTickCount());
}

void Remove(TfrmSetup& form, RoleSettings& rs) {
  SettingsStore& store = rs.settings().store();
  InstallLocation loc = RemoveRegistrations(store);
  for (int csidl : {CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU, CSIDL_COMMON_PROGRAMS,
                    CSIDL_COMMON_DESKTOPDIRECTORY})
    DeleteShortcutBelow(csidl, "");
  DeleteShortcutBelow(CSIDL_APPDATA, kQuickLaunchSubfolder);
  DeleteShortcutBelow(CSIDL_COMMON_APPDATA, kQuickLaunchSubfolder);
  if (loc.programFolder.empty()) {
    ShowMessageText(kLocationGoneText);
    return form.Finish(0);
  }
  const std::string& d = loc.dataFolder;
  RemoveFolder(RingFolderOf(d));
  for (const std::string& folder : EmptyWorkingFolders(d)) win::RemoveEmptyFolder(folder);
  if (IsProgramFolder(loc.programFolder, [](const std::string& p) { return win::FileExists(p); })) {
    RemoveFolder(loc.programFolder);  // all but the running program file
    std::string script = TempScriptPath();
    const std::string text = ScriptText(SelfRemovalScript(loc.programFolder, d, script, kScriptTries));
    if (win::WriteFileAtomic(script,
                             [&text](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); }))
      win::ShellOpen(form.hwnd(), script, "", SW_HIDE);
  }
  form.Finish(0);
}

}  // namespace

int RunUninstalRole() {
  RoleSettings settings;
  TfrmSetup form({kUninstallCaption, kUninstallMemoText, kUninstallOk}, [&settings](TfrmSetup& f) {
    if (!IsAdministrator(settings.settings())) return f.Finish(1);
    CloseRunningWindows();
    f.After(kRemovalDelayMs, [&f, &settings] { Remove(f, settings); });
  });
  return form.Run();
}

}  // namespace flk
