// TfrmCommon: the one hidden form of a role, owned by its composition root. It
// owns the printer setup's choice (so that it lasts for the whole role), the
// hover watch of graphic buttons (Timer1, 150 ms) and the timer of the
// sticky-creation animation (TimerAnimation, 20 ms).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/picture.h"

#include "shell/common_services.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

inline constexpr wchar_t kCommonFormClass[] = L"TfrmCommon";
inline constexpr UINT kCommonTimer1Ms = 150;
inline constexpr UINT kCommonTimerAnimationMs = 20;

class TfrmCommon : public win::Window {
 public:
  TfrmCommon();
  ~TfrmCommon() override;

  bool FormCreate();

  // ---- PrinterSetupDialog1 ------------------------------------------------
  // The system's printer setup dialog; the chosen printer and page setup are
  // kept for later prints of this process. False when cancelled or failed
  // (*error then holds the common-dialog error code, 0 for a cancel).
  bool PrinterSetupDialog1Execute(HWND owner, DWORD* error = nullptr);
  // The kept choice as DEVMODE/DEVNAMES memory (nullptr until a choice).
  HGLOBAL printerDevMode() const { return devMode_.get(); }
  HGLOBAL printerDevNames() const { return devNames_.get(); }

  // ---- hover watch (Timer1) -----------------------------------------------
  // A graphic button reports the mouse entering it with the cursor's offset
  // inside it and its size.
  void WatchHover(HoverTarget* button, int offsetX, int offsetY, int width, int height);
  // A graphic button that goes away must call this.
  void ForgetHover(HoverTarget* button);
  const HoverWatch& hoverWatch() const { return hover_; }
  void Timer1Timer();

  // ---- TimerAnimation -----------------------------------------------------
  // The sticky-creation animation installs its tick here and starts the timer.
  std::function<void()> onAnimationTick;
  void StartTimerAnimation();
  void StopTimerAnimation();
  bool timerAnimationEnabled() const { return animationOn_; }
  // Image1: the picture the animation window shows, from its top-left inside
  // a 2-pixel raised frame, as much of it as the growing window holds.
  void SetImage1(std::optional<Picture> picture);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void SetTimer1(bool on);
  void Paint();

  HoverWatch hover_;
  bool timer1On_ = false;
  bool animationOn_ = false;
  win::UniqueGlobal devMode_;
  win::UniqueGlobal devNames_;
  std::optional<Picture> image1_;
};

}  // namespace flk
