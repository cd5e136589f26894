#include "viewer/viewer_win.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "shell/common_form_win.h"
#include "shell/common_services_win.h"
#include "shell/help_win.h"
#include "shell/names.h"
#include "viewer/folder_wiz_win.h"
#include "viewer/viewer_parts_win.h"
#include "win32/clipboard_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/files_win.h"
#include "win32/screen_win.h"
#include "win32/system_dll_win.h"

namespace flk {

namespace {
constexpr int kIdTabs = 12, kIdScrollThumb = 13, kIdMemo = 14,
              kIdStatus = 15, kIdMemoLabel = 16;
// 96-DPI measures of the layout.
constexpr int kSpacer = 7, kScrollThumbHeight = 16, kSplitter = 7, kBevel = 3, kMemoControls = 41, kStatus = 22,
              kMoreWidth = 31, kMinWidth = 150, kThumbMin = 16, kMemoMin = 18;

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
}  // namespace

TfrmViewer::TfrmViewer(Settings& settings) : settings_(settings) {}

TfrmViewer::~TfrmViewer() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool TfrmViewer::FormCreate() {
  base_ = BaseFolder();
  if (!ReadViewerSettings(settings_, &values_)) return false;
  look_ = values_.look;
  thumbHeight_ = std::max(kThumbMin, values_.thumbHeight);
  memoHeight_ = std::max(kMemoMin, values_.memoHeight);
  // The rich-edit control lives in a system library, loaded by its full path.
  win::LoadSystemLibrary(L"riched20.dll");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  if (!Create(win::Widen(kViewerClass).c_str(), win::Widen(kViewerCaption).c_str(),
              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, values_.left, values_.top, values_.width, values_.height))
    return false;
  scale_ = win::WindowScale(hwnd());
  common_ = std::make_unique<TfrmCommon>();
  if (!common_->FormCreate()) common_.reset();
  CreateMenus();
  CreateChildren();
  CreateToolBars();
  // Larger than the screen: as large as the screen.
  const Size screen = win::ScreenSize();
  ::SetWindowPos(hwnd(), nullptr, values_.left, values_.top, std::min(values_.width, screen.width),
                 std::min(values_.height, screen.height), SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyViewerToolbarLayout();
  KeepOnScreen(hwnd());
  folderWiz_ = std::make_unique<TfrmFolderWiz>(hwnd(), fs_, base_);
  BuildFolderList();
  currentFolder_ = StartFolder(folders_, win::DirectoryExists(base_ + "Folders\\LastCaptures"));
  LoadFolder();
  if (!hwnd()) return false;
  UpdateCommands();
  // A new viewer says what it opened, as one that changes folders does.
  if (pictures_.currentIndex() != -1) SetStatus(LoadedText(pictures_.currentIndex() + 1, currentFolder_));
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetFocus(memo_);
  return true;
}

void TfrmViewer::CreateChildren() {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, UINT(scale_.dpi));
  font_.reset(::CreateFontIndirectW(&ncm.lfMessageFont));
  HWND h = hwnd();
  tabs_ = win::CreateChild(h, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_FOCUSNEVER, Rect{}, kIdTabs,
                           font_.get());
  thumbs_ = std::make_unique<TPaintThumbs>(*this);
  thumbs_->FormCreate(h);
  scrollThumb_ = win::CreateChild(h, L"SCROLLBAR", "", SBS_HORZ | WS_CLIPSIBLINGS, Rect{}, kIdScrollThumb, nullptr);
  splitterTop_ = std::make_unique<TSplitter>(*this);
  splitterTop_->FormCreate(h);
  pictureBox_ = std::make_unique<TPictureBox>(*this);
  pictureBox_->FormCreate(h);
  splitterBottom_ = std::make_unique<TSplitter>(*this);
  splitterBottom_->FormCreate(h);
  memo_ = win::CreateChild(h, RICHEDIT_CLASSW, "",
                           WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                           Rect{}, kIdMemo, font_.get(), WS_EX_CLIENTEDGE);
  ::SendMessageW(memo_, EM_SETEVENTMASK, 0, ENM_NONE);
  ::SendMessageW(memo_, EM_EXLIMITTEXT, 0, 16 * 1024 * 1024);
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

int TfrmViewer::PictureBoxHeight() const {
  RECT r;
  ::GetClientRect(pictureBox_->hwnd(), &r);
  return r.bottom;
}

void TfrmViewer::ArrangeControls() {
  if (!tabs_) return;
  RECT c;
  ::GetClientRect(hwnd(), &c);
  const int w = c.right;
  int top = 0, bottom = c.bottom;
  HDWP dwp = ::BeginDeferWindowPos(12);
  auto place = [&](HWND hw, int x, int y, int cx, int cy, bool shown) {
    dwp = ::DeferWindowPos(dwp, hw, nullptr, x, y, std::max(0, cx), std::max(0, cy),
                           SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  };
  // pnlToolBar with ToolBarMain and, at the right, the More button behind a bevel.
  const int tbh = scale_(toolBarHeight_);
  const int moreW = moreShown_ ? scale_(kMoreWidth + 4) : 0;
  place(toolBar_, 2, 2, w - 4 - moreW, tbh - 4, toolBarShown_);
  place(toolBarMore_, w - 2 - scale_(kMoreWidth), 2, scale_(kMoreWidth), tbh - 4, toolBarShown_ && moreShown_);
  if (toolBarShown_) top = tbh;
  top += scale_(kSpacer);
  if (look_.status) bottom -= scale_(kStatus);
  place(status_, 0, bottom, w, c.bottom - bottom, look_.status);
  place(tabs_, 0, top, w, bottom - top, true);
  RECT d{0, top, w, bottom};
  TabCtrl_AdjustRect(tabs_, FALSE, &d);
  // pnlThumbs: the strip, with its scroll bar below it when the strip pages.
  const int stripH = scale_(thumbHeight_);
  thumbLayout_ = LayoutThumbs(d.right - d.left, stripH, int(pictures_.size()), thumbLayout_.position);
  const bool bar = thumbLayout_.scrollShown && pictures_.size() > 1;
  const int barH = bar ? scale_(kScrollThumbHeight) : 0;
  place(thumbs_->hwnd(), d.left, d.top, d.right - d.left, stripH - barH, true);
  place(scrollThumb_, d.left, d.top + stripH - barH, d.right - d.left, barH, bar);
  int y = d.top + stripH;
  place(splitterTop_->hwnd(), d.left, y, d.right - d.left, scale_(kSplitter), true);
  y += scale_(kSplitter);
  // pnlTextAndPic with its lowered bevel.
  const int b = scale_(kBevel);
  const int inL = d.left + b, inR = d.right - b, inB = d.bottom - b;
  int picBottom = inB;
  if (look_.memo) {
    const int memoH = scale_(memoHeight_);
    const int memoTop = inB - memoH;
    place(memo_, inL, memoTop, inR - inL - scale_(kMemoControls), memoH, true);
    place(memoLabel_, inR - scale_(kMemoControls), memoTop, scale_(kMemoControls), memoH, true);
    place(splitterBottom_->hwnd(), inL, memoTop - scale_(kSplitter), inR - inL, scale_(kSplitter), true);
    picBottom = memoTop - scale_(kSplitter);
  } else {
    place(memo_, 0, 0, 0, 0, false);
    place(memoLabel_, 0, 0, 0, 0, false);
    place(splitterBottom_->hwnd(), 0, 0, 0, 0, false);
  }
  place(pictureBox_->hwnd(), inL, y + b, inR - inL, picBottom - y - b, true);
  ::EndDeferWindowPos(dwp);
  if (bar) {
    thumbGuard_ = true;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, int(pictures_.size()) - 1,
                  UINT(thumbLayout_.paging ? thumbLayout_.pageSize : 1), pictures_.currentIndex(), 0};
    if (thumbLayout_.paging) si.nPos = thumbLayout_.position;
    ::SetScrollInfo(scrollThumb_, SB_CTL, &si, TRUE);
    thumbGuard_ = false;
  }
  ::InvalidateRect(thumbs_->hwnd(), nullptr, FALSE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TfrmViewer::SplitterMoved(TSplitter* splitter, int delta) {
  const int paintH = [&] {
    RECT r;
    ::GetClientRect(thumbs_->hwnd(), &r);
    return int(r.bottom);
  }();
  if (splitter == splitterTop_.get()) {
    if (!ThumbSplitterMoves(delta, paintH, PictureBoxHeight())) return;
    thumbHeight_ = std::max(kThumbMin, thumbHeight_ + scale_.ToBase(delta));
  } else {
    if (!MemoSplitterMoves(-delta, PictureBoxHeight())) return;
    memoHeight_ = std::max(kMemoMin, memoHeight_ - scale_.ToBase(delta));
  }
  ArrangeControls();
  ::UpdateWindow(hwnd());
}

void TfrmViewer::SetStatus(const std::string& text) {
  ::SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(win::Widen(text).c_str()));
}

bool TfrmViewer::FormKeyDown(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  const bool memoFocused = ::GetFocus() == memo_;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  switch (KeyAction(CodeOf(msg.wParam), ModifierHeld(), look_.memo && ::IsWindowVisible(memo_))) {
    case ViewerKey::Previous: SelectPicture(pictures_.currentIndex() - 1); return true;
    case ViewerKey::Next: SelectPicture(pictures_.currentIndex() + 1); return true;
    case ViewerKey::First: SelectPicture(0); return true;
    case ViewerKey::Last: SelectPicture(int(pictures_.size()) - 1); return true;
    case ViewerKey::PreviousFolder:
    case ViewerKey::NextFolder: {
      const int tab = TabCtrl_GetCurSel(tabs_);
      const bool back = KeyAction(CodeOf(msg.wParam), true, false) == ViewerKey::PreviousFolder;
      const int to = back ? tab - 1 : tab + 1;
      if (to >= 0 && to < int(folders_.size())) SelectFolder(folders_[size_t(to)]);
      return true;
    }
    case ViewerKey::None: break;
  }
  if (memoFocused && MemoKeepsKey(static_cast<unsigned short>(msg.wParam), ctrl)) return false;
  for (const ViewerShortcut& s : ViewerShortcuts()) {
    if (s.key != msg.wParam || s.ctrl != ctrl) continue;
    if (ViewerCommandEnabled(s.command, !pictures_.empty())) RunCommand(s.command);
    return true;
  }
  return false;
}

void TfrmViewer::OnNotify(const NMHDR& n) {
  if (n.hwndFrom == tabs_) {
    if (n.code == TCN_SELCHANGE) {
      const int tab = TabCtrl_GetCurSel(tabs_);
      if (tab >= 0 && tab < int(folders_.size())) SelectFolder(folders_[size_t(tab)]);
      else OpenFolderManager(FolderIndex(folders_, currentFolder_));
    } else if (n.code == NM_RCLICK) {
      TCHITTESTINFO hit{};
      ::GetCursorPos(&hit.pt);
      ::ScreenToClient(tabs_, &hit.pt);
      const int tab = TabCtrl_HitTest(tabs_, &hit);
      if (tab >= 0 && tab < int(folders_.size())) OpenFolderManager(tab);
      else if (tab == int(folders_.size())) OpenFolderManager(FolderIndex(folders_, currentFolder_));
    }
    return;
  }
  if (n.hwndFrom == toolBar_ || n.hwndFrom == toolBarMore_) {
    if (n.code == NM_RCLICK) {
      ShowViewerOptionsHere();
    } else if (n.code == NM_CLICK && n.hwndFrom == toolBar_ &&
               reinterpret_cast<const NMMOUSE&>(n).dwItemSpec == DWORD_PTR(-1)) {
      ShowViewerOptionsHere();
    } else if (n.code == TBN_DROPDOWN) {
      ShowMoreMenu();
    } else if (n.code == TTN_GETDISPINFOW) {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(n));
      for (const ViewerToolButton& b : ViewerToolButtons())
        if (CommandMenuId(b.command) == int(info.hdr.idFrom)) {
          static std::wstring tip;
          tip = win::Widen(b.hint);
          info.lpszText = tip.data();
        }
    }
  }
}

void TfrmViewer::OnCommand(int id) {
  if (std::optional<int> folder = FolderOfMenuId(id)) {
    if (*folder < int(folders_.size())) SelectFolder(folders_[size_t(*folder)]);
    return;
  }
  const ViewerCommand c = CommandOfMenuId(id);
  if (c != ViewerCommand::None && ViewerCommandEnabled(c, !pictures_.empty())) RunCommand(c);
}

void TfrmViewer::RestoreFromMinimised() {
  if (::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
}

void TfrmViewer::OnViewerNotify(int code) {
  switch (OnViewerNotice(code, FolderIndex(folders_, currentFolder_), currentFolder_ == "LastCaptures")) {
    case NoticeAction::Refresh: RefreshFolder(); return;
    case NoticeAction::ShowLastCaptures:
      RestoreFromMinimised();
      OpenFolder("LastCaptures");
      return;
    case NoticeAction::RebuildFolders: {
      const bool exists = win::DirectoryExists(FolderPath());
      if (!exists) pictures_.Clear();  // its files went with the folder
      BuildFolderList();
      SelectFolder(FolderToShow(folders_, currentFolder_, exists));
      return;
    }
    case NoticeAction::Nothing: return;
  }
}

void TfrmViewer::OnActivate() {
  EnableCommand(ViewerCommand::Paste, win::ClipboardHoldsPicture());
}

void TfrmViewer::FormDestroy() {
  SaveViewerSettings();
  CloseViewerOptions();
  folderWiz_.reset();
  common_.reset();
}

bool TfrmViewer::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_SIZE: ArrangeControls(); return false;
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      RECT c;
      ::GetClientRect(hwnd(), &c);
      if (toolBarShown_) {
        RECT t{0, 0, c.right, scale_(toolBarHeight_)};
        ::DrawEdge(dc.get(), &t, BDR_SUNKENOUTER, BF_RECT);
        if (moreShown_) {
          const int x = c.right - 2 - scale_(kMoreWidth) - scale_(4);
          RECT bevel{x, 2, x + 2, t.bottom - 2};
          ::DrawEdge(dc.get(), &bevel, BDR_SUNKENOUTER, BF_LEFT | BF_RIGHT);
        }
      }
      return true;
    }
    case WM_CTLCOLORSTATIC: *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp)); return true;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize.x = scale_(kMinWidth);
      return true;
    case WM_SIZING: {
      // No lower while the picture area is down to its floor.
      RECT* r = reinterpret_cast<RECT*>(lp);
      RECT now;
      ::GetWindowRect(hwnd(), &now);
      if (r->bottom - r->top < now.bottom - now.top && PictureBoxHeight() <= scale_(kMinPictureBoxHeight)) {
        if (wp == WMSZ_TOP || wp == WMSZ_TOPLEFT || wp == WMSZ_TOPRIGHT) r->top = now.top;
        else r->bottom = now.bottom;
      }
      return false;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == scrollThumb_ && !thumbGuard_) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        ::GetScrollInfo(scrollThumb_, SB_CTL, &si);
        int p = si.nPos;
        switch (LOWORD(wp)) {
          case SB_LINELEFT: --p; break;
          case SB_LINERIGHT: ++p; break;
          case SB_PAGELEFT: p -= thumbLayout_.largeChange; break;
          case SB_PAGERIGHT: p += thumbLayout_.largeChange; break;
          case SB_THUMBTRACK:
          case SB_THUMBPOSITION: p = si.nTrackPos; break;
          default: return true;
        }
        thumbLayout_.position = std::clamp(p, 0, std::max(0, int(pictures_.size()) - 1));
        ArrangeControls();
      }
      return true;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lp)); return false;
    case WM_COMMAND:
      if (lp == 0 || reinterpret_cast<HWND>(lp) == toolBar_ || reinterpret_cast<HWND>(lp) == toolBarMore_)
        OnCommand(LOWORD(wp));
      return true;
    case WM_INITMENUPOPUP: return false;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) OnActivate();
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
