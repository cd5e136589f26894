#include "viewer/pending_memos.h"

#include "base/strings.h"

namespace flk {

std::string PendingMemos::Key(const std::string& path) { return AsciiLower(path); }

std::optional<std::string> PendingMemos::Find(const std::string& path) const {
  auto it = pending_.find(Key(path));
  if (it == pending_.end()) return std::nullopt;
  return it->second.rtf;
}

std::vector<std::pair<std::string, std::string>> PendingMemos::Retry(const Writer& write, const std::string& skip) {
  std::vector<std::pair<std::string, std::string>> failed;
  const std::string skipKey = Key(skip);
  for (auto it = pending_.begin(); it != pending_.end();) {
    std::string why;
    if (it->first != skipKey && write(it->second.path, it->second.rtf, &why)) {
      it = pending_.erase(it);
      continue;
    }
    if (it->first != skipKey) failed.emplace_back(it->second.path, why);
    ++it;
  }
  return failed;
}

std::string MemoNotSavedText(const std::string& path, const std::string& reason) {
  std::string text = "Couldn't save the memo " + path;
  if (!reason.empty()) text += "\r\n" + reason;
  return text + "\r\n\r\nThe memo is kept and written at the next save.";
}

}  // namespace flk
