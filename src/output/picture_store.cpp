// The picture store; see picture_store.h.
#include "output/picture_store.h"

#include <algorithm>
#include <climits>

#include "base/strings.h"
#include "output/file_formats.h"


namespace flk {

std::string PictureAddedText(const std::string& folderName, long long kib) {
  return "Picture added to " + folderName + " folder.    " + std::to_string(kib) + " KiB";
}

namespace {
std::string RingFailureText(bool dirMissing, const std::string& ringPath, const std::string& filePath,
                            const std::string& errorClass, const std::string& reason) {
  return dirMissing ? "Couldn't create directory " + ringPath : SaveFailedText(filePath, errorClass, reason);
}
}  // namespace

std::string RingNotStoredText(bool dirMissing, const std::string& ringPath, const std::string& filePath,
                              const std::string& errorClass, const std::string& reason) {
  return RingFailureText(dirMissing, ringPath, filePath, errorClass, reason) + "\r\n\r\n" + kSaveCaptureElsewhere;
}

std::string RingCopyNotStoredText(bool dirMissing, const std::string& ringPath, const std::string& filePath,
                                  const std::string& errorClass, const std::string& reason) {
  return RingFailureText(dirMissing, ringPath, filePath, errorClass, reason) + "\r\n\r\n" + kRingCopyMissing;
}

namespace {

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

std::string NameOf(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

// ---- in-memory file system -------------------------------------------------------

std::string InMemoryFileSystem::Key(const std::string& path) {
  std::string k = AsciiLower(path);
  while (!k.empty() && k.back() == '\\') k.pop_back();
  return k;
}

std::string InMemoryFileSystem::Parent(const std::string& key) {
  const size_t cut = key.find_last_of('\\');
  return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

void InMemoryFileSystem::AddDirectory(const std::string& path) {
  std::string p = path;
  while (!p.empty() && p.back() == '\\') p.pop_back();
  for (size_t pos = 0;;) {
    const size_t cut = p.find('\\', pos);
    const std::string prefix = p.substr(0, cut);
    if (!prefix.empty() && !nodes_.count(Key(prefix))) nodes_[Key(prefix)] = Node{prefix, true, 0};
    if (cut == std::string::npos) break;
    pos = cut + 1;
  }
}

void InMemoryFileSystem::AddFile(const std::string& path, uint64_t size) {
  const size_t cut = path.find_last_of('\\');
  if (cut != std::string::npos) AddDirectory(path.substr(0, cut));
  nodes_[Key(path)] = Node{path, false, size};
}

std::vector<const InMemoryFileSystem::Node*> InMemoryFileSystem::Children(const std::string& dir) const {
  const std::string parent = Key(dir);
  std::vector<const Node*> out;
  for (const auto& [key, node] : nodes_)
    if (Parent(key) == parent && key != parent) out.push_back(&node);
  return out;
}

std::vector<std::string> InMemoryFileSystem::FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const Node* n : Children(dir))
    if (!n->directory) names.push_back(NameOf(n->path));
  std::sort(names.begin(), names.end());
  return names;
}

bool InMemoryFileSystem::IsDirectory(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it != nodes_.end() && it->second.directory;
}

bool InMemoryFileSystem::IsFile(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it != nodes_.end() && !it->second.directory;
}

bool InMemoryFileSystem::MakeDirectory(const std::string& path) {
  const std::string key = Key(path);
  if (failMakeDirectory || key.empty() || nodes_.count(key)) return false;
  const std::string parent = Parent(key);
  if (!parent.empty() && !IsDirectory(parent)) return false;
  std::string p = path;
  while (!p.empty() && p.back() == '\\') p.pop_back();
  nodes_[key] = Node{p, true, 0};
  return true;
}

bool InMemoryFileSystem::MakeDirectories(const std::string& path) {
  if (IsDirectory(path)) return true;
  if (failMakeDirectory) return false;
  AddDirectory(path);
  return true;
}

std::vector<std::string> InMemoryFileSystem::ListFiles(const std::string& dir, const std::string& ext) {
  std::vector<std::string> names;
  for (const Node* n : Children(dir))
    if (!n->directory && EndsWithNoCase(n->path, ext)) names.push_back(NameOf(n->path));
  return names;
}

std::vector<std::string> InMemoryFileSystem::ListDirectories(const std::string& dir) {
  std::vector<std::string> names;
  for (const Node* n : Children(dir))
    if (n->directory) names.push_back(NameOf(n->path));
  return names;
}

bool InMemoryFileSystem::RemoveFile(const std::string& path) {
  const std::string key = Key(path);
  auto it = nodes_.find(key);
  if (it == nodes_.end() || it->second.directory) return false;
  for (const std::string& u : undeletable)
    if (Key(u) == key) return false;
  nodes_.erase(it);
  return true;
}

std::optional<uint64_t> InMemoryFileSystem::FileSize(const std::string& path) {
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end() || it->second.directory) return std::nullopt;
  return it->second.size;
}

std::vector<std::string> InMemoryFileSystem::ListNormalFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const Node* n : Children(dir)) {
    if (n->directory) continue;
    bool isHidden = false;
    for (const std::string& h : hidden) isHidden = isHidden || Key(h) == Key(n->path);
    if (!isHidden) names.push_back(NameOf(n->path));
  }
  return names;
}

