// The tip box TfrmNSA: a small modal text box, centred or parked in the
// top-right corner, with a "Don't show this message again." box stored in
// the tip's Nsa setting.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/dpi.h"
#include "win32/modal_form_win.h"

namespace flk {

inline constexpr wchar_t kTipBoxClass[] = L"TfrmNSA";

// Control ids of the tip box (btnOk is the dialog's default, IDOK).
inline constexpr int kTipMemoId = 101;
inline constexpr int kTipCheckBoxId = 102;

class TfrmNSA : public win::ModalForm {
 public:
  TfrmNSA() = default;
  bool FormCreate();

  // Shows the tip modally; returns 1 for OK, 2 for Esc or the close box.
  int Execute(const std::string& key, const std::string& caption, const std::string& text, int helpContext,
              bool corner);

  HWND Memo1() const { return memo_; }
  HWND CheckBox1() const { return check_; }
  HWND btnOk() const { return ok_; }
  // Step-by-step instructions: the box without its check box, width x height
  // (96-DPI pixels), parked top right and kept on top while it shows.
  int ExecuteInstructions(const std::string& caption, const std::string& text, int width, int height,
                          int helpContext);
  // The height of the letter "A" in the form's font.
  int LetterHeight() const;

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int notification) override;

 private:
  void btnOkClick();
  void Timer1Timer();
  void ArrangeChildren();
  int RunTipBox(bool corner);
  bool instructions_ = false;  // the check box is hidden and OK sits further left

  HWND memo_ = nullptr, check_ = nullptr, ok_ = nullptr;
  std::string key_;
  DpiScale scale_;
  int helpContext_ = 1;
  int modalResult_ = 2;  // Esc and the close box: 2, and nothing is stored
};

// ShowTip: 1 when the tip is silenced (its key is true) or closed with OK,
// 2 when closed with Esc or the close box. corner parks it top-right and keeps
// it on top while it shows.
int ShowTip(const std::string& key, const std::string& caption, const std::string& text, int helpContext, bool corner);

// The instructions box of the mail dialogs ("Email Instructions").
int ShowInstructions(const std::string& caption, const std::string& text, int width, int height, int helpContext);

// Frees the process's tip box (the tray controller calls this at its end).
void FreeTipBox();

// OpenCamera's recommendation to leave a palette-based screen: shown through
// the NsaColorDepth tip when the screen uses a palette. Returns ShowTip's
// result, or 0 when the screen is not palette-based.
int ShowColorDepthTipIfPaletteScreen();

}  // namespace flk
