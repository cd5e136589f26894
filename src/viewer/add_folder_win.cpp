#include "viewer/add_folder_win.h"

#include "output/folder_menu.h"
#include "shell/common_services_win.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_options.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_form_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr int kOuterWidth = 214, kOuterHeight = 219;  // 96-DPI, frame included
constexpr int kMinWidth = 170, kMinHeight = 170;
enum Id { kLabel1 = 501, kEditName, kLabel2, kLstSuggest, kBtnDoIt, kBtnCancel };

class TfrmAddFolder : public win::ModalForm {
 public:
  TfrmAddFolder(FolderManager& manager, int index, const std::function<void()>& listChanged)
      : manager_(manager), index_(index), listChanged_(listChanged) {}

  void ShowNameDialog(HWND owner) {
    scale_ = win::WindowScale(owner);
    POINT mouse{};
    ::GetCursorPos(&mouse);
    const int w = scale_(kOuterWidth), h = scale_(kOuterHeight);
    const Point at = PlaceAtPointer(Point{mouse.x, mouse.y}, w);
    if (!Create(L"TfrmAddFolder", win::Widen(kNameDialogCaption).c_str(),
                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME, at.x,
                at.y, w, h, owner))
      return;
    KeepOnScreen(hwnd());
    font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
    HFONT font = win::FontOrDefault(font_);
    const Rect none{};
    win::CreateChild(hwnd(), L"STATIC", "New name:", SS_LEFT, none, kLabel1, font);
    edit_ = win::CreateChild(hwnd(), L"EDIT", manager_.InitialName(index_), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                             none, kEditName, font, WS_EX_CLIENTEDGE);
    win::CreateChild(hwnd(), L"STATIC", "Suggestions:", SS_LEFT, none, kLabel2, font);
    suggest_ = win::CreateChild(hwnd(), L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                                none, kLstSuggest, font, WS_EX_CLIENTEDGE);
    for (const char* s : kFolderSuggestions)
      ::SendMessageW(suggest_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(s).c_str()));
    win::CreateChild(hwnd(), L"BUTTON", manager_.DoItCaption(index_), BS_DEFPUSHBUTTON | WS_TABSTOP, none, kBtnDoIt,
                     font);
    win::CreateChild(hwnd(), L"BUTTON", "&Close", BS_PUSHBUTTON | WS_TABSTOP, none, kBtnCancel, font);
    Layout();
    ::SendMessageW(edit_, EM_SETSEL, 0, -1);

    win::ModalOptions options;
    options.owner = owner;
    options.focus = edit_;
    // Esc for the cancel button (not every system's dialog keys reach a plain window).
    options.keyPreview = [this](const MSG& msg) {
      if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE ||
          (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)))
        return false;
      EndModal();
      return true;
    };
    SetDefaultButton(kBtnDoIt);
    RunModal(options);
  }

 protected:
  bool OnCommand(int id, int notification) override {
    switch (id) {
      case kBtnDoIt:
      case IDOK: btnDoItClick(); return true;
      case kBtnCancel: EndModal(); return true;
      case kLstSuggest:
        if (notification == LBN_SELCHANGE) lstSuggestClick();
        return true;
    }
    return false;
  }
  bool OnFormMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) override {
    switch (msg) {
      case WM_SIZE: Layout(); return true;
      case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = POINT{scale_(kMinWidth), scale_(kMinHeight)};
        return true;
      }
    }
    return false;
  }

 private:
  void Layout() {
    const RECT rc = clientRect();
    const NameDialogLayout l = LayOutNameDialog(Size{scale_.ToBase(rc.right), scale_.ToBase(rc.bottom)});
    const std::pair<int, Rect> parts[] = {{kLabel1, l.label1}, {kEditName, l.edit},  {kLabel2, l.label2},
                                          {kLstSuggest, l.suggestions}, {kBtnDoIt, l.doIt}, {kBtnCancel, l.close}};
    for (const auto& [id, r96] : parts) {
      const Rect r = scale_(r96);
      ::MoveWindow(::GetDlgItem(hwnd(), id), r.left, r.top, r.width(), r.height(), TRUE);
    }
  }

  void lstSuggestClick() {
    if (const char* name = SuggestionAt(int(::SendMessageW(suggest_, LB_GETCURSEL, 0, 0))))
      ::SetWindowTextW(edit_, win::Widen(name).c_str());
  }

  void btnDoItClick() {
    const std::string name = win::WindowText(edit_);
    ::SetLastError(0);
    const NameOutcome r = manager_.DoName(index_, name);
    if (!r.warning.empty()) {
      // The failed call's error goes with the warning; a name refused beforehand is an invalid name.
      if (r.refusedName) ::SetLastError(ERROR_INVALID_NAME);
      ShowWarning(r.warning, kWarningCaption);
      ::SetFocus(edit_);
      ::SendMessageW(edit_, EM_SETSEL, 0, -1);
      return;
    }
    if (listChanged_) listChanged_();
    if (r.clearName) {
      ::SetWindowTextW(edit_, L"");
      ::SendMessageW(suggest_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      ::SetFocus(edit_);
    }
    if (r.closeDialog) EndModal();
  }

  FolderManager& manager_;
  int index_;
  const std::function<void()>& listChanged_;
  DpiScale scale_;
  win::UniqueFont font_;
  HWND edit_ = nullptr, suggest_ = nullptr;
};

}  // namespace

void ShowNameDialog(HWND owner, FolderManager& manager, int index, const std::function<void()>& listChanged) {
  TfrmAddFolder form(manager, index, listChanged);
  form.ShowNameDialog(owner);
}

}  // namespace flk
