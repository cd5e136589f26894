#include "viewer/viewer_rules.h"

#include <algorithm>
#include <cstdio>

#include "shell/data_folders.h"

namespace flk {

ThumbLayout LayoutThumbs(int width, int height, int count, int position) {
  ThumbLayout l;
  if (count <= 0) return l;
  const int fit = (width - kThumbMargin) / count - kThumbMargin;
  if (height < fit + 14) {
    l.thumbSize = height - 14;
  } else if (height > fit + 30) {
    l.thumbSize = height - 30;
    l.scrollShown = true;
  } else {
    l.thumbSize = fit;
  }
  l.thumbSize = std::max(1, l.thumbSize);  // a strip squeezed below its cells still draws
  l.cellBottom = l.thumbSize + kThumbTop;
  l.cellsPerPage = width / (l.thumbSize + kThumbMargin);
  if (count > l.cellsPerPage) {
    l.paging = true;
    l.cellsPerPage = std::max(1, l.cellsPerPage);
    l.pageSize = l.cellsPerPage;
    l.largeChange = std::max(1, l.cellsPerPage - 1);
    l.position = std::clamp(position, 0, count - l.cellsPerPage);
    l.firstVisible = l.position;
    l.lastVisible = l.firstVisible + l.cellsPerPage - 1;
  } else {
    l.firstVisible = 0;
    l.lastVisible = count - 1;
  }
  return l;
}

int ThumbIndexAt(const ThumbLayout& l, int x) {
  if (l.thumbSize <= 0) return -1;
  // Trunc: a press left of the strip (x < 0) still counts toward the first cell.
  return int(double(x) / (l.thumbSize + kThumbMargin)) + l.firstVisible;
}

int ThumbCellLeft(const ThumbLayout& l, int index) {
  return kThumbMargin + (index - l.firstVisible) * (l.thumbSize + kThumbMargin);
}

std::vector<Rect> CurrentThumbFrames(const ThumbLayout& l, int current) {
  if (current < l.firstVisible || current > l.lastVisible) return {};
  const int x0 = (current - l.firstVisible) * (l.thumbSize + kThumbMargin) + 11;
  const int x1 = x0 + l.thumbSize + 2;
  return {Rect{x0, 6, x1, l.cellBottom + 1}, Rect{x0 - 1, 5, x1 + 1, l.cellBottom + 2}};
}

Size ThumbDrawSize(int w, int h, int t) { return Size{std::min(w, t), std::min(h, t)}; }

ViewerKey KeyAction(KeyCode key, bool modifier, bool memoVisible) {
  const bool arrows = modifier || !memoVisible;
  switch (key) {
    case KeyCode::Left: return arrows ? ViewerKey::Previous : ViewerKey::None;
    case KeyCode::Right: return arrows ? ViewerKey::Next : ViewerKey::None;
    case KeyCode::Up: return arrows ? ViewerKey::PreviousFolder : ViewerKey::None;
    case KeyCode::Down: return arrows ? ViewerKey::NextFolder : ViewerKey::None;
    case KeyCode::Home: return ViewerKey::First;
    case KeyCode::End: return ViewerKey::Last;
    default: return ViewerKey::None;
  }
}

int FolderTabStep(ViewerKey key, int tab, int folderCount) {
  const int to = key == ViewerKey::PreviousFolder ? tab - 1 : key == ViewerKey::NextFolder ? tab + 1 : -1;
  return to >= 0 && to < folderCount ? to : -1;
}

TabAction TabClicked(int tab, int folderCount, int shownFolder) {
  if (tab >= 0 && tab < folderCount) return {TabAction::SelectFolder, tab};
  return {TabAction::FolderManager, shownFolder};
}

TabAction TabRightClicked(int tab, int folderCount, int shownFolder) {
  if (tab >= 0 && tab < folderCount) return {TabAction::FolderManager, tab};
  if (tab == folderCount) return {TabAction::FolderManager, shownFolder};
  return {};
}

MemoSave MemoSaveAction(bool pictureShown, bool modified, bool hasText) {
  if (!pictureShown || !modified) return MemoSave::Keep;
  return hasText ? MemoSave::Write : MemoSave::Remove;
}

int CameraRequestFor(bool cameraFound, bool cameraPlaceKnown, bool overlaps) {
  return !cameraFound || !cameraPlaceKnown || overlaps ? 2 : 1;
}

std::string PictureStatusText(int index, int count, const std::string& dateText, const std::string& fileName,
                              int64_t sizeKiB) {
  const std::string size = sizeKiB ? std::to_string(sizeKiB) + " KiB" : "";
  return std::to_string(index + 1) + " / " + std::to_string(count) + "     " + dateText + "     " + fileName +
         "     " + size;
}

std::string LoadedText(int count, const std::string& folder) {
  return std::to_string(count) + " pictures loaded from " + folder + " folder.";
}

std::string PropertiesText(const PictureFacts& f) {
  return "Picture number: \t" + std::to_string(f.index + 1) + " of " + std::to_string(f.count) +
         "\r\nFile path: \t" + f.path + "\r\nCreation date: \t" + f.dateText + "\r\nFile size: \t" +
         std::to_string(f.sizeKiB) + " KiB\r\nWidth:      \t" + std::to_string(f.width) +
         " pixels\r\nHeight:      \t" + std::to_string(f.height) + " pixels\r\nColor depth: \t" +
         std::to_string(f.depth) + " bits";
}

std::string CouldNotLoadText(const std::string& path, const std::string& reason) {
  return "Couldn't load this image: " + path + "\r\n" + reason + "\r\nThe file is left in its folder.";
}

std::string NotSavedWarning(const std::string& listed, int failures) {
  return listed.empty() ? NotSavedText(failures) : listed;
}

std::string CouldNotDeleteText(const std::string& path, const std::string& reason) {
  return "Couldn't delete the picture file " + path + "\r\n" + reason + "\r\nThe picture stays in the folder.";
}

std::string NotSavedText(int count) { return "Note, " + std::to_string(count) + " picture file(s) could't be saved."; }

std::string NotSavedText(const std::vector<std::pair<std::string, std::string>>& pathsAndReasons) {
  std::string text = NotSavedText(int(pathsAndReasons.size()));
  for (const auto& [path, why] : pathsAndReasons) {
    text += "\r\n\r\n" + path;
    if (!why.empty()) text += "\r\n" + why;
  }
  if (!pathsAndReasons.empty()) text += "\r\n\r\nThe changes are kept and written at the next save.";
  return text;
}

NoticeAction OnViewerNotice(int code, int currentIndex, bool showingRing) {
  if (code == currentIndex) return NoticeAction::Refresh;
  switch (code) {
    case -1: return NoticeAction::ShowLastCaptures;
    case -2: return NoticeAction::RebuildFolders;
    case -3: return showingRing ? NoticeAction::Refresh : NoticeAction::Nothing;
    default: return NoticeAction::Nothing;
  }
}

int FolderIndex(const std::vector<std::string>& folders, const std::string& name) {
  auto it = std::find(folders.begin(), folders.end(), name);
  return it == folders.end() ? -1 : int(it - folders.begin());
}

std::string FolderToShow(const std::vector<std::string>& folders, const std::string& current, bool currentExists) {
  if (currentExists && FolderIndex(folders, current) >= 0) return current;
  return folders.empty() ? std::string() : folders.front();
}

std::string StartFolder(const std::vector<std::string>& folders, bool ringExists) {
  if (ringExists) return kRingFolder;
  return folders.empty() ? std::string() : folders.front();
}

bool ThumbSplitterMoves(int delta, int paintBoxHeight, int pictureBoxHeight) {
  if (delta > 0) return pictureBoxHeight > kMinPictureBoxHeight;
  return delta + paintBoxHeight > 15;
}

bool MemoSplitterMoves(int delta, int pictureBoxHeight) {
  return delta <= 0 || pictureBoxHeight > kMinPictureBoxHeight;
}

}  // namespace flk
