// The installer: data folder, program file and readme, registrations, the
// installation record, working folders every user may write, shortcuts, and
// the start of the installed program.
#include "setup/installer_win.h"

#include <aclapi.h>
#include <shlobj.h>

#include "base/atomic_file.h"
#include "output/save_file.h"
#include "setup/install_dir_win.h"
#include "setup/install_flow.h"
#include "setup/install_rules.h"
#include "setup/install_steps.h"
#include "setup/setup_form_win.h"
#include "setup/shortcut_win.h"
#include "shell/app_win.h"
#include "shell/data_folders.h"
#include "shell/names.h"
#include "shell/startup_settings.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

uint64_t RoomNeeded() { return BytesNeeded(win::FileSizeOf(ProgramFile())); }

bool WriteReadme(const std::string& path) {
  return win::WriteFileAtomic(path,
                              [](std::FILE* f) { return std::fwrite(kReadmeText, 1, ReadmeSize(), f) == ReadmeSize(); });
}

// Every user of the computer may capture into the working folders of a data
// folder that lies where only administrators can write (Program Files).
void GrantUsersModify(const std::string& folder) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  win::UniqueSid users;
  if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0,
                                  users.put()))
    return;
  std::wstring path = win::Widen(folder);
  PACL old = nullptr;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old,
                              nullptr, &sd) != ERROR_SUCCESS)
    return;
  win::UniqueLocal sdOwner(sd);
  EXPLICIT_ACCESSW ea{};
  ea.grfAccessPermissions = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
  ea.grfAccessMode = GRANT_ACCESS;
  ea.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  ea.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  ea.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
  ea.Trustee.ptstrName = static_cast<LPWSTR>(users.get());
  PACL acl = nullptr;
  if (::SetEntriesInAclW(1, &ea, old, &acl) != ERROR_SUCCESS) return;
  win::UniqueLocal aclOwner(acl);
  ::SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
}

// Copies the program file, asking to retry while it cannot be written; a file
// in use by a running copy is left as it is.
bool CopyProgram(const std::string& from, const std::string& to) {
  for (;;) {
    if (::CopyFileW(win::Widen(from).c_str(), win::Widen(to).c_str(), FALSE)) {
      ::SetFileAttributesW(win::Widen(to).c_str(), FILE_ATTRIBUTE_NORMAL);
      return true;
    }
    if (::GetLastError() == ERROR_SHARING_VIOLATION) return true;
    if (MessageBoxText(nullptr, CopyProgramErrorText(from, to), "Framelark Setup Error",
                       MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY)
      return false;
  }
}

void Shortcut(std::optional<std::string> folder, const std::string& target, bool warn) {
  if (folder && win::DirectoryExists(*folder)) CreateShortcut(*folder + "\\" + kShortcutName, target, 0, warn);
}

std::optional<std::string> FirstFolder(int common, int user) {
  auto f = SpecialFolder(common);
  return f ? f : SpecialFolder(user);
}

class WinInstallMachine : public InstallMachine {
 public:
  explicit WinInstallMachine(TfrmSetup& form) : form_(form) {}
  bool FileExists(const std::string& path) override { return win::FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return win::DirectoryExists(path); }
  void MakeFolder(const std::string& path) override { CreateFolderChain(path); }
  void LetUsersWrite(const std::string& folder) override { GrantUsersModify(folder); }
  void CloseRunningWindows() override { flk::CloseRunningWindows(); }
  std::optional<std::string> AskInstallFolder(const std::string& proposal, uint64_t needed) override {
    return flk::AskInstallFolder(form_.hwnd(), proposal, needed);
  }
  void ShowStep(const std::string& path) override { form_.SetMemo(path); }
  bool CopyProgram(const std::string& to) override { return flk::CopyProgram(ProgramFile(), to); }
  bool WriteReadme(const std::string& path) override { return flk::WriteReadme(path); }
  void ClearSystemError() override { ::SetLastError(0); }
  void MakeShortcuts(const std::string& program) override {
    Shortcut(FirstFolder(CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS), program, true);
    Shortcut(FirstFolder(CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY), program, true);
    if (auto appData = SpecialFolder(CSIDL_APPDATA)) Shortcut(*appData + kQuickLaunchSubfolder, program, false);
  }
  void StartProgram(const std::string& program) override { win::ShellOpen(nullptr, program, "", SW_SHOWNOACTIVATE); }

 private:
  TfrmSetup& form_;
};

}  // namespace

void CloseRunningWindows() {
  for (const RunningWindow& w : RunningWindows()) {
    HWND h = ::FindWindowA(w.windowClass, w.caption);
    if (h && w.post) ::PostMessageA(h, WM_CLOSE, 0, 0);
    if (h && !w.post) ::SendNotifyMessageA(h, WM_CLOSE, 0, 0);
  }
}

int RunSetupRole() {
  RoleSettings settings;
  const uint64_t needed = RoomNeeded();  // the program file's size, read once
  TfrmSetup form({kSetupCaption, SetupMemoText(needed)}, [&settings, needed](TfrmSetup& f) {
    WinInstallMachine machine(f);
    f.Finish(RunInstallation(settings.settings(), machine, InstallFacts{ProgramFolder(), needed}));
  });
  return form.Run();
}

}  // namespace flk
