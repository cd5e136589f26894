// Small text helpers every part shares. Letter case is folded for ASCII only:
// file, folder, value and role names compare the way the program writes them,
// and UTF-8 bytes of other letters stay as they are.
#pragma once

#include <string>
#include <string_view>

namespace flk {

std::string AsciiLower(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// <0, 0, >0 as a sorts before, with or after b, letter case ignored.
int CompareNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view s, std::string_view tail);

// Every lone "\n" becomes "\r\n", as edit controls and the clipboard want line breaks.
std::string WithCrLf(std::string_view text);
// The text less its trailing line breaks and blanks (system messages end in "\r\n").
std::string TrimLineEnd(std::string text);

}  // namespace flk
