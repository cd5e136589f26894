// TfrmScrollAll, the "Robo Scroll" tool window: one red Stop button. It starts
// the robo capture when shown, decodes Timer1, Stop, Esc and the close box for
// RoboCaptureSession and performs what it returns.
#pragma once

#include <windows.h>

#include <memory>

#include "base/dpi.h"
#include "scroll/capture_target_win.h"
#include "scroll/robo_session.h"
#include "scroll/scroll_host.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kRoboToolClass[] = L"TfrmScrollAll";

class TfrmScrollAll : public win::Window {
 public:
  explicit TfrmScrollAll(ScrollHost& host) : host_(host) {}
  bool FormCreate(HWND owner);
  // Places the Stop button over the window, shows the tool and starts.
  void Start(const CaptureArea& area, const ScrollParams& params, const CaptureTarget& target);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void btnStopClick();
  void Timer1Timer();
  void CloseTool();
  void Perform(const Reaction& r);

  ScrollHost& host_;
  std::unique_ptr<RoboCaptureSession> session_;
  CaptureTarget target_;
  DesktopScreen screen_;
  DpiScale scale_;
  bool down_ = false;
  win::UniqueFont font_;
};

}  // namespace flk
