#include "scroll_doc_window.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "driver.h"

namespace flk::e2e {

namespace {
constexpr wchar_t kDocClass[] = L"FlkScrollDoc";
constexpr wchar_t kFrameClass[] = L"FlkScrollFrame";
constexpr int kChildLeft = 24, kChildTop = 30;

uint32_t Band(int seed, int x, int y) {
  // Bars of a few colours with a checker edge: textured, never white.
  uint32_t c = ((x / 13 + y / 5 + seed) % 4 == 0) ? 0x3060A0u : 0xC0C8D0u;
  return (x + y) % 7 == 0 ? c ^ 0x202020u : c;
}
}  // namespace

TallDocument LoadScrollDocument(const std::string& name) {
  TallDocument d;
  std::string path = std::string("Z:") + FLK_CORPUS_DIR + "/scroll/" + name;
  std::replace(path.begin(), path.end(), '/', '\\');
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return d;
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> px(size_t(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, px.data(), 0, nullptr)) return d;
  d.width = int(image.width);
  d.height = int(image.height);
  for (auto& p : px) p &= 0xFFFFFFu;
  d.rgb = std::move(px);
  return d;
}

ScrollDocWindow::ScrollDocWindow(const TallDocument& doc, POINT at, int clientHeight, int header, int footer,
                                 bool child, int stepRows)
    : doc_data_(doc), header_(header), footer_(footer), step_(stepRows), clientHeight_(clientHeight) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  for (const wchar_t* cls : {kDocClass, kFrameClass}) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = cls == kDocClass ? &ScrollDocWindow::Proc : ::DefWindowProcW;
    wc.hInstance = inst;
    wc.lpszClassName = cls;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ::RegisterClassW(&wc);
  }
  const int sb = ::GetSystemMetrics(SM_CXVSCROLL);
  RECT r{0, 0, child ? doc.width + sb : doc.width, clientHeight};
  if (child) {
    RECT f{0, 0, r.right + 2 * kChildLeft, clientHeight + kChildTop + 20};
    ::AdjustWindowRectEx(&f, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    frame_ = ::CreateWindowExW(0, kFrameClass, L"Scroll frame", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, at.x, at.y,
                               f.right - f.left, f.bottom - f.top, nullptr, nullptr, inst, nullptr);
    doc_ = ::CreateWindowExW(0, kDocClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, kChildLeft, kChildTop, r.right,
                             r.bottom, frame_, nullptr, inst, this);
    ::ShowWindow(frame_, SW_SHOWNOACTIVATE);
  } else {
    ::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_VSCROLL, FALSE, 0);
    doc_ = ::CreateWindowExW(0, kDocClass, L"Scroll document", WS_CAPTION | WS_SYSMENU | WS_VSCROLL, at.x, at.y,
                             r.right - r.left + ::GetSystemMetrics(SM_CXVSCROLL), r.bottom - r.top, nullptr, nullptr,
                             inst, this);
    ::ShowWindow(doc_, SW_SHOWNOACTIVATE);
  }
  ScrollTo(0);
  ::UpdateWindow(doc_);
}

ScrollDocWindow::~ScrollDocWindow() {
  if (frame_) ::DestroyWindow(frame_);
  else if (doc_) ::DestroyWindow(doc_);
}

RECT ScrollDocWindow::client() const {
  RECT c;
  ::GetClientRect(doc_, &c);
  POINT o{0, 0};
  ::ClientToScreen(doc_, &o);
  ::OffsetRect(&c, o.x, o.y);
  return c;
}

int ScrollDocWindow::regionHeight() const { return clientHeight_ - header_ - footer_; }

uint32_t ScrollDocWindow::Whole(int x, int i) const {
  if (i < header_) return Band(1, x, i);
  if (i >= header_ + doc_data_.height) return Band(2, x, i - header_ - doc_data_.height);
  return x < doc_data_.width ? doc_data_.at(x, i - header_) : 0xFFFFFFu;
}

uint32_t ScrollDocWindow::Expected(int x, int y) const {
  const int h = clientHeight_;
  if (y < header_) return Band(1, x, y);
  if (y >= h - footer_) return Band(2, x, y - (h - footer_));
  int row = pos_ + y - header_;
  if (x < doc_data_.width && row < doc_data_.height) return doc_data_.at(x, row);
  return 0xFFFFFFu;
}

long ScrollDocWindow::WaitShown() const {
  long bad = -1;
  WaitUntil([&] {
    RECT c = client();
    auto px = GrabScreen(c);
    if (!px) return false;
    bad = 0;
    for (int y = c.top; y < c.bottom; ++y)
      for (int x = c.left; x < c.right; ++x) bad += px->at(x, y) != Expected(x - c.left, y - c.top);
    return bad == 0;
  }, 5000, 20);
  return bad;
}

void ScrollDocWindow::ScrollTo(int pos) {
  const int maxPos = std::max(doc_data_.height - regionHeight(), 0);
  pos_ = std::clamp(pos, 0, maxPos);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, doc_data_.height - 1, UINT(std::max(regionHeight(), 1)), pos_, 0};
  ::SetScrollInfo(doc_, SB_VERT, &si, TRUE);
  ::InvalidateRect(doc_, nullptr, FALSE);
}

void ScrollDocWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(doc_, &ps);
  RECT c;
  ::GetClientRect(doc_, &c);
  const int w = c.right, h = c.bottom;
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * size_t(w) + size_t(x)] = Expected(x, y);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ::SetDIBitsToDevice(dc, 0, 0, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
  ::EndPaint(doc_, &ps);
}

LRESULT CALLBACK ScrollDocWindow::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE)
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  auto* self = reinterpret_cast<ScrollDocWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->doc_ != hwnd) return ::DefWindowProcW(hwnd, msg, w, l);
  switch (msg) {
    case WM_PAINT: self->Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_VSCROLL:
      switch (LOWORD(w)) {
        case SB_LINEDOWN: ++self->lines; self->ScrollTo(self->pos_ + self->step_); break;
        case SB_LINEUP: self->ScrollTo(self->pos_ - self->step_); break;
        case SB_TOP: self->ScrollTo(0); break;
        case SB_THUMBPOSITION: self->ScrollTo(HIWORD(w)); break;
        default: break;
      }
      return 0;
    case WM_MOUSEWHEEL: ++self->wheels; self->ScrollTo(self->pos_ - GET_WHEEL_DELTA_WPARAM(w) / WHEEL_DELTA * self->step_); return 0;
    case WM_KEYDOWN:
      if (w == VK_HOME) self->ScrollTo(0);
      return 0;
    default: return ::DefWindowProcW(hwnd, msg, w, l);
  }
}

}  // namespace flk::e2e
