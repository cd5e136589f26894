// The controls of "Scrolling Capture Fine Tuning" as a table at 96 DPI, in
// creation and tab order; the tab control beneath them is the window's.
#pragma once

#include <vector>

#include "base/form_controls.h"

namespace flk {

// Control ids (the radio items follow their group's first id).
enum ScrollSettingsId : int {
  kIdTabControl1 = 1000, kIdLblTop, kIdMemo1,
  kIdRdoSize = 1100, kIdRdoWait = 1110, kIdRdoStep = 1120,
  kIdChkMessage = 1201, kIdChkSrchVScroll, kIdChkIndex,
  kIdEditIndexCol = 1301, kIdEditRtMargin, kIdEditScanTp, kIdEditScanLt, kIdEditScanRt, kIdEditScanBt,
  kIdBtnRestore = 1401,
};
inline constexpr int kScrollSettingsOk = 1, kScrollSettingsCancel = 2;  // the system's IDOK and IDCANCEL

inline constexpr Size kScrollSettingsClient{514, 389};
inline constexpr Rect kScrollSettingsTabs = Rect::FromXYWH(4, 4, 506, 330);

std::vector<FormControl> ScrollSettingsControls();

}  // namespace flk
