#include "shell/common_services_win.h"

#include <vector>

#include "shell/data_folders.h"
#include "win32/files_win.h"
#include "win32/monitors_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

using win::Narrow;
using win::Widen;

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string BaseFolder() { return BaseFolderFromProgramPath(ProgramPath()); }

std::string SystemErrorText(DWORD code, const std::string& subject) {
  wchar_t* buffer = nullptr;
  DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  win::UniqueLocal owner(reinterpret_cast<HLOCAL>(buffer));
  return n && buffer ? FillSystemInserts(Narrow(std::wstring(buffer, n)), subject) : std::string();
}

std::string WarningTextFor(const std::string& message, DWORD code) {
  return ComposeWarningText(message, code, code ? SystemErrorText(code) : std::string());
}

void ShowWarning(const std::string& message, const std::string& caption) {
  DWORD code = ::GetLastError();
  std::string text = WarningTextFor(message, code);
  ::SetLastError(0);
  ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONWARNING);
}

std::string WindowDescription(HWND window) {
  wchar_t cls[256] = {}, title[256] = {};
  ::GetClassNameW(window, cls, 256);
  ::GetWindowTextW(window, title, 256);
  return WindowDescriptionText(Narrow(cls), Narrow(title));
}

void KeepOnScreen(HWND window) {
  RECT r;
  if (!::GetWindowRect(window, &r)) return;
  WindowBox box{r.left, r.top, r.right - r.left, r.bottom - r.top};
  WindowBox moved = KeepOnScreenBox(box, win::CurrentMonitors());
  if (moved == box) return;
  ::SetWindowPos(window, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool StickyFilesExistIn(const std::string& baseFolder) { return !win::FilesIn(StickiesFolderOf(baseFolder), ".bmp").empty(); }

bool StickyFilesExist() { return StickyFilesExistIn(BaseFolder()); }

bool RemoveFolder(const std::string& folder) {
  std::string dir = folder;
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  for (const std::string& name : win::FilesIn(dir + "\\")) {
    const std::string file = dir + "\\" + name;
    ::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files go too
    win::RemoveFile(file);
  }
  return win::RemoveEmptyFolder(dir);
}

namespace {
COLORREF FrameColourRef(FrameColour c) {
  switch (c) {
    case FrameColour::Light3D: return ::GetSysColor(COLOR_3DLIGHT);
    case FrameColour::Black: return RGB(0, 0, 0);
    case FrameColour::White: return RGB(255, 255, 255);
    case FrameColour::Shadow: return ::GetSysColor(COLOR_BTNSHADOW);
    case FrameColour::Face: break;
  }
  return ::GetSysColor(COLOR_BTNFACE);
}
}  // namespace

void DrawThickFrame(HDC dc, bool raised, int right, int thickness, int bottom) {
  win::UniqueBrush face(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  win::SelectedObject brush(dc, face.get());
  for (const FrameOp& op : ThickFrameOps(raised, right, thickness, bottom)) {
    if (op.kind == FrameOp::Outline) {
      RECT r{op.x0, op.y0, op.x1, op.y1};
      win::UniqueBrush b(::CreateSolidBrush(FrameColourRef(op.colour)));
      ::FrameRect(dc, &r, b.get());
      continue;
    }
    win::UniquePen pen(::CreatePen(PS_SOLID, 1, FrameColourRef(op.colour)));
    win::SelectedObject sel(dc, pen.get());
    ::MoveToEx(dc, op.x0, op.y0, nullptr);
    ::LineTo(dc, op.x1, op.y1);
  }
}

}  // namespace flk
