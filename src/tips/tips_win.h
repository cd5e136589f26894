// The `welcome` role: the daily tips window TfrmTips, one per user session.
#pragma once

#include <windows.h>

namespace flk {

// Control ids of TfrmTips (read by the end-to-end scenarios).
inline constexpr int kTipsNextId = 101, kTipsPrevId = 102, kTipsHomeId = 103, kTipsCloseId = 104;
inline constexpr int kTipsSwitchOffId = 110, kTipsPositionId = 111, kTipsTabsId = 112, kTipsPageId = 113;

// Runs the role: brings a running tips window forward and ends, or shows the
// window at the page NextTip names until it closes. Returns the exit code.
int RunTipsRole();

}  // namespace flk
