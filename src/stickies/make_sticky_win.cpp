#include "stickies/make_sticky_win.h"

#include <memory>

#include "output/store_file_system_win.h"
#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "shell/names.h"
#include "stickies/note_rules.h"
#include "win32/monitors_win.h"

namespace flk {

namespace {

constexpr char kStickyCaption[] = "Framelark";

HWND StickyManager() { return ::FindWindowA(kStickiesClass, kStickiesCaption); }

// One animation at a time per common form; a second note restarts it.
struct AnimationRun {
  StickyAnimation steps;
  Rect place;
};

void Tick(TfrmCommon& common, AnimationRun& run) {
  HWND manager = StickyManager();
  StickyAnimation::Tick t = run.steps.OnTick(manager != nullptr);
  switch (t.kind) {
    case StickyAnimation::Tick::Grow:
      ::SetWindowPos(common.hwnd(), HWND_TOP, run.place.left, run.place.top, run.place.width(), t.height,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
      ::InvalidateRect(common.hwnd(), nullptr, FALSE);
      ::UpdateWindow(common.hwnd());
      return;
    case StickyAnimation::Tick::Wait: return;
    case StickyAnimation::Tick::Deliver:
      ::SendNotifyMessageA(manager, kWmNewSticky, WPARAM(run.place.left), LPARAM(run.place.top));
      break;
    case StickyAnimation::Tick::GiveUp: break;
  }
  // Delivered or given up: the animation window goes.
  common.StopTimerAnimation();
  ::ShowWindow(common.hwnd(), SW_HIDE);
  common.SetImage1(std::nullopt);
  if (t.kind == StickyAnimation::Tick::GiveUp)
    MessageBoxText(nullptr, kStickiesNotRunningText, kStickyCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace

std::string NewStickyPath() { return ProgramFolder() + kNewStickyFile; }

bool MakeSticky(const Picture& picture, const StickySource& source, TfrmCommon& common) {
  RECT wr{};
  ::GetWindowRect(source.window, &wr);
  Rect from{wr.left, wr.top, wr.right, wr.bottom};
  // The screen is the source's monitor.
  const Rect screen = win::MonitorOfWindow(source.window).area;
  const Size size{picture.width(), picture.height()};
  if (const char* refused = StickyCheckText(CheckSticky(size, screen.size(), from.height()))) {
    MessageBoxText(source.window, refused, kStickyCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  // The picture is handed over first: a note whose file could not be written never starts.
  SaveError error;
  if (!WriteBmpFile(NewStickyPath(), picture, &error)) {
    std::string text = HandOverErrorText(NewStickyPath());
    if (!error.message.empty()) text += "\r\n" + error.message;
    MessageBoxText(source.window, text, kHandOverErrorCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!StickyManager()) StartRole(kRoleSticky, SW_SHOWMINNOACTIVE);

  StickyPlan plan = PlanSticky(from, size, screen);
  if (plan.moveSource) {
    if (source.moveTo)
      source.moveTo(from.left, plan.sourceTop);
    else
      ::SetWindowPos(source.window, nullptr, from.left, plan.sourceTop, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  auto run = std::make_shared<AnimationRun>();
  run->steps.Start(picture.height());
  run->place = plan.animation;
  common.SetImage1(picture);
  TfrmCommon* form = &common;
  common.onAnimationTick = [form, run] { Tick(*form, *run); };
  common.StartTimerAnimation();
  return true;
}

}  // namespace flk
