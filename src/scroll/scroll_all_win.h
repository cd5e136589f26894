// TfrmScrollAll, the "Robo Scroll" tool window: one red Stop button. It starts
// the robo capture when shown, decodes Timer1, Stop, Esc and the close box for
// RoboCaptureSession and performs what it returns.
#pragma once

#include <windows.h>

#include <memory>

#include "scroll/capture_tool_win.h"
#include "scroll/robo_session.h"
#include "shell/usage_codes.h"

namespace flk {

inline constexpr wchar_t kRoboToolClass[] = L"TfrmScrollAll";

class TfrmScrollAll : public CaptureTool<RoboCaptureSession> {
 public:
  explicit TfrmScrollAll(ScrollHost& host) : CaptureTool(host, kUsageRobo) {}
  bool FormCreate(HWND owner);
  // Places the Stop button over the window, shows the tool and starts.
  void Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void btnStopClick();
  void CloseTool() override;
};

}  // namespace flk
