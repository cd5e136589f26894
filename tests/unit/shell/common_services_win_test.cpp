#include <windows.h>

#include <cderr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shell/frame_raster.h"

#include "shell/common_form_win.h"
#include "output/file_formats.h"
#include "shell/common_services_win.h"
#include "win32/save_dialog_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {
namespace {

// Runs `action` from the message loop of whatever modal window the code under
// test brings up (a thread timer is dispatched only by that loop).
std::function<void()> g_whileModal;
int g_modalActions = 0;
void CALLBACK ModalTick(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ++g_modalActions;
  if (g_whileModal) g_whileModal();
}
struct WhileModal {
  explicit WhileModal(std::function<void()> action) {
    g_whileModal = std::move(action);
    g_modalActions = 0;
    id = ::SetTimer(nullptr, 0, 1, &ModalTick);
  }
  ~WhileModal() {
    ::KillTimer(nullptr, id);
    g_whileModal = nullptr;
  }
  UINT_PTR id;
};

struct MessageBoxSeen {
  std::wstring caption, text;
  HWND box = nullptr;
};
BOOL CALLBACK FindBox(HWND h, LPARAM lp) {
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(h)) {
    reinterpret_cast<MessageBoxSeen*>(lp)->box = h;
    return FALSE;
  }
  return TRUE;
}

std::filesystem::path TempDir(const char* name) {
  auto dir = std::filesystem::temp_directory_path() / name;
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  std::filesystem::create_directories(dir);
  return dir;
}
std::string Utf8(const std::filesystem::path& p) {
  auto u8 = p.u8string();
  return std::string(u8.begin(), u8.end());
}

// ---- ShowWarning ------------------------------------------------------------

TEST(ShowWarningWin, AFailedFolderCreationAddsErrorNumberAndSystemText) {
  ASSERT_FALSE(::CreateDirectoryW(L"C:\\flk-no-such-parent\\deeper\\folder", nullptr));
  DWORD code = ::GetLastError();
  ASSERT_TRUE(code == ERROR_PATH_NOT_FOUND || code == ERROR_ACCESS_DENIED) << code;
  std::string system = SystemErrorText(code);
  EXPECT_FALSE(system.empty());
  std::string text = WarningTextFor("Couldn't make the folder.", code);
  EXPECT_EQ(text.rfind("Couldn't make the folder.\r\n\r\nError # " + std::to_string(code) + ", ", 0), 0u) << text;
  EXPECT_NE(text.find(system.substr(0, system.find_first_of("\r\n"))), std::string::npos);
}

TEST(ShowWarningWin, ShowsTheComposedTextAndResetsTheLastError) {
  MessageBoxSeen seen;
  WhileModal closer([&] {
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&seen));
    if (!seen.box) return;
    wchar_t buf[1024] = {};
    ::GetWindowTextW(seen.box, buf, 1024);
    seen.caption = buf;
    ::GetDlgItemTextW(seen.box, 0xFFFF, buf, 1024);
    seen.text = buf;
    ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
  });
  ::CreateDirectoryW(L"C:\\flk-no-such-parent\\deeper\\folder", nullptr);
  DWORD code = ::GetLastError();
  ShowWarning("Couldn't make the folder.", "Framelark Warning");
  EXPECT_EQ(::GetLastError(), 0u);
  ASSERT_NE(seen.box, nullptr);
  EXPECT_EQ(seen.caption, L"Framelark Warning");
  EXPECT_EQ(win::Narrow(seen.text), WarningTextFor("Couldn't make the folder.", code));
}

TEST(ShowWarningWin, WithoutAPendingErrorShowsTheMessageAlone) {
  MessageBoxSeen seen;
  WhileModal closer([&] {
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&seen));
    if (!seen.box) return;
    wchar_t buf[1024] = {};
    ::GetDlgItemTextW(seen.box, 0xFFFF, buf, 1024);
    seen.text = buf;
    ::PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
  });
  ::SetLastError(0);
  ShowWarning("Just this.", "Save File Error");
  ASSERT_NE(seen.box, nullptr);
  EXPECT_EQ(seen.text, L"Just this.");
}

