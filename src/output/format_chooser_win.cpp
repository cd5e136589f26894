#include "output/format_chooser_win.h"

#include <algorithm>
#include <memory>

#include "output/file_formats.h"
#include "output/format_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/settings.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/modal_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

namespace {

constexpr int kClientWidth = 266;

}  // namespace

HWND TfrmGrFormat::Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
  Rect r = scale_(Rect::FromXYWH(x, y, w, h));
  // What lies below the descriptions moves down by what they grew.
  if (y >= layout_.buttonsTop - 27) r = Rect{r.left, r.top + grownBy_, r.right, r.bottom + grownBy_};
  return win::CreateChild(hwnd(), cls, win::Narrow(text), style, r, id,
                          id == kLabel5 ? titleFont_.get() : font_.get());
}

bool TfrmGrFormat::FormCreate(HWND owner, int initialFormat) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  scale_ = win::WindowScale(owner);
  RECT r{0, 0, scale_(kClientWidth), scale_(layout_.clientHeight)};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  if (!Create(layout_.className, layout_.caption, style, exStyle, 0, 0, r.right - r.left, r.bottom - r.top, owner))
    return false;

  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  titleFont_ = win::MakeFaceFont(L"Arial", 15, scale_, {.weight = FW_BOLD, .italic = true});

  Add(L"STATIC", L"Format pros && cons", SS_LEFT, kLabel5, 8, 6, 250, 18);
  struct Row {
    int radio, label;
    const wchar_t* caption;
    const wchar_t* text;
  };
  const Row rows[] = {
      {kRadioGif, kLabel4, L"&GIF", L"Most common; produces exact copies, except for limited color, small files."},
      {kRadioJpg, kLabel1, L"&JPG", L"Best for photographs; produces near perfect copies, full color, small files."},
      {kRadioPng, kLabel2, L"&PNG", L"Best for non-photos, exact copies, full color, smallest files, new standard."},
      {kRadioBmp, kLabel3, L"&BMP", L" Windows OS only, exact copies, full color, large uncompressed files."},
  };
  // Each description gets the lines its text takes in the font at this scale.
  win::WindowDC dc(hwnd());
  win::SelectedObject selFont(dc.get(), font_.get());
  const int textWidth = scale_(194);
  int y = scale_(30);
  for (const Row& row : rows) {
    RECT need{0, 0, textWidth, 0};
    ::DrawTextW(dc.get(), row.text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int textHeight = std::max(int(need.bottom), scale_(18));
    DWORD radioStyle = BS_AUTORADIOBUTTON | (row.radio == kRadioGif ? WS_GROUP | WS_TABSTOP : 0);
    win::CreateChild(hwnd(), L"BUTTON", win::Narrow(row.caption), radioStyle, Rect::FromXYWH(scale_(8), y, scale_(52), scale_(18)),
                     row.radio, font_.get());
    // A click on the description selects its radio button (SS_NOTIFY).
    win::CreateChild(hwnd(), L"STATIC", win::Narrow(row.text), SS_LEFT | SS_NOTIFY | SS_NOPREFIX,
                     Rect::FromXYWH(scale_(64), y + scale_(1), textWidth, textHeight), row.label, font_.get());
    y += std::max(scale_(layout_.rowStep), textHeight + scale_(6));
  }
  grownBy_ = std::max(0, y - scale_(30 + 4 * layout_.rowStep));
  if (grownBy_ > 0) {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top + grownBy_,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int b = layout_.buttonsTop;
  if (layout_.nsaBox) {
    Add(L"STATIC", L"", SS_ETCHEDHORZ, kBevel1, 8, b - 27, 250, 2);
    Add(L"BUTTON", L"Don't show this message again.", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kChkNsa, 8, b - 21,
        250, 18);
  } else {
    Add(L"STATIC", L"", SS_ETCHEDHORZ, kBevel1, 8, b - 6, 250, 2);
  }
  if (layout_.setupButton) {
    Add(L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 17, b, 75, 23);
    Add(L"BUTTON", L"&Setup", BS_PUSHBUTTON | WS_TABSTOP, kBtnTrouble, 100, b, 75, 23);
  } else {
    Add(L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 100, b, 75, 23);
  }
  Add(L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 183, b, 75, 23);

  switch (initialFormat) {
    case kFormatBmp: Select(kRadioBmp); break;
    case kFormatJpeg: Select(kRadioJpg); break;
    case kFormatPng: Select(kRadioPng); break;
    default: Select(kRadioGif); break;
  }
  return true;
}

int TfrmGrFormat::SelectedFormat() const {
  if (Checked(kRadioBmp)) return kFormatBmp;
  if (Checked(kRadioJpg)) return kFormatJpeg;
  if (Checked(kRadioPng)) return kFormatPng;
  return kFormatGif;
}

void TfrmGrFormat::btnOKClick() {
  AppSettings().WriteSingleSetting("NsaSaveAsFormat", Checked(kChkNsa));
  filterIndex_ = SelectedFormat();
  Close(true);
}

bool TfrmGrFormat::ShowModal(HWND owner) {
  POINT mouse{};
  ::GetCursorPos(&mouse);
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  const int width = r.right - r.left;
  ::SetWindowPos(hwnd(), HWND_TOP, mouse.x - width / 2, mouse.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  KeepOnScreen(hwnd());

  done_ = ok_ = false;
  win::ModalOptions options;
  options.owner = owner;
  options.focus = ::GetDlgItem(hwnd(), IDOK);
  // F1 as the system's WM_HELP would have it (not every system sends that).
  options.keyPreview = [this](const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_F1 || (m.hwnd != hwnd() && !::IsChild(hwnd(), m.hwnd))) return false;
    ShowHelp(hwnd(), layout_.helpContext);
    return true;
  };
  win::RunModalLoop(hwnd(), [this] { return done_; }, options);
  ::ShowWindow(hwnd(), SW_HIDE);
  return ok_;
}

bool TfrmGrFormat::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp), code = HIWORD(wp);
      if (id == IDOK && code == BN_CLICKED) btnOKClick();
      else if (id == kBtnTrouble && code == BN_CLICKED) btnTroubleClick();
      else if (id == IDCANCEL) btnCancelClick();
      else if (code == STN_CLICKED && id == kLabel4) Select(kRadioGif);
      else if (code == STN_CLICKED && id == kLabel1) Select(kRadioJpg);
      else if (code == STN_CLICKED && id == kLabel2) Select(kRadioPng);
      else if (code == STN_CLICKED && id == kLabel3) Select(kRadioBmp);
      else return false;
      *result = 0;
      return true;
    }
    case DM_GETDEFID:
      *result = MAKELRESULT(IDOK, DC_HASDEFID);
      return true;
    case WM_CLOSE:
      btnCancelClick();
      *result = 0;
      return true;
    case WM_TIMER:
      Timer1Timer();
      *result = 0;
      return true;
    case WM_HELP:
      ShowHelp(hwnd(), layout_.helpContext);
      *result = TRUE;
      return true;
  }
  return false;
}

namespace {

std::unique_ptr<TfrmGrFormat>& Chooser() {
  static std::unique_ptr<TfrmGrFormat> form;
  return form;
}

}  // namespace

std::optional<int> ShowFormatChooser(HWND owner, const std::string& rememberedName) {
  auto& form = Chooser();
  if (!form || !::IsWindow(form->hwnd())) {
    form = std::make_unique<TfrmGrFormat>();
    if (!form->FormCreate(owner, ChooserInitialFormat(rememberedName))) {
      form.reset();
      return std::nullopt;
    }
  }
  if (!form->ShowModal(owner)) return std::nullopt;
  return form->filterIndex();
}

}  // namespace flk
