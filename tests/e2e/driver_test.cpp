// The driver's own tools, checked against windows and boxes the driver makes
// itself, so that a scenario failure points at the program and not at them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "driver.h"

namespace flk::e2e {
namespace {

// A borderless window filled with one colour.
class SolidWindow {
 public:
  SolidWindow(RECT r, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = brush_.get();
    wc.lpszClassName = "FlkE2eSolid";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "FlkE2eSolid", "solid", WS_POPUP, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
  ~SolidWindow() {
    DestroyWindow(hwnd_);
    UnregisterClassA("FlkE2eSolid", GetModuleHandleA(nullptr));
  }
  HWND hwnd() const { return hwnd_; }

 private:
  win::UniqueBrush brush_;
  HWND hwnd_ = nullptr;
};

bool AllPixels(const Pixels& px, uint32_t rgb) {
  for (uint32_t v : px.bgra)
    if (v != rgb) return false;
  return !px.bgra.empty();
}

TEST(DriverTest, GrabScreenSeesExactPixels) {
  SolidWindow w(RECT{300, 300, 350, 340}, RGB(0x20, 0x80, 0xE0));
  std::optional<Pixels> px;
  // Pixels reach the screen once the window has painted: poll.
  EXPECT_TRUE(WaitUntil([&] {
    px = GrabScreen(RECT{300, 300, 350, 340});
    return px && AllPixels(*px, 0x2080E0);
  })) << (px ? "wrong colour" : "no grab");
  ASSERT_TRUE(px);
  EXPECT_EQ(px->width(), 50);
  EXPECT_EQ(px->height(), 40);
  // Just outside the window the colour differs.
  auto around = GrabScreen(RECT{299, 299, 351, 341});
  ASSERT_TRUE(around);
  EXPECT_NE(around->at(299, 299), 0x2080E0u);
  EXPECT_EQ(around->at(300, 300), 0x2080E0u);
  EXPECT_EQ(around->at(349, 339), 0x2080E0u);
  EXPECT_NE(around->at(350, 340), 0x2080E0u);
}

TEST(DriverTest, GrabScreenClipsAtTheScreenEdge) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  SolidWindow w(RECT{cx - 20, 10, cx + 20, 30}, RGB(0xF0, 0x10, 0x10));
  std::optional<Pixels> px;
  EXPECT_TRUE(WaitUntil([&] {
    px = GrabScreen(RECT{cx - 20, 10, cx + 20, 30});
    return px && AllPixels(*px, 0xF01010);
  }));
  ASSERT_TRUE(px);
  EXPECT_EQ(px->rect.right, cx);
  EXPECT_EQ(px->width(), 20);
  EXPECT_FALSE(GrabScreen(RECT{cx + 5, 0, cx + 10, 10})) << "a rectangle wholly off the screen";
}

TEST(DriverTest, MessageBoxHelpersReadAndAnswer) {
  std::atomic<int> result{-1};
  std::thread shower(
      [&] { result = MessageBoxA(nullptr, "First line.\r\nSecond line.", "Flk driver box", MB_YESNOCANCEL); });
  HWND box = WaitMessageBox("Flk driver box");
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowClass(box), kDialogClass);
  EXPECT_EQ(MessageBoxText(box), "First line.\nSecond line.");
  auto buttons = ButtonTexts(box);
  std::sort(buttons.begin(), buttons.end());
  EXPECT_EQ(buttons, (std::vector<std::string>{"Cancel", "No", "Yes"}));
  EXPECT_EQ(MessageBoxes("Flk driver box", GetCurrentProcessId()).size(), 1u);
  EXPECT_TRUE(MessageBoxes("Flk driver box", GetCurrentProcessId() + 4).empty());
  EXPECT_FALSE(PressButton(box, "Maybe"));
  EXPECT_TRUE(PressButton(box, "no"));
  EXPECT_TRUE(WaitGone(box));
  shower.join();
  EXPECT_EQ(result, IDNO);
}

TEST(DriverTest, RegistryRoundTrip) {
  const std::string key = "Software\\Hollowbrook\\FlkDriverTest";
  ASSERT_TRUE(RegRemoveTree(HKEY_CURRENT_USER, key));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));
  ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, key, "n", 0xFFFFFFFF));
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, key, "s", "text"));
  ASSERT_TRUE(RegWriteDate(HKEY_CURRENT_USER, key, "d", 45000.25));
  EXPECT_EQ(RegDword(HKEY_CURRENT_USER, key, "n"), 0xFFFFFFFFu);
  EXPECT_EQ(RegString(HKEY_CURRENT_USER, key, "s"), "text");
  EXPECT_EQ(RegDate(HKEY_CURRENT_USER, key, "d"), 45000.25);
  // Typed readers refuse other registry types.
  EXPECT_FALSE(RegDword(HKEY_CURRENT_USER, key, "s"));
  EXPECT_FALSE(RegString(HKEY_CURRENT_USER, key, "n"));
  EXPECT_FALSE(RegDate(HKEY_CURRENT_USER, key, "n"));
  EXPECT_EQ(RegValueNames(HKEY_CURRENT_USER, key).size(), 3u);
  ASSERT_TRUE(RegRemoveValue(HKEY_CURRENT_USER, key, "n"));
  EXPECT_FALSE(RegRead(HKEY_CURRENT_USER, key, "n"));
  ASSERT_TRUE(RegRemoveTree(HKEY_CURRENT_USER, key));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));
}

TEST(DriverTest, OleNowAndFileTimes) {
  // 1 January 2024 00:00 is day 45292; "now" lies after it and before 2100.
  EXPECT_GT(OleNow(), 45292.0);
  EXPECT_LT(OleNow(), 73051.0);
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string file = std::string(temp) + "flk_driver_test.txt";
  win::UniqueFile f(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f);
  f.reset();
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(FileSize(file), 0u);
  ASSERT_TRUE(SetFileModified(file, 44000.5));
  auto m = FileModified(file);
  ASSERT_TRUE(m);
  EXPECT_NEAR(*m, 44000.5, 1.0 / 86400);
  DeleteFileA(file.c_str());
  EXPECT_FALSE(FileExists(file));
}

}  // namespace
}  // namespace flk::e2e
