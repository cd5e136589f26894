// TfrmScroll, the "Scroll Capture" tool window: a status line, the button the
// user holds down while the target scrolls, and a strip of arrows pointing at
// the captured area. It decodes press, release, Timer1, Esc and the close box
// for ScrollCaptureSession and performs what it returns.
#pragma once

#include "base/form_flow.h"

#include <windows.h>

#include <memory>

#include "scroll/capture_tool_win.h"
#include "scroll/scroll_session.h"
#include "shell/usage_codes.h"
#include "win32/unique_handle.h"

namespace flk {

inline constexpr wchar_t kScrollToolClass[] = L"TfrmScroll";

class TfrmScroll : public CaptureTool<ScrollCaptureSession> {
 public:
  explicit TfrmScroll(ScrollHost& host) : CaptureTool(host, kUsageScroll) {}
  bool FormCreate(HWND owner);
  // Places the window just above the area, the pointer beside the button, and shows it.
  void Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void spbtnScrollDwnMouseDown();
  void spbtnScrollDwnMouseUp();
  void CloseTool() override;
  void PerformReaction(const Reaction& r) override;
  void ArrangeChildren();
  // The parts laid out for a client `width` wide: the memo gets the lines its text takes.
  FlowedForm FlowParts(int width) const;
  void Paint(HDC dc);

  HWND memo_ = nullptr;  // Memo1
  Rect button_, arrows_;  // spbtnScrollDwn, pbArrows (client coordinates)
  bool warning_ = false;
  win::UniqueBrush arrowBrush_;
};

}  // namespace flk
