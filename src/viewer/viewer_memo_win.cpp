#include "viewer/viewer_memo_win.h"

#include <richedit.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "shell/common_services_win.h"
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

void ViewerMemo::Show(const std::string& memoPath) {
  path_ = memoPath;
  std::optional<std::vector<uint8_t>> rtf =
      win::FileExists(path_) ? win::ReadFileBytes(path_, 64u << 20) : std::nullopt;
  ::SetWindowTextW(memo_, L"");
  if (rtf) {
    std::pair<const std::vector<uint8_t>*, size_t> cookie{&*rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, StreamIn};
    ::SendMessageW(memo_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  }
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

void ViewerMemo::Clear() {
  ::SetWindowTextW(memo_, L"");
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

bool ViewerMemo::Write(const std::string& path) {
  std::string rtf;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&rtf), 0, StreamOut};
  ::SendMessageW(memo_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError || rtf.empty()) return false;
  return win::WriteFileAtomic(path, [&rtf](std::FILE* f) { return std::fwrite(rtf.data(), 1, rtf.size(), f) == rtf.size(); });
}

void ViewerMemo::Save(bool pictureShown) {
  switch (MemoSaveAction(pictureShown, ::SendMessageW(memo_, EM_GETMODIFY, 0, 0) != 0,
                         ::GetWindowTextLengthW(memo_) > 0)) {
    case MemoSave::Keep: return;
    case MemoSave::Write:
      ::SetLastError(0);
      if (!Write(path_)) ShowWarning("Couldn't save the memo " + path_);
      break;
    case MemoSave::Remove: win::RemoveFile(path_); break;
  }
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

}  // namespace flk
