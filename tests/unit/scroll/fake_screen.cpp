#include "fake_screen.h"

namespace flk::testing {

const Document& CorpusDocument(const std::string& name) {
  static std::map<std::string, std::unique_ptr<Document>> cache;
  auto& d = cache[name];
  if (!d) {
    d = std::make_unique<Document>();
    std::filesystem::path dir = std::filesystem::path(FLK_CORPUS_DIR) / "scroll";
#ifdef _WIN32
    if (!std::filesystem::exists(dir)) dir = std::filesystem::path("Z:" FLK_CORPUS_DIR) / "scroll";
#endif
    auto pic = LoadPngPicture(dir / name);
    EXPECT_TRUE(pic.has_value()) << name;
    if (pic) {
      d->width = pic->width();
      d->height = pic->height();
      d->px.resize(size_t(d->width) * size_t(d->height));
      for (int y = 0; y < d->height; ++y)
        for (int x = 0; x < d->width; ++x) d->px[size_t(y) * size_t(d->width) + size_t(x)] = pic->pixel(x, y);
    }
  }
  return *d;
}

namespace {
Rgb Pattern(int seed, int x, int y) {
  uint32_t h = uint32_t(seed) * 2654435761u ^ uint32_t(x) * 40503u ^ uint32_t(y) * 9176u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h & 0xFFFFFF;
}
}  // namespace

Rgb FakeScreen::Truth(int x, int y) const {
  const Rect& r = w_.rect;
  if (!r.contains(Point{x, y})) return Pattern(1, x / 4, y / 4);  // the desktop
  int wx = x - r.left, wy = y - r.top;
  if (wy < w_.title) return Pattern(2, wx / 2, wy);
  if (wy < w_.title + w_.header) return Pattern(3, wx, wy);
  if (y >= regionBottom()) return Pattern(4, wx, y - regionBottom());
  if (x >= r.right - w_.scrollBar) {
    // The thumb stands where the position is.
    int thumbTop = regionTop() + (maxPos() ? pos_ * (regionHeight() - 30) / maxPos() : 0);
    return (y >= thumbTop && y < thumbTop + 30) ? MakeRgb(120, 120, 120) : MakeRgb(230, 230, 230);
  }
  int row = pos_ + y - regionTop();
  if (wx < doc_.width && row < doc_.height) return doc_.at(wx, row);
  return MakeRgb(255, 255, 255);
}

bool FakeScreen::Grab(const Rect& r, ScreenBlock& out) {
  if (r.empty() || r.left < 0 || r.top < 0 || r.right > width_ || r.bottom > height_) return false;
  out.width = r.width();
  out.height = r.height();
  out.px.resize(size_t(out.width) * size_t(out.height));
  const Rect& w = w_.rect;
  for (int y = r.top; y < r.bottom; ++y) {
    Rgb* dst = out.px.data() + size_t(y - r.top) * size_t(out.width);
    int row = pos_ + y - regionTop();
    // Document rows are copied as spans; everything else pixel by pixel.
    int a = r.right, b = r.right;
    if (y >= regionTop() && y < regionBottom() && row < doc_.height) {
      a = std::max(r.left, w.left);
      b = std::min({r.right, w.right - w_.scrollBar, w.left + doc_.width});
      if (b > a) std::copy_n(&doc_.px[size_t(row) * size_t(doc_.width) + size_t(a - w.left)], b - a, dst + (a - r.left));
      else a = b = r.right;
    }
    for (int x = r.left; x < r.right; ++x)
      if (x < a || x >= b) dst[x - r.left] = Truth(x, y);
  }
  for (const auto& [x, col] : marks_) {
    if (x < r.left || x >= r.right) continue;
    for (auto it = col.lower_bound(r.top); it != col.end() && it->first < r.bottom; ++it)
      out.px[size_t(it->first - r.top) * size_t(out.width) + size_t(x - r.left)] = it->second;
  }
  return true;
}

void FakeScreen::Move(int rows) {
  int before = pos_;
  setPos(pos_ + rows);
  int moved = pos_ - before;
  if (moved == 0) return;
  const Rect& w = w_.rect;
  for (auto& [x, col] : marks_) {
    if (x < w.left || x >= w.right) continue;
    std::map<int, Rgb> kept;
    for (auto [y, c] : col) {
      bool inWindow = y >= w.top && y < w.bottom, inRegion = y >= regionTop() && y < regionBottom();
      if (!inWindow || (w_.carryMarks && !inRegion)) kept[y] = c;
      else if (w_.carryMarks && y - moved >= regionTop() && y - moved < regionBottom()) kept[y - moved] = c;  // revealed rows are drawn afresh
      // without carrying, the window's redraw wipes its marks
    }
    col = kept;
  }
}

void FakeScreen::Step(bool vscroll, int count) {
  ++steps;
  (vscroll ? vscrollSteps : wheelSteps)++;
  if (vscroll ? !w_.vscroll : !w_.wheel) return;
  int rows = jump_ ? jump_ : count * w_.stepRows;
  jump_ = 0;
  Move(rows);
}

void FakeScreen::Paint(int x, int top, const std::vector<Rgb>& colours) {
  for (size_t i = 0; i < colours.size(); ++i) marks_[x][top + int(i)] = colours[i];
}

void FakeScreen::Repaint(const Rect& r) {
  for (auto& [x, col] : marks_) {
    if (x < r.left || x >= r.right) continue;
    for (auto it = col.begin(); it != col.end();) it = (it->first >= r.top && it->first < r.bottom) ? col.erase(it) : ++it;
  }
}

int FakeScreen::MarkedPixelsShowing() const {
  int n = 0;
  for (const auto& [x, col] : marks_)
    for (auto [y, c] : col) n += c != Truth(x, y);
  return n;
}

bool Perform(FakeScreen& screen, const Reaction& r, Log& log) {
  for (const CaptureAction& a : r.actions) {
    if (auto* s = std::get_if<action::SendStep>(&a)) {
      log.stepMethods.push_back(s->vscroll);
      screen.Step(s->vscroll, s->stepSize);
    } else if (auto* p = std::get_if<action::PaintColumn>(&a)) {
      screen.Paint(p->x, p->top, p->colours);
    } else if (auto* rr = std::get_if<action::RepaintRect>(&a)) {
      screen.Repaint(rr->rect);
    } else if (auto* st = std::get_if<action::Status>(&a)) {
      log.statuses.push_back(*st);
    } else if (std::holds_alternative<action::Beep>(a)) {
      ++log.beeps;
    } else if (std::holds_alternative<action::ScrollToTop>(a)) {
      ++log.scrollToTops;
      screen.ScrollToTop();
    } else if (auto* m = std::get_if<action::Message>(&a)) {
      log.messages.push_back(m->text);
    } else if (auto* t = std::get_if<action::BigImageTip>(&a)) {
      log.tips.push_back(t->text);
    }
  }
  if (r.timerMs) log.timers.push_back(*r.timerMs);
  if (r.end != CaptureEnd::Running) log.end = r.end;
  return r.timerMs.has_value();
}

}  // namespace flk::testing
