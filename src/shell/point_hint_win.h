// The point hint TfrmHotPt: a borderless box beside a point of the screen,
// with an arrow in the corner that touches the point, OK and Cancel, and a
// "Don't show this message again." box stored by either button.
#pragma once

#include <windows.h>

#include <string>

#include "base/dpi.h"
#include "shell/tips_layout.h"
#include "win32/modal_form_win.h"

namespace flk {

inline constexpr wchar_t kPointHintClass[] = L"TfrmHotPt";
inline constexpr int kHintLabelId = 201;
inline constexpr int kHintCheckBoxId = 202;

class TfrmHotPt : public win::ModalForm {
 public:
  TfrmHotPt() = default;
  bool FormCreate(HWND owner);

  // Places the form by the point, shows it modally and returns 1 (OK) or 2 (Cancel).
  int Execute(const std::string& key, const std::string& text, int x, int y);

  HWND Label1() const { return label_; }
  HWND CheckBox1() const { return check_; }
  HWND btnOK() const { return ok_; }
  HWND btnCancel() const { return cancel_; }
  HintCorner arrow() const { return place_.corner; }

 protected:
  bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool OnCommand(int id, int notification) override;

 private:
  void btnOKClick(int modalResult);
  void Paint(HDC dc);

  HWND label_ = nullptr, check_ = nullptr, ok_ = nullptr, cancel_ = nullptr;
  std::string key_;
  PointHintPlace place_;
  DpiScale scale_;
  int modalResult_ = 2;  // a hint closed any other way is a cancel that stores nothing
};

// ShowPointHint: 0 when the hint is silenced (its key is true), otherwise 1
// (OK) or 2 (Cancel). The form belongs to `owner`, the camera window when
// none is given.
int ShowPointHint(const std::string& key, const std::string& text, int x, int y, HWND owner = nullptr);

// The work area of the camera's monitor (the camera of any role), else of the
// monitor under the mouse.
Rect CameraScreen();
// The work area boxes of this process are placed on: that of the active
// window's monitor, else CameraScreen().
Rect BoxScreenOfThisProcess();

}  // namespace flk
