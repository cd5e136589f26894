#include "shell/point_hint_win.h"

#include "shell/names.h"
#include "shell/settings.h"
#include "shell/tip_font_win.h"
#include "win32/controls_win.h"
#include "win32/dpi_win.h"
#include "win32/monitors_win.h"
#include "win32/unique_handle.h"

namespace flk {

namespace {
constexpr int kBevelWidth = 3;  // Panel3's raised bevel inside Panel2's black rim

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  win::UniquePen pen(::CreatePen(PS_SOLID, 1, colour));
  win::SelectedObject sel(dc, pen.get());
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
}

// The camera window of this process, the usual owner of a point hint.
HWND CameraWindowOfThisProcess() {
  HWND cam = ::FindWindowW(win::Widen(kCameraClass).c_str(), win::Widen(kCameraCaption).c_str());
  DWORD pid = 0;
  if (cam) ::GetWindowThreadProcessId(cam, &pid);
  return pid == ::GetCurrentProcessId() ? cam : nullptr;
}
}  // namespace

Rect CameraScreen() {
  if (HWND cam = ::FindWindowW(win::Widen(kCameraClass).c_str(), win::Widen(kCameraCaption).c_str()))
    return win::MonitorOfWindow(cam).work;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return MonitorAt(win::CurrentMonitors(), Point{cursor.x, cursor.y}).work;
}

Rect BoxScreenOfThisProcess() {
  if (HWND active = ::GetActiveWindow()) return win::MonitorOfWindow(active).work;
  return CameraScreen();
}

bool TfrmHotPt::FormCreate(HWND owner) {
  // Created with a caption and border like any form, which are then taken away.
  scale_ = win::WindowScale(owner);
  const DpiScale& s = scale_;
  if (!Create(kPointHintClass, L"", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 0, 0, s(kPointHintWidth),
              s(kPointHintHeight), owner))
    return false;
  LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
  ::SetWindowPos(hwnd(), nullptr, 0, 0, s(kPointHintWidth), s(kPointHintHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  HFONT font = TipFont(s);
  label_ = win::CreateChild(hwnd(), L"STATIC", "", SS_CENTER | SS_NOPREFIX, s(Rect::FromXYWH(40, 10, 193, 63)),
                            kHintLabelId, font);
  check_ = win::CreateChild(hwnd(), L"BUTTON", kTipCheckBoxCaption, BS_AUTOCHECKBOX | WS_TABSTOP,
                            s(Rect::FromXYWH(50, 80, 168, 17)), kHintCheckBoxId, font);
  ok_ = win::CreateChild(hwnd(), L"BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, s(Rect::FromXYWH(47, 112, 80, 25)),
                         IDOK, font);
  cancel_ = win::CreateChild(hwnd(), L"BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP,
                             s(Rect::FromXYWH(143, 112, 80, 25)), IDCANCEL, font);
  return label_ && check_ && ok_ && cancel_;
}

int TfrmHotPt::Execute(const std::string& key, const std::string& text, int x, int y) {
  key_ = key;
  ::SetWindowTextW(label_, win::Widen(text).c_str());
  RECT wr;
  ::GetWindowRect(hwnd(), &wr);
  // The work area of the monitor showing the point.
  const Rect screen = MonitorAt(win::CurrentMonitors(), Point{x, y}).work;
  place_ = PlacePointHint(x, y, wr.right - wr.left, wr.bottom - wr.top, screen, scale_(kArrowSize));
  ::SetWindowPos(hwnd(), nullptr, place_.left, place_.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  modalResult_ = 2;
  win::ModalOptions options;
  options.disableThreadWindows = true;
  return RunModal(options) ? modalResult_ : 2;
}

void TfrmHotPt::btnOKClick(int modalResult) {
  bool ticked = ::SendMessageW(check_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  AppSettings().WriteSingleSetting(key_, ticked);
  modalResult_ = modalResult;
  EndModal();
}

void TfrmHotPt::Paint(HDC dc) {
  RECT c = clientRect();
  // Panel2: black, one pixel of it showing around Panel3.
  ::FillRect(dc, &c, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  RECT inner{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
  ::FillRect(dc, &inner, ::GetSysColorBrush(COLOR_BTNFACE));
  // Panel3's raised bevel.
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  for (int i = 0; i < scale_(kBevelWidth); ++i) {
    const int l = inner.left + i, t = inner.top + i, r = inner.right - 1 - i, b = inner.bottom - 1 - i;
    Line(dc, l, b, l, t, light);
    Line(dc, l, t, r, t, light);
    Line(dc, r, t, r, b, dark);
    Line(dc, r, b, l, b, dark);
  }
  // The arrow of the corner that touches the point.
  POINT pts[7];
  auto poly = ArrowPolygon(place_.corner);
  win::ScaledDrawing at(dc, place_.arrowLeft, place_.arrowTop, scale_);
  for (size_t i = 0; i < poly.size(); ++i) pts[i] = {at.x() + poly[i].x, at.y() + poly[i].y};
  win::SelectedObject brush(dc, ::GetStockObject(BLACK_BRUSH));
  win::SelectedObject pen(dc, ::GetStockObject(BLACK_PEN));
  ::Polygon(dc, pts, 7);
}

bool TfrmHotPt::OnCommand(int id, int) {
  // Both buttons store the box; Esc arrives as the Cancel button.
  if (id == IDOK) btnOKClick(1);
  if (id == IDCANCEL) btnOKClick(2);
  return true;
}

bool TfrmHotPt::OnFormMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND: *result = 1; return true;
    case WM_PAINT: {
      win::PaintDC dc(hwnd());
      Paint(dc.get());
      *result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      *result = win::ButtonFaceColours(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_BTNTEXT));
      return true;
    }
    default: return false;
  }
}

int ShowPointHint(const std::string& key, const std::string& text, int x, int y, HWND owner) {
  if (AppSettings().ReadSingleBool(key)) return 0;
  TfrmHotPt form;
  if (!form.FormCreate(owner ? owner : CameraWindowOfThisProcess())) return 0;
  return form.Execute(key, text, x, y);
  // The form is freed here, after every showing.
}

}  // namespace flk
