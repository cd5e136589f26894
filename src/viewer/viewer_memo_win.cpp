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

void ViewerMemo::Show(const std::string& memoPath) {
  path_ = memoPath;
  // An edit whose file could not be written is shown, not the older file.
  std::optional<std::string> held = pending_.Find(path_);
  const bool onDisk = !held && win::FileExists(path_);
  std::optional<std::vector<uint8_t>> rtf =
      held ? std::vector<uint8_t>(held->begin(), held->end())
           : (onDisk ? win::ReadFileBytes(path_, kMemoMaxBytes) : std::nullopt);
  std::string why;
  if (onDisk && !rtf) why = "it cannot be opened or read";
  if (onDisk && rtf) why = CheckMemoFile(rtf->data(), rtf->size()).reason;
  ::SendMessageW(memo_, EM_SETREADONLY, FALSE, 0);
  ::SetWindowTextW(memo_, L"");
  if (rtf && why.empty() && !rtf->empty()) {
    std::pair<const std::vector<uint8_t>*, size_t> cookie{&*rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, StreamIn};
    ::SendMessageW(memo_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    if (es.dwError) why = "the memo box refused it";
  }
  ::SendMessageW(memo_, EM_SETMODIFY, held ? TRUE : FALSE, 0);
  if (!why.empty()) {
    // A damaged memo may be the only copy of what was written: the box stays
    // read-only for it, so that no save can replace it with an empty memo.
    ::SetWindowTextW(memo_, L"");
    ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
    ::SendMessageW(memo_, EM_SETREADONLY, TRUE, 0);
    if (reported_.insert(path_).second) {
      ::SetLastError(0);
      ShowWarning(MemoUnreadableText(path_, why));
    }
  }
}

void ViewerMemo::Clear() {
  ::SetWindowTextW(memo_, L"");
  ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0);
}

std::optional<std::string> ViewerMemo::Text() {
  std::string rtf;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&rtf), 0, StreamOut};
  ::SendMessageW(memo_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError || rtf.empty()) return std::nullopt;
  return rtf;
}

bool ViewerMemo::WriteText(const std::string& path, const std::string& rtf, std::string* why) {
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

void ViewerMemo::Save(bool pictureShown) {
  std::vector<std::pair<std::string, std::string>> failed;
  switch (MemoSaveAction(pictureShown, ::SendMessageW(memo_, EM_GETMODIFY, 0, 0) != 0,
                         ::GetWindowTextLengthW(memo_) > 0)) {
    case MemoSave::Keep: break;
    case MemoSave::Write: {
      std::optional<std::string> rtf = Text();
      std::string why = "The memo's text could not be taken from the memo box.";
      if (rtf && WriteText(path_, *rtf, &why)) {
        pending_.Drop(path_);
      } else {
        if (rtf) pending_.Hold(path_, std::move(*rtf));
        failed.emplace_back(path_, why);
      }
      break;
    }
    case MemoSave::Remove:
      win::RemoveFile(path_);
      pending_.Drop(path_);
      break;
  }
  // Memos of other pictures that could not be written before: tried again,
  // and reported again only together with a new failure.
  pending_.Retry(WriteText, path_);
  if (!failed.empty()) {
    ::SetLastError(0);
    ShowWarning(MemoNotSavedText(failed.front().first, failed.front().second));
  }
  // A memo that is held stays marked as changed so that leaving it saves it again.
  ::SendMessageW(memo_, EM_SETMODIFY, pending_.Find(path_) ? TRUE : FALSE, 0);
}

}  // namespace flk
