// TfrmGrFormat, the format chooser's form: four radio buttons with their pros
// and cons, OK and Cancel. The e-mail format dialog TfrmEmail is this form
// with its own caption, height, a "&Setup" button and OK handler.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "output/format_form.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

class TfrmGrFormat : public win::Window {
 public:
  struct Layout {
    const wchar_t* className = L"TfrmGrFormat";
    const wchar_t* caption = L"File Format Selection";
    FormatFormShape shape;
    int helpContext = 1;
  };
  // Control ids the derived forms and the tests rely on.
  using enum FormatFormId;

  TfrmGrFormat() : TfrmGrFormat(Layout{}) {}
  explicit TfrmGrFormat(const Layout& layout) : layout_(layout) {}
  bool FormCreate(HWND owner, int initialFormat);
  // Runs the form modally at the mouse; true for OK.
  bool ShowModal(HWND owner);
  int filterIndex() const { return filterIndex_; }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  // The chosen format index (BMP 2, GIF 3, JPG 4, PNG 5).
  int SelectedFormat() const;
  virtual void btnOKClick();
  virtual void btnTroubleClick() {}
  virtual void Timer1Timer() {}
  void Close(bool ok) {
    ok_ = ok;
    done_ = true;
  }

 private:
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void Select(int radio) { ::CheckRadioButton(hwnd(), kRadioGif, kRadioBmp, radio); }
  void btnCancelClick() { Close(false); }

  Layout layout_;
  DpiScale scale_;
  win::UniqueFont font_, titleFont_;
  bool done_ = false, ok_ = false;
  int filterIndex_ = 3;
};

}  // namespace flk
