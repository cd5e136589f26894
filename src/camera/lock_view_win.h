// The Hold view (scrollboxLockView with imgLockView): a dark child window of
// the camera that shows the held picture at its own size from its top left,
// with scroll bars (tracking while dragged) once the camera is smaller than
// the picture. Mouse presses and moves go on to the camera, so that the held
// camera is dragged and its popup menu opened as over the live view.
#pragma once

#include <windows.h>

#include "base/geometry.h"
#include "base/picture.h"
#include "win32/window.h"

namespace flk {

// The scroll box's colour around and beside the held picture.
inline constexpr COLORREF kLockViewColour = RGB(48, 48, 48);

class TLockView : public win::Window {
 public:
  bool Create(HWND camera);
  // The picture is the camera's; nullptr empties the view. Scrolls to the top left.
  void SetPicture(const Picture* picture);
  void Place(int x, int y, int width, int height);
  void Show(bool visible);
  Point ScrollPos() const { return pos_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void UpdateScrollBars();
  void Scroll(int bar, int code, int thumb);
  void Paint();

  const Picture* picture_ = nullptr;
  Point pos_{0, 0};
  bool updating_ = false;
};

}  // namespace flk
