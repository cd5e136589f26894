// Base for our window classes: a static thunk routes messages to the object
// whose pointer arrives in lpCreateParams at WM_NCCREATE. Handlers never let an
// exception out into the system's callback.
#pragma once

#include <windows.h>

#include <string>

namespace flk::win {

class Window {
 public:
  virtual ~Window();
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The client area (left and top 0); empty while there is no window.
  RECT clientRect() const {
    RECT r{};
    if (hwnd_) ::GetClientRect(hwnd_, &r);
    return r;
  }

  // Registers the class once per process (by name) and creates the window.
  bool Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y, int w,
              int h, HWND parent = nullptr, HMENU menu = nullptr, HICON icon = nullptr, HCURSOR cursor = nullptr,
              UINT classStyle = CS_DBLCLKS);

 protected:
  // Return true when handled (result in *result); false falls through to DefWindowProc.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) = 0;
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

HINSTANCE ModuleInstance();
// A role that runs once per user session: the window of a running one, found
// by class and caption, is restored and brought forward; false when none runs.
bool BringForwardRunning(const char* className, const char* caption);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace flk::win
