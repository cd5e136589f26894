// The recall viewer's own small windows: the thumbnail strip, the dark box
// that shows the picture at its own size with scroll bars, and the splitters.
// Each draws from the folder room or reports to the viewer, which decides.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/picture.h"
#include "viewer/viewer_layout.h"
#include "win32/window.h"

namespace flk {

class ViewerFolder;

// A thumbnail as the strip draws it: the whole picture stretched (colour on
// colour) to at most thumbSize on each side; when the system refuses the
// stretch, ever smaller top-left parts of the source are tried, down to none.
std::optional<Picture> MakeThumbnail(const Picture& picture, int thumbSize);
// The file's last write time as the status line and Properties show it
// ("dddddd     tt"), or the present time when the file cannot be read.
std::string FileDateText(const std::string& path);
// A dialog of the viewer opens centred under the pointer, kept on the screen.
void PlaceUnderPointer(HWND dialog);

// paintThumbs: draws the folder's pictures as the arrangement lays them out;
// a press or a drag with the left button reports the x of the pointer.
class TPaintThumbs : public win::Window {
 public:
  TPaintThumbs(ViewerFolder& folder, const ViewerArrangement& layout, std::function<void(int x)> pressed)
      : folder_(folder), layout_(layout), pressed_(std::move(pressed)) {}
  bool FormCreate(HWND parent);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void Paint(HDC dc, const RECT& client);

  ViewerFolder& folder_;
  const ViewerArrangement& layout_;
  std::function<void(int)> pressed_;
};

// ScrollBox1 with imgMain: the shown picture at its own size in the top-left
// corner on dark grey, scroll bars when it is larger than the box.
class TPictureBox : public win::Window {
 public:
  TPictureBox(const ViewerFolder& folder, std::function<void(POINT screen)> contextMenu)
      : folder_(folder), contextMenu_(std::move(contextMenu)) {}
  bool FormCreate(HWND parent);
  // The size of what is shown (0 x 0 for nothing); scrolls back into range.
  void SetPictureSize(int width, int height);
  int ClientHeight() const;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void UpdateBars();
  void Scroll(int bar, WPARAM code);
  void PaintPicture(HDC dc, Size shown);

  const ViewerFolder& folder_;
  std::function<void(POINT)> contextMenu_;
  PictureBoxView view_;
};

// A beveled bar dragged up or down; each move reports the distance since the
// last one, and the viewer moves it (or not).
class TSplitter : public win::Window {
 public:
  explicit TSplitter(std::function<void(int delta)> moved) : moved_(std::move(moved)) {}
  bool FormCreate(HWND parent);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  std::function<void(int)> moved_;
  SplitterDrag drag_;
};

}  // namespace flk
