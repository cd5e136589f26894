#include "win32/files_win.h"

#include <windows.h>

#include <algorithm>

#include "base/atomic_file.h"
#include "base/ole_date.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk::win {

std::vector<FoundFile> FindFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  WIN32_FIND_DATAW d;
  UniqueFindHandle find(::FindFirstFileW(Widen(pattern).c_str(), &d));
  if (!find) return found;
  do {
    std::wstring n = d.cFileName;
    if (n == L"." || n == L"..") continue;
    found.push_back(FoundFile{Narrow(n), (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                              (uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow,
                              (d.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (::FindNextFileW(find.get(), &d));
  return found;
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& ext) {
  std::vector<std::string> names;
  for (const FoundFile& f : FindFiles(folder + "*" + ext)) {
    if (f.directory) continue;
    // The system also matches 8.3 names ("*.bmp" finds "a.bmpx"): check the real ending.
    if (!ext.empty() && (f.name.size() < ext.size() ||
                         ::lstrcmpiA(f.name.substr(f.name.size() - ext.size()).c_str(), ext.c_str()) != 0))
      continue;
    names.push_back(f.name);
  }
  return names;
}

std::vector<std::string> FoldersIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const FoundFile& f : FindFiles(folder + "*"))
    if (f.directory) names.push_back(f.name);
  return names;
}

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = ::GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<uint64_t> FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
  return (uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

std::optional<double> FileLocalDays(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &d)) return std::nullopt;
  FILETIME local;
  ::FileTimeToLocalFileTime(&d.ftLastWriteTime, &local);
  ULARGE_INTEGER u{{local.dwLowDateTime, local.dwHighDateTime}};
  // FILETIME counts 100 ns from 1601.
  return OleDateFromUnixSeconds(double(u.QuadPart) / 1e7 - 11644473600.0).days;
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, uint64_t limit) {
  UniqueFile file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || uint64_t(size.QuadPart) > limit) return std::nullopt;
  std::vector<uint8_t> bytes(size_t(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) return std::nullopt;
    done += got;
  }
  return bytes;
}

bool WriteFileAtomic(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  SaveError error;
  return WriteFileAtomically(
      PathFromUtf8(path), [&write](std::FILE* f, SaveError*) { return write(f); }, &error);
}

bool RemoveFile(const std::string& path) { return ::DeleteFileW(Widen(path).c_str()) != FALSE; }

bool MoveFileTo(const std::string& from, const std::string& to) {
  return ::MoveFileW(Widen(from).c_str(), Widen(to).c_str()) != FALSE;
}

bool MakeFolder(const std::string& path) { return ::CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE; }

bool RemoveEmptyFolder(const std::string& path) { return ::RemoveDirectoryW(Widen(path).c_str()) != FALSE; }

}  // namespace flk::win
