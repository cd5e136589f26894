#include "viewer/viewer_options_win.h"

#include <memory>
#include <string>
#include <vector>

#include "shell/common_services_win.h"
#include "viewer/check_list_win.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_parts_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {
constexpr UINT kReleaseMessage = WM_APP + 1;
}  // namespace

class TfrmViewerOptions : public win::Window {
 public:
  bool FormCreate(HWND viewer) {
    const DpiScale s = win::WindowScale(viewer);
    if (!win::CreateDialogForm(*this, L"TfrmViewerOptions", kViewerOptionsCaption,
                               Size{kOptionsClientWidth, kOptionsClientHeight}, s, win::FormPlace::BelowMouse, viewer))
      return false;
    font_ = win::MakeSystemFont(win::SystemFont::Message, s);
    HFONT font = win::FontOrDefault(font_);
    const ViewerOptionsForm form = ViewerOptionsLayout();
    win::CreateControl(hwnd(), form.panelsGroup, s(form.panelsGroup.rect), font);
    panels_.checked = [this](int row) { return model_.PanelChecked(row); };
    panels_.toggled = [this](int row) {
      model_.TogglePanel(row);
      ShowState();
    };
    panels_.Create(hwnd(), kOptionsPanelList, s(form.panels), font, {kPanelRowTexts.begin(), kPanelRowTexts.end()},
                   kPanelRowCount, kOptionsRowHeight, s);
    win::CreateControl(hwnd(), form.buttonsGroup, s(form.buttonsGroup.rect), font);
    buttons_.checked = [this](int row) { return model_.ButtonChecked(row); };
    buttons_.toggled = [this](int row) {
      model_.ToggleButton(row);
      ShowState();
    };
    buttons_.Create(hwnd(), kOptionsButtonList, s(form.buttons), font,
                    {kButtonRowTexts.begin(), kButtonRowTexts.end()}, kButtonRowsPerColumn, kOptionsRowHeight, s);
    win::CreateControl(hwnd(), form.ok, s(form.ok.rect), font);
    return true;
  }

  bool released() const { return released_; }

  void ShowViewerOptions(ViewerOptionsHost& host) {
    PlaceUnderPointer(hwnd());
    model_.Attach(host);
    ShowState();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (!focus_) focus_ = panels_.hwnd();
    ::SetFocus(focus_);
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    *result = 0;
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) Release();  // btnOKClick
        return true;
      case WM_CLOSE: Release(); return true;  // FormClose
      case kReleaseMessage: ::DestroyWindow(hwnd()); return true;
      case DM_GETDEFID: *result = MAKELRESULT(IDOK, DC_HASDEFID); return true;
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->hwndItem == panels_.hwnd()) panels_.Draw(*item);
        else if (item->hwndItem == buttons_.hwnd()) buttons_.Draw(*item);
        else return false;
        *result = TRUE;
        return true;
      }
      case WM_CTLCOLORLISTBOX:
        *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        return true;
      case WM_ACTIVATE:
        // A plain window does not keep its focused child over a switch: the dialog does.
        if (LOWORD(wp) == WA_INACTIVE) {
          HWND f = ::GetFocus();
          if (f && ::IsChild(hwnd(), f)) focus_ = f;
        } else if (focus_ && ::IsWindow(focus_) && ::IsWindowEnabled(focus_)) {
          ::SetFocus(focus_);
        }
        return true;
    }
    return false;
  }

 private:
  void ShowState() {
    ::EnableWindow(buttons_.hwnd(), model_.ButtonListEnabled());
    panels_.Refresh();
    buttons_.Refresh();
  }

  // Destroyed once the present message is done; the next opening makes a new one.
  void Release() {
    if (!released_) ::PostMessageW(hwnd(), kReleaseMessage, 0, 0);
    released_ = true;
    ::ShowWindow(hwnd(), SW_HIDE);
  }

  ViewerOptionsModel model_;
  CheckList panels_, buttons_;
  win::UniqueFont font_;
  HWND focus_ = nullptr;
  bool released_ = false;
};

ViewerOptionsDialog::ViewerOptionsDialog() = default;
ViewerOptionsDialog::~ViewerOptionsDialog() = default;

void ViewerOptionsDialog::Show(HWND viewer, ViewerOptionsHost& host) {
  if (dialog_ && (!dialog_->hwnd() || dialog_->released())) dialog_.reset();  // closed earlier: forget it
  if (!dialog_) {
    dialog_ = std::make_unique<TfrmViewerOptions>();
    if (!dialog_->FormCreate(viewer)) {
      dialog_.reset();
      return;
    }
  }
  dialog_->ShowViewerOptions(host);
}

void ViewerOptionsDialog::Close() { dialog_.reset(); }

HWND ViewerOptionsDialog::window() const { return dialog_ && !dialog_->released() ? dialog_->hwnd() : nullptr; }

}  // namespace flk
