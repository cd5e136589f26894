// Memos the viewer could not write (a full disk, a folder gone): their rich
// text stays here, keyed by file, so that showing the picture again shows the
// edit and every later save tries the file again. Nothing typed is lost while
// the viewer runs.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace flk {

class PendingMemos {
 public:
  // Keeps the text of a memo whose file was not written (replacing an older one).
  void Hold(const std::string& path, std::string rtf) { pending_[Key(path)] = {path, std::move(rtf)}; }
  // The memo was written or removed after all: nothing to keep.
  void Drop(const std::string& path) { pending_.erase(Key(path)); }
  // The held text of a memo, if its file is still behind.
  std::optional<std::string> Find(const std::string& path) const;
  // Tries every held memo except `skip` again; the written ones are dropped.
  // Returns the paths that still failed, with the writer's reason.
  using Writer = std::function<bool(const std::string& path, const std::string& rtf, std::string* why)>;
  std::vector<std::pair<std::string, std::string>> Retry(const Writer& write, const std::string& skip = {});
  size_t size() const { return pending_.size(); }

 private:
  static std::string Key(const std::string& path);  // Windows paths: letter case does not count
  struct Held {
    std::string path, rtf;
  };
  std::map<std::string, Held> pending_;
};

// "Couldn't save the memo <path>", the reason, and that the text is kept.
std::string MemoNotSavedText(const std::string& path, const std::string& reason);

}  // namespace flk
