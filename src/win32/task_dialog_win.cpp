#include "win32/task_dialog_win.h"

#include "win32/window.h"

namespace flk::win {

namespace {

HRESULT CALLBACK OnTaskNotify(HWND, UINT msg, WPARAM wp, LPARAM, LONG_PTR data) {
  if (msg != TDN_BUTTON_CLICKED) return S_OK;
  const auto* q = reinterpret_cast<const TaskQuestion*>(data);
  for (const TaskButton& b : q->buttons) {
    if (b.id != int(wp) || !b.act) continue;
    try {
      b.act();
    } catch (...) {
      // The box stays usable; what the button could not do is the button's to report.
    }
    return S_FALSE;  // keep the box up
  }
  return S_OK;
}

}  // namespace

int AskTaskQuestion(HWND owner, const TaskQuestion& q) {
  std::wstring caption = Widen(q.caption), text = Widen(q.text);
  std::vector<std::wstring> texts;
  texts.reserve(q.buttons.size());
  std::vector<TASKDIALOG_BUTTON> buttons;
  for (const TaskButton& b : q.buttons) {
    texts.push_back(Widen(b.text));
    buttons.push_back({b.id, texts.back().c_str()});
  }
  TASKDIALOGCONFIG c{};
  c.cbSize = sizeof c;
  c.hwndParent = owner;
  c.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  c.dwCommonButtons = q.common;
  c.pszWindowTitle = caption.c_str();
  c.pszMainIcon = TD_WARNING_ICON;
  c.pszContent = text.c_str();
  c.cButtons = UINT(buttons.size());
  c.pButtons = buttons.empty() ? nullptr : buttons.data();
  c.nDefaultButton = q.defaultId;
  c.pfCallback = OnTaskNotify;
  c.lpCallbackData = reinterpret_cast<LONG_PTR>(&q);
  int pressed = 0;
  // The version 6 common controls the manifest names have it.
  if (FAILED(::TaskDialogIndirect(&c, &pressed, nullptr, nullptr))) return 0;
  return pressed;
}

}  // namespace flk::win
