#include "setup/install_rules.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/memory_store.h"
#include "shell/names.h"

namespace flk {
namespace {

constexpr RootKey kMachine = RootKey::LocalMachine;

void Put(InMemorySettingsStore& st, RootKey root, const std::string& path, const std::string& name,
         const RegValue& v) {
  int k = st.OpenKey(root, path, kAccessAll, true);
  st.SetValue(k, name, v);
  st.CloseKey(k);
}

std::optional<std::string> Get(InMemorySettingsStore& st, RootKey root, const std::string& path,
                               const std::string& name) {
  int k = st.OpenKey(root, path, kAccessRead, false);
  if (!k) return std::nullopt;
  auto v = st.GetValue(k, name);
  st.CloseKey(k);
  if (!v) return std::nullopt;
  return v->type == RegType::Dword ? std::to_string(DwordOf(*v)) : StringOf(*v);
}

TEST(DataFolderSearch, FirstHitInOrder) {
  std::set<std::string> files = {"D:\\Data\\Pro\\FramelarkPro.exe"};
  FileExistsFn exists = [&](const std::string& p) { return files.count(p) > 0; };
  InMemorySettingsStore st;
  DataFolderSearch none = FindDataFolder(st, exists);
  EXPECT_EQ(none.folder, "c:\\");
  EXPECT_EQ(none.proposedSubfolder, "Framelark\\");
  Put(st, kMachine, kWindowsCurrentVersionKey, "ProgramFilesDir", StringValue("C:\\Program Files"));
  EXPECT_EQ(FindDataFolder(st, exists).folder, "C:\\Program Files\\");
  Put(st, kMachine, kOldAppPathKey, "", StringValue("E:\\Old\\Framelark.exe"));
  DataFolderSearch old = FindDataFolder(st, exists);
  EXPECT_EQ(old.folder, "E:\\Old\\");
  EXPECT_EQ(old.proposedSubfolder, "");
  Put(st, RootKey::CurrentConfig, kSettingsPath, "BasePath", StringValue("F:\\Config\\"));
  EXPECT_EQ(FindDataFolder(st, exists).folder, "F:\\Config\\");
  Put(st, kMachine, kSettingsPath, "BasePath", StringValue("G:\\Record"));
  EXPECT_EQ(FindDataFolder(st, exists).folder, "G:\\Record\\");
  Put(st, kMachine, kAppPathKey, "", StringValue("D:\\Data\\Pro\\FramelarkPro.exe"));
  DataFolderSearch app = FindDataFolder(st, exists);
  EXPECT_EQ(app.folder, "D:\\Data\\");
  EXPECT_TRUE(app.existingInstall);
  files.clear();  // App Paths names a folder whose program is gone: ask again
  EXPECT_FALSE(FindDataFolder(st, exists).existingInstall);
}

TEST(DataFolderSearch, BrowseRulesAndTexts) {
  EXPECT_EQ(BrowseProposal("C:\\Program Files"), "C:\\Program Files\\Framelark\\");
  EXPECT_EQ(BrowseProposal("C:\\Program Files (x86)\\"), "C:\\Program Files (x86)\\Framelark\\");
  EXPECT_EQ(BrowseProposal("D:\\"), "D:\\Framelark\\");
  EXPECT_EQ(BrowseProposal("D:\\Tools"), "D:\\Tools\\");
  EXPECT_EQ(FolderWithBackslash("D:\\Tools\\\\"), "D:\\Tools\\");
  EXPECT_EQ(FreeSpaceText(3000000, 2048 * 1024 + 5, "D:\\Tools\\"),
            "2930 KiB needed\r\nOnly 2048 KiB available at D:\\Tools\\.");
}

TEST(Registrations, WrittenReadBackAndRemoved) {
  InMemorySettingsStore st;
  EXPECT_FALSE(WriteAppPath(st, "C:\\Data\\Pro\\FramelarkPro.exe"));
  EXPECT_FALSE(WriteUninstallEntry(st, "C:\\Data\\Pro\\", 2048));
  EXPECT_EQ(Get(st, kMachine, kAppPathKey, ""), "C:\\Data\\Pro\\FramelarkPro.exe");
  EXPECT_EQ(Get(st, kMachine, kUninstallKey, "DisplayName"), "FramelarkPro");
  EXPECT_EQ(Get(st, kMachine, kUninstallKey, "UninstallString"), "\"C:\\Data\\Pro\\FramelarkPro.exe\" uninstal");
  EXPECT_EQ(Get(st, kMachine, kUninstallKey, "DisplayVersion"), "1.32");
  EXPECT_EQ(Get(st, kMachine, kUninstallKey, "EstimatedSize"), "2");
  Put(st, RootKey::CurrentUser, kRunKey, kRunValue, StringValue("x"));
  Put(st, RootKey::CurrentUser, kRunKey, "Other", StringValue("y"));
  InstallLocation loc = RemoveRegistrations(st);
  EXPECT_EQ(loc.programFolder, "C:\\Data\\Pro\\");
  EXPECT_EQ(loc.dataFolder, "C:\\Data\\");
  EXPECT_FALSE(st.KeyExists(kMachine, kAppPathKey));
  EXPECT_FALSE(st.KeyExists(kMachine, kUninstallKey));
  EXPECT_FALSE(Get(st, RootKey::CurrentUser, kRunKey, kRunValue));
  EXPECT_EQ(Get(st, RootKey::CurrentUser, kRunKey, "Other"), "y");  // others' values stay
  // A second run finds the location through the record.
  Put(st, kMachine, kSettingsPath, "BasePath", StringValue("C:\\Data\\"));
  InstallLocation again = RemoveRegistrations(st);
  EXPECT_EQ(again.programFolder, "C:\\Data\\Pro\\");
  EXPECT_EQ(RemoveRegistrations(*std::make_unique<InMemorySettingsStore>()).programFolder, "");
}

TEST(Removal, OnlyARealProgramFolderIsEmptied) {
  std::set<std::string> files = {"C:\\Data\\Pro\\FramelarkPro.exe", "C:\\Windows\\FramelarkPro.exe"};
  FileExistsFn exists = [&](const std::string& p) { return files.count(p) > 0; };
  EXPECT_TRUE(IsProgramFolder("C:\\Data\\Pro\\", exists));
  EXPECT_FALSE(IsProgramFolder("C:\\Windows\\", exists));  // has the file, but is not "Pro"
  EXPECT_FALSE(IsProgramFolder("C:\\Other\\Pro\\", exists));  // no program there
  EXPECT_FALSE(IsProgramFolder("C:\\", exists));
  EXPECT_FALSE(IsProgramFolder("", exists));
}

TEST(Removal, TheScriptWaitsABoundedTimeThenCleansUpAndDeletesItself) {
  auto lines = SelfRemovalScript("C:\\Data\\Pro\\", "C:\\Data\\", "C:\\Temp\\flk-remove-1.bat", 30);
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  EXPECT_NE(all.find("del \"C:\\Data\\Pro\\FramelarkPro.exe\"\n"), std::string::npos);
  EXPECT_NE(all.find("if %n% geq 30 goto Done\n"), std::string::npos);
  EXPECT_NE(all.find("rmdir \"C:\\Data\\Pro\"\nrmdir \"C:\\Data\"\n"), std::string::npos);
  EXPECT_EQ(lines.back(), "del \"C:\\Temp\\flk-remove-1.bat\"");
  EXPECT_EQ(EmptyWorkingFolders("C:\\Data\\").front(), "C:\\Data\\Folders\\First Folder");
}

}  // namespace
}  // namespace flk
