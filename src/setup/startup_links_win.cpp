#include "setup/startup_links_win.h"

#include <shlobj.h>

#include "setup/install_rules.h"
#include "setup/launch_options.h"
#include "setup/shortcut_win.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/registry_store_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/files_win.h"
#include "win32/modal_form_win.h"
#include "win32/window.h"

namespace flk {

namespace {

enum Id { kStartWWin = 701, kDesktop, kStartMenu, kQuickLaunch };

bool LinkExists(const std::string& p) { return win::FileExists(p); }

class TfrmStartupLinks : public win::ModalForm {
 public:
  void Execute(HWND camera) {
    const std::unique_ptr<SettingsStore> registry = MakeRegistryStore();
    SettingsStore& store = *registry;
    bool run = false;
    {
      KeyGuard key(store, store.OpenKey(RootKey::CurrentUser, kRunKey, kAccessRead, false));
      run = key && store.GetValue(key.id(), kRunValue).has_value();
    }
    auto desktop = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    if (!desktop) desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    std::optional<std::string> quick;
    if (auto appData = SpecialFolder(CSIDL_APPDATA)) quick = *appData + kQuickLaunchSubfolder;
    const std::optional<std::string> folders[3] = {desktop, SpecialFolder(CSIDL_STARTMENU), quick};
    shown_ = ReadLaunchOptions(run, folders, quick && win::DirectoryExists(*quick), &LinkExists);

    DpiScale s = win::WindowScale(camera);
    if (!win::CreateDialogForm(*this, L"TfrmStartupLinks", kLaunchOptionsCaption,
                               Size{kLaunchOptionsWidth, kLaunchOptionsHeight}, s, win::FormPlace::BelowMouse, camera))
      return;
    KeepOnScreen(hwnd());
    font_ = win::MakeSystemFont(win::SystemFont::Message, s);
    HFONT font = win::FontOrDefault(font_);
    for (int i = 0; i < 4; ++i) {
      const bool enabled = i == 0 || shown_.boxes[i - 1].enabled;
      const bool ticked = i == 0 ? shown_.startWithWindows : shown_.boxes[i - 1].ticked;
      HWND b = win::CreateChild(hwnd(), L"BUTTON", LaunchBoxes()[size_t(i)].text, BS_AUTOCHECKBOX | WS_TABSTOP,
                                s(LaunchBoxes()[size_t(i)].rect), kStartWWin + i, font);
      ::EnableWindow(b, enabled);
      ::SendMessageW(b, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    for (const LaunchFormText& note : LaunchNotes())
      win::CreateChild(hwnd(), L"STATIC", note.text, SS_LEFT, s(note.rect), 0, font);
    win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, s(kLaunchOkRect), IDOK, font);
    win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, s(kLaunchCancelRect), IDCANCEL, font);
    win::ModalOptions options;
    options.owner = camera;
    RunModal(options);
  }

 protected:
  bool OnCommand(int id, int) override {
    if (id != IDOK) return false;
    Ok();
    EndModal();
    return true;
  }

 private:
  win::UniqueFont font_;  // the controls' font, at the window's scale
  bool Ticked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }

  void Ok() {
    const bool ticked[3] = {Ticked(kDesktop), Ticked(kStartMenu), Ticked(kQuickLaunch)};
    LaunchChanges c = PlanLaunchChanges(shown_, Ticked(kStartWWin), ticked);
    // Errors are ignored: each change stands on its own.
    const std::unique_ptr<SettingsStore> registry = MakeRegistryStore();
    SettingsStore& store = *registry;
    {
      KeyGuard run(store, store.OpenKey(RootKey::CurrentUser, kRunKey, kAccessAll, true));
      if (run && c.writeRun) store.SetValue(run.id(), kRunValue, StringValue(ProgramFile()));
      if (run && c.deleteRun) store.DeleteValue(run.id(), kRunValue);
    }
    ComScope com;
    for (const std::string& link : c.create) CreateShortcut(link, ProgramFile(), 0, true);
    for (const std::string& link : c.remove) win::RemoveFile(link);
  }

  LaunchOptions shown_;
};

}  // namespace

void ShowLaunchOptions(HWND camera) {
  TfrmStartupLinks form;
  form.Execute(camera);
}

}  // namespace flk
