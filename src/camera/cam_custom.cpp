#include "camera/cam_custom.h"

#include "camera/camera_layout.h"

#include <cstring>

#include "camera/commands.h"
#include "shell/settings_table.h"

namespace flk {

namespace {

constexpr const char* kPanels[] = {"Title Bar", "Toolbar Icons", "Toolbar Text", "Status Bar"};
constexpr const char* kButtons[] = {"Recall", "Store",  "Save",   "Save +1", "Print", "Print Fit",
                                    "Copy",   "Editor", "Email",  "Sticky",  "Hold",  "ToEdge",
                                    "Screen", "Robo",   "Scroll", "Window",  "Inside"};
constexpr const char* kWait[] = {"1000 ms  --  slow & sure", " 800 ms", " 600 ms", " 400 ms",
                                 " 300 ms  --  default",     " 200 ms", " 100 ms", "  50 ms  --  ultra fast"};
constexpr int kWaitMs[] = {1000, 800, 600, 400, 300, 200, 100, 50};
constexpr const char* kLastCaptures[] = {"0  -- fastest", "5  -- default", "10", "20", "unlimited -- unwieldy"};
constexpr int kLastCapturesNum[] = {0, 5, 10, 20, -1};
constexpr const char* kBorder[] = {"2  -- least obstructive", "5  -- default", "10 -- easy drag"};
constexpr int kBorderWidth[] = {2, 5, 10};
constexpr const char* kClose[] = {"Closes to status area", "Exits, NO status icon"};

template <typename T, size_t N>
bool InRange(int i, const T (&)[N]) {
  return i >= 0 && size_t(i) < N;
}

}  // namespace

std::span<const char* const> CustomPanelItems() { return kPanels; }
std::span<const char* const> CustomButtonItems() { return kButtons; }
std::span<const char* const> CustomWaitItems() { return kWait; }
std::span<const char* const> CustomLastCapturesItems() { return kLastCaptures; }
std::span<const char* const> CustomBorderItems() { return kBorder; }
std::span<const char* const> CustomCloseItems() { return kClose; }

int ButtonSettingIndex(int toolbarIndex) {
  auto buttons = ToolButtons();
  if (toolbarIndex < 0 || size_t(toolbarIndex) >= buttons.size()) return -1;
  auto names = CameraButtonSettingNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (std::strcmp(names[i], buttons[size_t(toolbarIndex)].setting) == 0) return int(i);
  return -1;
}

int WaitItemOf(int t) {
  if (t > 800) return 0;
  if (t > 600) return 1;
  if (t > 400) return 2;
  if (t > 300) return 3;
  if (t > 200) return 4;
  if (t > 100) return 5;
  if (t > 50) return 6;
  if (t > 20) return 7;
  return -1;
}

int IntervalOfWaitItem(int item) { return InRange(item, kWaitMs) ? kWaitMs[item] : 20; }

int LastCapturesItemOf(int n) {
  if (n == 0) return 0;
  if (n >= 1 && n <= 5) return 1;
  if (n >= 6 && n <= 10) return 2;
  if (n >= 11 && n <= 20) return 3;
  return 4;
}

int LastCapturesOfItem(int item) { return InRange(item, kLastCapturesNum) ? kLastCapturesNum[item] : 5; }

int BorderItemOf(int w) {
  if (w == 1 || w == 2) return 0;
  if (w >= 3 && w <= 5) return 1;
  return 2;
}

int BorderWidthOfItem(int item) { return InRange(item, kBorderWidth) ? kBorderWidth[item] : 5; }

bool RingItemShowsTip(int item) { return item == 3 || item == 4; }

CamCustomChoices LoadCamCustom(const CamAppearance& cam, int intervalMs, int lastCapturesNum, bool closeBtnExits) {
  CamCustomChoices c;
  c.panels = {cam.title, cam.images, cam.captions, cam.status};
  c.buttons = cam.buttons;
  c.buttonsEnabled = ButtonListEnabled(cam.images, cam.captions);
  c.wait = WaitItemOf(intervalMs);
  c.lastCaptures = LastCapturesItemOf(lastCapturesNum);
  c.border = BorderItemOf(cam.bevel);
  c.close = CloseItemOf(closeBtnExits);
  return c;
}

CamAppearance ApplyPanelChoices(CamAppearance cam, const std::array<bool, 4>& panels) {
  cam.title = panels[kPanelTitle];
  cam.images = panels[kPanelIcons];
  cam.captions = panels[kPanelText];
  cam.status = panels[kPanelStatus];
  return cam;
}

CamCustomOk CamCustomOkResult(const CamCustomChoices& c, int currentLastCapturesNum) {
  CamCustomOk ok;
  ok.intervalMs = IntervalOfWaitItem(c.wait);
  ok.lastCapturesNum = LastCapturesOfItem(c.lastCaptures);
  ok.ringChanged = ok.lastCapturesNum != currentLastCapturesNum;
  ok.closeBtnExits = CloseBtnExitsOfItem(c.close);
  return ok;
}

const char* CustomAdviceText(CustomAdvice topic) {
  switch (topic) {
    case CustomAdvice::Panels:
      return "Un-check the panels you don't use to make more room for large captures.\r\n\r\nWatch the camera change "
             "as you click.";
    case CustomAdvice::Buttons:
      return "Un-check the buttons you rarely use to reduce clutter.\r\n\r\nThe functions will still be available "
             "from the main and context menus.\r\n\r\nWatch the camera change as you click.";
    case CustomAdvice::Wait:
      return "If captures have blank spots or missing graphics, increase the time Framelark waits\r\nfor other "
             "programs to draw. Large windows and slow graphics cards need more time.\r\nFor snappier performance, "
             "decrease this time.\r\n\r\n(Scroll capture uses separate settings under Scroll Capture Settings.)";
    case CustomAdvice::LastCaptures:
      return "FramelarkPro automatically maintains backups of the last few captured images, \r\njust in case you "
             "need one again but forgot exactly where you got it or put it. \r\n\r\nSet the number of images cached "
             "here.\r\nNote: A large number will hog memory and slow loading of the folder.";
    case CustomAdvice::Border:
      return "It's easier to resize the camera with wide borders,\r\nbut, you can see your work better with thin "
             "borders.\r\n\r\nWatch the camera change as you click.";
    case CustomAdvice::CloseExit:
      return "Put a checkmark at Close To Status Area to have Framelark leave a scissors \r\nicon in the status area "
             "after you click the close button.\r\n(The status area is the right end of the taskbar, formerly called "
             "the system tray.)\r\n\r\nTo exit Framelark completely, after doing that, right-click the scissors icon "
             "and click Exit.";
  }
  return "";
}

std::vector<FormControl> CamCustomControls() {
  using K = FormControl;
  std::vector<FormControl> c;
  auto add = [&c](K::Kind kind, const char* text, int id, int x, int y, int w, int h, bool first = false) {
    c.push_back({kind, text, id, Rect::FromXYWH(x, y, w, h), first});
  };
  constexpr int kLeft = 8, kLeftW = 164, kMid = 180, kMidW = 190, kRight = 378, kRightW = 168;
  constexpr int kFirstRowRoom = 26;  // what the "?" takes from a group's first row
  auto advice = [&](CustomAdvice topic, int groupX, int groupY, int groupW) {
    add(K::HelpMark, "?", kCustomAdviceBase + int(topic), groupX + groupW - 22, groupY + 14, 16, 16);
  };
  // One group of radio buttons, rows 18 apart; the first row leaves room for the "?".
  auto radios = [&](std::span<const char* const> items, int base, int x, int y, int w, int room) {
    for (size_t i = 0; i < items.size(); ++i)
      add(K::RadioButton, items[i], base + int(i), x, y + 18 * int(i), w - (i == 0 ? room : 0), 17, i == 0);
  };

  add(K::ReadOnlyNote, kCamCustomIntro, kCustomMemoId, 8, 8, kCamCustomWidth - 16, 75);

  add(K::GroupBox, "Show These Panels", 0, kLeft, 92, kLeftW, 96);
  advice(CustomAdvice::Panels, kLeft, 92, kLeftW);
  for (int i = 0; i < 4; ++i)
    add(K::CheckBox, CustomPanelItems()[size_t(i)], kCustomPanelBase + i, kLeft + 8, 110 + 18 * i,
        kLeftW - 14 - (i == 0 ? kFirstRowRoom : 0), 17);

  add(K::GroupBox, "Show These Buttons", kCustomButtonsGroupId, kMid, 92, kMidW, 178);
  advice(CustomAdvice::Buttons, kMid, 92, kMidW);
  for (int i = 0; i < int(CustomButtonItems().size()); ++i) {
    int col = i < 9 ? 0 : 1, row = i < 9 ? i : i - 9;
    add(K::CheckBox, CustomButtonItems()[size_t(i)], kCustomButtonBase + i, kMid + 8 + 90 * col, 108 + 17 * row,
        col == 1 && row == 0 ? 90 - kFirstRowRoom : 86, 16);
  }

  add(K::GroupBox, "# Last Captures to Keep", 0, kRight, 92, kRightW, 110);
  advice(CustomAdvice::LastCaptures, kRight, 92, kRightW);
  radios(CustomLastCapturesItems(), kCustomLastCapturesBase, kRight + 8, 110, kRightW - 14, kFirstRowRoom);

  add(K::GroupBox, "Outside Border Width", 0, kLeft, 194, kLeftW, 76);
  advice(CustomAdvice::Border, kLeft, 194, kLeftW);
  radios(CustomBorderItems(), kCustomBorderBase, kLeft + 4, 212, kLeftW - 8, kFirstRowRoom - 6);

  add(K::GroupBox, "Main Close Button", 0, kRight, 208, kRightW, 62);
  advice(CustomAdvice::CloseExit, kRight, 208, kRightW);
  radios(CustomCloseItems(), kCustomCloseBase, kRight + 8, 226, kRightW - 14, kFirstRowRoom - 6);

  add(K::Label, "Wait For Other Programs:", 0, kLeft, 283, kMid - kLeft - 4, 16, true);
  add(K::DropList, "", kCustomWaitId, kMid, 279, kMidW - 24, 200);
  add(K::HelpMark, "?", kCustomAdviceBase + int(CustomAdvice::Wait), kMid + kMidW - 20, 281, 16, 16);

  add(K::PushButton, "&Restore defaults", kCustomRestoreId, 8, 322, 110, 26);
  add(K::DefaultButton, "&OK", kCustomOkId, kCamCustomWidth - 88, 322, 80, 26);
  return c;
}

CamAppearance AppearanceOf(const CameraSaveValues& v) {
  CamAppearance a;
  a.title = v.camTitle;
  a.images = v.camToolImages;
  a.captions = v.camToolText;
  a.status = v.camStatus;
  for (int i = 0; i < int(a.buttons.size()); ++i) a.buttons[size_t(i)] = v.buttons[size_t(ButtonSettingIndex(i))];
  a.bevel = v.camBevelWidth;
  return a;
}

void SetAppearanceIn(CameraSaveValues& v, const CamAppearance& a) {
  v.camTitle = a.title;
  v.camToolImages = a.images;
  v.camToolText = a.captions;
  v.camStatus = a.status;
  for (int i = 0; i < int(a.buttons.size()); ++i) v.buttons[size_t(ButtonSettingIndex(i))] = a.buttons[size_t(i)];
  v.camBevelWidth = SanitizeBevel(a.bevel);
}

CustomClick DecodeCustomClick(int id, int code) {
  using K = CustomClick::Kind;
  auto in = [id](int base, int n) { return id >= base && id < base + n; };
  if (id == kCustomOkId) return {K::Ok};
  if (id == kCustomCancelId) return {K::Cancel};
  if (id == kCustomRestoreId) return {K::Restore};
  if (code != 0) return {};
  if (in(kCustomPanelBase, 4)) return {K::Panels};
  if (in(kCustomButtonBase, 17)) return {K::Buttons};
  if (in(kCustomBorderBase, kCustomCloseBase + 2 - kCustomBorderBase)) return {K::Border};  // rdoCloseBtn shares it
  if (in(kCustomLastCapturesBase, 5)) return {K::RingSize, id - kCustomLastCapturesBase};
  if (in(kCustomAdviceBase, 6)) return {K::Advice, id - kCustomAdviceBase};
  return {};
}

}  // namespace flk

