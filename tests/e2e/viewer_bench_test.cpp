// Benchmark, not a test (run by `scripts/bench.sh viewer`): the recall viewer
// on a folder of 200 full-HD captures. Prints the time to the first picture
// shown, the time to page through every thumbnail and the peak working set,
// beside the goals and beside what holding every picture in memory would take.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>

#include "camera_scene.h"

namespace flk::e2e {
namespace {

constexpr int kCount = 200, kWidth = 1920, kHeight = 1080;

class ViewerBench : public ProgramTest {};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST_F(ViewerBench, DISABLED_TwoHundredFullHdCaptures) {
  WriteCurrentUserSettings();
  const std::string folders = DataFolder() + "Folders\\", bench = folders + "Bench\\";
  ::CreateDirectoryA(folders.c_str(), nullptr);
  ::CreateDirectoryA(bench.c_str(), nullptr);
  // One 24-bit picture, a different band of colour in each file.
  const uint32_t stride = (kWidth * 3 + 3) & ~3u, bits = stride * kHeight;
  std::vector<uint8_t> file(54 + bits);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, kWidth);
  put32(22, kHeight);
  file[26] = 1;
  file[28] = 24;
  put32(34, bits);
  for (uint32_t i = 0; i < bits; ++i) file[54 + i] = uint8_t((i / 3) % 251);
  for (int n = 1; n <= kCount; ++n) {
    std::fill_n(file.begin() + 54, stride * 40, uint8_t(n));
    FILE* f = std::fopen((bench + std::to_string(n) + ".bmp").c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
  }
  // What holding them all takes: reading every file once.
  auto t = std::chrono::steady_clock::now();
  std::vector<uint8_t> buf(file.size());
  for (int n = 1; n <= kCount; ++n) {
    FILE* f = std::fopen((bench + std::to_string(n) + ".bmp").c_str(), "rb");
    ASSERT_TRUE(f);
    ASSERT_EQ(std::fread(buf.data(), 1, buf.size(), f), buf.size());
    std::fclose(f);
  }
  const double readAll = Seconds(t);

  t = std::chrono::steady_clock::now();
  Process p = Process::Start("viewer");
  HWND v = WaitViewer(60000);
  ASSERT_TRUE(v);
  ASSERT_TRUE(WaitViewerStatus(v, "200 pictures loaded from Bench folder.", 60000)) << ViewerStatus(v);
  p.WaitIdle(60000);
  const double first = Seconds(t);

  HWND bar = ::FindWindowExA(v, nullptr, "ScrollBar", nullptr);
  ASSERT_TRUE(bar);
  Send(v, WM_HSCROLL, SB_THUMBPOSITION, LPARAM(bar));  // nothing tracked: position 0
  Post(v, WM_KEYDOWN, VK_HOME);
  p.WaitIdle(60000);
  t = std::chrono::steady_clock::now();
  int pages = 0, last = -1;
  for (;;) {
    Send(v, WM_HSCROLL, SB_PAGERIGHT, LPARAM(bar), 60000);
    p.WaitIdle(60000);
    const int pos = int(Send(bar, SBM_GETPOS).value_or(-1));
    if (pos == last) break;
    last = pos;
    ++pages;
  }
  const double paging = Seconds(t);
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  ::K32GetProcessMemoryInfo(p.handle(), &pmc, sizeof pmc);
  const double peakMiB = double(pmc.PeakWorkingSetSize) / (1 << 20);
  const double allMiB = double(kCount) * kWidth * kHeight * 4 / (1 << 20);

  std::printf("\n[ viewer bench ] %d pictures of %d x %d, 24 bit\n", kCount, kWidth, kHeight);
  std::printf("  %-34s %10s %10s %22s\n", "", "measured", "goal", "every picture held");
  std::printf("  %-34s %9.2fs %9.2fs %21.2fs\n", "first picture shown", first, 1.0, readAll);
  std::printf("  %-34s %9.2fs %10s %22s\n", "paging through the thumbnails", paging, "-", "-");
  std::printf("  %-34s %7.0fMiB %7.0fMiB %19.0fMiB\n", "peak working set", peakMiB, 300.0, allMiB);
  std::printf("  (%d pages to the last thumbnail; the right column reads every file once and holds them decoded)\n",
              pages);
  Post(v, WM_CLOSE);
  p.WaitExit(60000);
  for (int n = 1; n <= kCount; ++n) ::DeleteFileA((bench + std::to_string(n) + ".bmp").c_str());
  ::RemoveDirectoryA(bench.c_str());
}

}  // namespace
}  // namespace flk::e2e
