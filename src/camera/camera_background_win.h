// The camera's copy of the screen beneath it (bmpBkgnd), at the screen's
// format. The camera shows it as the view; moves and resizes shift it and
// fetch only what a step uncovers; a live move's ghost gives the screen back
// from it. All coordinates are screen coordinates unless said otherwise.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/geometry.h"
#include "base/picture.h"
#include "win32/unique_handle.h"

namespace flk {

// Parts of r covered by visible top-level windows above `self`, top first.
std::vector<Rect> AreasCoveredAbove(HWND self, const Rect& r);

class CamBackground {
 public:
  // The copy selected into a memory DC compatible with `like`, for painting from it.
  class Source {
   public:
    Source(const CamBackground& bk, HDC like);
    HDC get() const { return dc_.get(); }

   private:
    win::UniqueMemoryDC dc_;
    win::SelectedObject sel_;
  };

  bool present() const { return bool(bitmap_); }
  Size size() const { return Size{width_, height_}; }
  // The copy's own area, (0, 0) at its top-left.
  Rect area() const { return Rect{0, 0, width_, height_}; }

  // The screen's depth now, noted at the window's creation.
  void NoteDepth(int bpp) { lastBpp_ = bpp; }
  // Copies the screen under `area` (the camera's rectangle, hidden or about to show).
  // started: the camera is open, so a changed colour depth drops the old copy.
  void Grab(const Rect& area, bool started);
  // The window went from `from` to `to`: the shared part moves, the rest is fetched.
  void Shift(const Rect& from, const Rect& to);
  // Fetches from the screen the parts `areas` of the copy lying at `at`.
  void Fetch(const Rect& at, const std::vector<Rect>& areas);
  // Takes into the copy lying at `at` what windows above `self` show over it.
  void CopyWindowsAbove(HWND self, const Rect& at) {
    if (bitmap_) Fetch(at, AreasCoveredAbove(self, at));
  }
  // Gives back to the screen the parts `areas` of the copy lying at `at`.
  void GiveBack(Point at, const std::vector<Rect>& areas) const;
  // The part `r` of the copy (copy coordinates) as a picture; nothing when it lies outside.
  std::optional<Picture> PictureOf(const Rect& r) const;

  // Whether a grab was made since the window was last hidden.
  bool grabbedSinceHide() const { return grabbedSinceHide_; }
  void Hidden() { grabbedSinceHide_ = false; }

 private:
  win::UniqueBitmap bitmap_;
  int width_ = 0, height_ = 0;
  int lastBpp_ = 0;
  bool grabbedSinceHide_ = false;
};

}  // namespace flk
