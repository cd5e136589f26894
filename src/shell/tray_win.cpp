#include "shell/tray_win.h"

#include <shellapi.h>

#include <chrono>
#include <cstddef>

#include "camera/camera_win.h"
#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/tip_box_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kHotKeyId = 0;
enum TrayCommand : UINT { kMnuOpen = 1, kMnuFull, kMnuLastActive, kMnuLastClient, kMnuClose };

int g_cameraState = kBusy;
bool g_cameraStarted = false;
bool g_skipTeardown = false;
bool g_selfActivating = false;  // the program itself brings the camera to the front
StartupValues g_values;
TfrmFramelark* g_tray = nullptr;

constexpr char kMakerAddress[] = "https://www.hollowbrook.example/framelark";

SystemServices RealSystem() {
  SystemServices s;
  s.now = [] {
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
    // FILETIME counts 100 ns from 1601; the local time of day is what users read.
    FILETIME local;
    ::FileTimeToLocalFileTime(&ft, &local);
    u = {{local.dwLowDateTime, local.dwHighDateTime}};
    return OleDateFromUnixSeconds(double(u.QuadPart) / 1e7 - 11644473600.0);
  };
  s.windowsDirectory = [] {
    wchar_t buf[MAX_PATH];
    UINT n = ::GetWindowsDirectoryW(buf, MAX_PATH);
    return win::Narrow(std::wstring(buf, n < MAX_PATH ? n : 0));
  };
  s.fileExists = [](const std::string& p) {
    DWORD a = ::GetFileAttributesW(win::Widen(p).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  };
  return s;
}

HWND FindRoleWindow(const char* cls, const char* caption) { return ::FindWindowA(cls, caption); }

double FileDays(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!::GetFileAttributesExW(win::Widen(path).c_str(), GetFileExInfoStandard, &d)) return 0;
  FILETIME local;
  ::FileTimeToLocalFileTime(&d.ftLastWriteTime, &local);
  ULARGE_INTEGER u{{local.dwLowDateTime, local.dwHighDateTime}};
  return OleDateFromUnixSeconds(double(u.QuadPart) / 1e7 - 11644473600.0).days;
}

