// The recall viewer's memo: the rich-text box under the picture that shows and
// keeps the ".rtf" file of the shown picture. What it shows and when it
// writes is the pure MemoKeeper's; this room is the box and the files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "viewer/memo_keeper.h"

namespace flk {

class ViewerMemo : private MemoBox, private MemoFiles {
 public:
  ViewerMemo() : keeper_(*this, *this) {}
  // richedText in its parent; the rich-edit library must be loaded.
  bool Create(HWND parent, int id, HFONT font);
  HWND hwnd() const { return memo_; }
  bool Focused() const { return memo_ && ::GetFocus() == memo_; }

  void Show(const std::string& memoPath) { keeper_.Show(memoPath); }
  void Clear() { keeper_.Clear(); }
  void Save(bool pictureShown) { keeper_.Save(pictureShown); }
  void Forget() { keeper_.Forget(); }

 private:
  // MemoBox
  bool Load(const std::string& rtf) override;
  void Empty() override { ::SetWindowTextW(memo_, L""); }
  std::optional<std::string> Text() override;
  bool HasText() override { return ::GetWindowTextLengthW(memo_) > 0; }
  bool Modified() override { return ::SendMessageW(memo_, EM_GETMODIFY, 0, 0) != 0; }
  void SetModified(bool modified) override { ::SendMessageW(memo_, EM_SETMODIFY, modified ? TRUE : FALSE, 0); }
  void SetReadOnly(bool readOnly) override { ::SendMessageW(memo_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }
  // MemoFiles
  bool Exists(const std::string& path) override;
  std::optional<std::vector<uint8_t>> Read(const std::string& path) override;
  bool Write(const std::string& path, const std::string& rtf, std::string* why) override;
  void Remove(const std::string& path) override;
  void Warn(const std::string& text) override;

  HWND memo_ = nullptr;
  MemoKeeper keeper_;
};

}  // namespace flk
