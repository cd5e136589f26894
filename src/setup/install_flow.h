// The installation from the admin check to the start of the installed
// program, as one sequence over the settings store and what it asks of the
// machine and the user (the Win32 side answers, tests answer in memory).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/settings.h"

namespace flk {

class InstallMachine {
 public:
  virtual ~InstallMachine() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual void MakeFolder(const std::string& path) = 0;  // with the folders above it
  // Every user may write in the folder (a data folder under Program Files).
  virtual void LetUsersWrite(const std::string& folder) = 0;
  virtual void CloseRunningWindows() = 0;
  // "Directory Selection"; nothing when cancelled.
  virtual std::optional<std::string> AskInstallFolder(const std::string& proposal, uint64_t needed) = 0;
  virtual void ShowStep(const std::string& path) = 0;  // the file being written, on the form
  // False when the user gave up after a failed copy.
  virtual bool CopyProgram(const std::string& to) = 0;
  virtual bool WriteReadme(const std::string& path) = 0;
  // Before the registrations: the system's last error cleared, so that a warning names only theirs.
  virtual void ClearSystemError() = 0;
  virtual void MakeShortcuts(const std::string& program) = 0;
  virtual void StartProgram(const std::string& program) = 0;
};

struct InstallFacts {
  std::string runningFolder;  // where the setup program runs from
  uint64_t needed = 0;        // bytes the installation takes
};

// The setup form's exit code: 0 installed or cancelled at the folder
// question, 1 not an administrator or the program could not be copied.
int RunInstallation(Settings& settings, InstallMachine& machine, const InstallFacts& facts);

}  // namespace flk