void SixMonthNotice() {
  double now = RealSystem().now().days;
  if (!SixMonthNoticeDue(FileDays(ProgramFile()), g_values.a.days, now)) return;
  std::string text = "This is FramelarkPro version 1.32\r\n\r\nTo see if a later version is now available, (and "
                     "possible free upgrade), go to:\r\n" +
                     std::string(kMakerAddress) + "\r\n\r\nWould you like to go there now?";
  if (MessageBoxText(nullptr, text, "Six month notice", MB_YESNO | MB_ICONINFORMATION) == IDYES)
    ::ShellExecuteA(nullptr, "open", kMakerAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

int CameraState() { return g_cameraState; }
void SetCameraState(int s) { g_cameraState = s; }
bool CameraStarted() { return g_cameraStarted; }
bool SkipTeardown() { return g_skipTeardown; }
void SetSkipTeardown() { g_skipTeardown = true; }
StartupValues& CameraRoleValues() { return g_values; }

void ShowCamera() {
  g_cameraState = kShown;
  if (Camera()) ::ShowWindow(Camera()->hwnd(), SW_SHOW);
}

void PutCameraAway() {
  g_cameraState = kBusy;
  if (Camera()) ::ShowWindow(Camera()->hwnd(), SW_HIDE);
}

void HideCameraToTray() {
  g_cameraState = kInTray;
  if (Camera()) ::ShowWindow(Camera()->hwnd(), SW_HIDE);
}

void SaveCameraRoleSettings() {
  CameraSaveValues cam;
  if (g_cameraStarted && Camera()) cam = Camera()->CurrentValues();
  SaveSettings(AppSettings(), RealSystem(), g_values, g_cameraStarted ? &cam : nullptr);
}

void ExitProgram() {
  SaveCameraRoleSettings();
  ::PostQuitMessage(0);
}

void InstallationError(const std::string& message) {
  std::string text = "Press OK to install (or reinstall) the program.\r\n\r\n" + message;
  if (MessageBoxText(nullptr, text, "FramelarkPro Installation Error", MB_OKCANCEL | MB_ICONERROR) == IDOK)
    StartRole(kRoleSetup, SW_SHOWNORMAL);
  g_skipTeardown = true;
  ::ExitProcess(2);
}

void OpenCamera() {
  if (g_cameraStarted) return;
  CreateCommonForm();  // its existence is what "camera started" means to the other forms
  g_cameraStarted = true;
  TfrmCam* cam = Camera();
  Settings& s = AppSettings();
  if (!s.OpenSettingsKey(kAccessRead)) {
    ::PostQuitMessage(0);  // the remaining steps still run before the loop stops
  } else {
    CameraSaveValues v = ReadCameraValues(s);
    s.EndReadSeries();
    cam->ApplySettings(v);
  }
  KeepOnScreen(cam->hwnd());
  ShowCamera();
  SixMonthNotice();
  ShowColorDepthTipIfPaletteScreen();
  if (AppSettings().ReadSingleSetting("NextTip", 1) != -1) StartRole(kRoleWelcome, SW_SHOWNORMAL);
  cam->SetStatus("  Press F1 for help.");
}

bool TfrmFramelark::FormCreate() {
  g_tray = this;
  // 1: one camera process per user session; the running one opens its camera.
  HWND running = FindRoleWindow(kTrayClass, kTrayCaption);
  if (running) {
    ::PostMessageW(running, kWmCameraRequest, 0, 0);
    ::SetForegroundWindow(running);
    g_skipTeardown = true;
    return false;
  }
  // The window is never shown; its caption lets other processes find it.
  if (!Create(L"TfrmFramelark", win::Widen(kTrayResourceCaption).c_str(), WS_POPUP | WS_DISABLED, 0, 0, 0, 0, 0))
    return false;
  // 2
  ::SetWindowTextW(hwnd(), win::Widen(kTrayCaption).c_str());
  // 4
  StartupResult r = LoadStartupSettings(AppSettings(), RealSystem());
  if (!r.values) InstallationError(r.fatal);
  g_values = *r.values;
  // 5
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  for (;;) {
    if (AddTrayIcon()) break;
    int answer = MessageBoxText(nullptr, "Installation problem; couldn't install status area icon.", "FramelarkPro ",
                                MB_ABORTRETRYIGNORE | MB_ICONWARNING);
    if (answer == IDABORT) {
      g_skipTeardown = true;
      return false;
    }
    if (answer == IDIGNORE) break;
  }
  // 6
  RegisterPrintScreen();
  // 7: stored notes come back with their manager.
  if (StickyFilesExist() && !FindRoleWindow(kStickiesClass, kStickiesCaption)) StartRole(kRoleSticky, SW_SHOWNOACTIVATE);
  // 8: started with Windows: wait in the tray.
  if (g_values.runEntryExists) {
    g_cameraState = kInTray;
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
  nid.hIcon = static_cast<HICON>(::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  lstrcpynW(nid.szTip, L"FramelarkPro", 64);
  trayIconAdded_ = ::Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
  if (nid.hIcon) ::DestroyIcon(nid.hIcon);
  return trayIconAdded_;
}

void TfrmFramelark::RegisterPrintScreen() {
  static const char kText[] =
      "Another program is already using the PrintScreen key.\r\n\r\nI recommend closing or removing that program or "
      "disabling its PrintScreen feature.\r\n1  Press PrintScreen.\r\n2  Note what program opens.\r\n\r\nTo remove "
      "this program:\r\n3  Click Start / Settings / Control Panel.\r\n4  Double click Add/Remove  Programs.\r\n5  "
      "Find the offending program in the list.\r\n6  Click Add/Remove.\r\n\r\n7  Click Retry below.\r\n\r\nThe "
      "PrintScreen key is useful for capturing transient graphics like open menus. Click Cancel to forget about "
      "using this feature.";
  while (!::RegisterHotKey(hwnd(), kHotKeyId, 0, VK_SNAPSHOT)) {
    if (MessageBoxText(nullptr, kText, "FramelarkPro", MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) break;
  }
}

// May the camera take a request now? Not while it is busy or while a dialog
// of the program is open; then, with beep, the program comes to the front.
bool CameraAvailable(bool beep) {
  TfrmCam* cam = Camera();
  if (!g_cameraStarted || !cam) return true;
  bool yes = false;
  if (g_cameraState == kShown)
    yes = ::GetActiveWindow() == cam->hwnd() || ::GetLastActivePopup(cam->hwnd()) == cam->hwnd();
  else
    yes = g_cameraState == kInTray;
  if (!yes && beep) {
    ::MessageBeep(MB_OK);
    ::SetForegroundWindow(::GetLastActivePopup(cam->hwnd()));
  }
  return yes;
}

void TfrmFramelark::mnuTrayClick(int sender) {
  if (!CameraAvailable(true)) return;
  if (!g_cameraStarted)
    OpenCamera();
  else if (Camera())
    Camera()->ThawDesktop(true);
  TfrmCam* cam = Camera();
  if (!cam) return;
  switch (sender) {
    case kMnuFull: cam->RequestCapture(false, 1); return;
    case kMnuLastActive:
    case kMnuLastClient: {
      ShowCamera();
      // The window that was in front before the tray click goes back to the
      // front, just beneath the camera, and is the one captured: which window
      // the system activates when the camera steps aside is not ours to choose.
      bool known = lastForeign_ && ::IsWindow(lastForeign_);
      if (known) ::SetForegroundWindow(lastForeign_);
      cam->SetLastActiveWindow(known ? lastForeign_ : nullptr);
      g_selfActivating = true;
      ::SetForegroundWindow(cam->hwnd());
      ::PostMessageW(hwnd(), WM_USER, 0, 0);
      g_selfActivating = false;
      cam->RequestCapture(false, sender == kMnuLastActive ? 3 : 4);
      // While the camera is away the window is in front again, unobscured.
      if (known && !::IsWindowVisible(cam->hwnd())) ::SetForegroundWindow(lastForeign_);
      return;
    }
    default:
      cam->MarkStale();
      cam->RequestCapture(false, 0);
      return;
  }
}

void TfrmFramelark::NoteForegroundWindow() {
  HWND w = ::GetForegroundWindow();
  DWORD pid = 0;
  if (w) ::GetWindowThreadProcessId(w, &pid);
  if (w && pid != ::GetCurrentProcessId()) lastForeign_ = w;
}

void TfrmFramelark::OnActivateApp(bool active) {
  TfrmCam* cam = Camera();
  if (!g_cameraStarted || !cam) return;
  constexpr UINT kZOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                          SWP_NOSENDCHANGING;  // 1811
  if (!active) {
    if (cam->HoldOn() && CameraAvailable(false))
      ::SetWindowPos(cam->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kZOnly);
    return;
  }
  ::SetWindowPos(cam->hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kZOnly);
  if (g_selfActivating) return;
  RECT cr;
  ::GetWindowRect(cam->hwnd(), &cr);
  if (!::IsWindowVisible(cam->hwnd())) {
    cam->GrabUnderCamera(cr.left, cr.top, cr.right - cr.left, cr.bottom - cr.top);
    cam->ClearViewStale();
    cam->SetStatus("");
    return;
  }
  if (cam->HoldOn()) return;
  // Windows above the camera that still wait to paint make its view stale.
  for (HWND w = ::GetTopWindow(nullptr); w && w != cam->hwnd(); w = ::GetWindow(w, GW_HWNDNEXT)) {
    RECT wr, shared;
    if (!::IsWindowVisible(w) || !::GetWindowRect(w, &wr) || !::IntersectRect(&shared, &wr, &cr)) continue;
    MSG m;
    if (::PeekMessageW(&m, w, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
      cam->MarkStale();
      break;
    }
  }
}

void TfrmFramelark::PopupMenuTray() {
  win::UniqueMenu menu(::CreatePopupMenu());
  ::AppendMenuW(menu.get(), MF_STRING, kMnuOpen, L"Open Camera");
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu.get(), MF_STRING, kMnuFull, L"Capture Full Screen");
  ::AppendMenuW(menu.get(), MF_STRING, kMnuLastActive, L"Capture Last Active Window");
  ::AppendMenuW(menu.get(), MF_STRING, kMnuLastClient, L"Capture Work Area of Last Active");
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu.get(), MF_STRING, kMnuClose, L"Exit Framelark");
  POINT pt;
  ::GetCursorPos(&pt);
  ::SetForegroundWindow(hwnd());
  UINT cmd = UINT(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  if (cmd == kMnuClose)
    ExitProgram();
  else if (cmd != 0)
    mnuTrayClick(int(cmd));
}

void TfrmFramelark::Teardown() {
  // The forms go in every case; the rest only after an orderly run.
  FreeTipBox();
  FreeCommonForm();
  if (g_skipTeardown || !hwnd()) return;
  for (auto [cls, caption] : {std::pair{kStickiesClass, kStickiesCaption}, std::pair{kViewerClass, kViewerCaption},
                              std::pair{kTipsClass, kTipsCaption}}) {
    if (HWND w = FindRoleWindow(cls, caption)) ::SendNotifyMessageA(w, WM_CLOSE, 0, 0);
  }
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
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1) {
        ::KillTimer(hwnd(), kTimer1);
        OpenCamera();
      }
      return true;
    case kWmTrayNotify:
      if (lp == WM_LBUTTONDOWN || lp == WM_RBUTTONDOWN) NoteForegroundWindow();
      if (lp == WM_LBUTTONUP) mnuTrayClick(0);
      if (lp == WM_RBUTTONUP) {
        NoteForegroundWindow();
        // A right click on a frozen desktop only thaws it.
        if (Camera() && Camera()->IsDesktopFrozen())
          Camera()->ThawDesktop(true);
        else
          PopupMenuTray();
      }
      return true;
    case kWmCameraRequest:
      if (wp == 0) {
        mnuTrayClick(0);
      } else if (CameraAvailable(true)) {
        if (!g_cameraStarted) OpenCamera();
        if (TfrmCam* cam = Camera()) {
          cam->ThawDesktop(true);
          if (wp == 1)
            cam->RequestCapture(false, 0);  // shown where it is
          else
            cam->ReturnAfterRefreshDelay();
        }
      }
      return true;
    case WM_ACTIVATEAPP:
      OnActivateApp(wp != 0);
      return false;
    case WM_HOTKEY:
      // Print Screen freezes the desktop under the camera.
      if (wp == kHotKeyId && Camera() && CameraAvailable(true)) {
        g_selfActivating = true;
        Camera()->PrintScreenKey();
        ::PostMessageW(hwnd(), WM_USER, 0, 0);
        g_selfActivating = false;
      }
      return true;
  }
  return false;
}

}  // namespace flk
