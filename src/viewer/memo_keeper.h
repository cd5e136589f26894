// What the viewer's memo box shows and keeps, apart from the box: the memo
// of the shown picture from its file, or the edit held since its write
// failed; a damaged file shown as nothing, read-only, reported once a run and
// never replaced; an edited memo written (an emptied one removed), a failed
// write held and tried again at each later save.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "viewer/pending_memos.h"

namespace flk {

// The rich-edit box as the keeper sees it.
class MemoBox {
 public:
  virtual ~MemoBox() = default;
  // Shows rich text; false when the box refuses it.
  virtual bool Load(const std::string& rtf) = 0;
  virtual void Empty() = 0;  // no text
  // The box's rich text; nothing when it refuses to give it.
  virtual std::optional<std::string> Text() = 0;
  virtual bool HasText() = 0;
  virtual bool Modified() = 0;
  virtual void SetModified(bool modified) = 0;
  virtual void SetReadOnly(bool readOnly) = 0;
};

// The memo files and the user's warnings.
class MemoFiles {
 public:
  virtual ~MemoFiles() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual std::optional<std::vector<uint8_t>> Read(const std::string& path) = 0;
  virtual bool Write(const std::string& path, const std::string& rtf, std::string* why) = 0;
  virtual void Remove(const std::string& path) = 0;
  virtual void Warn(const std::string& text) = 0;
};

class MemoKeeper {
 public:
  MemoKeeper(MemoBox& box, MemoFiles& files) : box_(box), files_(files) {}

  // The memo of a picture: its file's rich text, or empty when it has none.
  void Show(const std::string& memoPath);
  void Clear();
  // SaveMemo: an edited memo is written (or its file removed when emptied);
  // pictureShown false keeps it as it is. A memo that cannot be written is
  // reported with its file and the reason, and kept.
  void Save(bool pictureShown);
  // Its picture went, and the memo file with it: nothing is left to save.
  void Forget() { box_.SetModified(false); }

 private:
  MemoBox& box_;
  MemoFiles& files_;
  std::string path_;
  PendingMemos pending_;
  std::set<std::string> reported_;  // damaged memos, told once a run
};

}  // namespace flk
