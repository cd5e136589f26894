// Times the scrolling captures' shift search on the corpus documents:
//  1. one step of a 1920 x 1080 region in memory (FindShift), median and
//     worst over many positions and steps;
//  2. the same search reading every pixel one at a time through the screen
//     interface (one 1 x 1 Grab per screen pixel), as the original one-pixel
//     reads from the screen DC did, in memory and thus a lower bound;
//  3. a whole robo capture of a 1000 x 7000 document against an in-memory
//     window at AS_Interval 50: the computing time, plus the waits it would
//     spend between the steps.
// Times are wall-clock milliseconds of an optimised build.
//
// usage: flk_bench_scroll <folder of the tall documents>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "decoders.h"
#include "scroll/capture_area.h"
#include "scroll/robo_session.h"
#include "scroll/shift_search.h"

namespace fs = std::filesystem;
using namespace flk;

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Doc {
  int width = 0, height = 0;
  std::vector<Rgb> px;
  Rgb at(int x, int y) const { return px[size_t(y) * size_t(width) + size_t(x % width)]; }
};

Doc Load(const fs::path& file, int width) {
  Doc d;
  auto pic = flk::testing::LoadPngPicture(file);
  if (!pic) return d;
  d.width = width;  // wider than the page: the page repeats side by side
  d.height = pic->height();
  d.px.resize(size_t(width) * size_t(d.height));
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < width; ++x) d.px[size_t(y) * size_t(width) + size_t(x)] = pic->pixel(x % pic->width(), y);
  return d;
}

ScreenBlock Region(const Doc& d, int top, int width, int rows) {
  ScreenBlock b;
  b.width = width;
  b.height = rows;
  b.px.resize(size_t(width) * size_t(rows));
  for (int y = 0; y < rows; ++y) std::copy_n(&d.px[size_t(top + y) * size_t(d.width)], width, &b.px[size_t(y) * size_t(width)]);
  return b;
}

// A screen whose one window shows the document from `pos`; scroll steps move it.
class DocScreen : public ScreenSource {
 public:
  DocScreen(const Doc& d, int width, int height, int step) : d_(d), w_(width), h_(height), step_(step) {}
  bool Grab(const Rect& r, ScreenBlock& out) override {
    if (r.left < 0 || r.top < 0 || r.right > w_ || r.bottom > h_) return false;
    out.width = r.width();
    out.height = r.height();
    out.px.resize(size_t(out.width) * size_t(out.height));
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        int row = pos + y;
        out.px[size_t(y - r.top) * size_t(out.width) + size_t(x - r.left)] =
            row < d_.height ? d_.at(x, row) : MakeRgb(255, 255, 255);
      }
    return true;
  }
  void Step() { pos = std::min(pos + step_, d_.height - h_); }
  int pos = 0;

 private:
  const Doc& d_;
  int w_, h_, step_;
};

// The original search: every pixel of a probed column read on its own.
long g_pixelReads = 0;  // screen pixels the original search read one by one

int PixelAtATime(ScreenSource& screen, const ScreenBlock& prev, int wd, int n, const std::vector<int>& probes) {
  std::vector<int> alive;
  for (int i = 0; i < n; ++i) alive.push_back(i);
  std::vector<Rgb> colC(static_cast<size_t>(n)), colP(static_cast<size_t>(n));
  ScreenBlock one;
  for (int x : probes) {
    if (x >= wd) continue;
    for (int r = 0; r < n; ++r) {
      screen.Grab(Rect{x, r, x + 1, r + 1}, one);
      ++g_pixelReads;
      colC[size_t(r)] = one.px[0];
      colP[size_t(r)] = prev.at(x, r);
    }
    size_t kept = 0;
    for (int dy : alive) {
      bool ok = true;
      for (int t = 0; t <= n - 1 - dy && ok; ++t) ok = PixelsAgree(colC[size_t(n - 1 - dy - t)], colP[size_t(n - 1 - t)]);
      if (ok) alive[kept++] = dy;
    }
    alive.resize(kept);
    if (alive.size() < 2) break;
  }
  return alive.empty() ? -1 : alive.front();
}

