// Installing as a new computer's administrator would: from a download folder
// into a data folder of one's choice, with registrations, the record, working
// folders, shortcuts and the installed program started; a second setup asks
// nothing; the uninstaller removes all of it but the pictures a user kept.
#include <shlobj.h>
#include <shobjidl.h>

#include "camera_scene.h"
#include "program_fixture.h"

namespace flk::e2e {
namespace {

class SetupTest : public ProgramTest {};

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\FramelarkPro";
const std::string kData = "C:\\FlkNew\\";
const std::string kPro = kData + "Pro\\";

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? std::string(path) : std::string();
}

// Where a shell link points, read back through the shell.
std::string LinkTarget(const std::string& link) {
  std::string target;
  if (FAILED(::CoInitialize(nullptr))) return target;
  IShellLinkA* shell = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring wlink(link.begin(), link.end());
      char path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(wlink.c_str(), STGM_READ)) && SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    shell->Release();
  }
  ::CoUninitialize();
  return target;
}

HWND WaitSetupForm(const char* caption, const Process& p) { return WaitWindow("TfrmSetup", caption, true, kWaitMs, p.pid()); }

// Presses OK on the directory dialog with `folder` typed in; returns the proposal it showed.
std::string ChooseFolder(const Process& p, const std::string& folder) {
  HWND dir = WaitWindow("TfrmInstalDir", "Directory Selection", true, kWaitMs, p.pid());
  if (!dir) return "(no directory dialog) " + DescribeBoxes(p.pid());
  HWND edit = Children(dir, "Edit").front();
  std::string proposal = WindowText(edit);
  ::SetWindowTextA(edit, folder.c_str());
  PressButton(dir, IDOK);
  return proposal;
}

TEST_F(SetupTest, InstallFromDownloadsReinstallAndUninstall) {
  // A computer that never had the program.
  RegRemoveTree(HKEY_LOCAL_MACHINE, kAppPathKey);
  RegRemoveTree(HKEY_LOCAL_MACHINE, kSettingsPath);
  ::CreateDirectoryA("C:\\Downloads", nullptr);
  ASSERT_TRUE(::CopyFileA(ProgramPath().c_str(), "C:\\Downloads\\FramelarkPro.exe", FALSE));
  WriteCurrentUserSettings();

  Process setup = Process::StartCommand("C:\\Downloads\\FramelarkPro.exe", "\"C:\\Downloads\\FramelarkPro.exe\" setup");
  HWND form = WaitSetupForm("Setup FramelarkPro version 1.32", setup);
  ASSERT_TRUE(form) << DescribeBoxes(setup.pid());
  ASSERT_TRUE(PressButton(form, IDOK));
  EXPECT_EQ(ChooseFolder(setup, kData), "C:\\Program Files\\Framelark\\");
  ASSERT_TRUE(setup.WaitExit(20000)) << DescribeBoxes(setup.pid());

  EXPECT_TRUE(FileExists(kPro + "FramelarkPro.exe"));
  EXPECT_TRUE(FileExists(kPro + "Readme.txt"));
  EXPECT_FALSE(FileExists(kPro + "Setup.exe"));  // the program is one file
  EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kAppPathKey, ""), kPro + "FramelarkPro.exe");
  EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "FramelarkPro");
  EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            "\"" + kPro + "FramelarkPro.exe\" uninstal");
  EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kSettingsPath, "BasePath"), kData);
  EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kSettingsPath, "ReInstalCnt"), 2u);
  EXPECT_TRUE(DirectoryExists(kData + "Folders") && DirectoryExists(kData + "Captures"));
  const std::string desktopLink = Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\FramelarkPro.lnk";
  const std::string programsLink = Folder(CSIDL_COMMON_PROGRAMS) + "\\FramelarkPro.lnk";
  EXPECT_TRUE(FileExists(desktopLink)) << desktopLink;
  EXPECT_TRUE(FileExists(programsLink)) << programsLink;
  EXPECT_EQ(LinkTarget(desktopLink), kPro + "FramelarkPro.exe");
  EXPECT_EQ(LinkTarget(programsLink), kPro + "FramelarkPro.exe");
  // The installed program was started.
  EXPECT_TRUE(WaitUntil([] { return FindTop(kTrayClass, kTrayCaption) != nullptr; }));
  KillProgramProcesses();

  // Again: App Paths finds the installation; no directory is asked for, the count rises.
  Process again = Process::StartCommand("C:\\Downloads\\FramelarkPro.exe", "\"C:\\Downloads\\FramelarkPro.exe\" setup");
  form = WaitSetupForm("Setup FramelarkPro version 1.32", again);
  ASSERT_TRUE(form);
  ASSERT_TRUE(PressButton(form, IDOK));
  ASSERT_TRUE(again.WaitExit(20000)) << DescribeBoxes(again.pid());
  EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kSettingsPath, "ReInstalCnt"), 3u);
  KillProgramProcesses();

  // A kept picture folder survives the removal, and with it the data folder.
  ::CreateDirectoryA((kData + "Folders\\Kept").c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA((kPro + "Readme.txt").c_str(), (kData + "Folders\\Kept\\1.bmp").c_str(), FALSE));
  ::CreateDirectoryA((kData + "Folders\\LastCaptures").c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA((kPro + "Readme.txt").c_str(), (kData + "Folders\\LastCaptures\\0000000001.bmp").c_str(), FALSE));
  RegWriteString(HKEY_CURRENT_USER, kRunKey, kRunValue, kPro + "FramelarkPro.exe");
  Process remove = Process::StartCommand(kPro + "FramelarkPro.exe", "\"" + kPro + "FramelarkPro.exe\" uninstal");
  form = WaitSetupForm("Uninstall Framelark Pro version 1.32", remove);
  ASSERT_TRUE(form) << DescribeBoxes(remove.pid());
  ASSERT_TRUE(PressButton(form, IDOK));
  ASSERT_TRUE(remove.WaitExit(20000)) << DescribeBoxes(remove.pid());
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPathKey));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, kRunKey, kRunValue));
  EXPECT_FALSE(FileExists(desktopLink));
  EXPECT_FALSE(FileExists(programsLink));
  EXPECT_FALSE(DirectoryExists(kData + "Folders\\LastCaptures"));
  EXPECT_TRUE(FileExists(kData + "Folders\\Kept\\1.bmp"));
  // The script removes the program file once the uninstaller has ended.
  EXPECT_TRUE(WaitUntil([] { return !FileExists(kPro + "FramelarkPro.exe"); }, 30000));
  EXPECT_TRUE(WaitUntil([] { return !DirectoryExists(kPro); }, 5000));
  EXPECT_TRUE(DirectoryExists(kData));
}

