// The camera customisation dialog TfrmCamCustom ("Customize Framelark") as
// data and rules: its item lists, how the camera's state loads into the
// dialog's choices and how the choices map back to values, the rule that
// keeps the button list usable, the growth that makes room for the rows that
// came back, OK and Restore defaults, and the advice texts behind "?".
//
// Win32 side: cam_custom_win builds the dialog from these lists, loads it with
// LoadCamCustom, applies every check-list click to the camera at once
// (appearance, ApplyToolbarLayout, ArrangeControls, then GrowBy(0, 10) while
// CustomNeedsGrowth), and on OK performs CamCustomOk's result (restart
// interval, ring size with its trim and NotifyViewer(-3), close button).
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "base/form_controls.h"
#include "shell/startup_settings.h"

namespace flk {

inline constexpr char kCamCustomCaption[] = "Customize Framelark";
inline constexpr int kCamCustomHelpContext = 6;
inline constexpr int kCamCustomWidth = 554, kCamCustomHeight = 358;  // client, 96 DPI
inline constexpr char kCamCustomIntro[] =
    "Customize FramelarkPro to meet your personal needs.\r\n\r\n"
    "Click the question marks for advise about particular settings.";
inline constexpr char kRingSizeTip[] =
    "Tip -- If the LastCaptures folder loads slowly or overloads memory, reduce this setting.";

// Item texts, in list order.
std::span<const char* const> CustomPanelItems();        // chklstPanels: 4
std::span<const char* const> CustomButtonItems();       // chklstButtons: 17, the toolbar's order
std::span<const char* const> CustomWaitItems();         // cbWait: 8
std::span<const char* const> CustomLastCapturesItems();  // rdoLastCaptures: 5
std::span<const char* const> CustomBorderItems();       // rdoBorder: 3
std::span<const char* const> CustomCloseItems();        // rdoCloseBtn: 2

enum PanelItem { kPanelTitle = 0, kPanelIcons = 1, kPanelText = 2, kPanelStatus = 3 };

// ---- value mappings (item -1 = nothing selected) ----------------------------------

// cbWait from the restart interval: above 800 item 0 ... 21 to 50 item 7; 20 or less none.
int WaitItemOf(int intervalMs);
// Item -> interval: 1000, 800, 600, 400, 300, 200, 100, 50; none -> 20.
int IntervalOfWaitItem(int item);
// rdoLastCaptures from LastCapturesNum: 0; 1-5; 6-10; 11-20; anything else (also -1) "unlimited".
int LastCapturesItemOf(int count);
// Item -> 0, 5, 10, 20, -1 (keep all); none -> 5.
int LastCapturesOfItem(int item);
// rdoBorder from the frame width: 1 or 2 item 0; 3 to 5 item 1; anything else item 2.
int BorderItemOf(int width);
// Item -> 2, 5, 10 (none -> 5, the default width).
int BorderWidthOfItem(int item);
inline int CloseItemOf(bool closeBtnExits) { return closeBtnExits ? 1 : 0; }
inline bool CloseBtnExitsOfItem(int item) { return item == 1; }
// Choosing "20" or "unlimited" shows kRingSizeTip.
bool RingItemShowsTip(int item);

// ---- the camera's side --------------------------------------------------------------

// The camera keeps its button switches in the order of their settings
// (CambtnPrint first); the toolbar and chklstButtons list them left to right
// (btnRecall first). Position in the settings order of toolbar button i.
int ButtonSettingIndex(int toolbarIndex);

// What the check lists and the border change on the camera, at once.
struct CamAppearance {
  bool title = true, images = true, captions = true, status = true;
  std::array<bool, 17> buttons{true, true, true, true, true, true, true, true, true,
                               true, true, true, true, true, true, true, true};
  int bevel = 5;
};

// The appearance within the camera's saved values, and back (the frame's
// width kept at 1 or more).
CamAppearance AppearanceOf(const CameraSaveValues& values);
void SetAppearanceIn(CameraSaveValues& values, const CamAppearance& a);

struct CamCustomChoices {
  std::array<bool, 4> panels{};
  std::array<bool, 17> buttons{};
  bool buttonsEnabled = true;  // chklstButtons
  int wait = -1, lastCaptures = -1, border = -1, close = -1;
};

CamCustomChoices LoadCamCustom(const CamAppearance& cam, int intervalMs, int lastCapturesNum, bool closeBtnExits);

// chklstButtons is usable only while the toolbar shows icons or text.
inline bool ButtonListEnabled(bool icons, bool text) { return icons || text; }

// A click on chklstPanels: the camera's rows follow the four items.
CamAppearance ApplyPanelChoices(CamAppearance cam, const std::array<bool, 4>& panels);

// After a panel click the camera grows in steps of 10 while its frame is less
// than 20 pixels taller than the control panel.
inline constexpr int kCustomGrowthStep = 10;
inline bool CustomNeedsGrowth(int frameHeight, int controlHeight) { return frameHeight < controlHeight + 20; }

// OK: interval and close button always; the ring only when its size changed
// (then it is trimmed at once and the viewer told with -3).
struct CamCustomOk {
  int intervalMs = 300;
  int lastCapturesNum = 5;
  bool ringChanged = false;
  bool closeBtnExits = true;
};
CamCustomOk CamCustomOkResult(const CamCustomChoices& c, int currentLastCapturesNum);

// Restore defaults: every row and button on, frame 5; interval 300, ring 5
// (no trim until the next ring store), the close button exits.
struct CamCustomDefaults {
  CamAppearance appearance;
  int intervalMs = 300;
  int lastCapturesNum = 5;
  bool closeBtnExits = true;
};
inline CamCustomDefaults CamCustomRestoreDefaults() { return {}; }

// ---- advice ---------------------------------------------------------------------------

enum class CustomAdvice { Panels, Buttons, LastCaptures, Border, Wait, CloseExit };
const char* CustomAdviceText(CustomAdvice topic);

// ---- the dialog's controls ---------------------------------------------------------

// Control ids (read by the end-to-end scenarios too).
inline constexpr int kCustomPanelBase = 200;         // + PanelItem
inline constexpr int kCustomButtonBase = 210;        // + toolbar index
inline constexpr int kCustomLastCapturesBase = 230;  // + item
inline constexpr int kCustomBorderBase = 240;        // + item
inline constexpr int kCustomCloseBase = 250;         // + item
inline constexpr int kCustomWaitId = 260, kCustomMemoId = 262, kCustomAdviceBase = 270, kCustomRestoreId = 280;
inline constexpr int kCustomButtonsGroupId = 281;
inline constexpr int kCustomOkId = 1;  // IDOK

// What a WM_COMMAND of the dialog asks (Esc and the close box cancel: the
// camera keeps what it shows, the rest is dropped). code: the notification,
// 0 for a click (BN_CLICKED, STN_CLICKED).
struct CustomClick {
  enum Kind { None, Ok, Cancel, Restore, Panels, Buttons, Border, RingSize, Advice } kind = None;
  int item = 0;  // RingSize: the ring item; Advice: the CustomAdvice topic
};
inline constexpr int kCustomCancelId = 2;  // IDCANCEL
CustomClick DecodeCustomClick(int id, int code);

// Three columns of groups under the advice text, then the wait row and the
// buttons. Each "?" sits in its group's top right corner, below the title and
// clear of the frame; the first row of the group stops short of it.
std::vector<FormControl> CamCustomControls();

}  // namespace flk