bool InMemoryFileSystem::RenameDirectory(const std::string& from, const std::string& to) {
  const std::string oldKey = Key(from), newKey = Key(to);
  if (!IsDirectory(oldKey) || newKey.empty()) return false;
  if (newKey != oldKey && nodes_.count(newKey)) return false;
  if (Parent(newKey) != Parent(oldKey)) return false;  // a new name, not a move
  std::string newPath = to;
  while (!newPath.empty() && newPath.back() == '\\') newPath.pop_back();
  std::map<std::string, Node> moved;
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    const std::string& key = it->first;
    if (key == oldKey || key.rfind(oldKey + "\\", 0) == 0) {
      Node n = it->second;
      n.path = newPath + n.path.substr(std::min(oldKey.size(), n.path.size()));
      moved[newKey + key.substr(oldKey.size())] = n;
      it = nodes_.erase(it);
    } else {
      ++it;
    }
  }
  nodes_.merge(moved);
  return true;
}

bool InMemoryFileSystem::RemoveEmptyDirectory(const std::string& path) {
  const std::string key = Key(path);
  if (!IsDirectory(key) || !Children(key).empty()) return false;
  nodes_.erase(key);
  return true;
}

// ---- names ------------------------------------------------------------------------

std::string RingFileName(int64_t number) {
  std::string digits = std::to_string(number < 0 ? 0 : number);
  if (digits.size() < 10) digits.insert(0, 10 - digits.size(), '0');
  return digits + ".bmp";
}

std::optional<int64_t> RingNumberOf(std::string_view fileName) {
  if (fileName.size() <= 4) return std::nullopt;
  const std::string_view base = fileName.substr(0, fileName.size() - 4);
  if (base.size() > 18) return std::nullopt;  // beyond any number the ring hands out
  int64_t n = 0;
  for (char c : base) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

int64_t KiBOf(uint64_t bytes) { return static_cast<int64_t>(bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0)); }

// ---- store --------------------------------------------------------------------------

PictureStore::PictureStore(StoreFileSystem& fs, std::string baseFolder) : fs_(fs), base_(WithSlash(std::move(baseFolder))) {}

void PictureStore::SetNextFileNumberAccess(std::function<int()> read, std::function<void(int)> write) {
  readNext_ = std::move(read);
  writeNext_ = std::move(write);
}

void PictureStore::SetViewerNotifier(std::function<void(int)> notify) { notify_ = std::move(notify); }

void PictureStore::Notify(int code) const {
  if (notify_) notify_(code);
}

std::string PictureStore::FoldersPath() const { return base_ + kFoldersDir; }
std::string PictureStore::FolderPath(const std::string& name) const { return FoldersPath() + name + "\\"; }
std::string PictureStore::RingPath() const { return FolderPath(kRingFolder); }

void PictureStore::ScanRing(const std::string& dir) {
  for (const std::string& name : fs_.ListFiles(dir, ".bmp"))
    if (auto n = RingNumberOf(name)) lastCaptureNumber_ = std::max(lastCaptureNumber_, *n);
}

int PictureStore::Trim(const std::string& dir) {
  if (lastCapturesNum_ < 0) return 0;  // keep all
  // With the ring switched off (0) only whole captures come here; the newest
  // stays so that the viewer opened on it finds it.
  const int64_t keep = std::max(lastCapturesNum_, 1);
  int deleted = 0;
  for (const std::string& name : fs_.ListFiles(dir, ".bmp")) {
    // Files whose names are not numbers were not put there by the ring; they stay.
    auto n = RingNumberOf(name);
    if (!n || *n > lastCaptureNumber_ - keep) continue;
    if (fs_.RemoveFile(dir + name)) ++deleted;  // one that cannot be removed stays; the trim goes on
    fs_.RemoveFile(dir + name.substr(0, name.size() - 4) + ".rtf");
  }
  return deleted;
}

RingStoreResult PictureStore::StoreLastCapture(const PictureWriter* writer) {
  RingStoreResult r;
  const std::string dir = RingPath();
  if (!fs_.IsDirectory(dir)) {
    if (!fs_.MakeDirectories(dir)) {
      r.dirMissing = true;
      return r;
    }
    Notify(-2);
  }
  if (lastCaptureNumber_ == 0) ScanRing(dir);
  if (writer != nullptr && *writer) {
    std::string name;
    do {
      ++lastCaptureNumber_;
      name = RingFileName(lastCaptureNumber_);
    } while (fs_.IsFile(dir + name));
    r.path = dir + name;
    if (!(*writer)(r.path)) return r;  // nothing written: the older pictures stay
    r.stored = true;
  }
  r.deleted = Trim(dir);
  return r;
}

FolderStoreResult PictureStore::StoreInFolder(const std::vector<std::string>& folders, int index,
                                              const PictureWriter& writer) {
  FolderStoreResult r;
  if (index < 0) {
    const RingStoreResult ring = StoreLastCapture(&writer);
    r.stored = ring.stored;
    r.dirMissing = ring.dirMissing;
    r.path = ring.path;
    r.openViewer = r.stored;
    return r;
  }
  if (index >= static_cast<int>(folders.size()) || !writer) return r;
  const std::string& name = folders[index];
  const std::string folder = FolderPath(name);
  int n = readNext_ ? readNext_() : 1;
  if (n < 1) n = 1;
  while (fs_.IsFile(folder + std::to_string(n) + ".bmp")) {
    if (n == INT_MAX) return r;  // no number left
    ++n;
  }
  if (writeNext_) writeNext_(n == INT_MAX ? n : n + 1);
  r.path = folder + std::to_string(n) + ".bmp";
  if (!writer(r.path)) return r;
  r.stored = true;
  const auto size = fs_.FileSize(r.path);
  r.status = PictureAddedText(name, size ? KiBOf(*size) : 0);
  Notify(index);
  return r;
}

}  // namespace flk
