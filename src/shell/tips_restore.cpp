// "Restore All No-Show-Again Dialogs" of the camera's Custom menu.
#include "shell/settings.h"
#include "shell/tips_layout.h"

namespace flk {

void RestoreAllNoShowAgainDialogs(Settings& settings) {
  for (const char* key : kNoShowAgainKeys) settings.WriteSingleSetting(key, false);
  if (settings.ReadSingleSetting("NextTip", -1) == -1) settings.WriteSingleSetting("NextTip", 1);
}

}  // namespace flk
