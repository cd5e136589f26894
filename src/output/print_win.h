// Printing a picture on the printer the user chose (the printer setup of this
// process, else the default printer), and the printer setup dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/picture.h"
#include "output/print.h"

namespace flk {

class TfrmCommon;

// What a print put on its page (for the caller's records and for tests).
struct PrintedPage {
  PrintLayout layout;
  int printerDpiX = 0, printerDpiY = 0;
  int physicalOffsetX = 0, physicalOffsetY = 0;  // printable area inside the paper, printer pixels
  int physicalWidth = 0, physicalHeight = 0;     // the paper, printer pixels
  int sourceBitsPerPixel = 0;                    // 24, or 8 on a palette screen
};

// Prints one page: the picture at its on-screen size (shrunk only when too
// large for the page), or with `fit` stretched to fill the page inside its
// margins; *printed tells what went on the page. A failure of the printing services
// (no printer, a refused job) is shown in a message box owned by `owner`
// with their text; the result is then false. Never throws.
// common: the role's common form with the printer setup's choice (nullptr: the default printer).
bool PrintPicture(const Picture& picture, bool fit, const TfrmCommon* common, HWND owner = nullptr,
                  PrintedPage* printed = nullptr);

// The system's printer setup dialog of the role's common form; the choice
// applies to later prints of the role.
// False when cancelled or when the dialog failed. With no printer installed
// the system's dialog tells the user so itself; other failures are shown.
bool ShowPrinterSetup(TfrmCommon& common, HWND owner);

// Prints text as plain lines (three empty lines first) in a fixed-pitch font,
// as many pages as it takes, on the role's printer or the default one.
// Failures are shown as for pictures.
bool PrintPlainText(const std::string& title, const std::string& text, const TfrmCommon* common, HWND owner);

// Draws the source picture (as PrintSourcePicture makes it) into the layout's
// destination rectangle on any device context, realising the picture's colour
// table first when the device is a palette device. False when the device
// refused the bitmap.
bool DrawPrintSource(HDC dc, const PrintLayout& layout, const Picture& source);

// The system palette of a palette screen, or nothing when the screen is not
// a palette device.
bool ScreenIsPaletteDevice(HDC screen);
std::vector<PaletteEntry> SystemPaletteOf(HDC screen);

}  // namespace flk
