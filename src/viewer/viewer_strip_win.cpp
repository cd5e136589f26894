#include "viewer/viewer_strip_win.h"

#include "viewer/viewer_folder.h"
#include "viewer/viewer_parts_win.h"
#include "win32/controls_win.h"
#include "win32/scroll_bar_win.h"

namespace flk {

ViewerStrip::ViewerStrip(ViewerFolder& folder, ViewerArrangement& arrangement)
    : folder_(folder), arrangement_(arrangement) {}

ViewerStrip::~ViewerStrip() = default;

bool ViewerStrip::Create(HWND parent, int barId, std::function<void(int)> pressed) {
  thumbs_ = std::make_unique<TPaintThumbs>(folder_, arrangement_, [this, pressed = std::move(pressed)](int x) {
    pressed(ThumbIndexAt(arrangement_.thumbs(), x));
  });
  if (!thumbs_->FormCreate(parent)) return false;
  bar_ = win::CreateChild(parent, L"SCROLLBAR", "", SBS_HORZ | WS_CLIPSIBLINGS, Rect{}, barId, nullptr);
  return bar_ != nullptr;
}

HWND ViewerStrip::strip() const { return thumbs_ ? thumbs_->hwnd() : nullptr; }

void ViewerStrip::SetRange(const ViewerPanes& p) {
  if (!p.scrollBar.shown) return;
  settingRange_ = true;
  win::SetScrollBar(bar_, SB_CTL, ScrollBarState{p.scrollPos, 0, p.scrollMax, p.scrollPage});
  settingRange_ = false;
}

bool ViewerStrip::Scrolled(HWND from, WPARAM wp) {
  if (from != bar_ || settingRange_) return false;
  const ScrollRequest request = win::ScrollRequestOf(wp);
  if (request == ScrollRequest::None) return false;
  arrangement_.ScrollThumbs(request, win::ReadScrollBar(bar_, SB_CTL), int(folder_.pictures().size()));
  return true;
}

void ViewerStrip::Repaint() const { ::InvalidateRect(strip(), nullptr, FALSE); }

}  // namespace flk
