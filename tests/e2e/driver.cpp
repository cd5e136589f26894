#include "driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/names.h"

namespace flk::e2e {

namespace {

constexpr char kDefaultProgram[] = "C:\\Framelark\\Pro\\FramelarkPro.exe";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string WithoutAmpersands(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') out += s[++i];
      continue;
    }
    out += s[i];
  }
  return out;
}

std::string NormaliseLineBreaks(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
      continue;
    }
    out += s[i];
  }
  return out;
}

struct EnumState {
  const char* cls;
  const char* caption;
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<EnumState*>(lp);
  if (st->cls && WindowClass(hwnd) != st->cls) return TRUE;
  if (st->caption && WindowText(hwnd) != st->caption) return TRUE;
  if (st->pid && WindowPid(hwnd) != st->pid) return TRUE;
  st->found.push_back(hwnd);
  return TRUE;
}

struct ChildState {
  HWND parent;
  const char* cls;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<ChildState*>(lp);
  if (GetParent(hwnd) != st->parent) return TRUE;
  if (st->cls && Lower(WindowClass(hwnd)) != Lower(st->cls)) return TRUE;
  st->found.push_back(hwnd);
  return TRUE;
}

// Opens a key for reading or writing in the 64-bit view.
win::UniqueKey OpenKey(HKEY root, const std::string& path, REGSAM access, bool create) {
  win::UniqueKey key;
  LSTATUS rc;
  if (create) {
    rc = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access | KEY_WOW64_64KEY, nullptr, key.put(), nullptr);
  } else {
    rc = RegOpenKeyExA(root, path.c_str(), 0, access | KEY_WOW64_64KEY, key.put());
  }
  if (rc != ERROR_SUCCESS) key.release();
  return key;
}

DWORD DefaultWaitMs() {
  char buf[32];
  DWORD n = GetEnvironmentVariableA("FLK_E2E_WAIT_MS", buf, sizeof buf);
  if (n > 0 && n < sizeof buf) {
    long v = std::strtol(buf, nullptr, 10);
    if (v > 0) return static_cast<DWORD>(v);
  }
  return 20000;
}

}  // namespace

const DWORD kWaitMs = DefaultWaitMs();

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

std::string ProgramPath() {
  char buf[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("FLK_PROGRAM", buf, sizeof buf);
  if (n > 0 && n < sizeof buf) return buf;
  return kDefaultProgram;
}

std::string DriverFolder() {
  char self[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, n);
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string DataFolder() {
  std::string p = ProgramPath();
  // The program lies in the folder "Pro" of the data folder.
  size_t file = p.find_last_of('\\');
  if (file == std::string::npos) return {};
  size_t pro = p.find_last_of('\\', file - 1);
  if (pro == std::string::npos) return {};
  return p.substr(0, pro + 1);
}

// ---- processes ----------------------------------------------------------------

Process Process::StartCommand(const std::string& exe, const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back('\0');
  Trace(("starting " + commandLine).c_str());
  Process p;
  // Wine now and then fails a process start outright under load (the same
  // "internal error" that once kept regedit from starting); a start is tried
  // three times before the scenario fails on it.
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt) Sleep(300);
    started = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    if (!started) std::printf("  starting %s failed (error %lu)\n", exe.c_str(), GetLastError());
  }
  if (!started) return p;
  CloseHandle(pi.hThread);
  p.handle_.reset(pi.hProcess);
  p.pid_ = pi.dwProcessId;
  return p;
}

Process Process::Start(const std::string& args) {
  const std::string exe = ProgramPath();
  std::string cmd = "\"" + exe + "\"";
  if (!args.empty()) cmd += " " + args;
  return StartCommand(exe, cmd);
}

Process Process::Open(DWORD pid) {
  Process p;
  HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  if (h) {
    p.handle_.reset(h);
    p.pid_ = pid;
  }
  return p;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitExit(DWORD timeoutMs) const {
  if (!handle_) return std::nullopt;
  // Polled, so that the driver's own windows keep answering meanwhile.
  if (!WaitUntil([&] { return WaitForSingleObject(handle_.get(), 0) == WAIT_OBJECT_0; }, timeoutMs))
    return std::nullopt;
  Trace("process ended");
  DWORD code = 0;
  if (!GetExitCodeProcess(handle_.get(), &code)) return std::nullopt;
  return code;
}

bool Process::WaitIdle(DWORD timeoutMs) const { return handle_ && WaitForInputIdle(handle_.get(), timeoutMs) == 0; }

void Process::Terminate() const {
  if (!handle_) return;
  TerminateProcess(handle_.get(), 1);
  WaitForSingleObject(handle_.get(), kWaitMs);
}

std::vector<DWORD> ProgramProcessIds() {
  std::vector<DWORD> pids;
  win::UniqueKernelHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap || snap.get() == INVALID_HANDLE_VALUE) {
    snap.release();
    return pids;
  }
  std::string program = ProgramPath();
  std::string file = Lower(program.substr(program.find_last_of('\\') + 1));
  PROCESSENTRY32 pe{};
  pe.dwSize = sizeof pe;
  for (BOOL ok = Process32First(snap.get(), &pe); ok; ok = Process32Next(snap.get(), &pe)) {
    char name[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, pe.szExeFile, -1, name, sizeof name, nullptr, nullptr);
    if (Lower(name) == file && pe.th32ProcessID != GetCurrentProcessId()) pids.push_back(pe.th32ProcessID);
  }
  return pids;
}

