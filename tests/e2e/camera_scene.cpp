#include "camera_scene.h"

#include <cstdlib>

#include <cstring>

namespace flk::e2e {

uint32_t PatternColour(int x, int y) {
  uint32_t r = uint32_t(x * 5 + y) & 255, g = uint32_t(y * 3) & 255, b = uint32_t((x ^ y) * 7) & 255;
  return (r << 16) | (g << 8) | b;
}

ColourWindow::ColourWindow(RECT r, ColourAt colour, bool topmost) : rect_(r), colour_(colour) {
  int w = r.right - r.left, h = r.bottom - r.top;
  pixels_.resize(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels_[size_t(y) * size_t(w) + size_t(x)] = colour(r.left + x, r.top + y);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &ColourWindow::Proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"FlkColourWindow";
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&wc);
  hwnd_ = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0), L"FlkColourWindow",
                            L"fixture", WS_POPUP, r.left, r.top, w, h, nullptr, nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  ::UpdateWindow(hwnd_);
}

void ColourWindow::Close() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

bool ColourWindow::WaitPainted() const {
  return WaitUntil([&] { return ScreenMismatches(rect_, colour_) == 0; });
}

LRESULT CALLBACK ColourWindow::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<ColourWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT && self) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    int width = self->rect_.right - self->rect_.left, height = self->rect_.bottom - self->rect_.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    ::SetDIBitsToDevice(dc, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), self->pixels_.data(), &bi,
                        DIB_RGB_COLORS);
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, w, l);
}

long ScreenMismatches(const RECT& r, ColourAt colour) {
  auto px = GrabScreen(r);
  if (!px) return -1;
  long bad = 0;
  for (int y = px->rect.top; y < px->rect.bottom; ++y)
    for (int x = px->rect.left; x < px->rect.right; ++x)
      if ((px->at(x, y) & 0xFFFFFF) != colour(x, y)) ++bad;
  return bad;
}

const flk::DpiScale& E2eScale() {
  static const flk::DpiScale scale = [] {
    char buf[16] = {};
    DWORD n = ::GetEnvironmentVariableA("FLK_E2E_DPI", buf, sizeof buf);
    return flk::DpiScaleOf(n > 0 && n < sizeof buf ? std::atoi(buf) : 96);
  }();
  return scale;
}

int FrameAndBevel() { return E2eScale()(5) + E2eScale()(2); }

RECT SameViewAtScale(const RECT& w) {
  int frame = 2 * (FrameAndBevel() - 7);
  return RECT{w.left, w.top, w.right + frame, w.bottom + frame + PanelHeight() - (22 + 19 + 44 + 18)};
}

int PanelHeight() {
  const flk::DpiScale& s = E2eScale();
  return s(22) + s(19) + s(44) + s(18);
}

RECT ViewOnScreen(const RECT& w) {
  return RECT{w.left + FrameAndBevel(), w.top + FrameAndBevel() + PanelHeight(), w.right - FrameAndBevel(),
              w.bottom - FrameAndBevel()};
}

namespace {

std::optional<ReadPicture> DecodeDib(const uint8_t* data, size_t size) {
  if (size < sizeof(BITMAPINFOHEADER)) return std::nullopt;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  ReadPicture p;
  p.width = h.biWidth;
  p.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  p.bitsPerPixel = h.biBitCount;
  if (p.width <= 0 || p.height <= 0) return std::nullopt;
  size_t offset = h.biSize;
  if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) offset += 12;
  std::vector<RGBQUAD> palette;
  if (h.biBitCount <= 8) {
    size_t n = h.biClrUsed ? h.biClrUsed : (size_t(1) << h.biBitCount);
    if (offset + n * 4 > size) return std::nullopt;
    palette.resize(n);
    std::memcpy(palette.data(), data + offset, n * 4);
    offset += n * 4;
  }
  size_t stride = ((size_t(p.width) * h.biBitCount + 31) / 32) * 4;
  if (offset + stride * size_t(p.height) > size) return std::nullopt;
  p.rgb.resize(size_t(p.width) * size_t(p.height));
  for (int y = 0; y < p.height; ++y) {
    int srcRow = h.biHeight < 0 ? y : p.height - 1 - y;
    const uint8_t* row = data + offset + stride * size_t(srcRow);
    for (int x = 0; x < p.width; ++x) {
      uint32_t c = 0;
      switch (h.biBitCount) {
        case 32:
        case 24: {
          const uint8_t* q = row + size_t(x) * (h.biBitCount / 8);
          c = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
          break;
        }
        case 1:
        case 4:
        case 8: {
          size_t bit = size_t(x) * h.biBitCount;
          unsigned v = (row[bit / 8] >> (8 - h.biBitCount - bit % 8)) & ((1u << h.biBitCount) - 1);
          if (v >= palette.size()) return std::nullopt;
          c = (uint32_t(palette[v].rgbRed) << 16) | (uint32_t(palette[v].rgbGreen) << 8) | palette[v].rgbBlue;
          break;
        }
        default: return std::nullopt;
      }
      p.rgb[size_t(y) * size_t(p.width) + size_t(x)] = c;
    }
  }
  return p;
}

}  // namespace

