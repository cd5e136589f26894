#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "shell/memory_store.h"
#include "shell/names.h"
#include "shell/point_hint_win.h"
#include "shell/settings.h"
#include "shell/tip_box_win.h"
#include "shell/tip_font_win.h"
#include "shell/tips_layout.h"
#include "win32/dpi_win.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace flk {
namespace {

// Runs `action` once from the modal loop of the form under test; a thread
// timer is dispatched only by a message loop, and the only one running is the
// form's own.
std::function<void()> g_action;
int g_actions = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ++g_actions;
  if (g_action) g_action();
}
struct WhileShown {
  explicit WhileShown(std::function<void()> action) {
    g_action = std::move(action);
    g_actions = 0;
    id = ::SetTimer(nullptr, 0, 1, &Tick);
  }
  ~WhileShown() {
    ::KillTimer(nullptr, id);
    g_action = nullptr;
  }
  UINT_PTR id;
};

struct QuietUi : SettingsUi {
  void Message(const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool SetupWarning(const std::string&) override { return true; }
};

std::wstring TextOf(HWND h) {
  wchar_t buf[2048] = {};
  ::GetWindowTextW(h, buf, 2048);
  return buf;
}

struct Seen {
  HWND form = nullptr;
  RECT rect{};
  std::wstring caption, text;
  bool tickedAtStart = true;
  bool visible = false;
};

class TipsWin : public ::testing::Test {
 protected:
  void SetUp() override {
    store.CreateKey(RootKey::CurrentUser, kSettingsPath);
    SetAppSettings(&settings);
  }
  void TearDown() override { SetAppSettings(nullptr); }
  std::optional<bool> Stored(const std::string& key) {
    auto v = store.Get(RootKey::CurrentUser, kSettingsPath, key);
    if (!v) return std::nullopt;
    return DwordOf(*v) != 0;
  }
  int ScreenWidth() const { return ::GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() const { return ::GetSystemMetrics(SM_CYSCREEN); }
  int LetterHeight() {
    win::WindowDC dc(nullptr);
    win::SelectedObject font(dc.get(), TipFont(win::WindowScale(nullptr)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), L"A", 1, &size);
    return size.cy;
  }

  InMemorySettingsStore store;
  QuietUi ui;
  Settings settings{store, ui};
};

// Records the tip box, optionally ticks its box, then presses a key in it.
std::function<void()> TipBoxAction(Seen& seen, bool tick, WPARAM key) {
  return [&seen, tick, key] {
    seen.form = ::FindWindowW(kTipBoxClass, nullptr);
    if (!seen.form) return;
    seen.visible = ::IsWindowVisible(seen.form);
    ::GetWindowRect(seen.form, &seen.rect);
    seen.caption = TextOf(seen.form);
    seen.text = TextOf(::GetDlgItem(seen.form, kTipMemoId));
    HWND check = ::GetDlgItem(seen.form, kTipCheckBoxId);
    seen.tickedAtStart = ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (tick) ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    if (key == WM_CLOSE)
      ::PostMessageW(seen.form, WM_CLOSE, 0, 0);
    else
      ::PostMessageW(check, WM_KEYDOWN, key, 0);  // keys typed while the box has the focus
  };
}

const char kHidden[] =
    "The control panel was moved off screen --\r\nto access Framelark functions:\r\n\r\n"
    "RIGHT-click the transparent viewfinder.";

TEST_F(TipsWin, TipBoxIsCentredWithCaptionTextAndHeightOfItsLines) {
  Seen seen;
  WhileShown act(TipBoxAction(seen, false, VK_RETURN));
  EXPECT_EQ(ShowTip("NsaHiddenControls", "How-to Tip", kHidden, 1, false), 1);
  ASSERT_NE(seen.form, nullptr);
  EXPECT_TRUE(seen.visible);
  EXPECT_FALSE(seen.tickedAtStart);
  EXPECT_EQ(seen.caption, L"How-to Tip");
  EXPECT_EQ(win::Narrow(seen.text), kHidden);
  const int w = seen.rect.right - seen.rect.left, h = seen.rect.bottom - seen.rect.top;
  EXPECT_EQ(h, 12 * LetterHeight());
  EXPECT_EQ(seen.rect.left, (ScreenWidth() - w) / 2);
  EXPECT_EQ(seen.rect.top, (ScreenHeight() - h) / 2);
  RECT client;
  ::GetClientRect(seen.form, &client);
  EXPECT_EQ(client.right, kTipBoxClientWidth);
  EXPECT_FALSE(::IsWindowVisible(seen.form));  // hidden again, kept for the next tip
  // OK stored the unticked box as false.
  EXPECT_EQ(Stored("NsaHiddenControls"), std::optional<bool>(false));
}

TEST_F(TipsWin, EachCarriageReturnMakesTheBoxOneLetterTaller) {
  Seen one, four;
  {
    WhileShown act(TipBoxAction(one, false, VK_ESCAPE));
    ShowTip("NsaResizeLimit", "How-to Tip", "One line only.", 1, false);
  }
  {
    WhileShown act(TipBoxAction(four, false, VK_ESCAPE));
    ShowTip("NsaResizeLimit", "How-to Tip", "a\r\nb\r\nc\r\nd", 1, false);
  }
  EXPECT_EQ(one.rect.bottom - one.rect.top, 9 * LetterHeight());
  EXPECT_EQ((four.rect.bottom - four.rect.top) - (one.rect.bottom - one.rect.top), 3 * LetterHeight());
}

TEST_F(TipsWin, EscGivesTwoAndStoresNothingEvenWhenTicked) {
  settings.WriteSingleSetting("NsaBigImage", false);
  Seen seen;
  WhileShown act(TipBoxAction(seen, true, VK_ESCAPE));
  EXPECT_EQ(ShowTip("NsaBigImage", "Big Image Caution", "Caution", 1, false), 2);
  ASSERT_NE(seen.form, nullptr);
  EXPECT_EQ(Stored("NsaBigImage"), std::optional<bool>(false));
}

TEST_F(TipsWin, TheCloseBoxGivesTwoAndStoresNothing) {
  settings.WriteSingleSetting("NsaEdit", false);
  Seen seen;
  WhileShown act(TipBoxAction(seen, true, WM_CLOSE));
  EXPECT_EQ(ShowTip("NsaEdit", "Large Directory Alert", "Over 50", 1, false), 2);
  EXPECT_EQ(Stored("NsaEdit"), std::optional<bool>(false));
}

TEST_F(TipsWin, OkStoresTheTickAndTheTipStaysSilentAfterwards) {
  Seen seen;
  {
    WhileShown act(TipBoxAction(seen, true, VK_RETURN));
    EXPECT_EQ(ShowTip("NsaHiddenControls", "How-to Tip", kHidden, 1, false), 1);
  }
  EXPECT_EQ(Stored("NsaHiddenControls"), std::optional<bool>(true));
  WhileShown act(TipBoxAction(seen, false, VK_ESCAPE));
  EXPECT_EQ(ShowTip("NsaHiddenControls", "How-to Tip", kHidden, 1, false), 1);
  EXPECT_EQ(g_actions, 0);  // nothing was shown, so no loop ran
}

TEST_F(TipsWin, ASecondTipWhileOneIsUpIsNotShown) {
  Seen seen;
  int nested = -1;
  auto press = TipBoxAction(seen, false, VK_ESCAPE);
  WhileShown act([&] {
    nested = ShowTip("NsaResizeLimit", "How-to Tip", "Another", 1, false);
    press();
  });
  EXPECT_EQ(ShowTip("NsaHiddenControls", "How-to Tip", kHidden, 1, false), 2);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(seen.caption, L"How-to Tip");
  EXPECT_EQ(win::Narrow(seen.text), kHidden);  // the first tip's text stayed
}

TEST_F(TipsWin, CornerModeParksTopRightAndDropsTopmostAfterwards) {
  Seen seen;
  WhileShown act(TipBoxAction(seen, false, VK_ESCAPE));
  EXPECT_EQ(ShowTip("NsaNonMapiMsg", "Paste/Attach Email Instruction", "Paste it.", 22, true), 2);
  ASSERT_NE(seen.form, nullptr);
  EXPECT_EQ(seen.rect.top, 0);
  EXPECT_EQ(seen.rect.left, ScreenWidth() - (seen.rect.right - seen.rect.left) - 1);
  EXPECT_EQ(::GetWindowLongPtrW(seen.form, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(TipsWin, RestoreBringsASilencedTipBack) {
  settings.WriteSingleSetting("NsaHiddenControls", true);
  settings.WriteSingleSetting("NextTip", -1);
  RestoreAllNoShowAgainDialogs(settings);
  Seen seen;
  WhileShown act(TipBoxAction(seen, false, VK_ESCAPE));
  EXPECT_EQ(ShowTip("NsaHiddenControls", "How-to Tip", kHidden, 1, false), 2);
  EXPECT_NE(seen.form, nullptr);
  EXPECT_EQ(settings.ReadSingleSetting("NextTip", 0), 1);
}

TEST_F(TipsWin, ColorDepthTipAppearsOnlyOnPaletteScreens) {
  bool palette;
  {
    win::WindowDC dc(nullptr);
    palette = IsPaletteScreen(::GetDeviceCaps(dc.get(), RASTERCAPS), ::GetDeviceCaps(dc.get(), NUMCOLORS));
  }
  Seen seen;
  WhileShown act(TipBoxAction(seen, false, VK_ESCAPE));
  int result = ShowColorDepthTipIfPaletteScreen();
  if (!palette) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_actions, 0);
  } else {
    EXPECT_EQ(result, 2);
    EXPECT_EQ(seen.caption, L"Recommendation");
    EXPECT_EQ(win::Narrow(seen.text), kColorDepthTipText);
  }
}

// ---- point hint ----------------------------------------------------------------

struct HintSeen {
  HWND form = nullptr, owner = nullptr;
  RECT rect{};
  std::wstring label;
  LONG_PTR style = 0;
  COLORREF arrowTip = CLR_INVALID, farCorner = CLR_INVALID;
};

// Records the hint, ticks its box if asked, then presses a key in it.
std::function<void()> HintAction(HintSeen& seen, bool tick, WPARAM key, POINT arrowTip = {-1, -1}) {
  return [&seen, tick, key, arrowTip] {
    seen.form = ::FindWindowW(kPointHintClass, nullptr);
    if (!seen.form) return;
    ::GetWindowRect(seen.form, &seen.rect);
    seen.label = TextOf(::GetDlgItem(seen.form, kHintLabelId));
    seen.owner = ::GetWindow(seen.form, GW_OWNER);
    seen.style = ::GetWindowLongPtrW(seen.form, GWL_STYLE);
    if (arrowTip.x >= 0) {
      ::UpdateWindow(seen.form);
      win::WindowDC dc(seen.form);
      seen.arrowTip = ::GetPixel(dc.get(), arrowTip.x, arrowTip.y);
      // The point diagonally opposite inside the rim, which no arrow covers.
      RECT c;
      ::GetClientRect(seen.form, &c);
      seen.farCorner = ::GetPixel(dc.get(), c.right - 1 - arrowTip.x, c.bottom - 1 - arrowTip.y);
    }
    HWND check = ::GetDlgItem(seen.form, kHintCheckBoxId);
    if (tick) ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    ::PostMessageW(check, WM_KEYDOWN, key, 0);
  };
}

const char kCentre[] = "The window at this point, the camera center, will be captured.";

TEST_F(TipsWin, PointHintBelowRightOfAPointInTheUpperLeft) {
  HintSeen seen;
  WhileShown act(HintAction(seen, false, VK_RETURN, {1, 1}));
  EXPECT_EQ(ShowPointHint("NsaCntrPt", kCentre, 120, 90), 1);
  ASSERT_NE(seen.form, nullptr);
  EXPECT_EQ(seen.rect.left, 120);
  EXPECT_EQ(seen.rect.top, 90);
  EXPECT_EQ(seen.rect.right - seen.rect.left, kPointHintWidth);
  EXPECT_EQ(seen.rect.bottom - seen.rect.top, kPointHintHeight);
  EXPECT_EQ(win::Narrow(seen.label), kCentre);
  EXPECT_EQ(seen.style & WS_CAPTION, 0);
  EXPECT_EQ(seen.arrowTip, RGB(0, 0, 0));
  EXPECT_NE(seen.farCorner, RGB(0, 0, 0));
  EXPECT_EQ(Stored("NsaCntrPt"), std::optional<bool>(false));  // OK stores the unticked box
  EXPECT_FALSE(::IsWindow(seen.form));                         // freed after each showing
}

TEST_F(TipsWin, PointHintInTheLowerRightQuarterGoesAboveLeftWithTheBottomRightArrow) {
  const int x = ScreenWidth() - 4, y = ScreenHeight() - 3;
  HintSeen seen;
  WhileShown act(HintAction(seen, false, VK_RETURN, {kPointHintWidth - 2, kPointHintHeight - 2}));
  EXPECT_EQ(ShowPointHint("NsaScrollPt", kCentre, x, y), 1);
  EXPECT_EQ(seen.rect.left, x - kPointHintWidth);
  EXPECT_EQ(seen.rect.top, y - kPointHintHeight);
  EXPECT_EQ(seen.arrowTip, RGB(0, 0, 0));
  EXPECT_NE(seen.farCorner, RGB(0, 0, 0));
}

TEST_F(TipsWin, PointHintInTheOtherQuartersUsesTheMatchingCorner) {
  HintSeen upperRight, lowerLeft;
  {
    WhileShown act(HintAction(upperRight, false, VK_RETURN, {kPointHintWidth - 2, 1}));
    ShowPointHint("NsaEteOff", "Click this thin bump", ScreenWidth() - 10, 3);
  }
  EXPECT_EQ(upperRight.rect.left, ScreenWidth() - 10 - kPointHintWidth);
  EXPECT_EQ(upperRight.rect.top, 3);
  EXPECT_EQ(upperRight.arrowTip, RGB(0, 0, 0));
  {
    WhileShown act(HintAction(lowerLeft, false, VK_RETURN, {1, kPointHintHeight - 2}));
    ShowPointHint("NsaEteOff", "Click this thin bump", 15, ScreenHeight() - 40);
  }
  EXPECT_EQ(lowerLeft.rect.left, 15);
  EXPECT_EQ(lowerLeft.rect.top, ScreenHeight() - 40 - kPointHintHeight);
  EXPECT_EQ(lowerLeft.arrowTip, RGB(0, 0, 0));
}

TEST_F(TipsWin, CancelStoresTheTickAndGivesTwoThenTheHintIsSilent) {
  HintSeen seen;
  {
    WhileShown act(HintAction(seen, true, VK_ESCAPE));
    EXPECT_EQ(ShowPointHint("NsaCntrPt", kCentre, 300, 300), 2);
  }
  EXPECT_EQ(Stored("NsaCntrPt"), std::optional<bool>(true));
  WhileShown act(HintAction(seen, false, VK_RETURN));
  EXPECT_EQ(ShowPointHint("NsaCntrPt", kCentre, 300, 300), 0);
  EXPECT_EQ(g_actions, 0);
}

class Owner : public win::Window {
 protected:
  bool OnMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return false; }
};

TEST_F(TipsWin, PointHintBelongsToTheGivenOwnerWhichIsDisabledMeanwhile) {
  Owner owner;
  ASSERT_TRUE(owner.Create(L"FlkHintOwner", L"owner", WS_POPUP | WS_VISIBLE, 0, 10, 10, 50, 50));
  HintSeen seen;
  bool ownerEnabledDuring = true;
  WhileShown act([&] {
    ownerEnabledDuring = ::IsWindowEnabled(owner.hwnd());
    HintAction(seen, false, VK_RETURN)();
  });
  EXPECT_EQ(ShowPointHint("NsaCntrPt", kCentre, 300, 300, owner.hwnd()), 1);
  EXPECT_EQ(seen.owner, owner.hwnd());
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}

}  // namespace
}  // namespace flk
