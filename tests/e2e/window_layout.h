// What a person notices in a window before anything else, checked from
// outside: text cut off, controls outside their parent or over one another,
// a window larger than its monitor's work area, an input box with no label;
// and a screenshot of the window kept for a reviewer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace flk::e2e {

// One line per fault found in the window and its controls ("" when none).
std::vector<std::string> LayoutFaults(HWND window);
// Every line of LayoutFaults joined for a failure message.
std::string DescribeLayoutFaults(HWND window);

// Faults of a menu dropped from `owner`: not shown whole within the work
// area, or away from the window it dropped from ("" when none).
std::vector<std::string> MenuFaults(HWND menu, HWND owner);

// The bounding box of the pixels of one colour (0x00RRGGBB) within `area` on
// the screen; empty when there is none.
RECT ColourBounds(const RECT& area, uint32_t rgb);

// Saves the window's screen area as <FLK_E2E_SHOTS>\<name>.png; nothing when
// the variable is unset. False when a picture could not be written.
bool KeepScreenshot(HWND window, const std::string& name);

}  // namespace flk::e2e
