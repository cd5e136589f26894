#include "window_layout.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>

#include "camera_scene.h"
#include "driver.h"

namespace flk::e2e {

namespace {

// The text of a control, asked with a time limit only: the driver's
// WindowText falls back to GetWindowText, which waits without limit for a
// window of another process that does not answer.
std::string TextOf(HWND h) {
  DWORD_PTR len = 0;
  if (!::SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &len)) {
    Trace(("no answer to WM_GETTEXTLENGTH from " + WindowClass(h)).c_str());
    return {};
  }
  if (len > 4096) return {};
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!::SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 1000,
                             &got))
    return {};
  text.resize(std::min<size_t>(got, len));
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? char(c) : '?';
  return out;
}

// Controls whose text a person reads as a caption (not an edit's contents).
bool HasCaption(HWND h) {
  std::string cls = WindowClass(h);
  for (char& c : cls) c = char(::tolower(static_cast<unsigned char>(c)));
  return cls == "static" || cls == "button" || cls == "#32770";
}

std::string Describe(HWND h) {
  std::string t = HasCaption(h) || !::GetParent(h) ? TextOf(h) : std::string();
  if (t.size() > 40) t = t.substr(0, 40) + "...";
  return WindowClass(h) + " #" + std::to_string(::GetDlgCtrlID(h)) + " \"" + t + "\"";
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(::tolower(static_cast<unsigned char>(c)));
  return s;
}

