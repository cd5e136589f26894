#include "base/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace flk {

namespace fs = std::filesystem;

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

bool CreateFolderChain(const std::string& folder) {
  fs::path p = PathFromUtf8(folder);
  std::error_code ec;
  if (fs::is_directory(p, ec)) return true;
  fs::create_directories(p, ec);
  return fs::is_directory(p, ec);
}

bool StreamFailure(SaveError* error, const char* errorClass, const std::string& message) {
  int code = errno;
  if (error) {
    error->errorClass = errorClass;
    error->message = message;
    error->systemError = code;
    if (code != 0) error->message += std::string(" (") + std::strerror(code) + ")";
  }
  return false;
}

namespace {

constexpr char kTemporarySuffix[] = ".flktmp";

}  // namespace

bool IsTemporaryFileName(std::string_view name) {
  constexpr size_t kTail = sizeof kTemporarySuffix - 1;
  // At least one character of the target's name, a dot and eight hex digits.
  if (name.size() < 1 + 1 + 8 + kTail) return false;
  if (name.substr(name.size() - kTail) != kTemporarySuffix) return false;
  const std::string_view hex = name.substr(name.size() - kTail - 8, 8);
  for (char c : hex)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return name[name.size() - kTail - 9] == '.';
}

int RemoveTemporaryFilesIn(const fs::path& folder) {
  std::error_code ec;
  int removed = 0;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (!it->is_regular_file(fileEc)) continue;
    if (!IsTemporaryFileName(Utf8FromPath(it->path().filename()))) continue;
    if (fs::remove(it->path(), fileEc)) ++removed;
  }
  return removed;
}

namespace {

// A name beside the target that no other save picks: the target's own name
// plus a random suffix, so a left-over from a crash is recognisable.
fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  uint64_t salt = (uint64_t(rd()) << 32) ^ uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  counter.fetch_add(1);
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%s", unsigned(salt ^ (salt >> 32)), kTemporarySuffix);
  fs::path name = target.filename();
  name += suffix;
  return target.parent_path() / name;
}

bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, const StreamWriter& write, SaveError* error) {
  std::error_code ec;
  if (fs::is_directory(target, ec)) {
    errno = EISDIR;
    return StreamFailure(error, kErrorCreate, "Cannot create file " + Utf8FromPath(target) + ": it is a folder");
  }
  fs::path temp = TemporaryNameFor(target);
  errno = 0;
  std::FILE* f = OpenForWriting(temp);
  if (!f) return StreamFailure(error, kErrorCreate, "Cannot create file " + Utf8FromPath(target));

  auto discard = [&](std::FILE* open) {
    int saved = errno;
    if (open) std::fclose(open);
    fs::remove(temp, ec);
    errno = saved;
    return false;
  };

  errno = 0;
  if (!write(f, error)) return discard(f);
  if (std::ferror(f) || !FlushToDisk(f)) {
    StreamFailure(error, kErrorWrite, "Cannot write file " + Utf8FromPath(target));
    return discard(f);
  }
  if (std::fclose(f) != 0) {
    StreamFailure(error, kErrorWrite, "Cannot write file " + Utf8FromPath(target));
    return discard(nullptr);
  }
  fs::rename(temp, target, ec);
  if (ec) {
    if (error) {
      error->errorClass = kErrorWrite;
      error->message = "Cannot replace file " + Utf8FromPath(target) + " (" + ec.message() + ")";
      error->systemError = ec.value();
    }
    return discard(nullptr);
  }
  return true;
}

}  // namespace flk
