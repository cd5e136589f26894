#include "win32/window.h"

#include <exception>

#include "win32/monitors_win.h"

namespace flk::win {

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

Window::~Window() {
  if (hwnd_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(h);
  }
}

bool Window::Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y,
                    int w, int h, HWND parent, HMENU menu, HICON icon, HCURSOR cursor, UINT classStyle) {
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(ModuleInstance(), className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = ModuleInstance();
    wc.hIcon = icon ? icon : ::LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
    wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc)) return false;
  }
  return ::CreateWindowExW(exStyle, className, caption, style, x, y, w, h, parent, menu, ModuleInstance(), this) !=
         nullptr;
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = self->OnMessage(msg, wp, lp, &result);
  } catch (const std::exception&) {
    handled = false;  // a failing handler must not unwind through user32
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  if (!handled && msg == WM_DPICHANGED) {
    // Moved onto a monitor of another scale: a window that does not handle it
    // itself takes the rectangle the system suggests for the new scale. When
    // the program moved it (not the user's drag, which holds the mouse), the
    // grown window is kept wholly on the work area of the monitor it went to.
    const RECT* r = reinterpret_cast<const RECT*>(lp);
    Rect to{r->left, r->top, r->right, r->bottom};
    if (::GetCapture() != hwnd)
      to = PlaceOnMonitor(CurrentMonitors(), to.topLeft(), to.size(), HIWORD(wp)).rect;
    ::SetWindowPos(hwnd, nullptr, to.left, to.top, to.width(), to.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return handled ? result : ::DefWindowProcW(hwnd, msg, wp, lp);
}

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

bool BringForwardRunning(const char* className, const char* caption) {
  HWND running = ::FindWindowA(className, caption);
  if (!running) return false;
  if (::IsIconic(running)) ::ShowWindow(running, SW_RESTORE);
  ::SetForegroundWindow(running);
  return true;
}

}  // namespace flk::win
