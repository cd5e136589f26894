#include "stickies/sticky_item_win.h"

#include <windowsx.h>

#include "output/picture_outputs_win.h"
#include "output/print_win.h"
#include "output/store_file_system_win.h"
#include "shell/app_win.h"
#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/settings.h"
#include "support/contact_win.h"
#include "win32/dpi_win.h"
#include "win32/files_win.h"
#include "win32/screen_win.h"

namespace flk {

namespace {

constexpr int kBtnMenuId = 10;
constexpr int kNoteHelp = 1, kMenuHelp = 4;

}  // namespace

TfrmStickyItem::TfrmStickyItem(const NoteHost& host, Picture picture)
    : host_(host), notePicture_(std::move(picture)) {}

TfrmStickyItem::~TfrmStickyItem() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool TfrmStickyItem::FormCreate(int left, int top) {
  const int w = notePicture_->width() + 2 * kNoteFrame, h = notePicture_->height() + 2 * kNoteFrame;
  // Borderless from the start: no caption bits, no border icons.
  if (!Create(L"TfrmStickyItem", L"StickyItem", WS_POPUP, 0, left, top, w, h, host_.manager, nullptr, nullptr,
              ::LoadCursorW(nullptr, IDC_SIZEALL)))
    return false;
  scale_ = win::WindowScale(hwnd());
  Rect button = Rect::FromXYWH(0, 3, scale_(kMenuButtonWidth), scale_(kMenuButtonHeight));
  if (btnMenu_.Create(hwnd(), kBtnMenuId, button, MakeNoteMenuGlyph(), host_.common)) {
    btnMenu_.OnHiLt = [this](int x, int y) {
      if (host_.common) host_.common->WatchHover(&btnMenu_, x, y, scale_(kMenuButtonWidth), scale_(kMenuButtonHeight));
    };
    btnMenu_.OnMouseUp = [this](int x, int y) { ShowMenu(NoteMenuTrigger::ButtonRelease, Point{x, y}); };
  }
  mnuSticky_.reset(::CreatePopupMenu());
  for (const NoteMenuItem& item : NoteMenuItems())
    ::AppendMenuW(mnuSticky_.get(), item.label ? MF_STRING : MF_SEPARATOR, UINT(item.command),
                  item.label ? win::Widen(item.label).c_str() : nullptr);
  FormResize();
  return true;
}

Point TfrmStickyItem::WindowTopLeft() const {
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  return {r.left, r.top};
}

void TfrmStickyItem::FormResize() {
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  MenuButtonPlace place = PlaceMenuButton(r.right - r.left, r.bottom - r.top, scale_(kMenuButtonWidth));
  if (!btnMenu_.hwnd()) return;
  ::SetWindowPos(btnMenu_.hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(btnMenu_.hwnd(), place.visible ? SW_SHOWNA : SW_HIDE);
}

void TfrmStickyItem::Paint() {
  win::PaintDC paint(hwnd());
  RECT rc = clientRect();
  DrawThickFrame(paint.get(), true, rc.right, kNoteFrame, rc.bottom);
  if (notePicture_) win::DrawPicture(paint.get(), *notePicture_, kNoteFrame, kNoteFrame);
}

void TfrmStickyItem::ShowMenu(NoteMenuTrigger trigger, Point mouse) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  RECT b{};
  ::GetWindowRect(btnMenu_.hwnd(), &b);
  Point origin = WindowTopLeft();
  NoteMenuInput in{origin, {b.left - origin.x, b.top - origin.y}, mouse, {cursor.x, cursor.y}};
  Point at = NoteMenuPosition(trigger, in);
  ::SetForegroundWindow(hwnd());
  UINT cmd = UINT(::TrackPopupMenu(mnuSticky_.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                   at.x, at.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  switch (NoteCommandOf(cmd)) {
    case NoteCommand::None: return;
    case NoteCommand::PrinterSetup:
      if (host_.common) ShowPrinterSetup(*host_.common, hwnd());
      return;
    case NoteCommand::Help: ShowHelp(hwnd(), kMenuHelp); return;
    case NoteCommand::Delete:
      if (!notePath_.empty()) win::RemoveFile(notePath_);
      notePicture_.reset();  // nothing is saved
      ::DestroyWindow(hwnd());
      return;
    default: GenClick(NoteCommandOf(cmd)); return;
  }
}

void TfrmStickyItem::GenClick(NoteCommand command) {
  const std::optional<PictureOutput> output = OutputOfNoteCommand(command);
  if (!notePicture_ || !output) return;
  // The e-mail dialog is kept by the manager: a note may be gone before it closes.
  OutputCaller caller{.owner = hwnd(), .settings = &AppSettings(), .common = host_.common,
                      .email = EmailHost{.sendComment = [](HWND owner) { SendCommentMail(owner); }},
                      .mailOwner = host_.manager, .session = host_.outputs};
  RunPictureOutput(*output, *notePicture_, caller);
}

void TfrmStickyItem::SaveNote() {
  if (!notePicture_ || !hwnd()) return;
  NoteSave save = PlanNoteSave(host_.folder, notePath_, isNewNote_, drag_.moved(), WindowTopLeft(), *host_.ids);
  SaveError error;
  if (save.kind == NoteSave::Write && !WriteBmpFile(save.path, *notePicture_, &error) &&
      MessageBoxText(nullptr, NoteNotSavedText(save.path, error.message), ApplicationTitleText(),
                     MB_YESNO | MB_ICONWARNING) == IDYES) {
    // The window is going: the manager owns the save dialog.
    OutputCaller caller{.owner = host_.manager, .settings = &AppSettings(), .common = host_.common,
                        .session = host_.outputs};
    RunPictureOutput(PictureOutput::SaveAs, *notePicture_, caller);
  }
  if (save.kind == NoteSave::Rename)  // a failed rename keeps the old place
    win::MoveFileTo(notePath_, save.path);
  notePicture_.reset();
}

void TfrmStickyItem::OnDestroyed() {
  closed_ = true;
  ::PostMessageW(host_.manager, WM_APP, 0, 0);  // the manager lets the closed note go
}

bool TfrmStickyItem::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_PAINT: Paint(); return true;
    case WM_SIZE: FormResize(); return true;
    case WM_DPICHANGED:
      // The picture stays in physical pixels: the note keeps its size and place,
      // only its menu button follows the new monitor's scale.
      scale_ = DpiScaleOf(HIWORD(wp));
      ::SetWindowPos(btnMenu_.hwnd(), nullptr, 0, 0, scale_(kMenuButtonWidth), scale_(kMenuButtonHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      FormResize();
      return true;
    case WM_DESTROY: SaveNote(); return false;  // the window's place is still known here
    case WM_ENDSESSION:
      if (wp) SaveNote();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      drag_.Press({x, y});
      ::SetCapture(hwnd());
      return true;
    case WM_MOUSEMOVE:
      if (std::optional<Point> to = drag_.Move(WindowTopLeft(), {x, y}))
        ::SetWindowPos(hwnd(), nullptr, to->x, to->y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      drag_.Release();
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      return msg != WM_RBUTTONUP;  // a right release goes on to become WM_CONTEXTMENU
    case WM_CONTEXTMENU: {
      // A right click on the menu button opened the menu on its release already.
      if (reinterpret_cast<HWND>(wp) != hwnd()) return true;
      POINT cursor{};
      ::GetCursorPos(&cursor);
      ShowMenu(NoteMenuTrigger::RightClick, ContextMenuPoint({x, y}, {cursor.x, cursor.y}, WindowTopLeft()));
      return true;
    }
    case WM_LBUTTONDBLCLK: ShowMenu(NoteMenuTrigger::DoubleClick, Point{}); return true;
    case WM_KEYDOWN:
      if (wp == VK_RETURN) ShowMenu(NoteMenuTrigger::EnterKey, Point{});
      if (wp == VK_F1) ShowHelp(hwnd(), kNoteHelp);
      return true;
    case WM_HELP: ShowHelp(hwnd(), kNoteHelp); *result = TRUE; return true;
  }
  return false;
}

}  // namespace flk
