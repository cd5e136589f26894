#include "camera/cam_custom.h"

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

}  // namespace flk