std::optional<ReadPicture> ReadBmpFile(const std::string& path) {
  HANDLE f = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<uint8_t> bytes(::GetFileSize(f, nullptr));
  DWORD got = 0;
  bool ok = ::ReadFile(f, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
  ::CloseHandle(f);
  if (!ok || bytes.size() < sizeof(BITMAPFILEHEADER) || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  return DecodeDib(bytes.data() + sizeof(BITMAPFILEHEADER), bytes.size() - sizeof(BITMAPFILEHEADER));
}

std::optional<ReadPicture> ReadClipboardDib() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<ReadPicture> p;
  if (HANDLE h = ::GetClipboardData(CF_DIB)) {
    if (auto* data = static_cast<const uint8_t*>(::GlobalLock(h))) {
      p = DecodeDib(data, ::GlobalSize(h));
      ::GlobalUnlock(h);
    }
  }
  ::CloseClipboard();
  return p;
}

long PatternMismatches(const ReadPicture& picture, const RECT& r, ColourAt colour) {
  if (picture.width != r.right - r.left || picture.height != r.bottom - r.top) return -1;
  long bad = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.at(x, y) != colour(r.left + x, r.top + y)) ++bad;
  return bad;
}

std::string StatusText(HWND camera) {
  auto labels = Children(camera, "Static");
  return labels.empty() ? std::string() : WindowText(labels.front());
}

bool WaitStatus(HWND camera, const std::string& text, DWORD timeoutMs) {
  return WaitUntil([&] { return StatusText(camera) == text; }, timeoutMs);
}

bool WaitStatusPrefix(HWND camera, const std::string& prefix, DWORD timeoutMs) {
  return WaitUntil([&] { return StatusText(camera).rfind(prefix, 0) == 0; }, timeoutMs);
}

namespace {
RunningCamera StartWritten(SettingValues extra) {
  for (const auto& [name, value] : extra) RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, name, value);
  RunningCamera r;
  r.process = Process::Start("");
  if (!r.process) return r;
  r.camera = WaitCameraOrBox(r.process).camera;
  if (r.camera) r.process.WaitIdle();
  return r;
}
}  // namespace

RunningCamera StartCameraWith(SettingValues extra) {
  WriteCurrentUserSettings();
  return StartWritten(extra);
}

RunningCamera StartCameraOver(const RECT& window, SettingValues extra) {
  WriteCurrentUserSettings();
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Left", DWORD(window.left));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Top", DWORD(window.top));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Width", DWORD(window.right - window.left));
  RegWriteDword(HKEY_CURRENT_USER, kSettingsPath, "Height", DWORD(window.bottom - window.top));
  return StartWritten(extra);
}

void OpenScene(Scene& s, const RECT& window) {
  ASSERT_TRUE(s.pattern.WaitPainted());
  s.cam = StartCameraOver(window);
  ASSERT_TRUE(s.cam.camera) << DescribeBoxes(s.cam.process.pid());
  s.view = ViewOnScreen(WindowRect(s.cam.camera));
  ASSERT_TRUE(WaitUntil([&] { return ScreenMismatches(s.view) == 0; }));
}

void Command(const Scene& s, flk::CommandId id) { ASSERT_TRUE(Post(s.cam.camera, WM_COMMAND, CommandParam(id))); }

HWND WaitViewer(DWORD timeoutMs) { return WaitWindow("TfrmViewer", "FramelarkPro Recall Viewer", true, timeoutMs); }

std::string ViewerStatus(HWND viewer) {
  return WindowText(::FindWindowExA(viewer, nullptr, "msctls_statusbar32", nullptr));
}

bool WaitViewerStatus(HWND viewer, const std::string& text, DWORD timeoutMs) {
  return WaitUntil([&] { return ViewerStatus(viewer) == text; }, timeoutMs);
}

bool CloseViewer() {
  HWND v = FindTop("TfrmViewer", "FramelarkPro Recall Viewer");
  if (!v) return true;
  Post(v, WM_CLOSE);
  return WaitUntil([] { return !FindTop("TfrmViewer", "FramelarkPro Recall Viewer"); });
}

}  // namespace flk::e2e
