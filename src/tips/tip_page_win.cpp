#include "tips/tip_page_win.h"

#include <algorithm>

#include "tips/tips_book.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/scroll_bar_win.h"

namespace flk {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

// Edit controls want "\r\n"; the book's texts have it already.
std::wstring Text(const std::string& s) { return win::Widen(s); }

}  // namespace

bool TTipPage::Create(HWND parent, int id, Callbacks callbacks) {
  callbacks_ = std::move(callbacks);
  if (!win::Window::Create(L"TTipPage", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, 0, 0, 0, 10, 10,
                           parent, reinterpret_cast<HMENU>(INT_PTR(id))))
    return false;
  scale_ = win::WindowScale(hwnd());
  MakeFonts();
  return true;
}

int TTipPage::Px(int v) const { return scale_(v); }

void TTipPage::MakeFonts() {
  titleFont_ = win::MakeFaceFont(L"Arial Black", 13, scale_, {.italic = true, .clearType = true});
  textFont_ = win::MakeFaceFont(L"Arial", 11, scale_, {.clearType = true});  // 8 points
  linkFont_ = win::MakeFaceFont(L"Arial", 13, scale_, {.underline = true, .clearType = true});
  headingFont_ = win::MakeFaceFont(L"Arial", 13, scale_, {.weight = FW_BOLD, .clearType = true});
  bigIcon_.reset(static_cast<HICON>(
      ::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON, Px(48), Px(48), 0)));
}

void TTipPage::SetBounds(const RECT& r) {
  ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  UpdateScrollBar();
}

HFONT TTipPage::FontOf(TipFont f) const {
  switch (f) {
    case TipFont::Title: return titleFont_.get();
    case TipFont::Link: return linkFont_.get();
    case TipFont::Heading: return headingFont_.get();
    case TipFont::Text: break;
  }
  return textFont_.get();
}

HWND TTipPage::Add(const TipItem& item) {
  const wchar_t* cls = L"STATIC";
  DWORD style = SS_NOPREFIX;
  switch (item.kind) {
    case TipItemKind::Label: break;
    case TipItemKind::Link: style = SS_NOTIFY | SS_NOPREFIX; break;
    case TipItemKind::ReadOnly: cls = L"EDIT", style = ES_MULTILINE | ES_READONLY; break;
    case TipItemKind::Picture: style = SS_ICON | SS_CENTERIMAGE; break;
    case TipItemKind::LinkList:
      cls = L"LISTBOX", style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED;
      break;
  }
  Rect r = item.rect;
  r.top -= scroll_, r.bottom -= scroll_;
  HWND c = win::CreateChild(hwnd(), cls, item.text, style, r, item.id, FontOf(item.font));
  if (c) controls_.push_back(c);
  if (c && (item.kind == TipItemKind::Link || item.kind == TipItemKind::LinkList)) links_.push_back(c);
  return c;
}

int TTipPage::TextHeight(const std::string& text, HFONT font, int width) const {
  win::WindowDC dc(hwnd());
  win::SelectedObject sel(dc.get(), font);
  RECT r{0, 0, width, 0};
  std::wstring w = Text(text.empty() ? std::string("A") : text);
  ::DrawTextW(dc.get(), w.c_str(), int(w.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  return r.bottom - r.top;
}

void TTipPage::Show(int index) {
  page_ = index;
  scroll_ = 0;
  Build();
}

void TTipPage::Build() {
  for (HWND c : controls_) ::DestroyWindow(c);
  controls_.clear();
  links_.clear();
  heading_ = description_ = picture_ = nullptr;
  TipPageLayout layout = LayOutTipPage(page_, scale_, [this](const std::string& text, TipFont font, int width) {
    return TextHeight(text, FontOf(font), width);
  });
  for (const TipItem& item : layout.items) {
    HWND c = Add(item);
    if (item.id == kTipFeatureHeadingId) heading_ = c;
    if (item.id == kTipFeatureTextId) description_ = c;
    if (item.id == kTipPictureId) picture_ = c;
    if (item.kind == TipItemKind::LinkList) {
      ::SendMessageW(c, LB_SETITEMHEIGHT, 0, layout.listItemHeight);
      for (const char* link : TipLinks(TipPageAt(page_).list))
        ::SendMessageW(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(link).c_str()));
    }
  }
  if (picture_ && bigIcon_) ::SendMessageW(picture_, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.get()), 0);
  contentHeight_ = layout.contentHeight;
  UpdateScrollBar();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void TTipPage::UpdateScrollBar() {
  RECT rc = clientRect();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, contentHeight_ - 1);
  si.nPage = UINT(std::max<LONG>(1, rc.bottom));
  si.nPos = scroll_;
  ::SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
  int maxPos = std::max(0, contentHeight_ - int(rc.bottom));
  if (scroll_ > maxPos) ScrollTo(maxPos);
}

