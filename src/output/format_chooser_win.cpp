#include "output/format_chooser_win.h"

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
  return win::CreateChild(hwnd(), cls, win::Narrow(text), style, scale_(Rect::FromXYWH(x, y, w, h)), id,
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
  LOGFONTW title{};
  title.lfHeight = -scale_(15);
  title.lfWeight = FW_BOLD;
  title.lfItalic = TRUE;
  title.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(title.lfFaceName, L"Arial");
  titleFont_.reset(::CreateFontIndirectW(&title));

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
  int y = 30;
  for (const Row& row : rows) {
    DWORD radioStyle = BS_AUTORADIOBUTTON | (row.radio == kRadioGif ? WS_GROUP | WS_TABSTOP : 0);
    Add(L"BUTTON", row.caption, radioStyle, row.radio, 8, y, 52, 18);
    // A click on the description selects its radio button (SS_NOTIFY).
    Add(L"STATIC", row.text, SS_LEFT | SS_NOTIFY | SS_NOPREFIX, row.label, 64, y + 1, 194, 36);
    y += layout_.rowStep;
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
