#include "viewer/viewer_win.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "shell/common_services_win.h"
#include "shell/names.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_settings.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_win.h"
#include "win32/system_dll_win.h"

namespace flk {

namespace {
constexpr int kIdTabs = 12, kIdScrollThumb = 13, kIdMemo = 14, kIdStatus = 15, kIdMemoLabel = 16;

bool ModifierHeld() {
  return (::GetKeyState(VK_SHIFT) | ::GetKeyState(VK_CONTROL) | ::GetKeyState(VK_MENU)) < 0;
}

Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

TfrmViewer::TfrmViewer(Settings& settings, ViewerOptionsDialog& options)
    : settings_(settings), options_(options), folder_(disk_, BaseFolder()), strip_(folder_, arrangement_) {
  folder_.OnUnreadable([this] {
    // Not now, perhaps in the middle of a paint: reported once it is done.
    if (!reportPosted_) reportPosted_ = ::PostMessageW(hwnd(), kWmReportUnreadable, 0, 0);
  });
}

TfrmViewer::~TfrmViewer() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool TfrmViewer::FormCreate() {
  ViewerSettings values;
  if (!ReadViewerSettings(settings_, &values)) return false;
  arrangement_ = ViewerArrangement(values.look, values.thumbHeight, values.memoHeight);
  // The rich-edit control lives in a system library, loaded by its full path.
  win::LoadSystemLibrary(L"riched20.dll");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  if (!Create(win::Widen(kViewerClass).c_str(), win::Widen(kViewerCaption).c_str(),
              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, values.left, values.top, values.width, values.height))
    return false;
  scale_ = win::WindowScale(hwnd());
  bars_.CreateMenus(hwnd());
  CreateChildren();
  bars_.CreateToolBars(scale_);
  commands_ = std::make_unique<ViewerCommands>(hwnd(), *this, settings_, folder_, memo_);
  // Larger than the screen (the monitor it opens on): as large as that screen.
  const Rect opening = OpeningRect(Rect::FromXYWH(values.left, values.top, values.width, values.height),
                                   win::MonitorOfWindow(hwnd()).area.size());
  ::SetWindowPos(hwnd(), nullptr, opening.left, opening.top, opening.width(), opening.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyViewerToolbarLayout();
  // Back where it was left, on any monitor (kept on the screen of its own
  // monitor, else the nearest). The stored place changes only when the user moves it.
  KeepOnScreen(hwnd());
  placement_ = ViewerPlacement(values, win::WindowRectOf(hwnd()));
  screen_ = std::make_unique<ViewerScreenWin>(ViewerScreenWin::Parts{.window = hwnd(),
                                                                     .status = status_,
                                                                     .tabs = &tabs_,
                                                                     .bars = &bars_,
                                                                     .memo = &memo_,
                                                                     .strip = &strip_,
                                                                     .pictureBox = pictureBox_.get(),
                                                                     .arrange = [this] { ArrangeControls(); }});
  flow_ = std::make_unique<ViewerFlow>(folder_, arrangement_, *screen_);
  if (!flow_->Start()) return false;
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetFocus(memo_.hwnd());
  return true;
}

void TfrmViewer::CreateChildren() {
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  HWND h = hwnd();
  tabs_.Create(h, kIdTabs, font_.get());
  strip_.Create(h, kIdScrollThumb, [this](int picture) { flow_->SelectPicture(picture); });
  splitterTop_ = std::make_unique<TSplitter>([this](int delta) { SplitterMoved(true, delta); });
  splitterTop_->FormCreate(h);
  pictureBox_ = std::make_unique<TPictureBox>(folder_, [this](POINT screen) { bars_.ShowPopupMenu(screen); });
  pictureBox_->FormCreate(h);
  splitterBottom_ = std::make_unique<TSplitter>([this](int delta) { SplitterMoved(false, delta); });
  splitterBottom_->FormCreate(h);
  memo_.Create(h, kIdMemo, font_.get());
  memoLabel_ = win::CreateChild(h, L"STATIC", "Memo", WS_CLIPSIBLINGS | SS_CENTER | SS_CENTERIMAGE, Rect{},
                                kIdMemoLabel, font_.get());
  status_ = win::CreateChild(h, STATUSCLASSNAMEW, "", WS_CLIPSIBLINGS | SBARS_SIZEGRIP, Rect{}, kIdStatus,
                             font_.get());
  // One panel over the whole width; its text is also the control's window text.
  int parts[] = {-1};
  ::SendMessageW(status_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
  // The tab control lies under the strip, splitters, picture and memo.
  ::SetWindowPos(tabs_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmViewer::ArrangeControls() {
  if (!tabs_.hwnd()) return;
  RECT c = clientRect();
  HDWP dwp = ::BeginDeferWindowPos(12);
  auto place = [&](HWND hw, const Placed& p) {
    dwp = ::DeferWindowPos(dwp, hw, nullptr, p.rect.left, p.rect.top, std::max(0, p.rect.width()),
                           std::max(0, p.rect.height()),
                           SWP_NOZORDER | SWP_NOACTIVATE | (p.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  };
  const ViewerFrame f = arrangement_.Frame(Size{int(c.right), int(c.bottom)}, scale_);
  place(bars_.toolBar(), f.toolBar);
  bars_.FitToWidth(f.toolBar.rect.width());
  place(bars_.toolBarMore(), f.toolBarMore);
  place(status_, f.status);
  place(tabs_.hwnd(), f.tabs);
  const PictureList& pictures = folder_.pictures();
  const ViewerPanes p =
      arrangement_.Panes(tabs_.DisplayArea(f.tabs.rect), scale_, int(pictures.size()), pictures.currentIndex());
  place(strip_.strip(), p.strip);
  place(strip_.bar(), p.scrollBar);
  place(splitterTop_->hwnd(), p.splitterTop);
  place(memo_.hwnd(), p.memo);
  place(memoLabel_, p.memoLabel);
  place(splitterBottom_->hwnd(), p.splitterBottom);
  place(pictureBox_->hwnd(), p.pictureBox);
  ::EndDeferWindowPos(dwp);
  strip_.SetRange(p);
  strip_.Repaint();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmViewer::ApplyViewerToolbarLayout() {
  bars_.ApplyLook(arrangement_.look(), scale_);
  // pnlToolBarResize: "More" when the visible buttons do not fit.
  RECT c = clientRect();
  arrangement_.FitButtons(c.right, bars_.VisibleButtonsWidth());
  ArrangeControls();
}

void TfrmViewer::ApplyLook(const ViewerLook& look) {
  arrangement_.ApplyLook(look);
  ApplyViewerToolbarLayout();
}

void TfrmViewer::SplitterMoved(bool top, int delta) {
  RECT strip;
  ::GetClientRect(strip_.strip(), &strip);
  const int picture = pictureBox_->ClientHeight();
  const bool moved = top ? arrangement_.MoveThumbSplitter(delta, strip.bottom, picture, scale_)
                         : arrangement_.MoveMemoSplitter(delta, picture, scale_);
  if (!moved) return;
  ArrangeControls();
  ::UpdateWindow(hwnd());
}

void TfrmViewer::SetStatus(const std::string& text) {
  if (screen_) screen_->SetStatus(text);
}

void TfrmViewer::PictureChanged() {
  ::InvalidateRect(pictureBox_->hwnd(), nullptr, FALSE);
  strip_.Repaint();
}

ViewerState TfrmViewer::State() const {
  return ViewerState{folder_.pictures().currentIndex(), int(folder_.pictures().size()),
                     int(folder_.folders().size()), folder_.index(), tabs_.Selected()};
}

bool TfrmViewer::Perform(const ViewerStep& step) {
  if (!flow_) return false;  // not made yet, or already gone
  switch (step.kind) {
    case ViewerStep::Pass: return false;
    case ViewerStep::Taken: return true;
    case ViewerStep::SelectPicture: flow_->SelectPicture(step.index); return true;
    case ViewerStep::SelectFolder: flow_->SelectFolderAt(step.index); return true;
    case ViewerStep::Run: RunCommand(step.command); return true;
    case ViewerStep::FolderManager: flow_->OpenFolderManagerAt(step.index); return true;
    case ViewerStep::ShowOptions: ShowOptions(); return true;
    case ViewerStep::ShowMoreMenu: bars_.ShowMoreMenu(); return true;
  }
  return true;
}

bool TfrmViewer::FormKeyDown(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  const ViewerKeyPress press{.key = static_cast<unsigned short>(msg.wParam),
                             .ctrl = ::GetKeyState(VK_CONTROL) < 0,
                             .modifier = ModifierHeld(),
                             .memoShown = arrangement_.look().memo && ::IsWindowVisible(memo_.hwnd()),
                             .memoFocused = memo_.Focused()};
  return Perform(KeyStep(press, State()));
}

void TfrmViewer::RunCommand(ViewerCommand c) {
  commands_->Run(c);
  if (commands_->gate().TakeDeferredClose()) ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void TfrmViewer::FormDestroy() {
  SaveViewerSettings();
  options_.Close();
  flow_.reset();
  screen_.reset();
  commands_.reset();
}

void TfrmViewer::PaintToolBarEdges(HDC dc) {
  RECT c = clientRect();
  const ViewerFrame f = arrangement_.Frame(Size{int(c.right), int(c.bottom)}, scale_);
  if (!f.toolBarEdge.empty()) {
    RECT t = ToRECT(f.toolBarEdge);
    ::DrawEdge(dc, &t, BDR_SUNKENOUTER, BF_RECT);
  }
  if (!f.moreBevel.empty()) {
    RECT bevel = ToRECT(f.moreBevel);
    ::DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_LEFT | BF_RIGHT);
  }
}

bool TfrmViewer::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_SIZE: ArrangeControls(); return false;
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      PaintToolBarEdges(dc.get());
      return true;
    }
    case WM_CTLCOLORSTATIC: *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp)); return true;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize.x = scale_(kViewerMinWidth);
      return true;
    case WM_SIZING: {
      // No lower while the picture area is down to its floor.
      RECT* r = reinterpret_cast<RECT*>(lp);
      const bool top = wp == WMSZ_TOP || wp == WMSZ_TOPLEFT || wp == WMSZ_TOPRIGHT;
      *r = ToRECT(SizingRect(FromRECT(*r), win::WindowRectOf(hwnd()), top, pictureBox_->ClientHeight(), scale_));
      return false;
    }
    case WM_HSCROLL:
      if (strip_.Scrolled(reinterpret_cast<HWND>(lp), wp)) ArrangeControls();
      return true;
    case WM_NOTIFY: {
      const NMHDR& n = *reinterpret_cast<const NMHDR*>(lp);
      if (std::optional<ViewerStep> step = tabs_.Notice(n, State())) Perform(*step);
      else if (std::optional<ViewerStep> bar = bars_.Notice(n)) Perform(*bar);
      return false;
    }
    case WM_COMMAND:
      if (lp == 0 || bars_.Owns(reinterpret_cast<HWND>(lp))) Perform(MenuStep(LOWORD(wp), State()));
      return true;
    case WM_INITMENUPOPUP: return false;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
      return false;
    case WM_ENDSESSION:
      if (wp) SaveViewerSettings();
      return true;
    case WM_DPICHANGED: {
      scale_ = win::WindowScale(hwnd());
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      ::SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyViewerToolbarLayout();
      return true;
    }
    case kWmReportUnreadable:
      reportPosted_ = false;
      if (flow_) flow_->ReportUnreadable();
      return true;
    case WM_CLOSE:
      // The folder manager's own loop runs on the stack: it ends first, then the viewer.
      if (screen_ && screen_->EndFolderManagerFirst()) {
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return true;
      }
      // A save's loop runs on the stack too: the viewer closes when it is done.
      if (commands_ && commands_->gate().DeferClose()) return true;
      ::DestroyWindow(hwnd());
      return true;
    case WM_DESTROY:
      FormDestroy();
      ::PostQuitMessage(0);
      return true;
    default:
      if (msg == kWmViewerNotify) {
        if (flow_) flow_->Notice(int(wp));
        return true;
      }
      return false;
  }
}

}  // namespace flk