void TTipPage::ScrollTo(int pos) {
  RECT rc = clientRect();
  pos = ClampScroll(pos, contentHeight_, int(rc.bottom));
  if (pos == scroll_) return;
  ::ScrollWindowEx(hwnd(), 0, scroll_ - pos, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scroll_ = pos;
  ::SetScrollPos(hwnd(), SB_VERT, pos, TRUE);
}

bool TTipPage::IsLink(HWND h) const { return std::find(links_.begin(), links_.end(), h) != links_.end(); }

void TTipPage::HoverFeature(int tag) {
  const TipFeature& f = TipFeatures()[size_t(tag - 1)];
  if (picture_) ::ShowWindow(picture_, SW_HIDE);  // pnlRaceCar gives way to the description
  ::SetWindowTextW(heading_, Text(f.heading).c_str());
  ::SetWindowTextW(description_, Text(f.description).c_str());
}

void TTipPage::Perform(const TipPress& press) {
  switch (press.kind) {
    case TipPress::GoTo:
      if (callbacks_.goTo) callbacks_.goTo(press.page);
      return;
    case TipPress::Camera:
      if (callbacks_.camera) callbacks_.camera();
      return;
    case TipPress::Suggestion:
      if (callbacks_.suggestion) callbacks_.suggestion();
      return;
    case TipPress::None: return;
  }
}

void TTipPage::OnCommand(int id, int code, HWND control) {
  if (id == kTipListId && code == LBN_SELCHANGE)
    Perform(TipListPress(page_, int(::SendMessageW(control, LB_GETCURSEL, 0, 0))));
  else if (code == STN_CLICKED)
    Perform(TipControlPress(page_, id));
}

bool TTipPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc = clientRect();
      ::FillRect(reinterpret_cast<HDC>(wp), &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      *result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wp);
      ::SetBkColor(dc, RGB(255, 255, 255));
      ::SetTextColor(dc, IsLink(reinterpret_cast<HWND>(lp)) ? kLinkColour : RGB(0, 0, 0));
      *result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
      return true;
    }
    case WM_MEASUREITEM: return false;
    case WM_DRAWITEM: {
      // The link lists: blue underlined items, no selection bar (a press jumps away).
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (d->CtlID != UINT(kTipListId) || d->itemID == UINT(-1)) return false;
      ::FillRect(d->hDC, &d->rcItem, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      wchar_t buf[256] = {};
      ::SendMessageW(d->hwndItem, LB_GETTEXT, d->itemID, reinterpret_cast<LPARAM>(buf));
      win::SelectedObject font(d->hDC, linkFont_.get());
      ::SetBkMode(d->hDC, TRANSPARENT);
      ::SetTextColor(d->hDC, kLinkColour);
      RECT r = d->rcItem;
      r.left += Px(2);
      ::DrawTextW(d->hDC, buf, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      *result = TRUE;
      return true;
    }
    case WM_SETCURSOR: {
      HWND over = reinterpret_cast<HWND>(wp);
      if (over != hwnd() && IsLink(over)) {
        if (int tag = FeatureTagOf(::GetDlgCtrlID(over))) HoverFeature(tag);
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        *result = TRUE;
        return true;
      }
      return false;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      *result = 0;
      return true;
    case WM_VSCROLL: {
      const ScrollRequest request = win::ScrollRequestOf(wp);
      if (request != ScrollRequest::None) {
        const ScrollBarState bar = win::ReadScrollBar(hwnd(), SB_VERT);
        ScrollTo(ScrollPosition(request, bar, TipScrollSteps(bar, Px(16), contentHeight_)));
      }
      *result = 0;
      return true;
    }
    case WM_MOUSEWHEEL:
      ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wp) * Px(48) / WHEEL_DELTA);
      *result = 0;
      return true;
    case WM_SIZE:
      UpdateScrollBar();
      return false;
  }
  return false;
}

}  // namespace flk
