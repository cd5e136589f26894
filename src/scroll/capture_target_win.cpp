#include "scroll/capture_target_win.h"

#include <vector>

#include "scroll/capture_area.h"
#include "scroll/stitcher.h"
#include "shell/common_services.h"
#include "shell/common_services_win.h"
#include "shell/tip_box_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_paint_win.h"
#include "win32/screen_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {

bool IsChild(HWND w) { return (::GetWindowLongW(w, GWL_STYLE) & WS_CHILD) && ::GetParent(w); }

Rect RectOf(HWND w) {
  RECT r;
  ::GetWindowRect(w, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

// SrchVScrollWin: up through the parents to the first window with a vertical scroll bar.
HWND SrchVScrollWin(HWND start) {
  for (HWND w = start; w; w = ::GetParent(w)) {
    if (::GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL) return w;
    if (!IsChild(w)) break;
  }
  return start;
}

// SrchVScrollBar: the first visible vertical "ScrollBar" child of the window or an ancestor.
HWND SrchVScrollBar(HWND start) {
  for (HWND w = start; w; w = ::GetParent(w)) {
    for (HWND c = ::GetWindow(w, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      char cls[64] = {};
      ::GetClassNameA(c, cls, sizeof cls);
      if (IsVerticalScrollBar(::IsWindowVisible(c) != FALSE, cls, uint32_t(::GetWindowLongW(c, GWL_STYLE)))) return c;
    }
    if (!IsChild(w)) break;
  }
  return nullptr;
}

}  // namespace

bool ScreenTooPoor(int* bitsPerPixel) {
  win::ScreenDC screen;
  *bitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  return DisplayTooPoor(::GetDeviceCaps(screen.get(), NUMCOLORS),
                        (::GetDeviceCaps(screen.get(), RASTERCAPS) & RC_PALETTE) != 0, *bitsPerPixel);
}

std::optional<CaptureTarget> FindCaptureTarget(Point centre, const ScrollParams& p, std::string* error) {
  *error = kNoWindow;
  HWND w = ::WindowFromPoint(POINT{centre.x, centre.y});
  if (!w) return std::nullopt;
  if (p.srchVScroll) w = SrchVScrollWin(w);
  CaptureTarget t;
  t.window = w;
  t.scrollBar = SrchVScrollBar(w);
  t.wheelPoint = centre;
  std::vector<Rect> ancestors;
  HWND top = w;
  while (IsChild(top)) {
    top = ::GetParent(top);
    ancestors.push_back(RectOf(top));
  }
  // The desktop: every monitor (what none of them shows reads black).
  ancestors.push_back(win::VirtualScreenRect());
  // The last top-level window in the Z order is the desktop's own.
  if (top == ::GetDesktopWindow() || top == ::GetWindow(top, GW_HWNDLAST)) return std::nullopt;
  t.rect = TargetRectangle(RectOf(w), p.rtMargin, ancestors);
  error->clear();
  return t;
}

bool DesktopScreen::Grab(const Rect& r, ScreenBlock& out) {
  std::optional<Picture> pic = win::PictureOfScreen(r);
  if (!pic) return false;
  out.width = pic->width();
  out.height = pic->height();
  out.px.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y) {
    const uint8_t* row = pic->row(y);
    for (int x = 0; x < out.width; ++x)
      out.px[size_t(y) * size_t(out.width) + size_t(x)] = MakeRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
  return true;
}

void PerformCaptureActions(const Reaction& r, const CaptureTarget& t,
                           const std::function<void(const action::Status&)>& onStatus) {
  const LPARAM bar = reinterpret_cast<LPARAM>(t.scrollBar);
  for (const CaptureAction& a : r.actions) {
    if (auto* s = std::get_if<action::SendStep>(&a)) {
      const int steps = int(uint16_t(s->stepSize));
      if (s->vscroll) {
        for (int i = 0; i < steps; ++i) ::PostMessageW(t.window, WM_VSCROLL, SB_LINEDOWN, bar);
        ::PostMessageW(t.window, WM_VSCROLL, SB_ENDSCROLL, bar);
      } else {
        WPARAM wp = WPARAM(uint32_t(uint16_t(int16_t(-(s->stepSize * WHEEL_DELTA)))) << 16);
        LPARAM lp = MAKELPARAM(uint16_t(t.wheelPoint.x), uint16_t(t.wheelPoint.y));
        ::PostMessageW(t.window, WM_MOUSEWHEEL, wp, lp);
      }
    } else if (auto* p = std::get_if<action::PaintColumn>(&a)) {
      win::PaintScreenColumn(p->x, p->top, p->colours);
    } else if (auto* rr = std::get_if<action::RepaintRect>(&a)) {
      win::RepaintScreenRect(rr->rect);
    } else if (auto* st = std::get_if<action::Status>(&a)) {
      if (onStatus) onStatus(*st);
    } else if (std::holds_alternative<action::Beep>(a)) {
      ::MessageBeep(MB_OK);
    } else if (std::holds_alternative<action::ScrollToTop>(a)) {
      ::PostMessageW(t.window, WM_KEYDOWN, VK_CONTROL, 1);
      ::PostMessageW(t.window, WM_KEYDOWN, VK_HOME, 0x01000001);
      ::PostMessageW(t.window, WM_KEYUP, VK_HOME, LPARAM(0xC1000001u));
      ::PostMessageW(t.window, WM_KEYUP, VK_CONTROL, LPARAM(0xC0000001u));
      ::PostMessageW(t.window, WM_VSCROLL, SB_TOP, bar);
      ::PostMessageW(t.window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), bar);
      ::PostMessageW(t.window, WM_VSCROLL, SB_ENDSCROLL, bar);
    } else if (auto* m = std::get_if<action::Message>(&a)) {
      ::SetLastError(0);  // not a system failure
      ShowWarning(m->text);
    } else if (auto* tip = std::get_if<action::BigImageTip>(&a)) {
      ShowTip("NsaBigImage", "Big Image Caution", tip->text, 1, false);
    }
  }
}

void EndCaptureTool(HWND tool, CaptureEnd end, std::optional<Picture> picture, ScrollHost& host, int usageCode) {
  ::ShowWindow(tool, SW_HIDE);
  if (end == CaptureEnd::Store && !picture) {
    ::SetLastError(0);
    ShowWarning(kOutOfMemoryText);
  }
  if (picture) TraceLine("End WinRect wd=", picture->width(), "ht=", picture->height());
  else TraceLine("End without picture");
  const int counted = picture ? usageCode : 0;
  host.ScrollCaptureEnded(std::move(picture), counted);
}

}  // namespace flk
