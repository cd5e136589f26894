#include "output/format_chooser_win.h"

#include <algorithm>
#include <memory>

#include "base/form_flow.h"
#include "output/file_formats.h"
#include "output/format_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/settings.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/measure_win.h"
#include "win32/modal_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {

bool TfrmGrFormat::FormCreate(HWND owner, int initialFormat) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  scale_ = win::WindowScale(owner);
  RECT r{0, 0, scale_(kFormatFormWidth), scale_(layout_.shape.clientHeight)};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  if (!Create(layout_.className, layout_.caption, style, exStyle, 0, 0, r.right - r.left, r.bottom - r.top, owner))
    return false;

  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  titleFont_ = win::MakeFaceFont(L"Arial", 15, scale_, {.weight = FW_BOLD, .italic = true});

  // Each description gets the lines its text takes in the font at this scale;
  // the rows below it, and the window, grow by what it needs.
  const std::vector<FormControl> parts = FormatFormControls(layout_.shape);
  std::vector<Rect> design;
  std::vector<int> needed;
  for (const FormControl& part : parts) {
    design.push_back(part.rect);
    const bool text = part.kind == FormControl::ChoiceText;
    needed.push_back(text ? win::TextHeight(hwnd(), font_.get(), part.text, scale_(part.rect.width())) : 0);
  }
  const FlowedForm flowed = FlowDown(design, needed, scale_);
  for (size_t i = 0; i < parts.size(); ++i)
    win::CreateControl(hwnd(), parts[i], flowed.rects[i], parts[i].id == kLabel5 ? titleFont_.get() : font_.get());
  if (flowed.grownBy > 0) {
    RECT wr;
    ::GetWindowRect(hwnd(), &wr);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top + flowed.grownBy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

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
  options.keyPreview = DialogKeys(hwnd(), layout_.helpContext);
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
      else if (code == STN_CLICKED && RadioOfDescription(id)) Select(RadioOfDescription(id));
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

std::optional<int> ShowFormatChooser(HWND owner, const std::string& rememberedName,
                                     std::unique_ptr<TfrmGrFormat>& form) {
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
