// TfrmGetText: the small modal box that asks for one line of text (the name
// of a new picture folder), centred on the mouse and kept on the screen.
#include <windows.h>

#include <string>

#include "camera/camera_save_win.h"
#include "shell/common_services_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr int kDesignedHeight = 165;
constexpr int kWidth = 300;

class TfrmGetText : public win::Window {
 public:
  std::string Execute(HWND owner, int height, const std::string& prompt, const std::string& caption) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    int h = height * kDesignedHeight / 165;
    if (!Create(L"TfrmGetText", win::Widen(caption).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME, cursor.x - kWidth / 2, cursor.y, kWidth, h, owner))
      return {};
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    int cw = rc.right, ch = rc.bottom;
    memo_ = Child(L"STATIC", prompt, SS_CENTER | SS_NOPREFIX, 8, 6, cw - 16, 28, 0);
    edit_ = Child(L"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 36, cw - 16, 22, 0);
    HFONT fixed = static_cast<HFONT>(::GetStockObject(SYSTEM_FIXED_FONT));  // Fixedsys
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(fixed), FALSE);
    Child(L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, cw / 2 - 84, ch - 32, 76, 24, IDOK);
    Child(L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, cw / 2 + 8, ch - 32, 76, 24, IDCANCEL);
    KeepOnScreen(hwnd());
    if (owner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(edit_);
    MSG msg;
    while (!done_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        Finish(true);
        continue;
      }
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        Finish(false);
        continue;
      }
      if (!::IsDialogMessageW(hwnd(), &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (owner) {
      ::EnableWindow(owner, TRUE);
      ::SetForegroundWindow(owner);
    }
    ::DestroyWindow(hwnd());
    return ok_ ? text_ : std::string();
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
    *result = 0;
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) Finish(LOWORD(wp) == IDOK);
        return true;
      case WM_CLOSE: Finish(false); return true;
    }
    return false;
  }

 private:
  HWND Child(const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = ::CreateWindowExW(0, cls, win::Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd(),
                               reinterpret_cast<HMENU>(INT_PTR(id)), win::ModuleInstance(), nullptr);
    ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return c;
  }
  void Finish(bool ok) {
    if (done_) return;
    ok_ = ok;
    if (ok) {
      wchar_t buf[1024] = {};
      ::GetWindowTextW(edit_, buf, 1024);
      text_ = win::Narrow(buf);
    }
    done_ = true;
  }

  HFONT font_ = nullptr;
  HWND memo_ = nullptr, edit_ = nullptr;
  bool done_ = false, ok_ = false;
  std::string text_;
};

}  // namespace

std::string AskText(HWND owner, int height, const std::string& prompt, const std::string& caption) {
  TfrmGetText form;
  return form.Execute(owner, height, prompt, caption);
}

}  // namespace flk
