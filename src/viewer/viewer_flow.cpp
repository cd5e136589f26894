#include "viewer/viewer_flow.h"

#include "shell/data_folders.h"
#include "viewer/viewer_folder.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_rules.h"

namespace flk {

std::string FolderGoneText(const std::string& path) { return path + " disappeared!?"; }

bool ViewerFlow::Start() {
  folder_.SetFolders(screen_.ReadFolderList());
  ShowFolderList();
  folder_.ChooseStartFolder();
  if (!LoadShownFolder()) return false;
  UpdateCommands();
  // A new viewer says what it opened, as one that changes folders does.
  const int current = folder_.pictures().currentIndex();
  if (current != -1) screen_.SetStatus(LoadedText(current + 1, folder_.name()));
  return true;
}

void ViewerFlow::ShowFolderList() {
  screen_.ShowFolderList(folder_.folders());
  screen_.Arrange();  // the tab rows may have changed
}

void ViewerFlow::FoldersChanged() {
  const std::string show = folder_.FoldersChanged(screen_.ReadFolderList());
  ShowFolderList();
  SelectFolder(show);
}

bool ViewerFlow::LoadShownFolder() {
  screen_.Busy(true);
  const bool loaded = folder_.Load();
  screen_.Busy(false);
  if (!loaded) {
    screen_.FolderGone(FolderGoneText(folder_.Path()));
    return false;
  }
  arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
  return true;
}

void ViewerFlow::SaveMemo() { screen_.SaveMemo(folder_.pictures().currentIndex() >= 0); }

void ViewerFlow::WarnNotSaved(int failures) {
  // The files that could not be written and why; their changes stay pinned.
  if (failures) screen_.Warn(NotSavedWarning(folder_.TakeNotSavedText(), failures));
}

void ViewerFlow::OpenFolder(const std::string& name) {
  SaveMemo();
  int failures = 0;
  const bool left = folder_.Leave(name, &failures);
  WarnNotSaved(failures);
  if (!left) {
    UpdateCommands();  // the tab and the menu back on the folder still shown
    return;
  }
  if (!LoadShownFolder()) return;
  UpdateCommands();
  if (folder_.pictures().currentIndex() != -1)
    screen_.SetStatus(LoadedText(folder_.pictures().currentIndex() + 1, name));
}

void ViewerFlow::SelectFolder(const std::string& name) {
  screen_.MarkFolder(FolderIndex(folder_.folders(), name));
  if (name != folder_.name()) OpenFolder(name);
}

void ViewerFlow::SelectFolderAt(int index) {
  if (index >= 0 && index < int(folder_.folders().size())) SelectFolder(folder_.folders()[size_t(index)]);
}

void ViewerFlow::Refresh() {
  SaveMemo();
  const int before = folder_.pictures().currentIndex();
  if (!folder_.Refresh()) return;
  if (folder_.pictures().currentIndex() != before) arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
  UpdateCommands();
}

void ViewerFlow::PicturesChanged(bool toShown) {
  if (toShown) arrangement_.ShowThumbOf(folder_.pictures().currentIndex());
  UpdateCommands();
}

void ViewerFlow::UpdateCommands() {
  screen_.MarkFolder(folder_.index());
  const bool has = !folder_.pictures().empty();
  for (int c = int(ViewerCommand::Camera); c <= int(ViewerCommand::About); ++c)
    screen_.EnableCommand(ViewerCommand(c), ViewerCommandEnabled(ViewerCommand(c), has));
  screen_.Arrange();
  if (!has) {
    screen_.ShowPictureSize(0, 0);
    screen_.SetStatus(kEmptyFolderText);
    screen_.ClearMemo();
  }
  ShowCurrentPicture();
}

void ViewerFlow::ShowCurrentPicture() {
  const int i = folder_.pictures().currentIndex();
  if (i >= 0) {
    const PictureEntry e = folder_.pictures().entries()[size_t(i)];
    std::shared_ptr<Picture> p = folder_.PictureOf(i);
    screen_.ShowPictureSize(p ? p->width() : 0, p ? p->height() : 0);
    screen_.SetStatus(PictureStatusText(i, int(folder_.pictures().size()), screen_.FileDate(folder_.PathOf(i)),
                                        e.fileName, e.sizeKiB));
    screen_.ShowMemo(folder_.MemoPath());
  }
  screen_.RepaintStrip();
}

void ViewerFlow::SelectPicture(int index) {
  if (!folder_.Selectable(index)) return;
  screen_.SaveMemo(true);
  folder_.Select(index);
  // Keep the shown picture's thumbnail on the strip.
  if (arrangement_.KeepThumbVisible(index)) screen_.Arrange();
  ShowCurrentPicture();
}

void ViewerFlow::SavePictures(bool release) {
  SaveMemo();
  WarnNotSaved(folder_.WriteBack(release));
}

void ViewerFlow::OpenFolderManagerAt(int row) {
  SavePictures(false);
  if (screen_.RunFolderManager(row)) FoldersChanged();
  else SelectFolder(folder_.name());
}

void ViewerFlow::OpenFolderManager() { OpenFolderManagerAt(folder_.index()); }

void ViewerFlow::ReportUnreadable() {
  bool removed = false;
  const std::vector<ViewerFolder::Unreadable> report = folder_.TakeUnreadable(&removed);
  if (removed) UpdateCommands();
  for (const ViewerFolder::Unreadable& u : report) screen_.Warn(CouldNotLoadText(u.path, u.why));
}

void ViewerFlow::Notice(int code) {
  switch (OnViewerNotice(code, folder_.index(), folder_.name() == kRingFolder)) {
    case NoticeAction::Refresh: Refresh(); return;
    case NoticeAction::ShowLastCaptures:
      screen_.Restore();
      OpenFolder(kRingFolder);
      return;
    case NoticeAction::RebuildFolders: FoldersChanged(); return;
    case NoticeAction::Nothing: return;
  }
}

}  // namespace flk
