#include "output/file_formats.h"

#include <cctype>

#include "base/strings.h"

namespace flk {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Adds one to a run of decimal digits of any length.
std::string IncrementDecimal(const std::string& digits) {
  std::string s = digits.empty() ? "1" : digits;
  size_t first = s.find_first_not_of('0');
  s = first == std::string::npos ? "0" : s.substr(first);
  int i = int(s.size()) - 1;
  while (i >= 0 && s[size_t(i)] == '9') s[size_t(i--)] = '0';
  if (i < 0)
    s.insert(s.begin(), '1');
  else
    ++s[size_t(i)];
  return s;
}

}  // namespace

std::string ExtensionOf(const std::string& fileName) {
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos) return {};
  for (size_t i = dot + 1; i < fileName.size(); ++i)
    if (IsSeparator(fileName[i])) return {};
  return fileName.substr(dot);
}

int FormatFromExtension(const std::string& fileName) {
  std::string ext = Upper(ExtensionOf(fileName));
  if (ext == ".BMP") return kFormatBmp;
  if (ext == ".GIF") return kFormatGif;
  if (ext == ".JPG") return kFormatJpeg;
  if (ext == ".PNG") return kFormatPng;
  return kFormatAll;
}

std::string ExtensionFromFormat(int formatIndex) {
  switch (formatIndex) {
    case kFormatBmp: return ".bmp";
    case kFormatGif: return ".gif";
    case kFormatJpeg: return ".jpg";
    case kFormatPng: return ".png";
    default: return {};
  }
}

std::string AdvanceNumberedName(const std::string& fileName) {
  // 0-based: 'end' is the index just past the number, i.e. the dot of a
  // three-letter extension.
  size_t end = fileName.size() >= 4 ? fileName.size() - 4 : 0;
  size_t start = end;
  while (start > 0 && std::isdigit(static_cast<unsigned char>(fileName[start - 1]))) --start;
  std::string next = IncrementDecimal(fileName.substr(start, end - start));
  if (next.size() < 3) next.insert(0, 3 - next.size(), '0');
  return fileName.substr(0, start) + next + fileName.substr(end);
}

std::string FolderOfName(const std::string& fileName) {
  size_t sep = fileName.find_last_of("\\/");
  if (sep == std::string::npos) {
    // "C:name" names a file in the current folder of drive C.
    if (fileName.size() >= 2 && fileName[1] == ':') return fileName.substr(0, 2);
    return {};
  }
  std::string folder = fileName.substr(0, sep);
  // A root keeps its separator: "C:\" and "/".
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) return fileName.substr(0, sep + 1);
  return folder;
}

std::string NameWithoutExtension(const std::string& fileName) {
  return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

std::optional<std::string> AcceptedSaveName(const std::string& chosen, int filterIndex) {
  std::string ext = AsciiLower(ExtensionOf(chosen));
  if (ext == ".jpg" || ext == ".png" || ext == ".bmp" || ext == ".gif") return chosen;
  if (ext.empty() && filterIndex >= kFormatBmp && filterIndex <= kFormatPng)
    return chosen + ExtensionFromFormat(filterIndex);
  return std::nullopt;
}

int SilencedFilterIndex(const std::string& rememberedName) {
  int f = FormatFromExtension(rememberedName);
  return f == kFormatAll ? kFormatGif : f;
}

int ChooserInitialFormat(const std::string& rememberedName) { return SilencedFilterIndex(rememberedName); }

bool SavedIntoPictureFolders(const std::string& acceptedName, const std::string& picturesRoot) {
  if (FormatFromExtension(acceptedName) != kFormatBmp) return false;
  std::string folder = AsciiLower(FolderOfName(acceptedName));
  if (folder.empty()) return false;
  if (!IsSeparator(folder.back())) folder += '\\';
  for (char& c : folder)
    if (c == '/') c = '\\';
  std::string root = AsciiLower(picturesRoot);
  for (char& c : root)
    if (c == '/') c = '\\';
  return folder == root;
}

std::string UnableToSaveText(const std::string& fileName, const std::string& errorClass) {
  return "Unable to save file.\r\n\r\nCheck -\r\nthe drive door is closed\r\nthe drive is formatted\r\n"
         "the drive isn't write protected\r\nthe drive has sufficient space\r\nthe drive exists\r\n\r\nPath  " +
         fileName + "\r\nException type: " + errorClass;
}

std::string SaveFailedText(const std::string& fileName, const std::string& errorClass, const std::string& reason) {
  std::string text = UnableToSaveText(fileName, errorClass.empty() ? std::string("EWriteError") : errorClass);
  if (!reason.empty()) text += "\r\n" + reason;
  return text;
}

}  // namespace flk
