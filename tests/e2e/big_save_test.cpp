// A tall capture saved as PNG: the save runs off the window's thread, so the
// window answers a probe's messages within 100 ms all along and shows the
// progress on its status line; a second save of the same picture meanwhile is
// refused with a message; the file appears whole and decodes to the same
// pixels.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "camera_scene.h"
#include "saved_images.h"
#include "shell/names.h"
#include "viewer/viewer_commands.h"

namespace flk::e2e {
namespace {

constexpr int kWidth = 1000, kHeight = 16000;

// A page of "text" lines over noise bands: deterministic, many colours, and
// slow enough to compress that the save lasts well beyond a probe's tick.
uint32_t TallColour(int x, int y) {
  uint32_t h = uint32_t(x) * 0x9E3779B1u ^ uint32_t(y) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  if ((y / 40) % 3 == 0) return h & 0xFFFFFF;                       // noise band
  if ((y % 20) < 12 && (x / 7) % 9 < 6) return 0x202020 + (h & 0x0F0F0F);  // "glyphs"
  return 0xF8F8F8;
}

// A 24-bit bottom-up bitmap file.
bool WriteTallBitmap(const std::string& path) {
  const int stride = (kWidth * 3 + 3) & ~3;
  std::vector<uint8_t> b(54 + size_t(stride) * kHeight);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(kWidth));
  put32(22, uint32_t(kHeight));
  b[26] = 1;
  b[28] = 24;
  put32(34, uint32_t(size_t(stride) * kHeight));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t c = TallColour(x, y);
      uint8_t* p = &b[54 + size_t(kHeight - 1 - y) * size_t(stride) + size_t(x) * 3];
      p[0] = uint8_t(c);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c >> 16);
    }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

class BigSaveTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteCurrentUserSettings();
    Clear();
    ::CreateDirectoryA(Folders().c_str(), nullptr);
    ::CreateDirectoryA((Folders() + "LastCaptures").c_str(), nullptr);
    ::CreateDirectoryA(OutFolder().c_str(), nullptr);
  }
  void TearDown() override {
    CloseViewer();
    ProgramTest::TearDown();
    Clear();
  }
  static std::string Folders() { return DataFolder() + "Folders\\"; }
  static std::string OutFolder() { return DataFolder() + "BigSave\\"; }
  // Earlier scenarios leave pictures in the ring: start from empty folders.
  static void Clear() {
    RemoveFolderTree(Folders());
    RemoveFolderTree(OutFolder());
  }
};

TEST_F(BigSaveTest, ATallCaptureIsSavedAsPngWhileTheViewerKeepsAnswering) {
  ASSERT_TRUE(WriteTallBitmap(Folders() + "LastCaptures\\0000000001.bmp"));
  const std::string target = OutFolder() + "tall.png";
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName", target));
  Process process = Process::Start("viewer");
  HWND v = WaitViewer();
  ASSERT_TRUE(v);
  ASSERT_TRUE(WaitViewerStatus(v, "1 pictures loaded from LastCaptures folder.", 20000)) << ViewerStatus(v);

  // Save Same Name +1 needs no dialog: the remembered folder exists.
  ASSERT_TRUE(Post(v, WM_COMMAND, WPARAM(CommandMenuId(ViewerCommand::IncSave))));
  ASSERT_TRUE(WaitUntil([&] { return ViewerStatus(v).starts_with("Saving " + target); }, 20000, 2))
      << ViewerStatus(v);
  // A second save of the same picture while the first runs.
  ASSERT_TRUE(Post(v, WM_COMMAND, WPARAM(CommandMenuId(ViewerCommand::IncSave))));

  // The probe: a message every 20 ms until the save is done; each answered in time.
  int probes = 0, percentShown = 0;
  DWORD slowest = 0;
  HWND refusal = nullptr;
  const DWORD start = ::GetTickCount();
  while (!ViewerStatus(v).starts_with("Saved to ") && ::GetTickCount() - start < 60000) {
    const DWORD t0 = ::GetTickCount();
    DWORD_PTR answer = 0;
    const bool answered = ::SendMessageTimeoutA(v, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer) != 0;
    slowest = std::max(slowest, answered ? ::GetTickCount() - t0 : 1000);
    ++probes;
    if (ViewerStatus(v).find('%') != std::string::npos) ++percentShown;
    if (!refusal) {
      for (HWND box : MessageBoxes(kProgramName, process.pid()))
        if (MessageBoxText(box).starts_with("A picture is still being saved.")) refusal = box;
      if (refusal) {
        ASSERT_TRUE(PressButton(refusal, IDOK));
      }
    }
    ::Sleep(20);
  }
  const std::string saved = ViewerStatus(v);
  std::printf("  save of %d x %d: %lu ms, %d probes, slowest answer %lu ms, %d with a share shown\n", kWidth, kHeight,
              ::GetTickCount() - start, probes, slowest, percentShown);
  EXPECT_TRUE(saved.starts_with("Saved to " + target + "    ")) << saved;
  EXPECT_GE(probes, 3) << "the save was over before the probe could look";
  EXPECT_LT(slowest, 100u) << probes << " probes";
  EXPECT_GT(percentShown, 0) << "no progress on the status line";
  EXPECT_TRUE(refusal) << "the second save was not refused";

  // One file, whole, with the very pixels; the remembered name advanced once.
  EXPECT_FALSE(FileExists(OutFolder() + "tall002.png"));
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsPath, "SaveToFileName").value_or(""), OutFolder() + "tall002.png");
  PngFacts facts;
  std::optional<ReadPicture> png = ReadPngFile(target, &facts);
  ASSERT_TRUE(png);
  ASSERT_EQ(png->width, kWidth);
  ASSERT_EQ(png->height, kHeight);
  EXPECT_EQ(facts.colourType, 2);
  int differ = 0;
  for (int y = 0; y < kHeight && differ < 5; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (png->at(x, y) != TallColour(x, y)) {
        ADD_FAILURE() << "pixel " << x << "," << y;
        if (++differ >= 5) break;
      }
}

}  // namespace
}  // namespace flk::e2e
