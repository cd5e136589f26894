#include "viewer/check_list_win.h"

#include <commctrl.h>

#include <algorithm>

#include "viewer/viewer_options.h"
#include "win32/controls_win.h"
#include "win32/window.h"

namespace flk {

namespace {
constexpr UINT_PTR kSubclassId = 1;

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

CheckList::~CheckList() {
  if (list_ && ::IsWindow(list_)) ::RemoveWindowSubclass(list_, &CheckList::Proc, kSubclassId);
}

bool CheckList::Create(HWND parent, int id, const Rect& rect, HFONT font, const std::vector<std::string>& rows,
                       int rowsPerColumn, int rowHeight96, const DpiScale& scale) {
  scale_ = scale;
  const int rowHeight = scale(rowHeight96);
  const int columns = CheckListColumns(static_cast<int>(rows.size()), rowsPerColumn);
  DWORD style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_TABSTOP;
  if (columns > 1) style |= LBS_MULTICOLUMN;
  // Exactly rowsPerColumn rows high, so the columns break where the table does.
  Rect r = rect;
  r.bottom = r.top + rowHeight * (rowsPerColumn > 0 ? rowsPerColumn : static_cast<int>(rows.size()));
  list_ = win::CreateChild(parent, L"LISTBOX", "", style, r, id, font);
  if (!list_) return false;
  ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight);
  if (columns > 1) ::SendMessageW(list_, LB_SETCOLUMNWIDTH, r.width() / columns, 0);
  for (const std::string& row : rows)
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(row).c_str()));
  ::SetWindowSubclass(list_, &CheckList::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

LRESULT CALLBACK CheckList::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  auto* list = reinterpret_cast<CheckList*>(self);
  if (!list || list->list_ != hwnd) return ::DefSubclassProc(hwnd, msg, wp, lp);
  return list->OnMessage(msg, wp, lp);
}

void CheckList::Toggle(int row) const {
  row = CheckListRowToToggle(row, static_cast<int>(::SendMessageW(list_, LB_GETCOUNT, 0, 0)));
  if (row < 0 || !toggled) return;
  try {
    toggled(row);
  } catch (...) {
    // the model stays as it was; nothing may unwind into the list box
  }
  Refresh();
}

LRESULT CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The list box selects and focuses the row; the press then turns it over.
      LRESULT r = ::DefSubclassProc(list_, msg, wp, lp);
      const LRESULT hit = ::SendMessageW(list_, LB_ITEMFROMPOINT, 0, lp);
      if (HIWORD(hit) == 0) Toggle(static_cast<int>(LOWORD(hit)));
      return r;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
      switch (CheckListKeyAction(msg == WM_CHAR, static_cast<unsigned>(wp))) {
        case CheckListKey::Toggle: Toggle(static_cast<int>(::SendMessageW(list_, LB_GETCARETINDEX, 0, 0))); return 0;
        case CheckListKey::Cancel: ::SendMessageW(::GetParent(list_), WM_COMMAND, IDCANCEL, 0); return 0;
        case CheckListKey::Swallow: return 0;
        case CheckListKey::Pass: break;
      }
      break;
    case WM_NCDESTROY: {
      HWND gone = list_;
      ::RemoveWindowSubclass(gone, &CheckList::Proc, kSubclassId);
      list_ = nullptr;
      return ::DefSubclassProc(gone, msg, wp, lp);
    }
  }
  return ::DefSubclassProc(list_, msg, wp, lp);
}

void CheckList::Draw(const DRAWITEMSTRUCT& item) const {
  if (static_cast<int>(item.itemID) < 0) return;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool enabled = ::IsWindowEnabled(list_) != FALSE;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));

  const int len = static_cast<int>(::SendMessageW(list_, LB_GETTEXTLEN, item.itemID, 0));
  std::wstring text(len > 0 ? static_cast<size_t>(len) : 0, L'\0');
  if (len > 0) ::SendMessageW(list_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const CheckRowParts parts = LayOutCheckRow(Rect{r.left, r.top, r.right, r.bottom}, int(extent.cx), scale_);
  RECT boxRect = ToRECT(parts.box), textRect = ToRECT(parts.text), mark = ToRECT(parts.mark);
  const bool ticked = checked && checked(static_cast<int>(item.itemID));
  ::DrawFrameControl(dc, &boxRect, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (ticked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  if (selected && enabled) ::FillRect(dc, &mark, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &mark);
}

}  // namespace flk
