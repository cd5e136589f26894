// CopyToClipboard read back through the clipboard: the packed DIB, the
// bitmap the system makes from it, and the palette.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "base/picture_testing.h"
#include "output/clipboard_win.h"
#include "win32/unique_handle.h"

namespace flk {
namespace {

using flk::testing::RandomPicture;

// 32-bit top-down pixels of any bitmap.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> px(size_t(width) * height);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  win::WindowDC screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, UINT(height), px.data(), &bi, DIB_RGB_COLORS) != height) px.clear();
  for (auto& p : px) p &= 0xFFFFFF;
  return px;
}

class ClipboardDepths : public ::testing::TestWithParam<int> {};

TEST_P(ClipboardDepths, CopyPutsExactPixels) {
  const int bpp = GetParam();
  Picture picture = RandomPicture(23, 9, bpp, 4000 + bpp);
  ASSERT_TRUE(CopyToClipboard(picture));
  ASSERT_TRUE(::OpenClipboard(nullptr));

  // The DIB as we put it: same header, same bits.
  HANDLE dib = ::GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const auto* info = static_cast<const BITMAPINFO*>(::GlobalLock(dib));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bmiHeader.biWidth, 23);
  EXPECT_EQ(info->bmiHeader.biHeight, 9);
  std::vector<uint8_t> expected = picture.info(false);
  const auto* bytes = reinterpret_cast<const uint8_t*>(info);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes));
  EXPECT_TRUE(std::equal(picture.bits(), picture.bits() + picture.bitsSize(), bytes + expected.size()));
  ::GlobalUnlock(dib);

  // The bitmap the system offers from it shows the same colours.
  HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  ASSERT_NE(bitmap, nullptr);
  std::vector<uint32_t> px = PixelsOf(bitmap, 23, 9);
  ASSERT_EQ(px.size(), size_t(23 * 9));
  int wrong = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 23; ++x)
      if (px[size_t(y) * 23 + x] != picture.pixel(x, y)) ++wrong;
  EXPECT_EQ(wrong, 0);

  EXPECT_EQ(::IsClipboardFormatAvailable(CF_PALETTE) != FALSE, bpp <= 8);
  ::CloseClipboard();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, ClipboardDepths, ::testing::Values(1, 4, 8, 15, 16, 24, 32));

TEST(Clipboard, CopyReplacesEarlierContents) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(::GlobalLock(text), "hi", 3);
  ::GlobalUnlock(text);
  ASSERT_NE(::SetClipboardData(CF_TEXT, text), nullptr);
  ::CloseClipboard();
  ASSERT_TRUE(CopyToClipboard(RandomPicture(4, 4, 24, 1)));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));
}

TEST(Clipboard, EmptyPictureIsNotCopied) { EXPECT_FALSE(CopyToClipboard(Picture())); }

}  // namespace
}  // namespace flk
