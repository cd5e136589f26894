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
#include "win32/modal_win.h"
#include "win32/window.h"

namespace flk {

namespace {

enum Id { kStartWWin = 701, kDesktop, kStartMenu, kQuickLaunch };
constexpr int kClientWidth = 330, kClientHeight = 250;

bool LinkExists(const std::string& p) { return win::FileExists(p); }

class TfrmStartupLinks : public win::Window {
 public:
  void Execute(HWND camera) {
    RegistrySettingsStore store;
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
    if (!win::CreateDialogForm(*this, L"TfrmStartupLinks", "Select Launch Options",
                               Size{kClientWidth, kClientHeight}, s, win::FormPlace::BelowMouse, camera))
      return;
    KeepOnScreen(hwnd());
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    auto box = [&](int id, const char* text, int y, bool enabled, bool ticked) {
      HWND b = win::CreateChild(hwnd(), L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, s(Rect::FromXYWH(12, y, 300, 18)),
                                id, font);
      ::EnableWindow(b, enabled);
      ::SendMessageW(b, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    box(kStartWWin, "&Start with Windows.", 10, true, shown_.startWithWindows);
    win::CreateChild(hwnd(), L"STATIC", "Recommended. Starts as icon in status area; program loaded as needed.",
                     SS_LEFT, s(Rect::FromXYWH(30, 30, 290, 30)), 0, font);
    box(kDesktop, "&Desktop shortcut.", 66, shown_.boxes[0].enabled, shown_.boxes[0].ticked);
    box(kStartMenu, "Start menu &first panel.", 88, shown_.boxes[1].enabled, shown_.boxes[1].ticked);
    box(kQuickLaunch, "&Quick Launch Bar (98 or 2000).", 110, shown_.boxes[2].enabled, shown_.boxes[2].ticked);
    win::CreateChild(hwnd(), L"STATIC", "Always present:\r\n    Start menu Programs panel.\r\n    Print Screen key.",
                     SS_LEFT, s(Rect::FromXYWH(12, 136, 300, 44)), 0, font);
    win::CreateChild(hwnd(), L"STATIC",
                     "Available only when Framelark is running. Use to capture elusive graphics like menus.", SS_LEFT,
                     s(Rect::FromXYWH(30, 180, 290, 28)), 0, font);
    win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(150, 216, 80, 26)),
                     IDOK, font);
    win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(238, 216, 80, 26)),
                     IDCANCEL, font);
    win::ModalOptions options;
    options.owner = camera;
    win::RunModalLoop(hwnd(), [this] { return done_; }, options);
    ::DestroyWindow(hwnd());
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
    *result = 0;
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK) Ok();
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) done_ = true;
        return true;
      case WM_CLOSE: done_ = true; return true;
      case DM_GETDEFID: *result = MAKELRESULT(IDOK, DC_HASDEFID); return true;
    }
    return false;
  }

 private:
  bool Ticked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }

  void Ok() {
    const bool ticked[3] = {Ticked(kDesktop), Ticked(kStartMenu), Ticked(kQuickLaunch)};
    LaunchChanges c = PlanLaunchChanges(shown_, Ticked(kStartWWin), ticked);
    // Errors are ignored: each change stands on its own.
    RegistrySettingsStore store;
    {
      KeyGuard run(store, store.OpenKey(RootKey::CurrentUser, kRunKey, kAccessAll, true));
      if (run && c.writeRun) store.SetValue(run.id(), kRunValue, StringValue(ProgramFile()));
      if (run && c.deleteRun) store.DeleteValue(run.id(), kRunValue);
    }
    ComScope com;
    for (const std::string& link : c.create) CreateShortcut(link, ProgramFile(), 0, true);
    for (const std::string& link : c.remove) ::DeleteFileW(win::Widen(link).c_str());
  }

  LaunchOptions shown_;
  bool done_ = false;
};

}  // namespace

void ShowLaunchOptions(HWND camera) {
  TfrmStartupLinks form;
  form.Execute(camera);
}

}  // namespace flk
