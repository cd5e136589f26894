#include "viewer/memo_file.h"

#include <gtest/gtest.h>

#include <string>

namespace flk {
namespace {

MemoCheck Check(const std::string& s) { return CheckMemoFile(reinterpret_cast<const uint8_t*>(s.data()), s.size()); }

TEST(MemoFile, RichTextIsShownAndDamagedFilesSayWhy) {
  struct Row {
    std::string bytes;
    const char* reason;  // "" = usable
  } rows[] = {
      {"", ""},
      {"{\\rtf1\\ansi Hello}", ""},
      {"{\\rtf1 {\\b bold} \\{ not a group \\} and a \\\\ backslash}", ""},
      {"{\\rtf1 a}{\\rtf1 b}", ""},
      {"{\\rtf1\\ansi Hello", "it is cut short"},
      {"{\\rtf1 }}", "it closes a group it never opened"},
      {"Hello, plain text", "it is not rich text"},
      {"{\\rt", "it is not rich text"},
      {std::string("{\\rtf1 a}\r\n\0", 12), ""},  // as the rich-edit box writes it
      {"{\\rtf1" + std::string(kMemoMaxDepth, '{') + std::string(kMemoMaxDepth, '}') + "}",
       "its groups are nested too deeply"},
      {"{\\rtf1" + std::string(kMemoMaxDepth - 1, '{') + std::string(kMemoMaxDepth - 1, '}') + "}", ""},
      {"{\\rtf1 \\", "it is cut short"},
  };
  for (const Row& r : rows) {
    MemoCheck c = Check(r.bytes);
    EXPECT_EQ(c.reason, r.reason) << r.bytes.substr(0, 40);
    EXPECT_EQ(c.usable, std::string(r.reason).empty());
  }
  EXPECT_EQ(MemoUnreadableText("C:\\F\\A\\1.rtf", "it is cut short"),
            "The memo C:\\F\\A\\1.rtf cannot be shown: it is cut short. The file is kept as it is.");
}

}  // namespace
}  // namespace flk
