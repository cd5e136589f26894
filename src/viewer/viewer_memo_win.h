// The recall viewer's memo: the rich-text box under the picture that shows and
// keeps the ".rtf" file of the shown picture.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "viewer/pending_memos.h"

namespace flk {

class ViewerMemo {
 public:
  // richedText in its parent; the rich-edit library must be loaded.
  bool Create(HWND parent, int id, HFONT font);
  HWND hwnd() const { return memo_; }
  bool Focused() const { return memo_ && ::GetFocus() == memo_; }

  // The memo of a picture: its file's rich text, or empty when it has none or
  // it cannot be read.
  void Show(const std::string& memoPath);
  void Clear();
  // SaveMemo: an edited memo is written (or its file removed when emptied);
  // pictureShown false keeps it as it is. A memo that cannot be written is
  // reported with its file and the reason, and kept: shown again when its
  // picture is, and written at a later save.
  void Save(bool pictureShown);
  // Its picture went, and the memo file with it: nothing is left to save.
  void Forget() { ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0); }

 private:
  // The memo's rich text as the control gives it; nothing when it refuses.
  std::optional<std::string> Text();
  static bool WriteText(const std::string& path, const std::string& rtf, std::string* why);

  HWND memo_ = nullptr;
  std::string path_;
  PendingMemos pending_;
  std::set<std::string> reported_;  // damaged memos, told once a run
};

}  // namespace flk
