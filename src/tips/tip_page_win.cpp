#include "tips/tip_page_win.h"

#include <algorithm>

#include "tips/tips_book.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"

namespace flk {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr int kMargin = 8;

// Edit controls want "\r\n"; the book's texts have it already.
std::wstring Text(const std::string& s) { return win::Widen(s); }

// "&&" stands for one "&" in captions shown as plain text.
std::string Plain(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    out += caption[i];
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  return out;
}

win::UniqueFont MakeFont(const wchar_t* face, int pixels, int weight, bool italic, bool underline) {
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return win::UniqueFont(::CreateFontIndirectW(&lf));
}

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
  titleFont_ = MakeFont(L"Arial Black", Px(13), FW_NORMAL, true, false);
  textFont_ = MakeFont(L"Arial", Px(11), FW_NORMAL, false, false);  // 8 points
  linkFont_ = MakeFont(L"Arial", Px(13), FW_NORMAL, false, true);
  headingFont_ = MakeFont(L"Arial", Px(13), FW_BOLD, false, false);
  bigIcon_.reset(static_cast<HICON>(
      ::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON, Px(48), Px(48), 0)));
}

void TTipPage::SetBounds(const RECT& r) {
  ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  UpdateScrollBar();
}

HWND TTipPage::Add(const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h,
                   HFONT font) {
  HWND c = win::CreateChild(hwnd(), cls, text, style, Rect::FromXYWH(x, y - scroll_, w, h), id, font);
  if (c) controls_.push_back(c);
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
  const TipPage& p = TipPageAt(page_);
  const int x = Px(kMargin), w = Px(kTipsPanelWidth);
  int y = Px(kMargin);
  int titleH = TextHeight(p.title, titleFont_.get(), w);
  Add(L"STATIC", Plain(p.title), SS_NOPREFIX, kTipTitleId, x, y, w, titleH, titleFont_.get());
  y += titleH + Px(6);

  const auto readOnlyText = [&](const std::string& text, int id, int left, int width, HFONT font) {
    int h = TextHeight(text, font, width - Px(4)) + Px(4);
    HWND e = Add(L"EDIT", text, ES_MULTILINE | ES_READONLY, id, left, y, width, h, font);
    y += h;
    return e;
  };

  if (page_ == GoToTipPage("Features")) {
    // Seven labels at the left; the heading and description follow the mouse.
    int labelsY = y, lineH = Px(20);
    for (const TipFeature& f : TipFeatures()) {
      HWND l = Add(L"STATIC", Plain(f.label), SS_NOTIFY | SS_NOPREFIX, kTipFeatureBaseId + f.tag, x, y, Px(120),
                   lineH, linkFont_.get());
      links_.push_back(l);
      y += lineH;
    }
    int right = x + Px(130), rightW = w - Px(130), ry = labelsY;
    heading_ = Add(L"EDIT", kFeaturesHint, ES_MULTILINE | ES_READONLY, kTipFeatureHeadingId, right, ry, rightW,
                   Px(20), headingFont_.get());
    ry += Px(22);
    description_ = Add(L"EDIT", "", ES_MULTILINE | ES_READONLY, kTipFeatureTextId, right, ry, rightW, Px(90),
                       textFont_.get());
    picture_ = Add(L"STATIC", "", SS_ICON | SS_CENTERIMAGE, kTipPictureId, right, ry, Px(48), Px(48),
                   textFont_.get());
    if (bigIcon_) ::SendMessageW(picture_, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.get()), 0);
    y = std::max(y, ry + Px(90));
  } else if (*p.text) {
    readOnlyText(p.text, kTipTextId, x, w, textFont_.get());
  }

  if (page_ == GoToTipPage("My First Capture")) {
    y += Px(6);
    int h = TextHeight(kTutorialCameraLink, linkFont_.get(), w) + Px(2);
    links_.push_back(Add(L"STATIC", kTutorialCameraLink, SS_NOTIFY | SS_NOPREFIX, kTipCameraLinkId, x, y,
                         w, h, linkFont_.get()));
    y += h;
  }

  if (page_ == GoToTipPage("Room For More")) {
    y += Px(6);
    int h = TextHeight(kTipsSuggestionLink, linkFont_.get(), w) + Px(2);
    links_.push_back(Add(L"STATIC", kTipsSuggestionLink, SS_NOTIFY | SS_NOPREFIX, kTipSuggestionId, x, y, w, h,
                         linkFont_.get()));
    y += h;
  }

  auto items = TipLinks(p.list);
  if (!items.empty()) {
    y += Px(8);
    int itemH = TextHeight("A", linkFont_.get(), w) + Px(3);
    HWND list = Add(L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED,
                    kTipListId, x, y, w, itemH * int(items.size()) + Px(2), linkFont_.get());
    ::SendMessageW(list, LB_SETITEMHEIGHT, 0, itemH);
    for (const char* item : items) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(item).c_str()));
    links_.push_back(list);
    y += itemH * int(items.size()) + Px(2);
  }

  if (*p.seeAlso) {
    y += Px(10);
    int h = TextHeight("See also:", linkFont_.get(), w) + Px(2);
    Add(L"STATIC", "See also:", SS_NOPREFIX, 0, x, y, Px(70), h, textFont_.get());
    links_.push_back(Add(L"STATIC", p.seeAlso, SS_NOTIFY | SS_NOPREFIX, kTipLabelId, x + Px(70), y, w - Px(70), h,
                         linkFont_.get()));
    y += h;
  }
  contentHeight_ = y + Px(kMargin);
  UpdateScrollBar();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void TTipPage::UpdateScrollBar() {
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
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
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  pos = std::clamp(pos, 0, std::max(0, contentHeight_ - int(rc.bottom)));
  if (pos == scroll_) return;
  ::ScrollWindowEx(hwnd(), 0, scroll_ - pos, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scroll_ = pos;
  ::SetScrollPos(hwnd(), SB_VERT, pos, TRUE);
}

bool TTipPage::IsLink(HWND h) const { return std::find(links_.begin(), links_.end(), h) != links_.end(); }

void TTipPage::HoverFeature(int tag) {
  for (const TipFeature& f : TipFeatures()) {
    if (f.tag != tag) continue;
    if (picture_) ::ShowWindow(picture_, SW_HIDE);  // pnlRaceCar gives way to the description
    ::SetWindowTextW(heading_, Text(f.heading).c_str());
    ::SetWindowTextW(description_, Text(f.description).c_str());
  }
}

void TTipPage::OnCommand(int id, int code, HWND control) {
  if (id == kTipListId && code == LBN_SELCHANGE) {
    int sel = int(::SendMessageW(control, LB_GETCURSEL, 0, 0));
    if (sel < 0) return;
    auto items = TipLinks(TipPageAt(page_).list);
    if (size_t(sel) < items.size() && callbacks_.goTo) callbacks_.goTo(items[size_t(sel)]);
    return;
  }
  if (code != STN_CLICKED) return;
  if (id == kTipCameraLinkId) {
    if (callbacks_.camera) callbacks_.camera();
  } else if (id == kTipSuggestionId) {
    if (callbacks_.suggestion) callbacks_.suggestion();
  } else if (id == kTipLabelId) {
    if (callbacks_.goTo) callbacks_.goTo(TipPageAt(page_).seeAlso);
  } else if (id > kTipFeatureBaseId && id <= kTipFeatureBaseId + 7) {
    const TipFeature& f = TipFeatures()[size_t(id - kTipFeatureBaseId - 1)];
    if (*f.jump && callbacks_.goTo) callbacks_.goTo(f.jump);
  }
}

bool TTipPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
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
        int id = ::GetDlgCtrlID(over);
        if (id > kTipFeatureBaseId && id <= kTipFeatureBaseId + 7) HoverFeature(id - kTipFeatureBaseId);
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
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_ALL;
      ::GetScrollInfo(hwnd(), SB_VERT, &si);
      int pos = scroll_, line = Px(16), pageH = int(si.nPage);
      switch (LOWORD(wp)) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= pageH; break;
        case SB_PAGEDOWN: pos += pageH; break;
        case SB_THUMBTRACK:  // vertical tracking: the page follows the thumb
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = contentHeight_; break;
      }
      ScrollTo(pos);
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
