#include "scroll/stitcher.h"

#include <algorithm>
#include <climits>

#include "scroll/index_code.h"

namespace flk {

namespace {

// Margins and bands are pixel counts: a negative setting means none.
ScrollParams Sane(ScrollParams p) {
  p.scanLt = std::max(p.scanLt, 0);
  p.scanRt = std::max(p.scanRt, 0);
  p.scanTp = std::max(p.scanTp, 0);
  p.scanBt = std::max(p.scanBt, 0);
  return p;
}

}  // namespace

Stitcher::Stitcher(const CaptureArea& area, const ScrollParams& params, size_t memoryLimit)
    : area_(area), p_(Sane(params)), picture_(memoryLimit) {
  probes_ = ProbeColumns(area_.wd, p_.scanLt, p_.scanRt);
}

int Stitcher::compareTop() const { return std::max(scrollTp_, area_.tpScn); }

bool Stitcher::GrabFirst(ScreenSource& screen) {
  ScreenBlock b;
  const int wb = area_.windowBottom();
  if (!screen.Grab(Rect{area_.ltScn, area_.tpScn, area_.ltScn + area_.wd, wb}, b)) return false;
  if (!picture_.Reset(b.width, b.px.data(), b.height)) return false;
  savedColumn_.clear();
  for (int y = area_.areaTop; y < wb; ++y) savedColumn_.push_back(b.at(area_.indexX - area_.ltScn, y - area_.tpScn));
  return true;
}

action::PaintColumn Stitcher::PaintIndexColumn() const {
  return action::PaintColumn{area_.indexX, area_.areaTop, IndexColumn(area_.areaHeight)};
}

action::RepaintRect Stitcher::ColumnRect(int top, int bottom) const {
  return action::RepaintRect{Rect{area_.indexX, top, area_.indexX + 1, bottom}};
}

void Stitcher::RestoreWholeColumn(Reaction& out) const {
  out.Add(action::PaintColumn{area_.indexX, area_.areaTop, savedColumn_});
  out.Add(ColumnRect(area_.windowTop, area_.windowBottom()));
}

Stitcher::Found Stitcher::Determine(ScreenSource& screen, Reaction& out, int* dy) {
  const int wb = area_.windowBottom(), top = area_.areaTop;
  bool moved = false;
  ScreenBlock col;
  if (p_.doIndex && screen.Grab(Rect{area_.indexX, top, area_.indexX + 1, wb}, col) && col.height == wb - top) {
    auto dAt = [&](int y) { return DecodeIndex(col.px[size_t(y - top)]) + top - y; };
    int prevD = INT_MIN, run = 0;
    for (int y = top; y <= top + area_.areaHeight / 2 && y < wb; ++y) {
      int d = dAt(y);
      if (d != 0) moved = true;
      if (d <= 0 || d >= area_.areaHeight || d != prevD) {
        prevD = d;
        run = 0;
        continue;
      }
      if (++run <= 5) continue;
      int below = y + 1;
      while (below < wb && dAt(below) == d) ++below;
      if (below >= wb) break;  // the column moved whole: no region found
      mode_ = 1;
      scrollTp_ = y - run;
      scrollBt_ = std::min(below + d, wb);
      picture_.Truncate(scrollBt_ - area_.tpScn);
      // The fixed rows above and below the region get their own pixels back.
      out.Add(action::PaintColumn{
          area_.indexX, top, std::vector<Rgb>(savedColumn_.begin(), savedColumn_.begin() + (scrollTp_ - top))});
      out.Add(action::PaintColumn{
          area_.indexX, scrollBt_, std::vector<Rgb>(savedColumn_.begin() + (scrollBt_ - top), savedColumn_.end())});
      *dy = d;
      return Found::IndexMode;
    }
  }
  if (!moved && p_.doIndex) return Found::NoMotion;
  mode_ = 2;
  RestoreWholeColumn(out);
  scrollTp_ = std::clamp(area_.windowTop + p_.scanTp, top, wb - 1);
  scrollBt_ = std::clamp(wb - p_.scanBt, compareTop() + 1, wb);
  picture_.Truncate(scrollBt_ - area_.tpScn);
  // The region as the first screen showed it, for the first comparison.
  const int first = compareTop() - area_.tpScn;
  prev_.width = area_.wd;
  prev_.height = scrollBt_ - compareTop();
  prev_.px.assign(picture_.row(first), picture_.row(first) + size_t(prev_.height) * size_t(area_.wd));
  return Found::NonIndexMode;
}

int Stitcher::IndexDy(ScreenSource& screen) {
  ScreenBlock px;
  if (!screen.Grab(Rect{area_.indexX, scrollTp_, area_.indexX + 1, scrollTp_ + 1}, px) || px.px.empty()) return -1;
  int code = DecodeIndex(px.px[0]);
  return (code < 0 || code > area_.areaHeight) ? -1 : code;
}

ShiftResult Stitcher::SearchDy(ScreenSource& screen) {
  if (!screen.Grab(Rect{area_.ltScn, compareTop(), area_.ltScn + area_.wd, scrollBt_}, cur_) ||
      cur_.height != prev_.height || cur_.width != prev_.width)
    return ShiftResult{};
  ShiftResult r = FindShift(prev_, cur_, probes_, p_.scanLt, p_.scanRt, bands_, lastDy_);
  tailRows_ = r.tailRows;
  return r;
}

bool Stitcher::AppendStep(ScreenSource& screen, int dy) {
  if (dy < 0) return true;
  if (mode_ == 1) {
    if (dy == 0) return true;
    ScreenBlock rows;
    if (!screen.Grab(Rect{area_.ltScn, scrollBt_ - dy, area_.ltScn + area_.wd, scrollBt_}, rows)) return true;
    return picture_.Append(rows.px.data(), rows.height);
  }
  if (dy > 0) {
    // The revealed rows lie just above the fixed rows at the bottom of the region.
    int b1 = cur_.height - tailRows_;
    if (!picture_.Insert(cur_.row(b1 - dy), dy, tailRows_)) return false;
    lastDy_ = dy;
  }
  std::swap(prev_, cur_);
  return true;
}

action::PaintColumn Stitcher::RenumberColumn() const {
  return action::PaintColumn{area_.indexX, scrollTp_, IndexColumn(scrollBt_ - scrollTp_)};
}

bool Stitcher::AppendBottomStrip(ScreenSource& screen, int rows) {
  rows = std::min(rows, area_.windowBottom() - scrollBt_);
  if (rows <= 0) return true;
  ScreenBlock b;
  if (!screen.Grab(Rect{area_.ltScn, scrollBt_, area_.ltScn + area_.wd, scrollBt_ + rows}, b)) return true;
  return picture_.Append(b.px.data(), b.height);
}

}  // namespace flk
