// A warning box with buttons of its own (the system's task dialog), for a
// question that plain Retry / Cancel cannot ask.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace flk::win {

struct TaskButton {
  int id = 0;
  std::string text;  // "&" marks the access key
  // Set: the button acts and the box stays up (a link to a settings page, say).
  std::function<void()> act;
};

struct TaskQuestion {
  std::string caption, text;
  std::vector<TaskButton> buttons;         // before the common ones
  TASKDIALOG_COMMON_BUTTON_FLAGS common{};  // TDCBF_RETRY_BUTTON | TDCBF_CANCEL_BUTTON, ...
  int defaultId = 0;
};

// The id of the button that closed the box (IDCANCEL for Esc or the close
// box); 0 when the system has no task dialog (the caller then falls back on a
// message box).
int AskTaskQuestion(HWND owner, const TaskQuestion& question);

}  // namespace flk::win
