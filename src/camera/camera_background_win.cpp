// Performs the copy's plans (camera_background.h, move_resize.h) with GDI.
#include "camera/camera_background_win.h"

#include "camera/camera_background.h"
#include "camera/move_resize.h"
#include "win32/screen_win.h"

namespace flk {

CamBackground::Source::Source(const CamBackground& bk, HDC like)
    : dc_(::CreateCompatibleDC(like)), sel_(dc_.get(), bk.bitmap_.get()) {}

void CamBackground::Grab(const Rect& area, bool started) {
  BkgndHeld held{present(), size(), lastBpp_};
  int bpp = area.width() > 0 && area.height() > 0 ? win::ScreenBitsPerPixel() : lastBpp_;
  BkgndGrabPlan plan = PlanBkgndGrab(held, started, bpp, Size{area.width(), area.height()});
  if (!plan.grab) return;
  win::ScreenDC screen;
  if (plan.dropForDepth) {
    lastBpp_ = bpp;
    bitmap_.reset();
    width_ = height_ = 0;
  }
  if (plan.create) {
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), area.width(), area.height()));
    width_ = bitmap_ ? area.width() : 0;
    height_ = bitmap_ ? area.height() : 0;
  }
  if (!bitmap_) return;
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bitmap_.get());
  win::CopyScreenArea(mem.get(), 0, 0, area, screen.get());
  grabbedSinceHide_ = true;
}

void CamBackground::Shift(const Rect& from, const Rect& to) {
  if (to.empty()) return;
  BkgndStep step = PlanBkgndStep(Rect::FromXYWH(from.left, from.top, width_, height_), to);
  win::WindowDC screen(nullptr);
  win::UniqueMemoryDC dst(::CreateCompatibleDC(screen.get()));
  win::UniqueBitmap next;
  bool inPlace = step.keep && bitmap_ && step.size.width == width_ && step.size.height == height_;
  if (!inPlace) {
    next.reset(::CreateCompatibleBitmap(screen.get(), step.size.width, step.size.height));
    if (!next) return;
  }
  {
    win::SelectedObject selDst(dst.get(), inPlace ? bitmap_.get() : next.get());
    if (step.keep && bitmap_) {
      // The shared part moves inside the copy (onto itself when the size stays).
      const Rect& k = step.kept;
      if (inPlace) {
        ::BitBlt(dst.get(), k.left, k.top, k.width(), k.height(), dst.get(), k.left - step.keepAt.x,
                 k.top - step.keepAt.y, SRCCOPY);
      } else {
        win::UniqueMemoryDC src(::CreateCompatibleDC(screen.get()));
        win::SelectedObject selSrc(src.get(), bitmap_.get());
        ::BitBlt(dst.get(), k.left, k.top, k.width(), k.height(), src.get(), k.left - step.keepAt.x,
                 k.top - step.keepAt.y, SRCCOPY);
      }
    }
    for (const Rect& r : step.fetch) win::CopyScreenArea(dst.get(), r.left - to.left, r.top - to.top, r, screen.get());
  }
  if (!inPlace) bitmap_ = std::move(next);
  width_ = step.size.width;
  height_ = step.size.height;
}

void CamBackground::Fetch(const Rect& at, const std::vector<Rect>& areas) {
  if (!bitmap_ || areas.empty()) return;
  win::WindowDC screen(nullptr);
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bitmap_.get());
  for (const Rect& r : areas) win::CopyScreenArea(mem.get(), r.left - at.left, r.top - at.top, r, screen.get());
}

void CamBackground::GiveBack(Point at, const std::vector<Rect>& areas) const {
  if (!bitmap_) return;
  win::WindowDC screen(nullptr);
  win::UniqueMemoryDC mem(::CreateCompatibleDC(screen.get()));
  win::SelectedObject sel(mem.get(), bitmap_.get());
  for (const Rect& g : areas)
    ::BitBlt(screen.get(), g.left, g.top, g.width(), g.height(), mem.get(), g.left - at.x, g.top - at.y, SRCCOPY);
}

std::optional<Picture> CamBackground::PictureOf(const Rect& r) const {
  if (!bitmap_) return std::nullopt;
  Rect inside = Intersect(r, area());
  if (inside.empty()) return std::nullopt;
  win::ScreenDC screen;
  Source bk(*this, screen.get());
  return win::PictureFromDC(bk.get(), inside);
}

std::vector<Rect> AreasCoveredAbove(HWND self, const Rect& r) {
  std::vector<Rect> covered;
  for (const win::WindowAbove& w : win::WindowsAbove(self, r)) covered.push_back(w.shared);
  return covered;
}

}  // namespace flk