void Report(const char* what, std::vector<double>& ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("  %-58s median %8.3f ms   worst %8.3f ms   (%zu steps)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder of tall documents>\n", argv[0]);
    return 2;
  }
  const fs::path dir = argv[1];
  const char* names[] = {"chromium_rustbook_strings_900x8000.png", "text_man_grep_monospace_720x11212.png",
                         "chromium_nodejs_events_dark_1000x8000.png"};
  const int wd = 1920, n = 1080 - 20 - 28;
  std::printf("Shift search per step, region %d x %d (1920 x 1080 less ScanTp and ScanBt)\n", wd, n);
  for (const char* name : names) {
    Doc d = Load(dir / name, wd);
    if (d.px.empty()) {
      std::fprintf(stderr, "cannot read %s\n", name);
      return 1;
    }
    const std::vector<int> probes = ProbeColumns(wd, 20, 20);
    std::vector<double> fast, slow;
    int wrong = 0;
    for (int top = 0; top + n + 120 < d.height; top += 97) {
      for (int dy : {17, 40, 120}) {
        ScreenBlock prev = Region(d, top, wd, n), cur = Region(d, top + dy, wd, n);
        FixedBands bands;
        auto t0 = Clock::now();
        ShiftResult r = FindShift(prev, cur, probes, 20, 20, bands, std::nullopt);
        fast.push_back(Ms(Clock::now() - t0));
        wrong += r.dy != dy;
        if (slow.size() < 12) {
          DocScreen screen(d, wd, n, 0);
          screen.pos = top + dy;
          t0 = Clock::now();
          PixelAtATime(screen, prev, wd, n, probes);
          slow.push_back(Ms(Clock::now() - t0));
        }
      }
    }
    std::printf(" %s (%d wrong shifts)\n", name, wrong);
    Report("in memory (FindShift on two blocks)", fast);
    Report("one pixel at a time through the screen interface", slow);
    std::printf("  %-58s %ld per step (each a GetPixel on the screen DC)\n", "screen pixels read one by one:",
                g_pixelReads / long(slow.size()));
    g_pixelReads = 0;
  }

  // A robo capture of a 1000 x 7000 document in a 1000 x 900 window.
  Doc d = Load(dir / "chromium_nodejs_events_dark_1000x8000.png", 1000);
  d.height = 7000;
  d.px.resize(size_t(1000) * 7000);
  const int winW = 1018, winH = 900, step = 60;
  DocScreen screen(d, winW, winH, step);
  ScrollParams p;
  p.doVScroll = true;
  p.interval = 50;
  p.fileLimit = 67108864;
  CaptureArea area = std::get<CaptureArea>(RoboCaptureArea(Rect{0, 0, winW - 18, winH}, p, 32));
  RoboCaptureSession session(area, p);
  session.OnStart();
  screen.pos = 0;
  int ticks = 0, waitMs = 2 * p.interval;
  auto t0 = Clock::now();
  for (;;) {
    Reaction r = session.OnTick(screen);
    ++ticks;
    for (const auto& a : r.actions)
      if (std::holds_alternative<action::SendStep>(a)) screen.Step();
    if (r.end != CaptureEnd::Running) break;
    if (r.timerMs) waitMs += *r.timerMs;
  }
  const double compute = Ms(Clock::now() - t0);
  auto pic = session.TakePicture();
  std::printf("Robo capture of a 1000 x 7000 document, window 1000 x 900, %d px per step, AS_Interval 50:\n", step);
  std::printf("  %d ticks, picture %d rows; computing %.1f ms, waits %d ms, total %.1f ms\n", ticks,
              pic ? pic->height() : 0, compute, waitMs, compute + waitMs);
  return 0;
}
