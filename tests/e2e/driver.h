// Drives the installed program from another process in the same Wine prefix:
// starts its roles, finds its windows and message boxes, presses buttons,
// reads and writes the registry, looks at files and at the screen.
// Every wait polls with a time limit; nothing sleeps for a fixed time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "win32/unique_handle.h"

namespace flk::e2e {

// Default time limit of a wait: 20 s, or FLK_E2E_WAIT_MS. Waits end as soon as
// their condition holds, so only a failing test pays for a long limit.
extern const DWORD kWaitMs;

// Polls `done` every `pollMs` until it returns true or `timeoutMs` has passed,
// dispatching the driver's own window messages meanwhile. Returns the last
// result of `done`.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs, DWORD pollMs = 5);

// The installed program (C:\Framelark\Pro\FramelarkPro.exe, or FLK_PROGRAM).
std::string ProgramPath();
// Its data folder, the parent of the program folder, with a trailing backslash.
std::string DataFolder();
// The driver's own folder, with a trailing backslash (its stand-in programs lie there).
std::string DriverFolder();

// ---- processes ----------------------------------------------------------------

class Process {
 public:
  Process() = default;
  // Runs the installed program with `args` after its quoted path.
  static Process Start(const std::string& args);
  // Runs any program with a complete command line.
  static Process StartCommand(const std::string& exe, const std::string& commandLine);
  // Opens a running process (e.g. the owner of a window) to wait for it.
  static Process Open(DWORD pid);

  explicit operator bool() const { return static_cast<bool>(handle_); }
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return handle_.get(); }
  bool Running() const;
  // The exit code, or nothing if the process still runs after `timeoutMs`.
  std::optional<DWORD> WaitExit(DWORD timeoutMs = kWaitMs) const;
  // True when the process waits for input with an empty queue.
  bool WaitIdle(DWORD timeoutMs = kWaitMs) const;
  void Terminate() const;

 private:
  win::UniqueKernelHandle handle_;
  DWORD pid_ = 0;
};

// Ends every process of the installed program (any role) and waits for them.
// Returns how many were ended.
int KillProgramProcesses();
// Process ids of running program processes.
std::vector<DWORD> ProgramProcessIds();

// ---- windows ------------------------------------------------------------------

// Top-level windows of class `cls` and caption `caption` (nullptr = any),
// owned by process `pid` (0 = any process).
std::vector<HWND> TopWindows(const char* cls, const char* caption, DWORD pid = 0);
HWND FindTop(const char* cls, const char* caption, DWORD pid = 0);
// Waits for such a window; with `visible` it must also be visible.
HWND WaitWindow(const char* cls, const char* caption, bool visible, DWORD timeoutMs = kWaitMs, DWORD pid = 0);
bool WaitGone(HWND hwnd, DWORD timeoutMs = kWaitMs);
bool IsVisible(HWND hwnd);
DWORD WindowPid(HWND hwnd);
std::string WindowClass(HWND hwnd);
// Text of any window, also a control of another process (WM_GETTEXT).
std::string WindowText(HWND hwnd);
RECT WindowRect(HWND hwnd);
// Direct children of `parent`, optionally of one class.
std::vector<HWND> Children(HWND parent, const char* cls = nullptr);

// A top-level window made in the driver's process under another role's class
// and caption, standing in for that role; it records what it receives.
class FakeRoleWindow {
 public:
  struct Message {
    UINT msg;
    WPARAM w;
    LPARAM l;
  };
  FakeRoleWindow(const char* cls, const char* caption);
  ~FakeRoleWindow();
  FakeRoleWindow(const FakeRoleWindow&) = delete;
  FakeRoleWindow& operator=(const FakeRoleWindow&) = delete;
  HWND hwnd() const { return hwnd_; }
  // Private messages (WM_USER..WM_APP-1) and WM_CLOSE, in the order they came.
  const std::vector<Message>& received() const { return received_; }
  // Waits (dispatching messages) until `msg` has come; returns it.
  std::optional<Message> WaitFor(UINT msg, DWORD timeoutMs = kWaitMs);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  std::string cls_;
  HWND hwnd_ = nullptr;
  std::vector<Message> received_;
};

// Wine draws notification-area icons in a window of its own ("Wine System
// Tray", top left) that is shown while at least one icon exists.
HWND WineTrayWindow();
bool TrayIconShown();

// Wine's desktop process ends ~1.25 s after the last window of the prefix
// goes and is started again with the next one, which slows every program
// start. A hidden window of the driver keeps it up for the whole run.
void KeepDesktopAlive();

