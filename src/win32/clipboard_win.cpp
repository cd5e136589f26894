#include "win32/clipboard_win.h"

#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk::win {

namespace {
// Another program may hold the clipboard for a moment (a clipboard viewer
// reading what we put there last time); a few short waits get past that.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 20;
}  // namespace

OpenedClipboard::OpenedClipboard(HWND owner) {
  for (int i = 0; i < kOpenAttempts && !open_; ++i) {
    open_ = ::OpenClipboard(owner) != FALSE;
    if (!open_) ::Sleep(kOpenRetryMs);
  }
}

OpenedClipboard::~OpenedClipboard() {
  if (open_) ::CloseClipboard();
}

bool PutClipboardText(HWND owner, const std::string& utf8) {
  std::wstring w = Widen(utf8);
  UniqueGlobal mem = GlobalCopy(w.c_str(), (w.size() + 1) * sizeof(wchar_t));
  if (!mem) return false;
  OpenedClipboard clipboard(owner);
  if (!clipboard.open() || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, mem.get())) return false;
  mem.release();  // the clipboard owns it now
  return true;
}

bool ClipboardHoldsPicture() {
  return ::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB) ||
         ::IsClipboardFormatAvailable(CF_DIBV5);
}

}  // namespace flk::win
