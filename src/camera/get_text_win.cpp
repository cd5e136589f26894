// TfrmGetText: the small modal box that asks for one line of text (the name
// of a new picture folder), centred on the mouse and kept on the screen.
#include <windows.h>

#include <string>

#include "camera/get_text_win.h"
#include "shell/common_services_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"
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
    DpiScale scale = win::WindowScale(owner);
    int width = scale(kWidth), h = scale(height * kDesignedHeight / 165);
    if (!Create(L"TfrmGetText", win::Widen(caption).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME, cursor.x - width / 2, cursor.y, width, h, owner))
      return {};
    RECT rc = clientRect();
    font_ = win::MakeSystemFont(win::SystemFont::Message, scale);
    HFONT font = win::FontOrDefault(font_);
    int cw = scale.ToBase(rc.right), ch = scale.ToBase(rc.bottom);
    win::CreateChild(hwnd(), L"STATIC", prompt, SS_CENTER | SS_NOPREFIX, scale(Rect::FromXYWH(8, 6, cw - 16, 28)), 0,
                     font);
    HFONT fixed = static_cast<HFONT>(::GetStockObject(SYSTEM_FIXED_FONT));  // Fixedsys
    edit_ = win::CreateChild(hwnd(), L"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                             scale(Rect::FromXYWH(8, 36, cw - 16, 22)), 0, fixed);
    win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP,
                     scale(Rect::FromXYWH(cw / 2 - 84, ch - 32, 76, 24)), IDOK, font);
    win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP,
                     scale(Rect::FromXYWH(cw / 2 + 8, ch - 32, 76, 24)), IDCANCEL, font);
    KeepOnScreen(hwnd());
    win::ModalOptions options;
    options.owner = owner;
    options.focus = edit_;
    options.keyPreview = [this](const MSG& msg) {
      if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
      Finish(msg.wParam == VK_RETURN);
      return true;
    };
    win::RunModalLoop(hwnd(), [this] { return done_; }, options);
    if (owner) ::SetForegroundWindow(owner);
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
  win::UniqueFont font_;  // the controls' font, at the window's scale
  void Finish(bool ok) {
    if (done_) return;
    ok_ = ok;
    if (ok) {
      text_ = win::WindowText(edit_);
    }
    done_ = true;
  }

  HWND edit_ = nullptr;
  bool done_ = false, ok_ = false;
  std::string text_;
};

}  // namespace

std::string AskText(HWND owner, int height, const std::string& prompt, const std::string& caption) {
  TfrmGetText form;
  return form.Execute(owner, height, prompt, caption);
}

}  // namespace flk
