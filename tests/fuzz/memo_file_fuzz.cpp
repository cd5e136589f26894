// libFuzzer target for memo files (".rtf" beside a picture, written by the
// viewer or by any other program): the check must end on any bytes, refuse
// with a reason, and accept what the viewer itself writes around them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "viewer/memo_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  flk::MemoCheck c = flk::CheckMemoFile(data, size);
  Check(c.usable == c.reason.empty());
  Check(!flk::MemoUnreadableText("x.rtf", c.reason).empty());
  // The same bytes as escaped plain text inside a memo of our own: always usable.
  std::string rtf = "{\\rtf1\\ansi ";
  for (size_t i = 0; i < size && i < 4096; ++i) {
    const char ch = char(data[i]);
    if (ch == '\\' || ch == '{' || ch == '}') rtf += '\\';
    rtf += ch == 0 ? ' ' : ch;
  }
  rtf += "}";
  flk::MemoCheck own = flk::CheckMemoFile(reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size());
  Check(own.usable);
  return 0;
}
