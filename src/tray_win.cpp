#include "tray_win.h"

#include <shellapi.h>

#include "camera/camera_win.h"
#include "camera_role_win.h"
#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/print_screen_key.h"
#include "win32/shell_win.h"
#include "win32/system_dll_win.h"
#include "win32/task_dialog_win.h"
#include "win32/screen_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kHotKeyId = 0;
constexpr int kOpenSettingsId = 100;

TrayMouse TrayMouseOf(LPARAM lp) {
  switch (lp) {
    case WM_LBUTTONDOWN: return TrayMouse::LeftDown;
    case WM_LBUTTONUP: return TrayMouse::LeftUp;
    case WM_RBUTTONDOWN: return TrayMouse::RightDown;
    case WM_RBUTTONUP: return TrayMouse::RightUp;
    default: return TrayMouse::Other;
  }
}

}  // namespace

template <typename F>
void TfrmFramelark::SelfActivating(F f) {
  role_.controller().SetSelfActivating(true);
  f();
  ::PostMessageW(hwnd(), WM_USER, 0, 0);
  role_.controller().SetSelfActivating(false);
}

bool TfrmFramelark::FormCreate() {
  CameraController& controller = role_.controller();
  // 1: one camera process per user session; the running one opens its camera.
  HWND running = ::FindWindowA(kTrayClass, kTrayCaption);
  if (running) {
    ::PostMessageW(running, kWmCameraRequest, 0, 0);
    ::SetForegroundWindow(running);
    controller.SetSkipTeardown();
    return false;
  }
  // The window is never shown; its caption lets other processes find it.
  if (!Create(win::Widen(kTrayClass).c_str(), win::Widen(kTrayResourceCaption).c_str(), WS_POPUP | WS_DISABLED, 0,
              0, 0, 0, 0))
    return false;
  // 2
  ::SetWindowTextW(hwnd(), win::Widen(kTrayCaption).c_str());
  // 4
  StartupResult r = LoadStartupSettings(role_.settings(), RealSystem());
  if (!r.values) role_.InstallationError(r.fatal);
  role_.values() = *r.values;
  // 5
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  for (;;) {
    if (AddTrayIcon()) break;
    int answer = MessageBoxText(nullptr, "Installation problem; couldn't install status area icon.", "FramelarkPro ",
                                MB_ABORTRETRYIGNORE | MB_ICONWARNING);
    if (answer == IDABORT) {
      controller.SetSkipTeardown();
      return false;
    }
    if (answer == IDIGNORE) break;
  }
  // 6
  RegisterPrintScreen();
  // 7: stored notes come back with their manager.
  if (StickyFilesExist() && !::FindWindowA(kStickiesClass, kStickiesCaption)) StartRole(kRoleSticky, SW_SHOWNOACTIVATE);
  // 8: started with Windows: wait in the tray.
  if (role_.values().runEntryExists) {
    controller.SetState(CameraState::InTray);
    return true;
  }
  ::SetTimer(hwnd(), kTimer1, 100, nullptr);
  return true;
}

bool TfrmFramelark::AddTrayIcon() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
  nid.hWnd = hwnd();
  nid.uID = 0;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kWmTrayNotify;
  win::UniqueIcon icon(static_cast<HICON>(::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), 0)));
  nid.hIcon = icon.get();
  lstrcpynW(nid.szTip, win::Widen(kProgramName).c_str(), 64);
  trayIconAdded_ = ::Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
  return trayIconAdded_;
}

bool TfrmFramelark::RegisterPrintScreen() {
  while (!::RegisterHotKey(hwnd(), kHotKeyId, 0, VK_SNAPSHOT)) {
    // Find out who has the key before saying what to do about it.
    RTL_OSVERSIONINFOW v;
    uint32_t build = win::TrueWindowsVersion(&v) ? v.dwBuildNumber : 0;
    PrintScreenHolder holder = WhoHoldsPrintScreen(ReadSnippingSetting(role_.settings().store()), build);
    if (AskAboutPrintScreen(holder, build) != IDRETRY) {
      printScreenKeyHeld_ = false;
      return false;
    }
  }
  printScreenKeyHeld_ = true;
  return true;
}

int TfrmFramelark::AskAboutPrintScreen(PrintScreenHolder holder, uint32_t build) {
  std::string text = PrintScreenTakenText(holder, build);
  if (holder == PrintScreenHolder::WindowsCapture) {
    win::TaskQuestion q;
    q.caption = kProgramName;
    q.text = text;
    // Opening the page leaves the box up, so that Retry follows the user's change.
    q.buttons.push_back({kOpenSettingsId, kOpenKeyboardSettingsButton,
                         [this] { win::ShellOpen(hwnd(), kKeyboardSettingsPage); }});
    q.common = TDCBF_RETRY_BUTTON | TDCBF_CANCEL_BUTTON;
    q.defaultId = kOpenSettingsId;
    if (int answer = win::AskTaskQuestion(nullptr, q)) return answer;
  }
  return MessageBoxText(nullptr, text, kProgramName, MB_RETRYCANCEL | MB_ICONWARNING);
}