// ---- folders and files ----------------------------------------------------------

TEST(BaseFolderWin, IsTheProgramFolderLessItsLastThreeLetters) {
  std::string program = ProgramPath();
  ASSERT_GT(program.size(), 4u);
  EXPECT_EQ(program.substr(program.size() - 4), ".exe");
  std::string folder = program.substr(0, program.find_last_of('\\'));
  ASSERT_GT(folder.size(), 3u);
  EXPECT_EQ(BaseFolder(), folder.substr(0, folder.size() - 3) + "\\");
  EXPECT_EQ(BaseFolder().back(), '\\');
}

TEST(FileSizeKiBWin, ReadsFilesWithNonAsciiNames) {
  auto dir = TempDir("flk_size_win");
  auto file = dir / L"Bild \u00fc.bmp";
  std::ofstream(file, std::ios::binary) << std::string(1025, 'b');
  EXPECT_EQ(FileSizeKiB(Utf8(file)), 2);
  EXPECT_EQ(SavedText(Utf8(file)), "Saved to " + Utf8(file) + "    2 KiB");
  std::filesystem::remove_all(dir);
}

TEST(StickyFilesExistWin, LooksForBitmapsInTheStickiesFolder) {
  auto base = TempDir("flk_sticky_base");
  std::string baseText = Utf8(base) + "\\";
  EXPECT_FALSE(StickyFilesExistIn(baseText));
  std::filesystem::create_directories(base / "Stickies");
  std::ofstream(base / "Stickies" / "note.txt") << "x";
  EXPECT_FALSE(StickyFilesExistIn(baseText));
  std::ofstream(base / "Stickies" / "1.bmp") << "x";
  EXPECT_TRUE(StickyFilesExistIn(baseText));
  std::filesystem::remove_all(base);
}

TEST(RemoveFolderWin, DeletesFilesOfEveryAttributeThenTheFolder) {
  auto dir = TempDir("flk_remove_files");
  std::ofstream(dir / "a.bmp") << "a";
  std::ofstream(dir / "b.rtf") << "b";
  ::SetFileAttributesW((dir / "b.rtf").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(RemoveFolder(Utf8(dir)));
  EXPECT_FALSE(std::filesystem::exists(dir));
}

TEST(RemoveFolderWin, KeepsSubfoldersAndThenFails) {
  auto dir = TempDir("flk_remove_sub");
  std::filesystem::create_directories(dir / "inner");
  std::ofstream(dir / "inner" / "keep.bmp") << "k";
  std::ofstream(dir / "gone.bmp") << "g";
  EXPECT_FALSE(RemoveFolder(Utf8(dir) + "\\"));
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.bmp"));
  EXPECT_TRUE(std::filesystem::exists(dir / "inner" / "keep.bmp"));
  std::filesystem::remove_all(dir);
}

// ---- windows ------------------------------------------------------------------

class PlainWindow : public win::Window {
 protected:
  bool OnMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return false; }
};

TEST(WindowDescriptionWin, NamesClassAndTitle) {
  PlainWindow w;
  ASSERT_TRUE(w.Create(L"FlkDescribedClass", L"Some \u00e9 title", WS_POPUP, 0, 0, 0, 50, 50));
  EXPECT_EQ(WindowDescription(w.hwnd()), "ClassName=FlkDescribedClass Title=\"Some \xC3\xA9 title\"");
}

TEST(KeepOnScreenWin, MovesAWindowBackFromTheBottomRight) {
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  PlainWindow w;
  ASSERT_TRUE(w.Create(L"FlkKeptClass", L"", WS_POPUP, 0, sw - 100, sh - 50, 300, 200));
  KeepOnScreen(w.hwnd());
  RECT r;
  ::GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(r.left, sw - 300);
  EXPECT_EQ(r.top, sh - 200 - 30);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
}

