// "New Folder Name" TfrmAddFolder: asks for a folder name, with suggestions,
// to add a picture folder or to give one a new name.
#pragma once

#include <windows.h>

#include <functional>

#include "viewer/folder_manager.h"

namespace flk {

// ShowNameDialog: modal to owner, at the pointer. index below 0 adds (the
// dialog stays open for the next name and closes on an empty one); otherwise
// the folder at index gets the typed name. listChanged runs after each change
// so the owner's list follows at once.
void ShowNameDialog(HWND owner, FolderManager& manager, int index, const std::function<void()>& listChanged);

}  // namespace flk
