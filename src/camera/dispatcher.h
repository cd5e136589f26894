// GenClick, the camera's one dispatcher for every command that takes the
// picture under the viewfinder: a fixed sequence of steps over operations the
// caller supplies, so the order and the skips on error are checked on the host.
//
// Win32 side: camera_win implements DispatchOps over the real camera (the
// picture it holds between MakePicture and FreePicture, the picture store, the
// outputs, the thaw question, the tool-use counters) and calls GenClick with
// the tag of the clicked button, menu entry or folder entry.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/picture.h"
#include "camera/commands.h"
#include "output/folder_menu.h"
#include "output/picture_store.h"

namespace flk {

class DispatchOps {
 public:
  virtual ~DispatchOps() = default;
  virtual void ClearStatus() = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual bool IsDesktopFrozen() = 0;
  // Makes the viewfinder picture (the held picture with Hold on, else
  // CaptureRect of bmpBkgnd), at the depth of PixelFormatPro when fileDepth.
  // False when no picture could be made.
  virtual bool MakePicture(bool fileDepth) = 0;
  virtual int LastCapturesNum() = 0;
  virtual bool StoreLastCapture() = 0;  // ring copy of the picture; true when stored
  // Tells the user that the ring copy could not be stored (the file and the
  // reason of the last StoreLastCapture): after the output, so that neither
  // the output's own status nor its messages hide it.
  virtual void ReportRingNotStored() = 0;
  virtual void NotifyViewer(int code) = 0;
  // Entry i of the folder list shown in the Store menu; empty when there is none.
  virtual std::string FolderName(int index) = 0;
  virtual bool StoreInFolder(int index) = 0;  // false when the picture could not be written
  virtual void SetLastFolderName(const std::string& name) = 0;
  // The output of a tag (print, e-mail, sticky, clipboard, editor, Hold,
  // save as, e-mail attachment, save + 1). False when it ended with an error
  // (a cancelled dialog is not an error).
  virtual bool RunOutput(CommandId command) = 0;
  virtual void OfferThaw(bool wasFrozen) = 0;
  virtual void FreePicture() = 0;
  virtual void CountToolUse(int code) = 0;
};

// Commands whose picture is written to a file take the depth of PixelFormatPro:
// Email, Edit, Save As, Make Email Attachment, Save + 1.
bool TagWritesFile(int tag);

// Usage code counted after a tag: the tag for 1..8, 10, 11 and 19; 9 for a
// folder entry (negative tag); 0 (nothing counted) otherwise.
int UsageCodeOfTag(int tag);

struct DispatchResult {
  bool pictureMade = false;
  bool ringStored = false;
  bool ringFailed = false;  // the ring copy was tried and could not be stored
  bool outputOk = false;  // the output (or folder store) finished without error
  int usageCode = 0;      // counted code, 0 when nothing was counted
};

// In order: clear the status line; note whether the desktop is frozen; make
// the picture; ring copy when LastCapturesNum is not 0 (NotifyViewer(-3) when
// stored); the output of the tag (a folder entry stores into the folder unless
// it is "LastCaptures", then remembers it as the Same Folder); a ring copy
// that could not be stored is reported; OfferThaw; free the picture; count the
// usage code. An output that ends with an error still frees the picture but
// skips OfferThaw and the count; Store (and the "LastCaptures" entry), whose
// only output is the ring copy, end with an error when it failed. A picture
// that cannot be made stops the command before anything is stored.
DispatchResult GenClick(int tag, DispatchOps& ops);

// Writes a picture to a file, saying why when it could not.
using PictureFileWriter = std::function<bool(const std::string& path, const Picture& picture, SaveError* error)>;

// The operations that need no window: the picture of the running command,
// its ring copy and folder stores through the picture store, and the Store
// menu's folder list (lstViewFolders) with the Same Folder it remembers. The
// camera supplies the picture, the messages and the outputs.
class StoreDispatch : public DispatchOps {
 public:
  StoreDispatch(PictureStore& store, PictureFileWriter write, std::vector<std::string>& folders,
                std::string& lastFolderName, int lastCapturesNum);

  bool MakePicture(bool fileDepth) final;
  int LastCapturesNum() final { return lastCapturesNum_; }
  bool StoreLastCapture() final;
  void ReportRingNotStored() final;
  std::string FolderName(int index) final;
  bool StoreInFolder(int index) final;
  void SetLastFolderName(const std::string& name) final { lastFolderName_ = name; }
  void FreePicture() final { picture_.reset(); }

 protected:
  // The viewfinder picture (see MakePicture); nothing when none could be made.
  virtual std::optional<Picture> TakePicture(bool fileDepth) = 0;
  // The ring copy's loss, told after the output.
  virtual void Warn(const std::string& text) = 0;
  const Picture& picture() const { return *picture_; }

 private:
  PictureStore& store_;
  PictureFileWriter write_;
  std::vector<std::string>& folders_;
  std::string& lastFolderName_;
  int lastCapturesNum_;
  std::optional<Picture> picture_;
  RingStoreResult ring_;
  SaveError ringError_;
};

}  // namespace flk

