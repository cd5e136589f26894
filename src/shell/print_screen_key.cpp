#include "shell/print_screen_key.h"

namespace flk {

std::optional<uint32_t> ReadSnippingSetting(SettingsStore& store) {
  KeyGuard key(store, store.OpenKey(RootKey::CurrentUser, kSnippingSettingKey, kAccessRead, false));
  if (!key) return std::nullopt;
  std::optional<RegValue> v = store.GetValue(key.id(), kSnippingSettingName);
  if (!v || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
  return uint32_t(DwordOf(*v));
}

PrintScreenHolder WhoHoldsPrintScreen(std::optional<uint32_t> snippingSetting, uint32_t windowsBuild) {
  bool on = snippingSetting ? *snippingSetting != 0 : windowsBuild >= kSnippingOnByDefaultBuild;
  return on ? PrintScreenHolder::WindowsCapture : PrintScreenHolder::OtherProgram;
}

std::string PrintScreenTakenText(PrintScreenHolder holder, uint32_t windowsBuild) {
  const std::string later = std::string(
                                "Click Cancel to go on without the key. To try again later, right-click the "
                                "Framelark icon in the notification area and click \"") +
                            kUsePrintScreenKeyItem + "\".";
  if (holder == PrintScreenHolder::OtherProgram) {
    const char* apps = windowsBuild >= kFirstWindows11Build ? "Settings > Apps > Installed apps"
                                                            : "Settings > Apps > Apps & features";
    return std::string(
               "Another program is already using the Print Screen key.\r\n\r\nClose that program or turn off its "
               "own Print Screen option:\r\n1  Press Print Screen.\r\n2  Note what program opens.\r\n\r\nTo "
               "remove that program:\r\n3  Open ") +
           apps + ".\r\n4  Find the program in the list and click Uninstall.\r\n\r\n5  Click Retry below.\r\n\r\n" +
           "The Print Screen key is useful for capturing transient graphics like open menus. " + later;
  }
  const bool eleven = windowsBuild >= kFirstWindows11Build;
  const char* page = eleven ? "Settings > Accessibility > Keyboard" : "Settings > Ease of Access > Keyboard";
  const char* name =
      eleven ? "Use the Print screen key to open screen capture" : "Use the PrtScn button to open screen snipping";
  return std::string("Windows is using the Print Screen key for its own screen capture.\r\n\r\nTo give the key "
                     "to Framelark:\r\n1  Click Open Keyboard Settings (") +
         page + ").\r\n2  Turn off \"" + name + "\".\r\n3  Click Retry.\r\n\r\n" + later;
}

}  // namespace flk