RECT ClientOnScreen(HWND h) {
  RECT r;
  ::GetClientRect(h, &r);
  ::MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool Overlap(const RECT& a, const RECT& b, int slack) {
  RECT i;
  return ::IntersectRect(&i, &a, &b) && Width(i) > slack && Height(i) > slack;
}

bool Inside(const RECT& in, const RECT& out, int slack) {
  return in.left >= out.left - slack && in.top >= out.top - slack && in.right <= out.right + slack &&
         in.bottom <= out.bottom + slack;
}

// Controls that hold others rather than stand beside them.
bool IsContainer(HWND h) {
  std::string cls = Lower(WindowClass(h));
  LONG style = ::GetWindowLongW(h, GWL_STYLE);
  if (cls == "button") return (style & BS_TYPEMASK) == BS_GROUPBOX;
  if (cls == "static") {
    LONG type = style & SS_TYPEMASK;
    return type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
           type != SS_SIMPLE && type != SS_ICON && type != SS_BITMAP;
  }
  return cls == "systabcontrol32" || cls == "#32770";
}

bool IsGroupBox(HWND h) {
  return Lower(WindowClass(h)) == "button" && (::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Measures text the way the control draws it, with its own font where this
// process can use it, else the message font at the run's scale.
class TextMeter {
 public:
  TextMeter() : dc_(::CreateCompatibleDC(nullptr)) {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    fallback_ = ::CreateFontIndirectW(&m.lfMessageFont);
  }
  ~TextMeter() {
    ::DeleteObject(fallback_);
    ::DeleteDC(dc_);
  }
  TextMeter(const TextMeter&) = delete;
  TextMeter& operator=(const TextMeter&) = delete;

  // The size the text needs: one line, or wrapped at `wrapWidth` when it is > 0.
  SIZE Measure(HWND control, const std::string& text, UINT flags, int wrapWidth) {
    auto font = reinterpret_cast<HFONT>(Send(control, WM_GETFONT).value_or(0));
    HGDIOBJ old = font ? ::SelectObject(dc_, font) : nullptr;
    if (!old || old == HGDI_ERROR) old = ::SelectObject(dc_, fallback_);
    std::wstring w(text.begin(), text.end());
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    ::DrawTextW(dc_, w.c_str(), int(w.size()), &r, DT_CALCRECT | DT_EXPANDTABS | flags |
                                                         (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    ::SelectObject(dc_, old);
    return SIZE{Width(r), Height(r)};
  }

 private:
  HDC dc_;
  HFONT fallback_;
};

// The text of a labelled control cut off, or "".
std::string ClippedText(HWND h, TextMeter& meter) {
  if (!HasCaption(h)) return {};
  std::string text = TextOf(h);
  if (text.empty()) return {};
  std::string cls = Lower(WindowClass(h));
  LONG style = ::GetWindowLongW(h, GWL_STYLE);
  RECT c;
  ::GetClientRect(h, &c);
  const flk::DpiScale& s = E2eScale();
  int room = Width(c), height = Height(c);
  UINT flags = 0;
  bool wraps = false;
  if (cls == "static") {
    LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      return {};
    if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
    wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
  } else if (cls == "button") {
    LONG type = style & BS_TYPEMASK;
    wraps = (style & BS_MULTILINE) != 0;
    if (type == BS_GROUPBOX) {
      room -= s(16);
      wraps = false;
      height = room > 0 ? height : 0;
    } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
               type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
      room -= s(13) + s(4);
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      room -= s(6);
    } else {
      return {};
    }
  } else {
    return {};
  }
  if (room <= 0) return "no room for \"" + text + "\"";
  SIZE one = meter.Measure(h, text, flags, 0);
  if (!wraps) {
    if (one.cx > room) return "needs " + std::to_string(one.cx) + " px, has " + std::to_string(room);
    if (!IsGroupBox(h) && one.cy > height + 1)
      return "needs " + std::to_string(one.cy) + " px high, has " + std::to_string(height);
    return {};
  }
  SIZE wrapped = meter.Measure(h, text, flags, room);
  if (wrapped.cx > room) return "a word needs " + std::to_string(wrapped.cx) + " px, has " + std::to_string(room);
  if (wrapped.cy > height + 1)
    return "needs " + std::to_string(wrapped.cy) + " px high, has " + std::to_string(height);
  return {};
}

bool TakesInput(HWND h) {
  std::string cls = Lower(WindowClass(h));
  LONG style = ::GetWindowLongW(h, GWL_STYLE);
  if (!::IsWindowEnabled(h)) return false;
  if (cls == "edit") return !(style & ES_READONLY) && !(style & ES_MULTILINE);
  return cls == "combobox" || cls == "msctls_trackbar32" || cls == "listbox";
}

// A label beside the input: a text to its left on the same row, or just above it.
bool HasLabel(HWND input, const std::vector<HWND>& siblings) {
  RECT r = WindowRect(input);
  const int nearby = E2eScale()(80), above = Height(r) + E2eScale()(24);
  for (HWND o : siblings) {
    if (o == input) continue;
    std::string cls = Lower(WindowClass(o));
    bool readOnlyText = cls == "edit" && (::GetWindowLongW(o, GWL_STYLE) & ES_READONLY);
    if (cls != "static" && cls != "button" && !readOnlyText) continue;
    if (TextOf(o).empty()) continue;
    RECT l = WindowRect(o);
    bool sameRow = l.top < r.bottom && l.bottom > r.top;
    bool left = sameRow && l.right <= r.left + 2 && r.left - l.right <= nearby;
    bool over = l.bottom <= r.top + 2 && r.top - l.bottom <= above && l.left < r.right && l.right > r.left;
    bool group = IsGroupBox(o) && Inside(r, l, 0);
    if (left || over || group) return true;
  }
  return false;
}

void CheckChildren(HWND parent, TextMeter& meter, std::vector<std::string>& out) {
  std::vector<HWND> kids;
  // A tab control's own scroll arrows (tabs that do not fit) are part of the control.
  const bool tabs = Lower(WindowClass(parent)) == "systabcontrol32";
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (::IsWindowVisible(c) && !(tabs && Lower(WindowClass(c)) == "msctls_updown32")) kids.push_back(c);
  RECT area = ClientOnScreen(parent);
  for (HWND k : kids) {
    Trace(("checking " + WindowClass(k) + " #" + std::to_string(::GetDlgCtrlID(k))).c_str());
    RECT r = WindowRect(k);
    if (!Inside(r, area, 0)) out.push_back(Describe(k) + " lies outside its parent " + Describe(parent));
    if (std::string why = ClippedText(k, meter); !why.empty()) out.push_back(Describe(k) + " is cut: " + why);
    if (TakesInput(k) && !HasLabel(k, kids)) out.push_back(Describe(k) + " takes input but has no label");
    for (HWND o : kids) {
      if (o == k) continue;
      RECT q = WindowRect(o);
      if (IsGroupBox(o)) {
        // Inside a group box means clear of its frame; outside means clear of it.
        RECT inner{q.left + 2, q.top + E2eScale()(6), q.right - 2, q.bottom - 2};
        if (!IsContainer(k) && Overlap(r, q, 1) && !Inside(r, inner, 0))
          out.push_back(Describe(k) + " covers the frame of " + Describe(o));
      } else if (reinterpret_cast<uintptr_t>(k) < reinterpret_cast<uintptr_t>(o) && !IsContainer(k) && !IsContainer(o) && Overlap(r, q, 1)) {
        out.push_back(Describe(k) + " overlaps " + Describe(o));
      }
    }
    if (::GetWindow(k, GW_CHILD) && Lower(WindowClass(k)) != "combobox") CheckChildren(k, meter, out);
  }
}

}  // namespace

std::vector<std::string> LayoutFaults(HWND window) {
  std::vector<std::string> out;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
  if (!Inside(WindowRect(window), mi.rcWork, 0)) {
    RECT r = WindowRect(window);
    out.push_back(Describe(window) + " (" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                  std::to_string(Width(r)) + " x " + std::to_string(Height(r)) + ") is not within the work area");
  }
  TextMeter meter;
  Trace("checking the controls");
  CheckChildren(window, meter, out);
  return out;
}

std::vector<std::string> MenuFaults(HWND menu, HWND owner) {
  std::vector<std::string> out;
  const RECT r = WindowRect(menu), o = WindowRect(owner);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &mi);
  auto where = [&] {
    return " (" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(Width(r)) + " x " +
           std::to_string(Height(r)) + ")";
  };
  if (!IsVisible(menu) || Width(r) <= 0 || Height(r) <= 0) out.push_back("the menu is not shown" + where());
  if (!Inside(r, mi.rcWork, 0)) out.push_back("the menu is not within the work area" + where());
  // Dropped from the window: it starts over or beside it, not somewhere else.
  if (r.left > o.right || r.right < o.left || r.top > o.bottom + E2eScale()(4) || r.bottom < o.top)
    out.push_back("the menu is away from its window" + where());
  return out;
}

RECT ColourBounds(const RECT& area, uint32_t rgb) {
  RECT box{0, 0, 0, 0};
  std::optional<Pixels> px = GrabScreen(area);
  if (!px) return box;
  bool any = false;
  for (int y = px->rect.top; y < px->rect.bottom; ++y)
    for (int x = px->rect.left; x < px->rect.right; ++x) {
      if ((px->at(x, y) & 0xFFFFFF) != rgb) continue;
      if (!any) box = RECT{x, y, x + 1, y + 1};
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
      any = true;
    }
  return box;
}

std::string DescribeLayoutFaults(HWND window) {
  std::string all;
  for (const std::string& f : LayoutFaults(window)) all += "\n  " + f;
  return all;
}

bool KeepScreenshot(HWND window, const std::string& name) {
  const char* dir = std::getenv("FLK_E2E_SHOTS");
  if (!dir || !*dir) return true;
  ::CreateDirectoryA(dir, nullptr);
  // A window found a moment after it was made may not have painted all its
  // controls yet: ask for a full paint and take the picture once it holds still.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  std::optional<Pixels> px = GrabScreen(WindowRect(window));
  for (int i = 0; px && i < 20; ++i) {
    ::Sleep(100);
    std::optional<Pixels> again = GrabScreen(WindowRect(window));
    if (!again || again->bgra == px->bgra) break;
    px = std::move(again);
  }
  if (!px) return false;
  std::vector<uint8_t> rgb;
  rgb.reserve(px->bgra.size() * 3);
  for (uint32_t v : px->bgra) {
    rgb.push_back(uint8_t(v >> 16));
    rgb.push_back(uint8_t(v >> 8));
    rgb.push_back(uint8_t(v));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(px->width());
  image.height = png_uint_32(px->height());
  image.format = PNG_FORMAT_RGB;
  std::string path = std::string(dir) + "\\" + name + ".png";
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace flk::e2e
