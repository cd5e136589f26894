// The page drawing of PrintPicture on a device context we can read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/picture_testing.h"
#include "output/print.h"
#include "output/print_win.h"
#include "win32/unique_handle.h"

namespace flk {
namespace {

using flk::testing::RandomPicture;

// A 32-bit top-down DIB section selected into a memory DC, filled white.
struct Canvas {
  int width, height;
  win::UniqueMemoryDC dc{::CreateCompatibleDC(nullptr)};
  win::UniqueBitmap bitmap;
  uint32_t* pixels = nullptr;
  HGDIOBJ old = nullptr;
  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap.reset(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<uint32_t*>(bits);
    old = ::SelectObject(dc.get(), bitmap.get());
    for (int i = 0; i < w * h; ++i) pixels[i] = 0xFFFFFF;
  }
  ~Canvas() { ::SelectObject(dc.get(), old); }
  uint32_t at(int x, int y) const { return pixels[y * width + x] & 0xFFFFFF; }
};

PrintLayout Layout(int left, int top, int w, int h) {
  PrintLayout l;
  l.destLeft = left;
  l.destTop = top;
  l.destWidth = w;
  l.destHeight = h;
  return l;
}

// Each source pixel becomes a factor x factor block at the destination; the
// rest of the page stays white.
void ExpectScaledCopy(const Canvas& c, const Picture& picture, int left, int top, int factor) {
  int wrong = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      bool inside = x >= left && y >= top && x < left + picture.width() * factor && y < top + picture.height() * factor;
      uint32_t want = inside ? picture.pixel((x - left) / factor, (y - top) / factor) : 0xFFFFFFu;
      if (c.at(x, y) != want && wrong++ < 5)
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << c.at(x, y) << " vs " << want;
    }
  EXPECT_EQ(wrong, 0);
}

TEST(PrintDraw, TrueColourSourceLandsScaledAtTheDestination) {
  Picture picture = RandomPicture(60, 30, 24, 5);
  Picture source = PrintSourcePicture(picture, nullptr);
  Canvas c(200, 120);
  ASSERT_TRUE(DrawPrintSource(c.dc.get(), Layout(7, 11, 180, 90), source));
  ExpectScaledCopy(c, picture, 7, 11, 3);
}

TEST(PrintDraw, PaletteSourceShowsThePaletteColours) {
  std::vector<PaletteEntry> system(256);
  for (int i = 0; i < 256; ++i) system[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  Picture picture = *Picture::Create(40, 20, 8);
  picture.palette() = system;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) picture.setRawPixel(x, y, uint32_t((x * 13 + y * 7) & 0xFF));
  Picture source = PrintSourcePicture(picture, &system);
  ASSERT_EQ(source.bitsPerPixel(), 8);
  Canvas c(100, 60);
  ASSERT_TRUE(DrawPrintSource(c.dc.get(), Layout(5, 5, 80, 40), source));
  ExpectScaledCopy(c, picture, 5, 5, 2);
}

TEST(PrintDraw, ShrinkingKeepsWholeSourceColours) {
  // 2:1 shrink of a picture whose 2x2 blocks are one colour each: every
  // destination pixel is one of the block colours, never a blend.
  Picture small = RandomPicture(20, 10, 24, 77);
  Picture big = *Picture::Create(40, 20, 24);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) big.setPixel(x, y, small.pixel(x / 2, y / 2));
  Canvas c(30, 20);
  ASSERT_TRUE(DrawPrintSource(c.dc.get(), Layout(3, 4, 20, 10), PrintSourcePicture(big, nullptr)));
  ExpectScaledCopy(c, small, 3, 4, 1);
}

TEST(PrintDraw, EmptySourceIsRefused) {
  Canvas c(10, 10);
  EXPECT_FALSE(DrawPrintSource(c.dc.get(), Layout(0, 0, 5, 5), Picture()));
  EXPECT_EQ(c.at(2, 2), 0xFFFFFFu);
}

}  // namespace
}  // namespace flk
