// The recall viewer's decisions, apart from any window: the thumbnail strip's
// measures, the keyboard, the texts of the status line and the Properties
// box, what a notice from the camera asks for, which folder to show, and the
// resize limits.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "viewer/viewer_options.h"  // ShownMemoHeight

namespace flk {

// ---- thumbnail strip ----

inline constexpr int kThumbMargin = 12;  // left margin and gap between cells
inline constexpr int kThumbTop = 7;

struct ThumbLayout {
  int thumbSize = 0;       // edge of one cell
  int cellBottom = 0;      // thumbSize + 7
  bool scrollShown = false;
  int cellsPerPage = 0;
  int firstVisible = 0;
  int lastVisible = -1;
  // The scroll bar when it pages (more pictures than cells).
  bool paging = false;
  int pageSize = 1, largeChange = 1;
  int position = 0;        // the scroll position, moved back when beyond the end
};
// width, height: of the strip panel; count: pictures; position: the scroll bar's.
ThumbLayout LayoutThumbs(int width, int height, int count, int position);
// The picture a press at x selects (may lie outside the list: SelectPicture ignores it).
int ThumbIndexAt(const ThumbLayout& layout, int x);
// Left edge of the cell of a visible index.
int ThumbCellLeft(const ThumbLayout& layout, int index);
// The two rectangles of the red frame around the current thumbnail, or none when it is not visible.
std::vector<Rect> CurrentThumbFrames(const ThumbLayout& layout, int currentIndex);
// The drawn size of a picture in a cell: each side at most the cell's.
Size ThumbDrawSize(int pictureWidth, int pictureHeight, int thumbSize);

// ---- keyboard ----

enum class ViewerKey { None, Previous, Next, PreviousFolder, NextFolder, First, Last };
enum class KeyCode { Left, Right, Up, Down, Home, End, Other };
// modifier: Shift, Ctrl or Alt held. Keys not taken go to the focused control.
ViewerKey KeyAction(KeyCode key, bool modifier, bool memoVisible);
// The folder tab an Up or Down key moves to from `tab`, or -1 when there is
// none that way (the "Folder Manager" tab is never reached so).
int FolderTabStep(ViewerKey key, int tab, int folderCount);

// ---- folder tabs ----
inline constexpr char kFolderManagerTab[] = "Folder Manager";  // the last tab

// A click on a tab: tab < folderCount selects that folder; the last tab,
// "Folder Manager", runs the manager on the shown folder.
struct TabAction {
  enum Kind { Nothing, SelectFolder, FolderManager } kind = Nothing;
  int index = -1;  // the folder to select, or the manager's row
};
TabAction TabClicked(int tab, int folderCount, int shownFolder);
// A right-click on the tab row: the manager on that folder, or on the shown
// one from the manager's tab; elsewhere nothing.
TabAction TabRightClicked(int tab, int folderCount, int shownFolder);

// ---- the memo ----

enum class MemoSave { Keep, Write, Remove };
// SaveMemo: only an edited memo of a shown picture; an emptied one removes its file.
MemoSave MemoSaveAction(bool pictureShown, bool modified, bool hasText);

// ---- the camera request ----

// WM_CAMERAREQUEST's parameter for Camera: 2 (after the refresh delay, the
// viewer out of the way) when the camera window overlaps the viewer or its
// place is unknown, 1 (a fresh view at once) when it does not.
int CameraRequestFor(bool cameraFound, bool cameraPlaceKnown, bool overlaps);

// ---- texts ----

inline constexpr char kEmptyFolderText[] = "This folder is empty.";
// "3 / 12     <date>     <file>     <size>"; dateText is "dddddd     tt".
std::string PictureStatusText(int index, int count, const std::string& dateText, const std::string& fileName,
                              int64_t sizeKiB);
// "12 pictures loaded from LastCaptures folder."
std::string LoadedText(int count, const std::string& folder);
struct PictureFacts {
  int index = 0, count = 0;
  std::string path, dateText;
  int64_t sizeKiB = 0;
  int width = 0, height = 0, depth = 0;
};
std::string PropertiesText(const PictureFacts& f);
std::string CouldNotLoadText(const std::string& path, const std::string& reason);
std::string NotSavedText(int count);
// The same, followed by each file and the reason it was not written; the
// changes stay in memory and go at the next write-back.
std::string NotSavedText(const std::vector<std::pair<std::string, std::string>>& pathsAndReasons);
// The warning after a write that failed: the files and their reasons when
// known (`listed`, "" when not), else the plain count.
std::string NotSavedWarning(const std::string& listed, int failures);
std::string CouldNotDeleteText(const std::string& path, const std::string& reason);
inline constexpr char kViewerAboutCaption[] = "About FramelarkPro Recall Viewer";

// ---- notices from the camera ----

enum class NoticeAction { Nothing, Refresh, ShowLastCaptures, RebuildFolders };
// code: WM_VIEWERNOTIFY's folder index or -1/-2/-3; currentIndex: the list index of the shown folder.
NoticeAction OnViewerNotice(int code, int currentIndex, bool showingRing);

// The folder to show after the folder list changed (the folder manager ran,
// or the camera made or removed folders): the shown one while it exists and
// is listed, else the first.
std::string FolderToShow(const std::vector<std::string>& folders, const std::string& current, bool currentExists);
// The folder a new viewer opens on.
std::string StartFolder(const std::vector<std::string>& folders, bool ringExists);
int FolderIndex(const std::vector<std::string>& folders, const std::string& name);  // exact; -1

// ---- resizing ----

inline constexpr int kMinPictureBoxHeight = 50;  // the picture area's floor while others grow
// May the strip's height go from `height` by delta (> 0 grows it)?
bool ThumbSplitterMoves(int delta, int paintBoxHeight, int pictureBoxHeight);
bool MemoSplitterMoves(int delta, int pictureBoxHeight);

}  // namespace flk