// ---- DrawThickFrame on a real device context --------------------------------------

std::vector<COLORREF> DrawFrame(bool raised, int w, int thickness, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  std::vector<COLORREF> out;
  if (!dib || !dc) return out;
  {
    win::SelectedObject sel(dc.get(), dib.get());
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + w * h, 0x00FF00FFu);  // magenta: untouched
    DrawThickFrame(dc.get(), raised, w, thickness, h);
    ::GdiFlush();
    for (int i = 0; i < w * h; ++i) out.push_back(RGB((px[i] >> 16) & 255, (px[i] >> 8) & 255, px[i] & 255));
  }
  return out;
}

COLORREF Expected(int cell) {
  switch (cell) {
    case int(FrameColour::Light3D): return ::GetSysColor(COLOR_3DLIGHT);
    case int(FrameColour::Black): return RGB(0, 0, 0);
    case int(FrameColour::White): return RGB(255, 255, 255);
    case int(FrameColour::Shadow): return ::GetSysColor(COLOR_BTNSHADOW);
    case int(FrameColour::Face): return ::GetSysColor(COLOR_BTNFACE);
  }
  return RGB(255, 0, 255);
}

TEST(DrawThickFrameWin, GdiPaintsExactlyTheComputedPixels) {
  for (bool raised : {true, false}) {
    const int w = 21, h = 17, thickness = 5;
    std::vector<COLORREF> got = DrawFrame(raised, w, thickness, h);
    ASSERT_EQ(got.size(), size_t(w * h));
    std::vector<int> cells;
    RasteriseFrameOps(ThickFrameOps(raised, w, thickness, h), w, h, cells);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        EXPECT_EQ(got[size_t(y * w + x)], Expected(cells[size_t(y * w + x)]))
            << (raised ? "raised " : "sunken ") << x << "," << y;
  }
}

// ---- TfrmCommon -------------------------------------------------------------------

struct WatchedButton : HoverTarget {
  int left = 0;
  void MouseLeft() override { ++left; }
};

TEST(CommonFormWin, IsAHiddenBarePopupWithoutCaption) {
  TfrmCommon form;
  ASSERT_TRUE(form.FormCreate());
  wchar_t cls[64] = {};
  ::GetClassNameW(form.hwnd(), cls, 64);
  EXPECT_STREQ(cls, L"TfrmCommon");
  EXPECT_FALSE(::IsWindowVisible(form.hwnd()));
  LONG_PTR style = ::GetWindowLongPtrW(form.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  // It draws its own 2-pixel frame: the window is exactly as large as it is told.
  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 104, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  ::GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, 104);
  EXPECT_EQ(client.bottom, 30);
}

TEST(CommonFormWin, HoverWatchTellsTheButtonWhenTheCursorHasLeft) {
  TfrmCommon form;
  ASSERT_TRUE(form.FormCreate());
  ASSERT_TRUE(::SetCursorPos(200, 150));
  POINT at{};
  ::GetCursorPos(&at);
  ASSERT_EQ(at.x, 200);
  WatchedButton button;
  form.WatchHover(&button, 4, 3, 16, 14);
  ASSERT_TRUE(form.hoverWatch().watching());
  EXPECT_EQ(form.hoverWatch().rect(), (HoverWatch::Rect{196, 147, 212, 161}));
  ::SetCursorPos(212, 161);  // the rectangle's corner still counts as inside
  form.Timer1Timer();
  EXPECT_EQ(button.left, 0);
  ::SetCursorPos(213, 161);
  form.Timer1Timer();
  EXPECT_EQ(button.left, 1);
  EXPECT_FALSE(form.hoverWatch().watching());
}

