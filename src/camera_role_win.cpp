#include "camera_role_win.h"

#include <shellapi.h>

#include "shell/common_services_win.h"
#include "shell/leftovers.h"
#include "shell/names.h"
#include "shell/tip_box_win.h"
#include "win32/dpi_win.h"
#include "win32/files_win.h"
#include "win32/shell_win.h"
#include "win32/window.h"

namespace flk {

namespace {

int MessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}

void SixMonthNotice(const StartupValues& values) {
  double now = RealSystem().now().days;
  if (!SixMonthNoticeDue(win::FileLocalDays(ProgramFile()).value_or(0), values.a.days, now)) return;
  std::string text = std::string("This is ") + kProgramName + " version " + kProgramVersion +
                     "\r\n\r\nTo see if a later version is now available, (and possible free upgrade), go to:\r\n" +
                     kMakerAddress + "\r\n\r\nWould you like to go there now?";
  if (MessageBoxText(nullptr, text, "Six month notice", MB_YESNO | MB_ICONINFORMATION) == IDYES)
    win::ShellOpen(nullptr, kMakerAddress);
}

}  // namespace

SystemServices RealSystem() {
  SystemServices s;
  s.now = [] {
    FILETIME ft, local;
    ::GetSystemTimeAsFileTime(&ft);
    // FILETIME counts 100 ns from 1601; the local time of day is what users read.
    ::FileTimeToLocalFileTime(&ft, &local);
    ULARGE_INTEGER u{{local.dwLowDateTime, local.dwHighDateTime}};
    return OleDateFromUnixSeconds(double(u.QuadPart) / 1e7 - 11644473600.0);
  };
  // The camera and the viewer first open on the primary monitor (at 0,0 and 150,150).
  s.dpi = [] { return win::WindowScale(nullptr).dpi; };
  s.windowsDirectory = [] {
    wchar_t buf[MAX_PATH];
    UINT n = ::GetWindowsDirectoryW(buf, MAX_PATH);
    return win::Narrow(std::wstring(buf, n < MAX_PATH ? n : 0));
  };
  s.fileExists = [](const std::string& p) { return win::FileExists(p); };
  return s;
}

CameraRole::CameraRole() : camera_(*this), tray_(*this) {}

CameraRole::~CameraRole() = default;

int CameraRole::Run() {
  // Relative paths of the camera role start at the program's folder.
  ::SetCurrentDirectoryW(win::Widen(ProgramFolder()).c_str());
  if (!camera_.FormCreate()) return 1;
  if (!tray_.FormCreate()) return controller_.skipTeardown() ? 0 : 1;
  // The only camera now: temporary files of saves cut short by a kill or a
  // crash go (the viewer and the sticky manager clear theirs when they start).
  RemoveLeftoverFiles(BaseFolder(), ProgramFolder(), LeftoverPlace::PictureFolders);
  RemoveLeftoverFiles(BaseFolder(), ProgramFolder(), LeftoverPlace::ProgramFiles);
  // A note cut short before the first note file existed starts no manager to clear it.
  if (!::FindWindowA(kStickiesClass, kStickiesCaption))
    RemoveLeftoverFiles(BaseFolder(), ProgramFolder(), LeftoverPlace::Notes);
  int rc = MessageLoop();
  Teardown();
  return rc;
}

void CameraRole::ShowCamera() {
  controller_.SetState(CameraState::Shown);
  ::ShowWindow(camera_.hwnd(), SW_SHOW);
}

void CameraRole::PutCameraAway() {
  controller_.SetState(CameraState::Busy);
  ::ShowWindow(camera_.hwnd(), SW_HIDE);
}

void CameraRole::HideCameraToTray() {
  controller_.SetState(CameraState::InTray);
  ::ShowWindow(camera_.hwnd(), SW_HIDE);
}

void CameraRole::SaveRoleSettings() {
  CameraSaveValues cam;
  if (controller_.started()) cam = camera_.CurrentValues();
  SaveSettings(settings(), RealSystem(), values_, controller_.started() ? &cam : nullptr);
}

void CameraRole::ExitProgram() {
  SaveRoleSettings();
  ::PostQuitMessage(0);
}

void CameraRole::CountToolUse(int code) { values_.toolUse = flk::CountToolUse(values_.toolUse, code); }

void CameraRole::InstallationError(const std::string& message) {
  std::string text = "Press OK to install (or reinstall) the program.\r\n\r\n" + message;
  if (MessageBoxText(nullptr, text, "FramelarkPro Installation Error", MB_OKCANCEL | MB_ICONERROR) == IDOK)
    StartRole(kRoleSetup, SW_SHOWNORMAL);
  controller_.SetSkipTeardown();
  ::ExitProcess(2);
}

bool CameraRole::CameraAvailable(bool beep) {
  HWND cam = camera_.hwnd();
  bool yes = controller_.Available(::GetActiveWindow() == cam, ::GetLastActivePopup(cam) == cam);
  if (!yes && beep) {
    ::MessageBeep(MB_OK);
    ::SetForegroundWindow(::GetLastActivePopup(cam));
  }
  return yes;
}

void CameraRole::OpenCamera() {
  if (controller_.started()) return;
  if (!common_) {
    common_ = std::make_unique<TfrmCommon>();
    if (!common_->FormCreate()) common_.reset();
  }
  controller_.MarkStarted();
  Settings& s = settings();
  if (!s.OpenSettingsKey(kAccessRead)) {
    ::PostQuitMessage(0);  // the remaining steps still run before the loop stops
  } else {
    CameraSaveValues v = ReadCameraValues(s);
    s.EndReadSeries();
    camera_.ApplySettings(v);
  }
  KeepOnScreen(camera_.hwnd());
  ShowCamera();
  SixMonthNotice(values_);
  ShowColorDepthTipIfPaletteScreen();
  if (s.ReadSingleInt("NextTip") != -1) StartRole(kRoleWelcome, SW_SHOWNORMAL);
  camera_.SetStatus("  Press F1 for help.");
}

void CameraRole::Teardown() {
  // The forms go in every case; the rest only after an orderly run.
  FreeTipBox();
  common_.reset();
  if (controller_.skipTeardown() || !tray_.hwnd()) return;
  for (auto [cls, caption] : {std::pair{kStickiesClass, kStickiesCaption}, std::pair{kViewerClass, kViewerCaption},
                              std::pair{kTipsClass, kTipsCaption}}) {
    if (HWND w = ::FindWindowA(cls, caption)) ::SendNotifyMessageA(w, WM_CLOSE, 0, 0);
  }
  tray_.Teardown();
}

}  // namespace flk
