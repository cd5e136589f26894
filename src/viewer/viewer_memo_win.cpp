#include "viewer/viewer_memo_win.h"

#include <richedit.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/atomic_file.h"
#include "base/strings.h"
#include "shell/common_services_win.h"
#include "viewer/memo_file.h"
#include "viewer/viewer_rules.h"
#include "win32/controls_win.h"
#include "win32/files_win.h"
#include "win32/window.h"

namespace flk {

namespace {

DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
  auto* src = reinterpret_cast<std::pair<const std::vector<uint8_t>*, size_t>*>(cookie);
  const size_t n = std::min(size_t(want), src->first->size() - src->second);
  std::copy_n(src->first->data() + src->second, n, buffer);
  src->second += n;
  *got = LONG(n);
  return 0;
}

DWORD CALLBACK StreamOut(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(size));
  *done = size;
  return 0;
}

}  // namespace

bool ViewerMemo::Create(HWND parent, int id, HFONT font) {
  memo_ = win::CreateChild(parent, RICHEDIT_CLASSW, "",
                           WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                           Rect{}, id, font, WS_EX_CLIENTEDGE);
  if (!memo_) return false;
  ::SendMessageW(memo_, EM_SETEVENTMASK, 0, ENM_NONE);
  ::SendMessageW(memo_, EM_EXLIMITTEXT, 0, 16 * 1024 * 1024);
  return true;
}

bool ViewerMemo::Load(const std::string& rtf) {
  std::vector<uint8_t> bytes(rtf.begin(), rtf.end());
  std::pair<const std::vector<uint8_t>*, size_t> cookie{&bytes, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, StreamIn};
  ::SendMessageW(memo_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  return es.dwError == 0;
}

std::optional<std::string> ViewerMemo::Text() {
  std::string rtf;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&rtf), 0, StreamOut};
  ::SendMessageW(memo_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError || rtf.empty()) return std::nullopt;
  return rtf;
}

bool ViewerMemo::Exists(const std::string& path) { return win::FileExists(path); }

std::optional<std::vector<uint8_t>> ViewerMemo::Read(const std::string& path) {
  return win::ReadFileBytes(path, kMemoMaxBytes);
}

bool ViewerMemo::Write(const std::string& path, const std::string& rtf, std::string* why) {
  SaveError error;
  const bool ok = WriteFileAtomically(
      PathFromUtf8(path),
      [&rtf, &path](std::FILE* f, SaveError* e) {
        ::SetLastError(0);
        if (std::fwrite(rtf.data(), 1, rtf.size(), f) == rtf.size()) return true;
        // The system's code names the cause; errno is vague here under Wine.
        const DWORD code = ::GetLastError();
        StreamFailure(e, kErrorWrite, "Cannot write file " + path);
        const std::string text = code ? TrimLineEnd(SystemErrorText(code)) : std::string();
        if (!text.empty()) e->message = "Cannot write file " + path + " (" + text + ")";
        return false;
      },
      &error);
  if (!ok && why) *why = error.message;
  return ok;
}

void ViewerMemo::Remove(const std::string& path) { win::RemoveFile(path); }

void ViewerMemo::Warn(const std::string& text) {
  ::SetLastError(0);  // the text names the file and the reason
  ShowWarning(text);
}

}  // namespace flk
