// TGrBtn: a painted button with a four-cell glyph (normal, pressed,
// highlighted, disabled; images in the top half, masks in the bottom half)
// and a highlight that the common form's hover watch takes back once the
// cursor has left it. Its states follow GlyphButtonState.
#pragma once

#include <windows.h>

#include <functional>

#include "base/geometry.h"
#include "shell/common_services.h"
#include "stickies/gr_btn.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmCommon;

class TGrBtn : public win::Window, public HoverTarget {
 public:
  ~TGrBtn() override;
  // glyph: four cells side by side, images above their masks (owned by the button).
  bool Create(HWND parent, int id, const Rect& rect, HBITMAP glyph, TfrmCommon* hover);
  GlyphState state() const { return mouse_.state(); }
  void SetEnabled(bool enabled);

  // The ordinary mouse-up event, with the position inside the button.
  std::function<void(int x, int y)> OnMouseUp;
  // The mouse entered: the position inside the button.
  std::function<void(int x, int y)> OnHiLt;

  void MouseLeft() override { Perform(mouse_.Leave(), 0, 0); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void Perform(const GlyphButtonState::Reply& r, int x, int y);
  void Paint();

  win::UniqueBitmap glyph_;
  TfrmCommon* hover_ = nullptr;
  GlyphButtonState mouse_;
  bool disabled_ = false;
};

// The note's menu glyph (NoteMenuGlyph) as a bitmap.
HBITMAP MakeNoteMenuGlyph();

}  // namespace flk
