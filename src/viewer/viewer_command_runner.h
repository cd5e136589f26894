// The recall viewer's commands on the shown picture, decided apart from any
// window: which output a command is, the edits and their write-back, Cut only
// once the copy is safe, a delete that failed keeps its picture, Paste's
// numbering, the Properties and About boxes. What they need of the window is
// ViewerCommandHost; what they need of the system (outputs, clipboard,
// camera, message boxes, the memo box) is ViewerServices.
#pragma once

#include <optional>
#include <string>

#include "base/picture.h"
#include "output/background_save.h"
#include "output/picture_outputs.h"
#include "viewer/viewer_commands.h"

namespace flk {

class Settings;
class ViewerFolder;

// What the commands need of the viewer's window.
class ViewerCommandHost {
 public:
  virtual ~ViewerCommandHost() = default;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void EnableCommand(ViewerCommand c, bool enabled) = 0;
  // The list of pictures changed: commands, strip and the shown picture
  // anew; toShown scrolls the strip to the shown picture.
  virtual void PicturesChanged(bool toShown) = 0;
  // The shown picture's pixels changed.
  virtual void PictureChanged() = 0;
  virtual void OpenFolderManager() = 0;
  virtual void ShowOptions() = 0;
};

// What the commands need of the system.
class ViewerServices {
 public:
  virtual ~ViewerServices() = default;
  // The picture to an output; false when it did not go (cancelled or failed,
  // the output has told the user). gate: held while a big save runs.
  virtual bool RunOutput(PictureOutput output, Picture& picture, SaveGate& gate) = 0;
  virtual bool ClipboardHoldsPicture() = 0;
  virtual std::optional<Picture> ClipboardPicture() = 0;
  virtual void Warn(const std::string& text) = 0;
  virtual void Inform(const std::string& text, const std::string& caption) = 0;
  virtual void StillSaving() = 0;
  // The camera: a fresh view or a delayed one by where the two windows lie.
  virtual void Camera() = 0;
  virtual void Crop() = 0;  // the camera's cropping mode
  virtual void PrinterSetup() = 0;
  virtual void Help() = 0;
  virtual void Sticky(const Picture& picture) = 0;
  virtual void Close() = 0;
  // "dddddd     tt" of a file's last write.
  virtual std::string FileDate(const std::string& path) = 0;
  // The memo box: its edit saved (pictureShown false keeps it), or forgotten
  // because its picture went.
  virtual void SaveMemo(bool pictureShown) = 0;
  virtual void ForgetMemo() = 0;
};

// The output a command sends the shown picture to, if it is one.
std::optional<PictureOutput> OutputOfCommand(ViewerCommand c);
inline constexpr char kNoClipboardPicture[] = "The clipboard holds no picture now.";
inline constexpr char kPropertiesCaption[] = "Image Properties";
// The About box's text.
std::string ViewerAboutText();

class ViewerCommandRunner {
 public:
  ViewerCommandRunner(ViewerCommandHost& host, ViewerServices& services, Settings& settings, ViewerFolder& folder)
      : host_(host), services_(services), settings_(settings), folder_(folder) {}
  void Run(ViewerCommand c);
  // Held while a big save runs off the viewer's thread.
  SaveGate& gate() { return gate_; }

 private:
  bool Output(PictureOutput output);
  void Edit(void (*change)(Picture&));
  bool Copy();
  void Delete();
  void Paste();
  void Properties();

  ViewerCommandHost& host_;
  ViewerServices& services_;
  Settings& settings_;
  ViewerFolder& folder_;
  SaveGate gate_;
};

}  // namespace flk
