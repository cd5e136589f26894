// What the viewer makes of a memo file before it hands it to the rich-edit
// box: a memo is rich text ("{\rtf"), its groups close, and it is not nested
// deeper than any editor writes. What follows the last group (the rich-edit
// box ends its text with a line break and a zero byte) does not count. A file that fails is reported and kept as it
// is (the box is then read-only for it), never replaced by an empty memo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace flk {

inline constexpr int kMemoMaxDepth = 256;
inline constexpr size_t kMemoMaxBytes = size_t(64) << 20;

struct MemoCheck {
  bool usable = true;
  std::string reason;  // why not, for the message
};
MemoCheck CheckMemoFile(const uint8_t* data, size_t size);

// "The memo <path> cannot be shown: <reason>. The file is kept as it is."
std::string MemoUnreadableText(const std::string& path, const std::string& reason);

}  // namespace flk