// Opens the launch options from the camera, sets the two boxes as asked and presses OK.
void SetLaunchOptions(const Scene& s, bool startWithWindows, bool desktop, bool* wasRun, bool* wasDesktop) {
  Command(s, flk::CommandId::LaunchSettings);
  HWND dialog = WaitWindow("TfrmStartupLinks", "Select Launch Options", true, kWaitMs, s.cam.process.pid());
  ASSERT_TRUE(dialog) << DescribeBoxes(s.cam.process.pid());
  auto box = [&](int id, bool tick, bool* was) {
    HWND b = ::GetDlgItem(dialog, id);
    *was = ::SendMessageA(b, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::SendMessageA(b, BM_SETCHECK, tick ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  box(701, startWithWindows, wasRun);
  box(702, desktop, wasDesktop);
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitGone(dialog));
}

TEST_F(SetupTest, LaunchOptionsShowAndChangeTheRunValueAndTheDesktopShortcut) {
  const std::string link = Folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\FramelarkPro.lnk";
  ::DeleteFileA(link.c_str());
  Scene s;
  ASSERT_NO_FATAL_FAILURE(OpenScene(s, RECT{120, 100, 420, 360}));
  bool run = true, desktop = true;
  ASSERT_NO_FATAL_FAILURE(SetLaunchOptions(s, true, true, &run, &desktop));
  EXPECT_FALSE(run);
  EXPECT_FALSE(desktop);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRunKey, kRunValue), ProgramPath());
  EXPECT_TRUE(FileExists(link));
  ASSERT_NO_FATAL_FAILURE(SetLaunchOptions(s, false, false, &run, &desktop));
  EXPECT_TRUE(run);      // the dialog showed what exists
  EXPECT_TRUE(desktop);
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, kRunKey, kRunValue));
  EXPECT_FALSE(FileExists(link));
}

}  // namespace
}  // namespace flk::e2e