void TfrmFramelark::PerformTrayPlan(const TrayPlan& p) {
  if (p.refused) return;  // CameraAvailable(true) has beeped and brought the dialog forward
  TfrmCam& cam = role_.camera();
  if (p.openCamera) role_.OpenCamera();
  if (p.thaw) cam.capture().ThawDesktop(true);
  if (p.returnAfterDelay) {
    cam.ReturnAfterRefreshDelay();
    return;
  }
  if (!p.lastActive) {
    if (p.markStale) cam.MarkStale();
    cam.RequestCapture(false, p.mode);
    return;
  }
  role_.ShowCamera();
  // The window that was in front before the tray click goes back to the
  // front, just beneath the camera, and is the one captured: which window
  // the system activates when the camera steps aside is not ours to choose.
  bool known = lastForeign_ && ::IsWindow(lastForeign_);
  if (known) ::SetForegroundWindow(lastForeign_);
  cam.capture().SetLastActiveWindow(known ? lastForeign_ : nullptr);
  SelfActivating([&] { ::SetForegroundWindow(cam.hwnd()); });
  cam.RequestCapture(false, p.mode);
  // While the camera is away the window is in front again, unobscured.
  if (known && !::IsWindowVisible(cam.hwnd())) ::SetForegroundWindow(lastForeign_);
}

void TfrmFramelark::NoteForegroundWindow() {
  HWND w = ::GetForegroundWindow();
  DWORD pid = 0;
  if (w) ::GetWindowThreadProcessId(w, &pid);
  if (w && pid != ::GetCurrentProcessId()) lastForeign_ = w;
}

void TfrmFramelark::OnActivateApp(bool active) {
  TfrmCam& cam = role_.camera();
  AppActivationPlan p = role_.controller().AppActivated(active, cam.capture().hold(), !active && role_.CameraAvailable(false));
  constexpr UINT kZOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                          SWP_NOSENDCHANGING;  // 1811
  if (p.topmost) ::SetWindowPos(cam.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kZOnly);
  if (p.notTopmost) ::SetWindowPos(cam.hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kZOnly);
  if (!p.checkView) return;
  bool hidden = !::IsWindowVisible(cam.hwnd());
  bool pending = false;
  if (!hidden && !cam.capture().hold()) {
    // Windows above the camera that still wait to paint make its view stale.
    RECT cr;
    ::GetWindowRect(cam.hwnd(), &cr);
    for (const win::WindowAbove& w : win::WindowsAbove(cam.hwnd(), Rect{cr.left, cr.top, cr.right, cr.bottom})) {
      MSG m;
      if (::PeekMessageW(&m, w.hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        pending = true;
        break;
      }
    }
  }
  cam.OnAppActivated(hidden, pending);
}

void TfrmFramelark::PopupMenuTray() {
  win::UniqueMenu menu(::CreatePopupMenu());
  for (const TrayMenuItem& item : TrayMenuItems(printScreenKeyHeld_)) {
    if (item.text)
      ::AppendMenuW(menu.get(), MF_STRING, UINT(item.command), win::Widen(item.text).c_str());
    else
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  }
  POINT pt;
  ::GetCursorPos(&pt);
  ::SetForegroundWindow(hwnd());
  UINT cmd = UINT(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  if (cmd == UINT(TrayCommand::Exit))
    role_.ExitProgram();
  else if (cmd == UINT(TrayCommand::UsePrintScreenKey)) {
    if (RegisterPrintScreen()) MessageBoxText(nullptr, kPrintScreenRegainedText, kProgramName, MB_ICONINFORMATION);
  }
  else if (cmd != 0)
    PerformTrayPlan(role_.controller().TrayClick(TrayCommand(cmd), role_.CameraAvailable(true)));
}

void TfrmFramelark::Teardown() {
  if (trayIconAdded_) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    nid.hWnd = hwnd();
    nid.uID = 0;
    if (!::Shell_NotifyIconW(NIM_DELETE, &nid)) ShowMessageText("Couldn't remove Framelark from status area.");
    trayIconAdded_ = false;
  }
  ::UnregisterHotKey(hwnd(), kHotKeyId);
}

bool TfrmFramelark::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    // The shell restarted: put the icon back.
    AddTrayIcon();
    return true;
  }
  CameraController& controller = role_.controller();
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1) {
        ::KillTimer(hwnd(), kTimer1);
        role_.OpenCamera();
      }
      return true;
    case kWmTrayNotify: {
      TrayNotifyPlan p = controller.TrayNotify(TrayMouseOf(lp), role_.camera().capture().frozen());
      if (p.noteForeground) NoteForegroundWindow();
      if (p.click) PerformTrayPlan(controller.TrayClick(TrayCommand::Open, role_.CameraAvailable(true)));
      if (p.thawOnly) role_.camera().capture().ThawDesktop(true);
      if (p.popupMenu) PopupMenuTray();
      return true;
    }
    case kWmCameraRequest: {
      // Code 0 asks like a tray click; the others are refused quietly until
      // the availability check (which beeps) has run.
      if (auto p = controller.CameraRequest(static_cast<long long>(wp), role_.CameraAvailable(true)))
        PerformTrayPlan(*p);
      return true;
    }
    case WM_ACTIVATEAPP:
      OnActivateApp(wp != 0);
      return false;
    case WM_HOTKEY:
      // Print Screen freezes the desktop under the camera.
      if (wp == kHotKeyId && role_.CameraAvailable(true))
        SelfActivating([&] { role_.camera().capture().PrintScreenKey(); });
      return true;
  }
  return false;
}

}  // namespace flk
