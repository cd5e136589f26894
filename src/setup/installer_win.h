// The roles "setup" and "uninstal".
#pragma once

namespace flk {

int RunSetupRole();
int RunUninstalRole();

// CloseRunningWindows: every window of the program's roles is asked to close.
void CloseRunningWindows();

}  // namespace flk
