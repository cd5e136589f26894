// TfrmScroll, the "Scroll Capture" tool window: a status line, the button the
// user holds down while the target scrolls, and a strip of arrows pointing at
// the captured area. It decodes press, release, Timer1, Esc and the close box
// for ScrollCaptureSession and performs what it returns.
#pragma once

#include <windows.h>

#include <memory>

#include "base/dpi.h"
#include "scroll/capture_target_win.h"
#include "scroll/scroll_host.h"
#include "scroll/scroll_session.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kScrollToolClass[] = L"TfrmScroll";

class TfrmScroll : public win::Window {
 public:
  explicit TfrmScroll(ScrollHost& host) : host_(host) {}
  bool FormCreate(HWND owner);
  // Places the window just above the area, the pointer beside the button, and shows it.
  void Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void spbtnScrollDwnMouseDown();
  void spbtnScrollDwnMouseUp();
  void Timer1Timer();
  void CloseTool();
  void Perform(const Reaction& r);
  void ArrangeChildren();
  void Paint(HDC dc);

  ScrollHost& host_;
  std::unique_ptr<ScrollCaptureSession> session_;
  CaptureTarget target_;
  DesktopScreen screen_;
  DpiScale scale_;
  HWND memo_ = nullptr;  // Memo1
  Rect button_, arrows_;  // spbtnScrollDwn, pbArrows (client coordinates)
  bool down_ = false;
  bool warning_ = false;
  win::UniqueFont font_;
  win::UniqueBrush arrowBrush_;
};

}  // namespace flk
