// A form of ours shown modally: the close box and Cancel end it, Enter
// presses its default button, and it is destroyed when its loop ends.
#pragma once

#include <windows.h>

#include "win32/modal_win.h"
#include "win32/window.h"

namespace flk::win {

class ModalForm : public Window {
 protected:
  // Runs the modal loop until EndModal (or until the form goes away), then
  // destroys the form, or hides it to be shown again. False when it did not
  // end by EndModal.
  enum class AfterModal { Destroy, Hide };
  bool RunModal(const ModalOptions& options, AfterModal after = AfterModal::Destroy);
  void EndModal() { ended_ = true; }
  bool ended() const { return ended_; }
  void SetDefaultButton(int id) { defaultId_ = id; }

  // The form's own messages, seen first: true when handled (result in *result).
  virtual bool OnFormMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }
  // A button or menu command (WM_COMMAND's id and notification) the form
  // handles itself; what it leaves goes on to the Cancel and close handling.
  virtual bool OnCommand(int /*id*/, int /*notification*/) { return false; }

 private:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) final;

  bool ended_ = false;
  int defaultId_ = IDOK;
};

}  // namespace flk::win
