#include "viewer/viewer_command_runner.h"

#include "base/pixel_format.h"
#include "shell/names.h"
#include "shell/settings.h"
#include "viewer/picture_edits.h"
#include "viewer/viewer_folder.h"
#include "viewer/viewer_rules.h"

namespace flk {

std::optional<PictureOutput> OutputOfCommand(ViewerCommand c) {
  switch (c) {
    case ViewerCommand::SaveAs: return PictureOutput::SaveAs;
    case ViewerCommand::IncSave: return PictureOutput::SaveSamePlusOne;
    case ViewerCommand::MakeEmailAttachment: return PictureOutput::EmailAttachment;
    case ViewerCommand::Print: return PictureOutput::Print;
    case ViewerCommand::PrintFit: return PictureOutput::PrintFit;
    case ViewerCommand::Edit: return PictureOutput::Edit;
    case ViewerCommand::Email: return PictureOutput::Email;
    case ViewerCommand::Copy:
    case ViewerCommand::Cut: return PictureOutput::Copy;
    default: return std::nullopt;
  }
}

std::string ViewerAboutText() {
  return std::string(kProgramName) + " Recall Viewer, version " + kProgramVersion + "\r\n\r\nHollowbrook\r\n" +
         kMakerAddress;
}

void ViewerCommandRunner::Run(ViewerCommand c) {
  if (gate_.Refuses(CommandKindOf(c))) {
    services_.StillSaving();
    return;
  }
  switch (c) {
    case ViewerCommand::Camera: services_.Camera(); return;
    case ViewerCommand::Crop: services_.Crop(); return;
    case ViewerCommand::Paste: Paste(); return;
    case ViewerCommand::PrinterSetup: services_.PrinterSetup(); return;
    case ViewerCommand::Copy: Copy(); return;
    case ViewerCommand::Cut:
      // The picture goes only once it is safely on the clipboard.
      if (Copy()) Delete();
      return;
    case ViewerCommand::Delete: Delete(); return;
    case ViewerCommand::Mirror: Edit(MirrorPicture); return;
    case ViewerCommand::Flip: Edit(FlipPicture); return;
    case ViewerCommand::Invert: Edit(InvertPicture); return;
    case ViewerCommand::Properties: Properties(); return;
    case ViewerCommand::FolderWiz: host_.OpenFolderManager(); return;
    case ViewerCommand::Exit: services_.Close(); return;
    case ViewerCommand::Options: host_.ShowOptions(); return;
    case ViewerCommand::Help: services_.Help(); return;
    case ViewerCommand::About: services_.Inform(ViewerAboutText(), kViewerAboutCaption); return;
    case ViewerCommand::Email:
      Output(PictureOutput::Email);
      // A mail program may have put something on the clipboard.
      host_.EnableCommand(ViewerCommand::Paste, services_.ClipboardHoldsPicture());
      return;
    case ViewerCommand::Sticky:
      if (std::shared_ptr<Picture> p = folder_.Shown()) services_.Sticky(*p);
      return;
    case ViewerCommand::None: return;
    default:
      if (std::optional<PictureOutput> output = OutputOfCommand(c)) Output(*output);
      return;
  }
}

bool ViewerCommandRunner::Output(PictureOutput output) {
  std::shared_ptr<Picture> p = folder_.Shown();
  return p && services_.RunOutput(output, *p, gate_);
}

void ViewerCommandRunner::Edit(void (*change)(Picture&)) {
  std::shared_ptr<Picture> p = folder_.Shown();
  if (!p) return;
  change(*p);
  // MarkModified: written back when the viewer leaves the folder.
  folder_.MarkShownModified();
  host_.PictureChanged();
}

bool ViewerCommandRunner::Copy() {
  if (!Output(PictureOutput::Copy)) return false;
  host_.EnableCommand(ViewerCommand::Paste, true);
  return true;
}

void ViewerCommandRunner::Delete() {
  const std::string file = folder_.ShownPath();
  if (file.empty()) return;
  if (std::optional<std::string> why = folder_.DeleteShown()) {
    // Still on disk: the picture stays listed, and the user learns why.
    services_.Warn(CouldNotDeleteText(file, *why));
    return;
  }
  services_.ForgetMemo();  // its memo went with it
  host_.PicturesChanged(false);
}

void ViewerCommandRunner::Paste() {
  services_.SaveMemo(folder_.pictures().currentIndex() >= 0);
  std::optional<Picture> picture = services_.ClipboardPicture();
  if (!picture) {
    // The clipboard changed since the viewer was last activated.
    host_.SetStatus(kNoClipboardPicture);
    host_.EnableCommand(ViewerCommand::Paste, services_.ClipboardHoldsPicture());
    return;
  }
  int failures = 0;
  folder_.AddPasted(
      std::move(*picture), settings_.ReadSingleInt("NxtFileNum"),
      [this](int next) { settings_.WriteSingleSetting("NxtFileNum", next); }, &failures);
  host_.PicturesChanged(true);
  if (failures) services_.Warn(NotSavedWarning(folder_.TakeNotSavedText(), failures));
}

void ViewerCommandRunner::Properties() {
  std::shared_ptr<Picture> p = folder_.Shown();
  const PictureEntry* e = folder_.pictures().current();
  if (!p || !e) return;
  PictureFacts f;
  f.index = folder_.pictures().currentIndex();
  f.count = int(folder_.pictures().size());
  f.path = folder_.ShownPath();
  f.dateText = services_.FileDate(f.path);
  f.sizeKiB = e->sizeKiB;
  f.width = p->width();
  f.height = p->height();
  f.depth = ColorDepthOf(*p, false);
  services_.Inform(PropertiesText(f), kPropertiesCaption);
}

}  // namespace flk
