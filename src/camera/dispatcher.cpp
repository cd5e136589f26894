// The camera's command dispatcher; see dispatcher.h.
#include "camera/dispatcher.h"

#include "shell/data_folders.h"
#include "shell/names.h"

namespace flk {

bool TagWritesFile(int tag) {
  std::optional<PictureOutput> output = OutputOfCommand(CommandOfTag(tag));
  return output && OutputWritesFile(*output);
}

int UsageCodeOfTag(int tag) {
  if (tag < 0) return kUsageFolderStore;
  if ((tag >= 1 && tag <= 8) || tag == 10 || tag == 11 || tag == 19) return tag;
  return 0;
}

DispatchResult GenClick(int tag, DispatchOps& ops) {
  DispatchResult r;
  const CommandId command = CommandOfTag(tag);
  ops.ClearStatus();
  const bool wasFrozen = ops.IsDesktopFrozen();
  if (!ops.MakePicture(TagWritesFile(tag))) return r;
  r.pictureMade = true;

  if (ops.LastCapturesNum() != 0) {
    r.ringStored = ops.StoreLastCapture();
    r.ringFailed = !r.ringStored;
    if (r.ringStored) ops.NotifyViewer(static_cast<int>(ViewerNotice::RingSizeChanged));
  }

  bool ok = true;
  if (tag < 0) {
    const int index = FolderIndexOfTag(tag);
    const std::string name = ops.FolderName(index);
    if (name.empty()) {
      ok = false;  // the entry no longer refers to a listed folder
    } else {
      ok = name == kRingFolder ? !r.ringFailed : ops.StoreInFolder(index);
      if (ok) ops.SetLastFolderName(name);
    }
  } else if (command == CommandId::StoreRing) {
    ok = !r.ringFailed;
    if (ok) ops.SetStatus(kStatusStoredRing);
  } else if (command != CommandId::None) {
    ok = ops.RunOutput(command);
    if (ok && command == CommandId::Copy) ops.SetStatus(kCopiedToClipboardText);
  }
  r.outputOk = ok;
  if (r.ringFailed) ops.ReportRingNotStored();

  if (ok) ops.OfferThaw(wasFrozen);
  ops.FreePicture();
  if (ok) {
    r.usageCode = UsageCodeOfTag(tag);
    if (r.usageCode != 0) ops.CountToolUse(r.usageCode);
  }
  return r;
}

StoreDispatch::StoreDispatch(PictureStore& store, PictureFileWriter write, std::vector<std::string>& folders,
                             std::string& lastFolderName, int lastCapturesNum)
    : store_(store),
      write_(std::move(write)),
      folders_(folders),
      lastFolderName_(lastFolderName),
      lastCapturesNum_(lastCapturesNum) {}

bool StoreDispatch::MakePicture(bool fileDepth) {
  picture_ = TakePicture(fileDepth);
  return picture_.has_value();
}

bool StoreDispatch::StoreLastCapture() {
  ringError_ = SaveError{};
  PictureWriter writer = [this](const std::string& path) { return write_(path, *picture_, &ringError_); };
  ring_ = store_.StoreLastCapture(&writer);
  return ring_.stored;
}

void StoreDispatch::ReportRingNotStored() {
  Warn(RingCopyNotStoredText(ring_.dirMissing, store_.RingPath(), ring_.path, ringError_.errorClass,
                             ringError_.message));
}

std::string StoreDispatch::FolderName(int index) {
  return index >= 0 && size_t(index) < folders_.size() ? folders_[size_t(index)] : std::string();
}

bool StoreDispatch::StoreInFolder(int index) {
  PictureWriter writer = [this](const std::string& path) { return write_(path, *picture_, nullptr); };
  FolderStoreResult r = store_.StoreInFolder(folders_, index, writer);
  if (r.stored && !r.status.empty()) SetStatus(r.status);
  return r.stored;
}

}  // namespace flk

