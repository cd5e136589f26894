// The `welcome` role: the daily tips window TfrmTips, one per user session.
#pragma once

#include <windows.h>

#include "tips/tips_frame.h"

namespace flk {

// Runs the role: brings a running tips window forward and ends, or shows the
// window at the page NextTip names until it closes. Returns the exit code.
int RunTipsRole();

}  // namespace flk
