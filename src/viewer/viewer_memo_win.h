// The recall viewer's memo: the rich-text box under the picture that shows and
// keeps the ".rtf" file of the shown picture.
#pragma once

#include <windows.h>

#include <string>

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
  // pictureShown false keeps it as it is.
  void Save(bool pictureShown);
  // Its picture went, and the memo file with it: nothing is left to save.
  void Forget() { ::SendMessageW(memo_, EM_SETMODIFY, FALSE, 0); }

 private:
  bool Write(const std::string& path);

  HWND memo_ = nullptr;
  std::string path_;
};

}  // namespace flk