// ---- message boxes (dialog class "#32770") ----------------------------------------

inline constexpr char kDialogClass[] = "#32770";

HWND WaitMessageBox(const char* caption, DWORD timeoutMs = kWaitMs, DWORD pid = 0);
// Visible message boxes, by caption (nullptr = any) and owner process (0 = any).
std::vector<HWND> MessageBoxes(const char* caption = nullptr, DWORD pid = 0);
// The message of a box, with line breaks as "\n".
std::string MessageBoxText(HWND box);
// Button captions without '&'.
std::vector<std::string> ButtonTexts(HWND box);
// Presses a button by its control id (IDOK, IDYES...) or by its caption.
bool PressButton(HWND box, int id);
bool PressButton(HWND box, const std::string& caption);
// Presses `id` and waits until the box has gone.
bool Answer(HWND box, int id, DWORD timeoutMs = kWaitMs);

// ---- messages -------------------------------------------------------------------

bool Post(HWND hwnd, UINT msg, WPARAM w = 0, LPARAM l = 0);
std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM w = 0, LPARAM l = 0, DWORD timeoutMs = 5000);
// Dispatches what waits in the driver's own queue (its fixture windows).
void Pump();
// Presses the keys in order and releases them in reverse, through SendInput.
void Press(std::initializer_list<WORD> keys);
// Moves the mouse to a screen point through SendInput, with button flags
// (MOUSEEVENTF_LEFTDOWN, ...) pressed or released there.
void MouseAt(int x, int y, DWORD flags = 0);
// The visible popup menu (class "#32768") of a process, if any.
HWND VisibleMenu(DWORD pid);

// ---- registry (64-bit view) -------------------------------------------------------

struct RegData {
  DWORD type = REG_NONE;
  std::vector<uint8_t> bytes;
};

bool RegKeyExists(HKEY root, const std::string& path);
std::optional<RegData> RegRead(HKEY root, const std::string& path, const std::string& name);
// Only a REG_DWORD value.
std::optional<DWORD> RegDword(HKEY root, const std::string& path, const std::string& name);
// Only a REG_SZ or REG_EXPAND_SZ value.
std::optional<std::string> RegString(HKEY root, const std::string& path, const std::string& name);
// Only a REG_BINARY value of 8 bytes, as a double (an OLE date).
std::optional<double> RegDate(HKEY root, const std::string& path, const std::string& name);
std::vector<std::string> RegValueNames(HKEY root, const std::string& path);
// Writers create the key when needed.
bool RegWrite(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size);
bool RegWriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
bool RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
bool RegWriteDate(HKEY root, const std::string& path, const std::string& name, double oleDate);
bool RegRemoveValue(HKEY root, const std::string& path, const std::string& name);
// Deletes a key with everything below it; true also when it did not exist.
bool RegRemoveTree(HKEY root, const std::string& path);

// ---- files ------------------------------------------------------------------------

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::optional<uint64_t> FileSize(const std::string& path);
// Last-write time of a file as an OLE date (local time), and setting it.
std::optional<double> FileModified(const std::string& path);
bool SetFileModified(const std::string& path, double oleDate);

// ---- screen -------------------------------------------------------------------------

struct Pixels {
  RECT rect{};                 // screen rectangle actually grabbed
  std::vector<uint32_t> bgra;  // top-down rows, 0x00RRGGBB
  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
  // Colour at screen coordinates (x, y) as 0x00RRGGBB.
  uint32_t at(int x, int y) const { return bgra[(y - rect.top) * width() + (x - rect.left)]; }
};
// Copies a screen rectangle, clipped to the virtual screen (a source rectangle
// that crosses its edge would come back black under Wine).
std::optional<Pixels> GrabScreen(RECT r);

// ---- diagnostics --------------------------------------------------------------------

// With FLK_E2E_TRACE set, prints a line with the milliseconds since the
// current test began (for finding where time goes).
void Trace(const char* what);
void TraceTestStart();

// ---- time ---------------------------------------------------------------------------

// Now as an OLE Automation date (days since 30 December 1899, local time).
double OleNow();

// ---- state between tests ------------------------------------------------------------

// The installation record as the installer leaves it (HKEY_LOCAL_MACHINE).
void WriteInstallationRecord();
// Ends all program processes, deletes the user's settings (HKEY_CURRENT_USER
// \Software\Hollowbrook and the Run entry) and restores the installation record.
void ResetProgramState();

}  // namespace flk::e2e
