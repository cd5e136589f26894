#include "camera/camera_win.h"

#include "shell/app_win.h"
#include "shell/common_services_win.h"
#include "shell/names.h"
#include "shell/tray_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
TfrmCam* g_camera = nullptr;
}

TfrmCam* Camera() { return g_camera; }

bool TfrmCam::FormCreate() {
  g_camera = this;
  if (!Create(L"TfrmCam", win::Widen(kCameraCaption).c_str(), WS_POPUP | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU,
              WS_EX_TOOLWINDOW, 150, 100, 345, 222))
    return false;
  std::string folders = BaseFolder() + "Folders\\";
  if (!::CreateDirectoryW(win::Widen(folders).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    ShowWarning("Couldn't create directory " + folders);
    return false;
  }
  ::SetLastError(0);
  return true;
}

void TfrmCam::ApplySettings(const CameraSaveValues& v) {
  values_ = v;
  ::SetWindowPos(hwnd(), nullptr, v.left, v.top, v.width, v.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

CameraSaveValues TfrmCam::CurrentValues() const {
  CameraSaveValues v = values_;
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  v.left = r.left;
  v.top = r.top;
  v.width = r.right - r.left;
  v.height = r.bottom - r.top;
  return v;
}

void TfrmCam::SetStatus(const std::string& text) {
  status_ = text;
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void TfrmCam::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  RECT r;
  ::GetClientRect(hwnd(), &r);
  ::FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  r.top = r.bottom - 18;
  std::wstring text = win::Widen(status_);
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  ::EndPaint(hwnd(), &ps);
}

bool TfrmCam::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_PAINT: Paint(); return true;
    case WM_CLOSE:
      // The close button either ends the program or puts the camera away.
      if (CameraRoleValues().closeBtnExits)
        ExitProgram();
      else
        HideCameraToTray();
      *result = 0;
      return true;
    case WM_QUERYENDSESSION: *result = TRUE; return true;
    case WM_ENDSESSION:
      if (wp) SaveCameraRoleSettings();
      *result = 0;
      return true;
  }
  return false;
}

}  // namespace flk
