#include "viewer/viewer_win.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/data_folders.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "viewer/folder_wiz_win.h"
#include "viewer/viewer_parts_win.h"
#include "viewer/viewer_settings.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/screen_win.h"
#include "win32/scroll_bar_win.h"
#include "win32/system_dll_win.h"

namespace flk {

namespace {
constexpr int kIdTabs = 12, kIdScrollThumb = 13, kIdMemo = 14, kIdStatus = 15, kIdMemoLabel = 16;

bool ModifierHeld() {
  return (::GetKeyState(VK_SHIFT) | ::GetKeyState(VK_CONTROL) | ::GetKeyState(VK_MENU)) < 0;
}

KeyCode CodeOf(WPARAM vk) {
  switch (vk) {
    case VK_LEFT: return KeyCode::Left;
    case VK_RIGHT: return KeyCode::Right;
    case VK_UP: return KeyCode::Up;
    case VK_DOWN: return KeyCode::Down;
    case VK_HOME: return KeyCode::Home;
    case VK_END: return KeyCode::End;
    default: return KeyCode::Other;
  }
}

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

TfrmViewer::TfrmViewer(Settings& settings) : settings_(settings), folder_(disk_, BaseFolder()) {
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
  common_ = std::make_unique<TfrmCommon>();
  if (!common_->FormCreate()) common_.reset();
  bars_.CreateMenus(hwnd());
  CreateChildren();
  bars_.CreateToolBars(scale_);
  commands_ = std::make_unique<ViewerCommands>(*this, settings_, common_.get(), folder_, memo_);
  // Larger than the screen (the monitor it opens on): as large as that screen.
  const Size screen = win::MonitorOfWindow(hwnd()).area.size();
  ::SetWindowPos(hwnd(), nullptr, values.left, values.top, std::min(values.width, screen.width),
                 std::min(values.height, screen.height), SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyViewerToolbarLayout();
  // Back where it was left, on any monitor (kept on the screen of its own
  // monitor, else the nearest). The stored place changes only when the user moves it.
  storedPlace_ = Rect::FromXYWH(values.left, values.top, values.width, values.height);
  KeepOnScreen(hwnd());
  openedPlace_ = win::WindowRectOf(hwnd());
  folderWiz_ = std::make_unique<TfrmFolderWiz>(hwnd(), fs_, BaseFolder());
  folderWiz_->BuildFolderList();
  folder_.SetFolders(folderWiz_->Folders());
  ShowFolderList();
  folder_.ChooseStartFolder();
  if (!LoadShownFolder()) return false;
  UpdateCommands();
  // A new viewer says what it opened, as one that changes folders does.
  if (folder_.pictures().currentIndex() != -1)
    SetStatus(LoadedText(folder_.pictures().currentIndex() + 1, folder_.name()));
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetFocus(memo_.hwnd());
  return true;
}

void TfrmViewer::CreateChildren() {
  font_ = win::MakeSystemFont(win::SystemFont::Message, scale_);
  HWND h = hwnd();
  tabs_ = win::CreateChild(h, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_FOCUSNEVER, Rect{}, kIdTabs,
                           font_.get());
  thumbs_ = std::make_unique<TPaintThumbs>(folder_, arrangement_, [this](int x) {
    SelectPicture(ThumbIndexAt(arrangement_.thumbs(), x));
  });
  thumbs_->FormCreate(h);
  scrollThumb_ = win::CreateChild(h, L"SCROLLBAR", "", SBS_HORZ | WS_CLIPSIBLINGS, Rect{}, kIdScrollThumb, nullptr);
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
  ::SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmViewer::ArrangeControls() {
  if (!tabs_) return;
  RECT c;
  ::GetClientRect(hwnd(), &c);
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
  place(tabs_, f.tabs);
  RECT d = ToRECT(f.tabs.rect);
  TabCtrl_AdjustRect(tabs_, FALSE, &d);
  const PictureList& pictures = folder_.pictures();
  const ViewerPanes p = arrangement_.Panes(Rect{d.left, d.top, d.right, d.bottom}, scale_, int(pictures.size()),
                                           pictures.currentIndex());
  place(thumbs_->hwnd(), p.strip);
  place(scrollThumb_, p.scrollBar);
  place(splitterTop_->hwnd(), p.splitterTop);
  place(memo_.hwnd(), p.memo);
  place(memoLabel_, p.memoLabel);
  place(splitterBottom_->hwnd(), p.splitterBottom);
  place(pictureBox_->hwnd(), p.pictureBox);
  ::EndDeferWindowPos(dwp);
  if (p.scrollBar.shown) {
    thumbGuard_ = true;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, p.scrollMax, UINT(p.scrollPage), p.scrollPos, 0};
    ::SetScrollInfo(scrollThumb_, SB_CTL, &si, TRUE);
    thumbGuard_ = false;
  }
  ::InvalidateRect(thumbs_->hwnd(), nullptr, FALSE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmViewer::ApplyViewerToolbarLayout() {
  bars_.ApplyLook(arrangement_.look(), scale_);
  // pnlToolBarResize: "More" when the visible buttons do not fit.
  RECT c;
  ::GetClientRect(hwnd(), &c);
  arrangement_.FitButtons(c.right, bars_.VisibleButtonsWidth());
  ArrangeControls();
}

void TfrmViewer::ApplyLook(const ViewerLook& look) {
  arrangement_.ApplyLook(look);
  ApplyViewerToolbarLayout();
}

void TfrmViewer::SplitterMoved(bool top, int delta) {
  RECT strip;
  ::GetClientRect(thumbs_->hwnd(), &strip);
  const int picture = pictureBox_->ClientHeight();
  const bool moved = top ? arrangement_.MoveThumbSplitter(delta, strip.bottom, picture, scale_)
                         : arrangement_.MoveMemoSplitter(delta, picture, scale_);
  if (!moved) return;
  ArrangeControls();
  ::UpdateWindow(hwnd());
}

void TfrmViewer::ThumbScrolled(WPARAM wp) {
  const ScrollRequest request = win::ScrollRequestOf(wp);
  if (request == ScrollRequest::None) return;
  arrangement_.ScrollThumbs(request, win::ReadScrollBar(scrollThumb_, SB_CTL), int(folder_.pictures().size()));
  ArrangeControls();
}

void TfrmViewer::SetStatus(const std::string& text) {
  ::SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(win::Widen(text).c_str()));
}

void TfrmViewer::PictureChanged() {
  ::InvalidateRect(pictureBox_->hwnd(), nullptr, FALSE);
  ::InvalidateRect(thumbs_->hwnd(), nullptr, FALSE);
}

bool TfrmViewer::FormKeyDown(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const PictureList& pictures = folder_.pictures();
  const ViewerKey key =
      KeyAction(CodeOf(msg.wParam), ModifierHeld(), arrangement_.look().memo && ::IsWindowVisible(memo_.hwnd()));
  switch (key) {
    case ViewerKey::Previous: SelectPicture(pictures.currentIndex() - 1); return true;
    case ViewerKey::Next: SelectPicture(pictures.currentIndex() + 1); return true;
    case ViewerKey::First: SelectPicture(0); return true;
    case ViewerKey::Last: SelectPicture(int(pictures.size()) - 1); return true;
    case ViewerKey::PreviousFolder:
    case ViewerKey::NextFolder: {
      const int to = FolderTabStep(key, TabCtrl_GetCurSel(tabs_), int(folder_.folders().size()));
      if (to >= 0) SelectFolder(folder_.folders()[size_t(to)]);
      return true;
    }
    case ViewerKey::None: break;
  }
  const auto vk = static_cast<unsigned short>(msg.wParam);
  if (memo_.Focused() && MemoKeepsKey(vk, ctrl)) return false;
  const ViewerCommand c = ShortcutCommand(vk, ctrl);
  if (c == ViewerCommand::None) return false;
  if (ViewerCommandEnabled(c, !pictures.empty())) RunCommand(c);
  return true;
}

void TfrmViewer::OnNotify(const NMHDR& n) {
  if (n.hwndFrom == tabs_) {
    auto perform = [this](TabAction a) {
      if (a.kind == TabAction::SelectFolder) SelectFolder(folder_.folders()[size_t(a.index)]);
      else if (a.kind == TabAction::FolderManager) OpenFolderManagerAt(a.index);
    };
    const int folders = int(folder_.folders().size());
    if (n.code == TCN_SELCHANGE) {
      perform(TabClicked(TabCtrl_GetCurSel(tabs_), folders, folder_.index()));
    } else if (n.code == NM_RCLICK) {
      TCHITTESTINFO hit{};
      ::GetCursorPos(&hit.pt);
      ::ScreenToClient(tabs_, &hit.pt);
      perform(TabRightClicked(TabCtrl_HitTest(tabs_, &hit), folders, folder_.index()));
    }
    return;
  }
  if (!bars_.Owns(n.hwndFrom)) return;
  if (n.code == NM_RCLICK) {
    ShowOptions();
  } else if (n.code == NM_CLICK && n.hwndFrom == bars_.toolBar() &&
             reinterpret_cast<const NMMOUSE&>(n).dwItemSpec == DWORD_PTR(-1)) {
    ShowOptions();
  } else if (n.code == NM_CLICK && n.hwndFrom == bars_.toolBarMore() &&
             reinterpret_cast<const NMMOUSE&>(n).dwItemSpec != DWORD_PTR(-1)) {
    bars_.ShowMoreMenu();
  } else if (n.code == TTN_GETDISPINFOW) {
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(n));
    if (const char* hint = ToolButtonHint(int(info.hdr.idFrom))) {
      static std::wstring tip;
      tip = win::Widen(hint);
      info.lpszText = tip.data();
    }
  }
}

void TfrmViewer::OnCommand(int id) {
  if (std::optional<int> folder = FolderOfMenuId(id)) {
    if (*folder < int(folder_.folders().size())) SelectFolder(folder_.folders()[size_t(*folder)]);
    return;
  }
  const ViewerCommand c = CommandOfMenuId(id);
  if (c != ViewerCommand::None && ViewerCommandEnabled(c, !folder_.pictures().empty())) RunCommand(c);
}

void TfrmViewer::OnViewerNotify(int code) {
  switch (OnViewerNotice(code, folder_.index(), folder_.name() == kRingFolder)) {
    case NoticeAction::Refresh: RefreshFolder(); return;
    case NoticeAction::ShowLastCaptures:
      if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
      OpenFolder(kRingFolder);
      return;
    case NoticeAction::RebuildFolders: FoldersChanged(); return;
    case NoticeAction::Nothing: return;
  }
}

void TfrmViewer::RunCommand(ViewerCommand c) {
  commands_->Run(c);
  if (commands_->gate().TakeDeferredClose()) ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void TfrmViewer::FormDestroy() {
  SaveViewerSettings();
  CloseViewerOptions();
  folderWiz_.reset();
  commands_.reset();
  common_.reset();
}

void TfrmViewer::PaintToolBarEdges(HDC dc) {
  RECT c;
  ::GetClientRect(hwnd(), &c);
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
      RECT now;
      ::GetWindowRect(hwnd(), &now);
      if (ViewerArrangement::RefusesLowering(r->bottom - r->top, now.bottom - now.top, pictureBox_->ClientHeight(),
                                             scale_)) {
        if (wp == WMSZ_TOP || wp == WMSZ_TOPLEFT || wp == WMSZ_TOPRIGHT) r->top = now.top;
        else r->bottom = now.bottom;
      }
      return false;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == scrollThumb_ && !thumbGuard_) ThumbScrolled(wp);
      return true;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lp)); return false;
    case WM_COMMAND:
      if (lp == 0 || bars_.Owns(reinterpret_cast<HWND>(lp))) OnCommand(LOWORD(wp));
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
    case kWmReportUnreadable: ReportUnreadable(); return true;
    case WM_CLOSE:
      // The folder manager's own loop runs on the stack: it ends first, then the viewer.
      if (inFolderManager_) {
        ::PostMessageW(folderWiz_->hwnd(), WM_CLOSE, 0, 0);
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
        OnViewerNotify(int(wp));
        return true;
      }
      return false;
  }
}

}  // namespace flk
