// TfrmStartupLinks ("Select Launch Options"), opened from the camera's menu.
#pragma once

#include <windows.h>

namespace flk {

void ShowLaunchOptions(HWND camera);

}  // namespace flk
