// The machinery both scrolling captures share: the first screen, the index
// column and its saved pixels, how far the contents moved (index method or
// shift search), and the tall picture built from the newly revealed rows.
// DyCalcMode: 0 undetermined, 1 index method, 2 non-index method.
#pragma once

#include <optional>
#include <vector>

#include "scroll/capture_actions.h"
#include "scroll/capture_area.h"
#include "scroll/screen_source.h"
#include "scroll/shift_search.h"
#include "scroll/tall_picture.h"
#include "shell/settings_table.h"

namespace flk {

inline constexpr char kOutOfMemoryText[] = "Ran out of memory.";
// The tick after switching to the shift search comes this soon.
inline constexpr int kModeSwitchTickMs = 50;

class Stitcher {
 public:
  Stitcher(const CaptureArea& area, const ScrollParams& params, size_t memoryLimit);

  // First picture: the screen from (LtScn, TpScn), Wd wide, down to the
  // window bottom. The pixels under the index column are kept to put back.
  bool GrabFirst(ScreenSource& screen);
  // Paints codes 0, 1, ... from the area top to the window bottom.
  action::PaintColumn PaintIndexColumn() const;

  enum class Found { IndexMode, NonIndexMode, NoMotion };
  // The first tick's determination. IndexMode gives dy; NonIndexMode has
  // switched to the shift search (nothing appended on this tick).
  Found Determine(ScreenSource& screen, Reaction& out, int* dy);

  // Mode 1: the code at the reference row, -1 when invalid.
  int IndexDy(ScreenSource& screen);
  // Mode 2: the shift since the previous step (keeps the screen for Append).
  ShiftResult SearchDy(ScreenSource& screen);
  // Appends the dy rows the step revealed; false when memory ran out.
  bool AppendStep(ScreenSource& screen, int dy);
  // Mode 1: renumbers the column over the scrolling region.
  action::PaintColumn RenumberColumn() const;
  // The fixed rows under the scrolling region (the window bottom strip).
  bool AppendBottomStrip(ScreenSource& screen, int rows);
  // Puts the saved pixels back over the whole column and has it repainted.
  void RestoreWholeColumn(Reaction& out) const;
  action::RepaintRect ColumnRect(int top, int bottom) const;

  int mode() const { return mode_; }
  int height() const { return picture_.height(); }
  int scrollTp() const { return scrollTp_; }
  int scrollBt() const { return scrollBt_; }
  const CaptureArea& area() const { return area_; }
  const ScrollParams& params() const { return p_; }
  std::optional<Picture> TakePicture() const { return picture_.ToPicture(); }

 private:
  int compareTop() const;
  CaptureArea area_;
  ScrollParams p_;
  int mode_ = 0;
  int scrollTp_ = 0, scrollBt_ = 0;
  TallPicture picture_;
  std::vector<Rgb> savedColumn_;  // rows areaTop .. window bottom - 1
  std::vector<int> probes_;
  ScreenBlock prev_, cur_;
  FixedBands bands_;
  int tailRows_ = 0;
  std::optional<int> lastDy_;
};

}  // namespace flk
