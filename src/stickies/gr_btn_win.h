// TGrBtn: a painted button with a four-cell glyph (normal, pressed,
// highlighted, disabled; images in the top half, masks in the bottom half)
// and a highlight that the common form's hover watch takes back once the
// cursor has left it.
#pragma once

#include <windows.h>

#include <functional>

#include "base/geometry.h"
#include "shell/common_services.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmCommon;

class TGrBtn : public win::Window, public HoverTarget {
 public:
  enum State { Normal = 0, Pressed = 1, Highlighted = 2, Disabled = 3 };
  ~TGrBtn() override;
  // glyph: four cells side by side, images above their masks (owned by the button).
  bool Create(HWND parent, int id, const Rect& rect, HBITMAP glyph, TfrmCommon* hover);
  State state() const { return state_; }
  void SetEnabled(bool enabled);

  // The ordinary mouse-up event, with the position inside the button.
  std::function<void(int x, int y)> OnMouseUp;
  // The mouse entered: the position inside the button.
  std::function<void(int x, int y)> OnHiLt;

  void MouseLeft() override { SetState(Normal); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void SetState(State s);
  void Paint();

  win::UniqueBitmap glyph_;
  TfrmCommon* hover_ = nullptr;
  State state_ = Normal;
  bool disabled_ = false;
};

// The note's menu glyph, 64 x 24 at 24 bits per pixel: a small menu mark in
// four states, drawn anew.
HBITMAP MakeNoteMenuGlyph();

}  // namespace flk