TEST(CommonFormWin, TheAnimationTimerRunsItsHook) {
  TfrmCommon form;
  ASSERT_TRUE(form.FormCreate());
  int ticks = 0;
  form.onAnimationTick = [&] {
    if (++ticks == 3) form.StopTimerAnimation();
  };
  form.StartTimerAnimation();
  MSG msg;
  while (form.timerAnimationEnabled() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  EXPECT_EQ(ticks, 3);
}

// Waits (from the dialog's own loop) until a dialog of this thread shows, then acts on it.
HWND g_dialogSeen = nullptr;
std::function<void(HWND)> g_onDialog;
void CALLBACK DialogTick(HWND, UINT, UINT_PTR id, DWORD) {
  MessageBoxSeen seen;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&seen));
  if (!seen.box) return;  // not up yet: the timer fires again
  ::KillTimer(nullptr, id);
  g_dialogSeen = seen.box;
  if (g_onDialog) g_onDialog(seen.box);
}
struct OnDialog {
  explicit OnDialog(std::function<void(HWND)> action) {
    g_onDialog = std::move(action);
    g_dialogSeen = nullptr;
    id = ::SetTimer(nullptr, 0, 10, &DialogTick);
  }
  ~OnDialog() {
    ::KillTimer(nullptr, id);
    g_onDialog = nullptr;
  }
  UINT_PTR id;
};

TEST(SaveDialogWin, ReturnsTheTypedNameKeepsTheFilterIndexAndTheCurrentFolder) {
  ::SetCurrentDirectoryW(std::filesystem::temp_directory_path().c_str());
  const std::filesystem::path before = std::filesystem::current_path();
  auto dir = TempDir("flk_save_dialog");
  std::string target = Utf8(dir / "picture 7.png");
  win::SaveDialogRequest request{Utf8(dir / "picture 6"), Utf8(dir), kSaveDialogFilter, 5, {}};
  OnDialog typist([&](HWND dlg) {
    ::SetDlgItemTextW(dlg, 0x47c, win::Widen(target).c_str());
    ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
  });
  DWORD error = 1;
  std::optional<win::SaveDialogChoice> choice = win::AskSaveFileName(nullptr, request, &error);
  EXPECT_NE(g_dialogSeen, nullptr);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->fileName, target);
  EXPECT_EQ(choice->filterIndex, 5);
  EXPECT_EQ(error, 0u);
  // The camera role opens its files relative to its own folder: the dialog must not move it.
  EXPECT_EQ(std::filesystem::current_path(), before);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

TEST(SaveDialogWin, CancelChoosesNothingAndIsNoError) {
  win::SaveDialogRequest request{"C:\\kept.bmp", {}, kSaveDialogFilter, 1, {}};
  OnDialog canceller([](HWND dlg) { ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
  DWORD error = 1;
  EXPECT_FALSE(win::AskSaveFileName(nullptr, request, &error));
  EXPECT_EQ(error, 0u);
}

TEST(CommonFormWin, PrinterSetupReportsCancelOrAMissingPrinter) {
  TfrmCommon form;
  ASSERT_TRUE(form.FormCreate());
  OnDialog canceller([](HWND dlg) { ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
  DWORD error = 12345;
  EXPECT_FALSE(form.PrinterSetupDialog1Execute(nullptr, &error));
  if (g_dialogSeen)
    EXPECT_EQ(error, 0u);  // a printer exists: the dialog showed and was cancelled
  else
    EXPECT_EQ(error, DWORD(PDERR_NODEFAULTPRN));
}

TEST(CommonFormWin, TheSaveFilterBecomesPairsEndingInTwoZeros) {
  std::wstring list = win::DialogFilterList(kSaveDialogFilter);
  std::vector<std::wstring> parts;
  for (size_t pos = 0; pos < list.size() && list[pos];) {
    std::wstring part(list.c_str() + pos);
    parts.push_back(part);
    pos += part.size() + 1;
  }
  ASSERT_EQ(parts.size(), 10u);
  EXPECT_EQ(parts[0], L"All (*.*)");
  EXPECT_EQ(parts[3], L"*.bmp");
  EXPECT_EQ(parts[8], L"PNG ImageFile (*.png)");
  EXPECT_EQ(list.substr(list.size() - 2), std::wstring(2, L'\0'));
}

}  // namespace
}  // namespace flk