int KillProgramProcesses() {
  int n = 0;
  // A role that an ended one had just started (a viewer after a capture) may
  // appear a moment later: look again after each round that ended something.
  for (int round = 0; round < 10; ++round) {
    int ended = 0;
    for (DWORD pid : ProgramProcessIds()) {
      Process p = Process::Open(pid);
      if (!p) continue;
      p.Terminate();
      ++ended;
    }
    n += ended;
    if (ended == 0) break;
    ::Sleep(300);
  }
  return n;
}

// ---- windows ------------------------------------------------------------------

std::vector<HWND> TopWindows(const char* cls, const char* caption, DWORD pid) {
  EnumState st{cls, caption, pid, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

HWND FindTop(const char* cls, const char* caption, DWORD pid) {
  auto all = TopWindows(cls, caption, pid);
  return all.empty() ? nullptr : all.front();
}

HWND WaitWindow(const char* cls, const char* caption, bool visible, DWORD timeoutMs, DWORD pid) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND h : TopWindows(cls, caption, pid)) {
          if (!visible || IsWindowVisible(h)) {
            found = h;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

bool WaitGone(HWND hwnd, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(hwnd); }, timeoutMs);
}

bool IsVisible(HWND hwnd) { return hwnd && IsWindow(hwnd) && IsWindowVisible(hwnd); }

DWORD WindowPid(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::string WindowClass(HWND hwnd) {
  char buf[256];
  int n = GetClassNameA(hwnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

std::string WindowText(HWND hwnd) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) {
    char buf[1024];
    int n = GetWindowTextA(hwnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
  }
  std::string text(len + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                           &got))
    return {};
  text.resize(std::min<size_t>(got, len));
  return text;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

std::vector<HWND> Children(HWND parent, const char* cls) {
  ChildState st{parent, cls, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

// ---- stand-in windows -------------------------------------------------------------

FakeRoleWindow::FakeRoleWindow(const char* cls, const char* caption) : cls_(cls) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls_.c_str();
  RegisterClassA(&wc);
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, cls_.c_str(), caption, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                          this);
}

FakeRoleWindow::~FakeRoleWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  UnregisterClassA(cls_.c_str(), GetModuleHandleA(nullptr));
}

std::optional<FakeRoleWindow::Message> FakeRoleWindow::WaitFor(UINT msg, DWORD timeoutMs) {
  std::optional<Message> found;
  WaitUntil(
      [&] {
        for (const auto& m : received_)
          if (m.msg == msg) {
            found = m;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}

LRESULT CALLBACK FakeRoleWindow::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(l);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<FakeRoleWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && ((msg >= WM_USER && msg < WM_APP) || msg == WM_CLOSE)) {
    self->received_.push_back({msg, w, l});
    if (msg == WM_CLOSE) return 0;  // recorded; the test decides when it goes
  }
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcA(hwnd, msg, w, l);
}

HWND WineTrayWindow() { return FindTop("__winex11_standalone_tray", nullptr); }

bool TrayIconShown() { return IsVisible(WineTrayWindow()); }

void KeepDesktopAlive() {
  static FakeRoleWindow keeper("FlkE2eKeeper", "Framelark e2e keeper");
  (void)keeper;
}

// ---- message boxes ------------------------------------------------------------

std::vector<HWND> MessageBoxes(const char* caption, DWORD pid) {
  std::vector<HWND> out;
  for (HWND h : TopWindows(kDialogClass, caption, pid))
    if (IsWindowVisible(h)) out.push_back(h);
  return out;
}

HWND WaitMessageBox(const char* caption, DWORD timeoutMs, DWORD pid) {
  return WaitWindow(kDialogClass, caption, true, timeoutMs, pid);
}

std::string MessageBoxText(HWND box) {
  // The message lies in the static control 0xFFFF of the standard box.
  if (HWND text = GetDlgItem(box, 0xFFFF)) return NormaliseLineBreaks(WindowText(text));
  std::string longest;
  for (HWND s : Children(box, "Static")) {
    std::string t = WindowText(s);
    if (t.size() > longest.size()) longest = t;
  }
  return NormaliseLineBreaks(longest);
}

std::vector<std::string> ButtonTexts(HWND box) {
  std::vector<std::string> out;
  for (HWND b : Children(box, "Button"))
    if (IsWindowVisible(b)) out.push_back(WithoutAmpersands(WindowText(b)));
  return out;
}

bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button || !IsWindowVisible(button)) return false;
  return PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool PressButton(HWND box, const std::string& caption) {
  for (HWND b : Children(box, "Button")) {
    if (!IsWindowVisible(b)) continue;
    if (Lower(WithoutAmpersands(WindowText(b))) == Lower(caption)) return PressButton(box, GetDlgCtrlID(b));
  }
  return false;
}

bool Answer(HWND box, int id, DWORD timeoutMs) {
  Trace("answering a box");
  bool ok = PressButton(box, id) && WaitGone(box, timeoutMs);
  Trace("box gone");
  return ok;
}

// ---- messages -------------------------------------------------------------------

bool Post(HWND hwnd, UINT msg, WPARAM w, LPARAM l) { return PostMessageA(hwnd, msg, w, l) != 0; }

void Pump() {
  MSG m;
  while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
}

void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  ::SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

void MouseAt(int x, int y, DWORD flags) {
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dx = LONG((x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
  i.mi.dy = LONG((y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
  i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  ::SendInput(1, &i, sizeof i);
}

HWND VisibleMenu(DWORD pid) {
  for (HWND w : TopWindows("#32768", nullptr, pid))
    if (IsVisible(w)) return w;
  return nullptr;
}

std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM w, LPARAM l, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, msg, w, l, SMTO_ABORTIFHUNG, timeoutMs, &result)) return std::nullopt;
  return static_cast<LRESULT>(result);
}

// ---- registry -------------------------------------------------------------------

bool RegKeyExists(HKEY root, const std::string& path) {
  return static_cast<bool>(OpenKey(root, path, KEY_QUERY_VALUE, false));
}

std::optional<RegData> RegRead(HKEY root, const std::string& path, const std::string& name) {
  auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
  if (!key) return std::nullopt;
  RegData d;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &d.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  d.bytes.resize(size);
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &d.type, d.bytes.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  d.bytes.resize(size);
  return d;
}

std::optional<DWORD> RegDword(HKEY root, const std::string& path, const std::string& name) {
  auto d = RegRead(root, path, name);
  if (!d || d->type != REG_DWORD || d->bytes.size() != sizeof(DWORD)) return std::nullopt;
  DWORD v;
  std::memcpy(&v, d->bytes.data(), sizeof v);
  return v;
}

std::optional<std::string> RegString(HKEY root, const std::string& path, const std::string& name) {
  auto d = RegRead(root, path, name);
  if (!d || (d->type != REG_SZ && d->type != REG_EXPAND_SZ)) return std::nullopt;
  std::string s(d->bytes.begin(), d->bytes.end());
  while (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

std::optional<double> RegDate(HKEY root, const std::string& path, const std::string& name) {
  auto d = RegRead(root, path, name);
  if (!d || d->type != REG_BINARY || d->bytes.size() != sizeof(double)) return std::nullopt;
  double v;
  std::memcpy(&v, d->bytes.data(), sizeof v);
  return v;
}

std::vector<std::string> RegValueNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  auto key = OpenKey(root, path, KEY_QUERY_VALUE, false);
  if (!key) return names;
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD len = sizeof name;
    if (RegEnumValueA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

bool RegWrite(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size) {
  auto key = OpenKey(root, path, KEY_SET_VALUE, true);
  if (!key) return false;
  return RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegWriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  return RegWrite(root, path, name, REG_DWORD, &value, sizeof value);
}

bool RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
  return RegWrite(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool RegWriteDate(HKEY root, const std::string& path, const std::string& name, double oleDate) {
  return RegWrite(root, path, name, REG_BINARY, &oleDate, sizeof oleDate);
}

bool RegRemoveValue(HKEY root, const std::string& path, const std::string& name) {
  auto key = OpenKey(root, path, KEY_SET_VALUE, false);
  if (!key) return true;
  LSTATUS rc = RegDeleteValueA(key.get(), name.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool RegRemoveTree(HKEY root, const std::string& path) {
  if (!RegKeyExists(root, path)) return true;
  LSTATUS rc = RegDeleteTreeA(root, path.c_str());
  return (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) && !RegKeyExists(root, path);
}

// ---- files ----------------------------------------------------------------------

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<uint64_t> FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

namespace {
constexpr double kTicksPerDay = 864000000000.0;  // FILETIME counts 100 ns
constexpr double kOleEpochDays = 109205.0;       // 1 January 1601 .. 30 December 1899
}  // namespace

std::optional<double> FileModified(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
  FILETIME local;
  if (!FileTimeToLocalFileTime(&d.ftLastWriteTime, &local)) return std::nullopt;
  ULARGE_INTEGER u;
  u.LowPart = local.dwLowDateTime;
  u.HighPart = local.dwHighDateTime;
  return static_cast<double>(u.QuadPart) / kTicksPerDay - kOleEpochDays;
}

bool SetFileModified(const std::string& path, double oleDate) {
  ULARGE_INTEGER u;
  u.QuadPart = static_cast<ULONGLONG>((oleDate + kOleEpochDays) * kTicksPerDay);
  FILETIME local{u.LowPart, u.HighPart}, utc;
  if (!LocalFileTimeToFileTime(&local, &utc)) return false;
  win::UniqueFile f(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  return f && SetFileTime(f.get(), nullptr, nullptr, &utc);
}

// ---- screen ---------------------------------------------------------------------

std::optional<Pixels> GrabScreen(RECT r) {
  // The virtual screen: every monitor, negative coordinates included.
  const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT screen{vx, vy, vx + GetSystemMetrics(SM_CXVIRTUALSCREEN), vy + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT clipped;
  if (!IntersectRect(&clipped, &r, &screen)) return std::nullopt;
  Pixels px;
  px.rect = clipped;
  const int w = px.width(), h = px.height();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  win::WindowDC screenDc(nullptr);
  if (!screenDc) return std::nullopt;
  win::UniqueMemoryDC mem(CreateCompatibleDC(screenDc.get()));
  void* bits = nullptr;
  win::UniqueBitmap dib(CreateDIBSection(screenDc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!mem || !dib || !bits) return std::nullopt;
  {
    win::SelectedObject sel(mem.get(), dib.get());
    if (!BitBlt(mem.get(), 0, 0, w, h, screenDc.get(), clipped.left, clipped.top, SRCCOPY)) return std::nullopt;
    GdiFlush();
  }
  const auto* p = static_cast<const uint32_t*>(bits);
  px.bgra.assign(p, p + static_cast<size_t>(w) * h);
  for (auto& v : px.bgra) v &= 0x00FFFFFF;
  return px;
}

// ---- diagnostics ------------------------------------------------------------------

namespace {
ULONGLONG g_testStart = 0;
bool TraceOn() {
  static const bool on = GetEnvironmentVariableA("FLK_E2E_TRACE", nullptr, 0) > 0;
  return on;
}
}  // namespace

void TraceTestStart() { g_testStart = GetTickCount64(); }

void Trace(const char* what) {
  if (!TraceOn()) return;
  std::printf("  [%5llu ms] %s\n", GetTickCount64() - g_testStart, what);
  std::fflush(stdout);  // a run cut off by its time limit keeps every line
}

// ---- time -------------------------------------------------------------------------

double OleNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER u;
  u.LowPart = ft.dwLowDateTime;
  u.HighPart = ft.dwHighDateTime;
  return static_cast<double>(u.QuadPart) / kTicksPerDay - kOleEpochDays;
}

// ---- state between tests ------------------------------------------------------------

void WriteInstallationRecord() {
  const std::string program = ProgramPath();
  RegWriteString(HKEY_LOCAL_MACHINE, kAppPathKey, "", program);
  RegWriteString(HKEY_LOCAL_MACHINE, kSettingsPath, "ProgramNameRef", kProgramName);
  RegWriteString(HKEY_LOCAL_MACHINE, kSettingsPath, "ProgramVersionRef", kProgramVersion);
  RegWriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "ReInstalCnt", 2);
  RegWriteString(HKEY_LOCAL_MACHINE, kSettingsPath, "BasePath", DataFolder());
}

void ResetProgramState() {
  KillProgramProcesses();
  RegRemoveTree(HKEY_CURRENT_USER, kOldConfigParentKey);
  RegRemoveTree(HKEY_CURRENT_CONFIG, kOldConfigParentKey);
  RegRemoveValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
  RegRemoveTree(HKEY_LOCAL_MACHINE, kAdminProbeKey);
  RegRemoveTree(HKEY_LOCAL_MACHINE, kSettingsPath);
  RegRemoveTree(HKEY_LOCAL_MACHINE, kOldAppPathKey);
  for (const char* editor : {"MSPaint.exe", "PBrush.exe"})
    RegRemoveTree(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\" + editor);
  WriteInstallationRecord();
}

}  // namespace flk::e2e
