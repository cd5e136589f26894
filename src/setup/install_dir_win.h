// TfrmInstalDir ("Directory Selection"): where the data folder goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace flk {

// The chosen data folder with a trailing backslash (its "Pro\" folder already
// made, with room for neededBytes); nothing when the user cancelled.
std::optional<std::string> AskInstallFolder(HWND owner, const std::string& proposal, uint64_t neededBytes);

}  // namespace flk
