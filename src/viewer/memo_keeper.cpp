#include "viewer/memo_keeper.h"

#include "viewer/memo_file.h"
#include "viewer/viewer_rules.h"

namespace flk {

void MemoKeeper::Show(const std::string& memoPath) {
  path_ = memoPath;
  // An edit whose file could not be written is shown, not the older file.
  const std::optional<std::string> held = pending_.Find(path_);
  const bool onDisk = !held && files_.Exists(path_);
  std::optional<std::vector<uint8_t>> bytes;
  if (held) bytes = std::vector<uint8_t>(held->begin(), held->end());
  else if (onDisk) bytes = files_.Read(path_);
  std::string why;
  if (onDisk && !bytes) why = "it cannot be opened or read";
  if (onDisk && bytes) why = CheckMemoFile(bytes->data(), bytes->size()).reason;
  box_.SetReadOnly(false);
  box_.Empty();
  if (bytes && why.empty() && !bytes->empty() && !box_.Load(std::string(bytes->begin(), bytes->end())))
    why = "the memo box refused it";
  box_.SetModified(held.has_value());
  if (why.empty()) return;
  // A damaged memo may be the only copy of what was written: the box stays
  // read-only for it, so that no save can replace it with an empty memo.
  box_.Empty();
  box_.SetModified(false);
  box_.SetReadOnly(true);
  if (reported_.insert(path_).second) files_.Warn(MemoUnreadableText(path_, why));
}

void MemoKeeper::Clear() {
  box_.Empty();
  box_.SetModified(false);
}

void MemoKeeper::Save(bool pictureShown) {
  std::optional<std::pair<std::string, std::string>> failed;
  switch (MemoSaveAction(pictureShown, box_.Modified(), box_.HasText())) {
    case MemoSave::Keep: break;
    case MemoSave::Write: {
      std::optional<std::string> rtf = box_.Text();
      std::string why = "The memo's text could not be taken from the memo box.";
      if (rtf && files_.Write(path_, *rtf, &why)) {
        pending_.Drop(path_);
      } else {
        if (rtf) pending_.Hold(path_, std::move(*rtf));
        failed.emplace(path_, why);
      }
      break;
    }
    case MemoSave::Remove:
      files_.Remove(path_);
      pending_.Drop(path_);
      break;
  }
  // Memos of other pictures that could not be written before: tried again,
  // and reported again only together with a new failure.
  pending_.Retry([this](const std::string& path, const std::string& rtf,
                        std::string* why) { return files_.Write(path, rtf, why); },
                 path_);
  if (failed) files_.Warn(MemoNotSavedText(failed->first, failed->second));
  // A memo that is held stays marked as changed so that leaving it saves it again.
  box_.SetModified(pending_.Find(path_).has_value());
}

}  // namespace flk
