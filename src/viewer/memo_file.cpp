#include "viewer/memo_file.h"

#include <cstring>

namespace flk {

MemoCheck CheckMemoFile(const uint8_t* data, size_t size) {
  if (size == 0) return {};  // an empty memo
  if (size > kMemoMaxBytes) return {false, "it is larger than 64 MiB"};
  if (size < 5 || std::memcmp(data, "{\\rtf", 5) != 0) return {false, "it is not rich text"};
  int depth = 0;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t c = data[i];
    if (c == '\\') {
      ++i;  // "\{", "\}" and "\\" are text; the next byte never opens or closes a group
      continue;
    }
    if (c == '{' && ++depth > kMemoMaxDepth) return {false, "its groups are nested too deeply"};
    if (c == '}' && --depth < 0) return {false, "it closes a group it never opened"};
  }
  if (depth != 0) return {false, "it is cut short"};
  return {};
}

std::string MemoUnreadableText(const std::string& path, const std::string& reason) {
  return "The memo " + path + " cannot be shown: " + reason + ". The file is kept as it is.";
}

}  // namespace flk
